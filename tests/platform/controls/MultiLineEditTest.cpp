// The edit control's window styles: multi-line mode with and without word wrap, the
// line messages, Enter and Ctrl+Enter, alignment, margins, and the change notice that
// goes to the parent as a command.
#include "ControlsFixture.h"

#include "platform/controls/StdCtrls.h"
#include "platform/graphics/DrawRecord.h"
#include "tests/support/RepaintRecord.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

// An edit whose window takes extra styles, as a control built on the edit asks for them.
class TStyledEdit : public TEdit {
public:
  TStyledEdit(TComponent* AOwner, win::DWORD Add, win::DWORD Remove = 0) : TEdit(AOwner), FAdd(Add), FRemove(Remove) {}

protected:
  void CreateParams(TCreateParams& Params) override {
    TEdit::CreateParams(Params);
    Params.Style = (Params.Style & ~FRemove) | FAdd;
  }

private:
  win::DWORD FAdd, FRemove;
};

// A parent that keeps the commands its children send.
class TCommandSink : public TCustomControl {
public:
  explicit TCommandSink(TComponent* AOwner) : TCustomControl(AOwner) {}
  struct TCommand {
    win::WPARAM WParam;
    win::LPARAM LParam;
    std::string TextThen;
  };
  std::vector<TCommand> Commands;
  TCustomEdit* Watched = nullptr;

protected:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == win::WM_COMMAND)
      Commands.push_back({Message.WParam, Message.LParam, Watched ? Watched->Text() : std::string()});
    TCustomControl::Dispatch(Message);
  }
};

constexpr win::DWORD Wrapped = win::ES_MULTILINE;
constexpr win::DWORD NoHScroll = win::ES_AUTOHSCROLL;

class MultiLineEditTest : public FormTest {
protected:
  TStyledEdit* Make(win::DWORD Add, win::DWORD Remove, int W = 200, int H = 80) {
    auto* e = new TStyledEdit(form, Add, Remove);
    e->SetParent(form);
    e->SetBounds(10, 10, W, H);
    e->HandleNeeded();
    return e;
  }
  static int Msg(TWinControl* E, win::UINT M, win::WPARAM W = 0, win::LPARAM L = 0) {
    return static_cast<int>(E->Perform(M, W, L));
  }
  static std::string Line(TWinControl* E, int Row) {
    char buf[64] = {};
    win::WORD size = sizeof(buf);
    std::memcpy(buf, &size, sizeof(size));
    int n = Msg(E, win::EM_GETLINE, static_cast<win::WPARAM>(Row), reinterpret_cast<win::LPARAM>(buf));
    return std::string(buf, static_cast<std::size_t>(n));
  }
  static win::RECT Rect(TWinControl* E) {
    win::RECT r{};
    E->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&r));
    return r;
  }
  static std::vector<win::DrawOp> Texts(TWinControl* E) { return RepaintAndRecord(E->Handle()); }
};

TEST_F(MultiLineEditTest, LineMessagesAnswerForSingleAndMultiLineEdits) {
  TStyledEdit* single = Make(0, 0);
  single->SetText("abc def");
  TStyledEdit* multi = Make(Wrapped, NoHScroll);
  multi->SetText("one\r\ntwo words\r\n\r\nend");
  struct Case {
    const char* What;
    TStyledEdit* Edit;
    win::UINT Msg;
    std::intptr_t WParam;
    int Expected;
  };
  const Case cases[] = {
      {"single: one line", single, win::EM_GETLINECOUNT, 0, 1},
      {"single: line 0 starts at 0", single, win::EM_LINEINDEX, 0, 0},
      {"single: there is no line 1", single, win::EM_LINEINDEX, 1, -1},
      {"single: every character is on line 0", single, win::EM_LINEFROMCHAR, 5, 0},
      {"single: the line's length", single, win::EM_LINELENGTH, 3, 7},
      {"multi: four lines, the empty one included", multi, win::EM_GETLINECOUNT, 0, 4},
      {"multi: line 1 starts after CR LF", multi, win::EM_LINEINDEX, 1, 5},
      {"multi: the empty line", multi, win::EM_LINEINDEX, 2, 16},
      {"multi: the last line", multi, win::EM_LINEINDEX, 3, 18},
      {"multi: past the last line", multi, win::EM_LINEINDEX, 4, -1},
      {"multi: a character of line 1", multi, win::EM_LINEFROMCHAR, 9, 1},
      {"multi: the end of the text", multi, win::EM_LINEFROMCHAR, 21, 3},
      {"multi: length of line 1 without its break", multi, win::EM_LINELENGTH, 5, 9},
      {"multi: length of the empty line", multi, win::EM_LINELENGTH, 16, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    EXPECT_EQ(Msg(c.Edit, c.Msg, static_cast<win::WPARAM>(c.WParam)), c.Expected);
  }
  EXPECT_EQ(Line(single, 0), "abc def");
  EXPECT_EQ(Line(single, 1), "");
  EXPECT_EQ(Line(multi, 1), "two words");
  EXPECT_EQ(Line(multi, 2), "");
  EXPECT_EQ(Line(multi, 3), "end");
  EXPECT_EQ(Line(multi, 9), "");
  // A buffer smaller than the line takes what fits.
  char small[4] = {};
  win::WORD size = 3;
  std::memcpy(small, &size, sizeof(size));
  EXPECT_EQ(Msg(multi, win::EM_GETLINE, 1, reinterpret_cast<win::LPARAM>(small)), 3);
  EXPECT_EQ(std::string(small, 3), "two");
}

TEST_F(MultiLineEditTest, WordWrapCutsLongLinesIntoRowsDrawnOneBelowAnother) {
  const std::string text = "alpha beta gamma delta epsilon zeta eta theta";
  TStyledEdit* wrapped = Make(Wrapped, NoHScroll, 70, 120);
  wrapped->SetText(text);
  TStyledEdit* unwrapped = Make(Wrapped, 0, 70, 120);
  unwrapped->SetText(text);

  int rows = Msg(wrapped, win::EM_GETLINECOUNT);
  EXPECT_GT(rows, 2);
  std::string joined;
  for (int r = 0; r < rows; ++r) {
    joined += Line(wrapped, r);
    if (r + 1 < rows) {
      EXPECT_EQ(Msg(wrapped, win::EM_LINEINDEX, static_cast<win::WPARAM>(r + 1)),
                Msg(wrapped, win::EM_LINEINDEX, static_cast<win::WPARAM>(r)) +
                    static_cast<int>(Line(wrapped, r).size()));
    }
  }
  EXPECT_EQ(joined, text);  // the rows hold the line whole, nothing lost at the cuts
  // Every row is drawn on its own, each lower than the one before, inside the view.
  std::vector<win::DrawOp> ops = Texts(wrapped);
  std::vector<int> tops;
  for (const win::DrawOp& op : ops) tops.push_back(op.rect.top);
  tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
  EXPECT_EQ(static_cast<int>(tops.size()), std::min(rows, (Rect(wrapped).bottom - Rect(wrapped).top) / (tops[1] - tops[0])));
  EXPECT_TRUE(std::is_sorted(tops.begin(), tops.end()));
  for (const win::DrawOp& op : ops) EXPECT_LE(op.rect.right, Rect(wrapped).right);
  // A narrower formatting rectangle wraps again into more rows.
  win::RECT narrow = Rect(wrapped);
  narrow.right -= 25;
  wrapped->Perform(win::EM_SETRECTNP, 0, reinterpret_cast<win::LPARAM>(&narrow));
  EXPECT_GT(Msg(wrapped, win::EM_GETLINECOUNT), rows);
  for (const win::DrawOp& op : Texts(wrapped)) EXPECT_LE(op.rect.right, narrow.right);

  // Without word wrap the line stays one row, scrolled sideways to the caret.
  EXPECT_EQ(Msg(unwrapped, win::EM_GETLINECOUNT), 1);
  EXPECT_EQ(Line(unwrapped, 0), text);
}

TEST_F(MultiLineEditTest, EnterAndCtrlEnterBreakTheLineOnlyInMultiLineMode) {
  struct Case {
    const char* What;
    win::DWORD Add;
    win::WPARAM Char;
    const char* Expected;
  };
  const Case cases[] = {
      {"multi-line: Enter", Wrapped, '\r', "ab\ncd"},
      {"multi-line: the line feed of Ctrl+Enter", Wrapped, '\n', "ab\ncd"},
      {"single-line: Enter types nothing", 0, '\r', "abcd"},
      {"single-line: nor does a line feed", 0, '\n', "abcd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    TStyledEdit* e = Make(c.Add, c.Add ? NoHScroll : 0);
    e->SetFocus();
    e->SetText("abcd");
    e->SetSelStart(2);
    win::SendMessage(e->Handle(), win::WM_CHAR, c.Char, 0);
    EXPECT_EQ(e->Text(), c.Expected);
    delete e;
  }
  // Backspace after a break takes the whole CR LF; Up and Down move between rows.
  TStyledEdit* e = Make(Wrapped, NoHScroll);
  e->SetFocus();
  e->SetText("ab\r\ncd");
  e->SetSelStart(4);
  win::headless::PressKey(win::VK_UP);
  EXPECT_EQ(e->SelStart(), 0);
  win::headless::PressKey(win::VK_DOWN);
  EXPECT_EQ(e->SelStart(), 4);
  win::headless::PressKey(win::VK_BACK);
  EXPECT_EQ(e->Text(), "abcd");
  EXPECT_EQ(e->SelStart(), 2);
  // Whether the edit asks for Enter at all is the return style's business.
  EXPECT_EQ(Msg(e, win::WM_GETDLGCODE) & win::DLGC_WANTALLKEYS, 0);
  TStyledEdit* wants = Make(Wrapped | win::ES_WANTRETURN, NoHScroll);
  EXPECT_NE(Msg(wants, win::WM_GETDLGCODE) & win::DLGC_WANTALLKEYS, 0);
}

TEST_F(MultiLineEditTest, RightAndCenteredTextInBothModes) {
  struct Case {
    const char* What;
    win::DWORD Add;
    win::DWORD Remove;
  };
  const Case cases[] = {
      {"single-line, right", win::ES_RIGHT, 0},
      {"single-line, centred", win::ES_CENTER, 0},
      {"multi-line, right", Wrapped | win::ES_RIGHT, NoHScroll},
      {"multi-line, centred", Wrapped | win::ES_CENTER, NoHScroll},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    TStyledEdit* e = Make(c.Add, c.Remove, 120, 60);
    e->SetText("xy");
    win::RECT r = Rect(e);
    std::vector<win::DrawOp> ops = Texts(e);
    ASSERT_EQ(ops.size(), 1u);
    int w = ops[0].rect.right - ops[0].rect.left, avail = r.right - r.left - 1;
    int expected = (c.Add & win::ES_RIGHT) ? r.left + avail - w : r.left + (avail - w) / 2;
    EXPECT_EQ(ops[0].rect.left, expected);
    // The caret at the end of the text sits at its drawn end.
    e->SetFocus();
    e->SetSelStart(2);
    EXPECT_EQ(win::headless::Caret()->Pos.x, ops[0].rect.right);
    delete e;
  }
}

TEST_F(MultiLineEditTest, MarginsMoveTheTextAndComeBack) {
  for (win::DWORD add : {win::DWORD(0), Wrapped}) {
    SCOPED_TRACE(add ? "multi-line" : "single-line");
    TStyledEdit* e = Make(add, add ? NoHScroll : 0, 120, 40);
    e->SetText("text");
    win::RECT client = e->ClientRect();
    EXPECT_EQ(Msg(e, win::EM_GETMARGINS), static_cast<int>(win::MAKELONG(2, 2)));
    Msg(e, win::EM_SETMARGINS, win::EC_LEFTMARGIN | win::EC_RIGHTMARGIN, win::MAKELONG(10, 7));
    EXPECT_EQ(Msg(e, win::EM_GETMARGINS), static_cast<int>(win::MAKELONG(10, 7)));
    EXPECT_EQ(Rect(e).left, client.left + 10);
    EXPECT_EQ(Rect(e).right, client.right - 7);
    EXPECT_EQ(Texts(e).front().rect.left, client.left + 10);
    // One side alone; the font's own margin puts the default back.
    Msg(e, win::EM_SETMARGINS, win::EC_RIGHTMARGIN, win::MAKELONG(0, 0));
    EXPECT_EQ(Msg(e, win::EM_GETMARGINS), static_cast<int>(win::MAKELONG(10, 0)));
    Msg(e, win::EM_SETMARGINS, win::EC_LEFTMARGIN, win::MAKELONG(win::EC_USEFONTINFO, 0));
    EXPECT_EQ(Msg(e, win::EM_GETMARGINS), static_cast<int>(win::MAKELONG(2, 0)));
    delete e;
  }
}

TEST_F(MultiLineEditTest, EveryTextChangeIsSentToTheParent) {
  auto* sink = new TCommandSink(form);
  sink->SetParent(form);
  sink->SetBounds(0, 0, 300, 200);
  auto* e = new TStyledEdit(sink, Wrapped, NoHScroll);
  e->SetParent(sink);
  e->SetBounds(5, 5, 150, 60);
  e->SetFocus();
  sink->Watched = e;
  int changes = 0;
  e->SetOnChange([&](TObject*) { ++changes; });
  struct Case {
    const char* What;
    std::function<void()> Do;
    const char* Text;  // the text the parent sees; nullptr when no notice is due
  };
  const Case cases[] = {
      {"text set by the program", [&] { e->SetText("abc"); }, "abc"},
      {"the same text again", [&] { e->SetText("abc"); }, nullptr},
      {"typing", [&] { win::headless::TypeText("d"); }, "dabc"},
      {"Backspace", [&] { win::headless::PressKey(win::VK_BACK); }, "abc"},
      {"Enter", [&] { win::headless::PressKey(win::VK_RETURN); }, "\nabc"},
      {"moving the caret", [&] { win::headless::PressKey(win::VK_END); }, nullptr},
      {"WM_SETTEXT from outside", [&] { win::SetWindowText(e->Handle(), "xyz"); }, "xyz"},
      {"WM_SETTEXT with the text it has", [&] { win::SetWindowText(e->Handle(), "xyz"); }, nullptr},
  };
  e->SetSelStart(0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    sink->Commands.clear();
    changes = 0;
    c.Do();
    if (!c.Text) {
      EXPECT_TRUE(sink->Commands.empty());
      EXPECT_EQ(changes, 0);
      continue;
    }
    ASSERT_EQ(sink->Commands.size(), 1u);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(win::HIWORD(sink->Commands[0].WParam), win::EN_CHANGE);
    EXPECT_EQ(win::LOWORD(sink->Commands[0].WParam), static_cast<win::WORD>(win::GetDlgCtrlID(e->Handle())));
    EXPECT_EQ(sink->Commands[0].LParam, reinterpret_cast<win::LPARAM>(e->Handle()));
    EXPECT_EQ(sink->Commands[0].TextThen, c.Text);  // sent after the change
    EXPECT_EQ(e->Text(), c.Text);
  }
  // The window's own text follows what was set from outside.
  char buf[16] = {};
  win::GetWindowText(e->Handle(), buf, sizeof(buf));
  EXPECT_STREQ(buf, "xyz");
}

}  // namespace
