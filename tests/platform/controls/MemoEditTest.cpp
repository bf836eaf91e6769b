// Memos edited in place: after every edit the text is what editing it character by
// character gives, and the rows, the lines, the caret and what is drawn are those of a
// memo given the same text afresh.
#include "ControlsFixture.h"

#include "platform/controls/MaskUtils.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/DrawRecord.h"
#include "tests/support/RepaintRecord.h"

#include <functional>
#include <string>
#include <vector>

namespace {

const std::string Base =
    "the quick brown fox jumps over the lazy dog again and again\r\n"
    "short\r\n"
    "\r\n"
    "内容管理器的文本片段和热键绑定功能测试\r\n"
    "tab\there and\tthere, averyveryverylongwordthatcannotfitinarow x\r\n"
    "last line";

enum class Op { Type, Back, Delete, Paste, Undo };

// Every kind of line break as CR LF.
std::string NormalBreaks(const std::string& S) {
  std::string out;
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '\r' || S[i] == '\n') {
      if (S[i] == '\r' && i + 1 < S.size() && S[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += S[i];
    }
  }
  return out;
}

// The text as a list of characters, edited the way the memo is meant to edit it.
struct TModel {
  std::vector<std::string> Chars, Before;
  int Sel = 0, Len = 0;

  void Replace(const std::vector<std::string>& With) {
    Before = Chars;
    Chars.erase(Chars.begin() + Sel, Chars.begin() + Sel + Len);
    Chars.insert(Chars.begin() + Sel, With.begin(), With.end());
    Sel += static_cast<int>(With.size());
    Len = 0;
  }
  bool BreakAt(int I) const { return I + 1 < static_cast<int>(Chars.size()) && Chars[I] == "\r" && Chars[I + 1] == "\n"; }
  void Apply(Op K, const std::string& Arg) {
    switch (K) {
      case Op::Type:  // a character at a time
        for (const std::string& c : Utf8Chars(Arg)) Replace(Utf8Chars(NormalBreaks(c)));
        return;
      case Op::Paste: Replace(Utf8Chars(NormalBreaks(Arg))); return;
      case Op::Back:
        if (Len == 0) {
          if (Sel == 0) return;
          Len = Sel >= 2 && BreakAt(Sel - 2) ? 2 : 1;
          Sel -= Len;
        }
        Replace({});
        return;
      case Op::Delete:
        if (Len == 0) {
          if (Sel >= static_cast<int>(Chars.size())) return;
          Len = BreakAt(Sel) ? 2 : 1;
        }
        Replace({});
        return;
      case Op::Undo: std::swap(Chars, Before); return;
    }
  }
};

class MemoEditTest : public FormTest {
protected:
  TMemo* NewMemo(int Left, bool Wrap) {
    auto* m = new TMemo(form);
    m->SetParent(form);
    m->SetBounds(Left, 10, 150, 120);
    m->SetWordWrap(Wrap);
    m->SetScrollBars(ssBoth);
    m->SetHideSelection(false);
    m->SetWantTabs(true);
    return m;
  }
  static std::vector<std::pair<int, int>> RowsOf(TMemo* M) {
    std::vector<std::pair<int, int>> rows;
    int n = static_cast<int>(M->Perform(win::EM_GETLINECOUNT));
    for (int r = 0; r < n; ++r) {
      int start = static_cast<int>(M->Perform(win::EM_LINEINDEX, static_cast<win::WPARAM>(r)));
      rows.emplace_back(start, static_cast<int>(M->Perform(win::EM_LINELENGTH, static_cast<win::WPARAM>(start))));
    }
    return rows;
  }
  static std::vector<std::string> Drawn(TMemo* M) {
    std::vector<std::string> out;
    for (const win::DrawOp& op : RepaintAndRecord(M->Handle()))
      out.push_back(op.text + " @" + std::to_string(op.rect.left) + "," + std::to_string(op.rect.top));
    return out;
  }
  void Do(TMemo* M, Op K, const std::string& Arg) {
    switch (K) {
      case Op::Type: win::headless::TypeText(Arg); return;
      case Op::Back: win::headless::PressKey(win::VK_BACK); return;
      case Op::Delete: win::headless::PressKey(win::VK_DELETE); return;
      case Op::Paste:
        win::headless::SetClipboardTextElsewhere(Arg);
        M->PasteFromClipboard();
        return;
      case Op::Undo: win::headless::TypeText("\x1a"); return;
    }
  }
  // The memo against the model and against a memo laid out afresh with its text.
  void Check(TMemo* M, const TModel& Model, bool Wrap) {
    ASSERT_EQ(M->TextProp(), Utf8Join(Model.Chars));
    EXPECT_EQ(M->SelStart(), Model.Sel);
    // The caret's row shows.
    win::RECT r{};
    M->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&r));
    int row = static_cast<int>(M->Perform(win::EM_LINEFROMCHAR, static_cast<win::WPARAM>(-1)));
    EXPECT_GE(row, M->TopRow());
    EXPECT_LT(row, M->TopRow() + (r.bottom - r.top) / win::headless::Caret()->Height);
    TMemo* fresh = NewMemo(200, Wrap);
    fresh->SetText(M->TextProp());
    EXPECT_EQ(RowsOf(M), RowsOf(fresh));
    EXPECT_EQ(M->Lines()->Text(), fresh->Lines()->Text());
    EXPECT_EQ(M->Lines()->Count(), fresh->Lines()->Count());
    fresh->SetSelStart(M->SelStart());
    fresh->SetSelLength(M->SelLength());
    win::SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = win::SIF_POS;
    int scrollX = !Wrap && win::GetScrollInfo(M->Handle(), win::SB_HORZ, &si) ? si.nPos : 0;
    fresh->ScrollTo(M->TopRow(), scrollX);
    EXPECT_EQ(fresh->TopRow(), M->TopRow());
    EXPECT_EQ(Drawn(M), Drawn(fresh));
    delete fresh;
  }
};

TEST_F(MemoEditTest, EditsKeepRowsLinesAndDrawingAsAFreshLayout) {
  int chineseLine = static_cast<int>(Utf8Chars(Base.substr(0, Base.find("内"))).size());
  int lastLine = static_cast<int>(Utf8Chars(Base).size()) - 9;
  int firstEnd = static_cast<int>(Base.find("\r\n"));
  struct Case {
    const char* what;
    int sel, len;
    Op op;
    std::string arg;
  } cases[] = {
      {"typing at the start", 0, 0, Op::Type, "x"},
      {"typing in a wrapped line", 20, 0, Op::Type, "abc"},
      {"typing at the end", lastLine + 9, 0, Op::Type, "!"},
      {"a space that lets a row break", 8, 0, Op::Type, " "},
      {"a long word pushes the rest down", 4, 0, Op::Type, "abcdefghijklmnopqrstuvwxyz"},
      {"a removed space joins two words", 9, 0, Op::Delete, ""},
      {"Enter cuts a line in two", 10, 0, Op::Type, "\r"},
      {"Backspace at a line start joins two lines", firstEnd + 2, 0, Op::Back, ""},
      {"Delete at a line end joins two lines", firstEnd, 0, Op::Delete, ""},
      {"a selection over several lines", 30, 45, Op::Delete, ""},
      {"pasting several lines", 40, 3, Op::Paste, "one\ntwo\r\nthree"},
      {"typing among ideographs", chineseLine + 5, 2, Op::Type, "字"},
      {"typing between a line break's two characters", firstEnd + 1, 0, Op::Type, "y"},
      {"the whole text replaced", 0, 1000, Op::Type, "z"},
      {"the whole text removed", 0, 1000, Op::Back, ""},
      {"a line break ending the text", lastLine + 9, 0, Op::Type, "\r"},
  };
  for (bool wrap : {true, false})
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.what << (wrap ? " (word wrap)" : ""));
      TMemo* memo = NewMemo(10, wrap);
      memo->SetText(Base);
      memo->SetFocus();
      memo->SetSelStart(c.sel);
      memo->SetSelLength(c.len);
      Check(memo, TModel{Utf8Chars(Base), {}, memo->SelStart(), memo->SelLength()}, wrap);
      TModel model{Utf8Chars(Base), {}, memo->SelStart(), memo->SelLength()};
      Do(memo, c.op, c.arg);
      model.Apply(c.op, c.arg);
      Check(memo, model, wrap);
      // Undo brings the text back, and again the edit.
      Do(memo, Op::Undo, "");
      model.Apply(Op::Undo, "");
      model.Sel = memo->SelStart();
      Check(memo, model, wrap);
      delete memo;
    }
}

TEST_F(MemoEditTest, ALongRunOfEditsStaysInStep) {
  TMemo* memo = NewMemo(10, true);
  memo->SetText(Base + "\r\n" + Base);
  memo->SetFocus();
  TModel model{Utf8Chars(memo->TextProp()), {}, 0, 0};
  const char* typed[] = {"a", " ", "\r", "word ", "内容", "\t", "longerwordwithoutspaces"};  // seven
  unsigned seed = 7;
  for (int step = 0; step < 120; ++step) {
    seed = seed * 1103515245u + 12345u;
    unsigned r = seed >> 8;
    int size = static_cast<int>(model.Chars.size());
    int sel = size ? static_cast<int>(r % static_cast<unsigned>(size + 1)) : 0;
    // Never start or end inside a line break.
    if (sel > 0 && sel < size && model.Chars[sel - 1] == "\r") --sel;
    int len = r % 5 == 0 ? std::min(static_cast<int>(r % 13), size - sel) : 0;
    if (sel + len > 0 && sel + len < size && model.Chars[sel + len - 1] == "\r") ++len;
    memo->SetSelStart(sel);
    memo->SetSelLength(len);
    model.Sel = sel;
    model.Len = len;
    Op op = r % 7 < 4 ? Op::Type : r % 7 == 4 ? Op::Back : r % 7 == 5 ? Op::Delete : Op::Paste;
    std::string arg = op == Op::Paste ? "p\nq" : typed[(r / 7) % 7];
    SCOPED_TRACE(testing::Message() << "step " << step << " at " << sel << "+" << len << " op " << int(op));
    Do(memo, op, arg);
    model.Apply(op, arg);
    Check(memo, model, true);
    if (HasFatalFailure()) return;
  }
}

TEST_F(MemoEditTest, AChangeHandlerThatFailsLeavesTextAndLinesInStep) {
  TMemo* memo = NewMemo(10, false);
  memo->SetText("one\r\ntwo");
  bool fail = true;
  memo->SetOnChange([&](TObject*) {
    if (fail) throw Exception("refused");
  });
  // Lines changed and text set, each reaching a handler that fails once.
  EXPECT_THROW(memo->Lines()->Add("three"), Exception);
  EXPECT_EQ(memo->TextProp(), "one\r\ntwo\r\nthree");
  EXPECT_THROW(memo->SetText("a\r\nb"), Exception);
  EXPECT_EQ(memo->Lines()->Count(), 2);
  fail = false;
  memo->Lines()->Add("c");
  EXPECT_EQ(memo->TextProp(), "a\r\nb\r\nc");
  memo->SetText("x\r\ny");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(1), "y");
  memo->SetOnChange(nullptr);
}

}  // namespace
