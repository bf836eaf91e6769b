// Single-line edits wider text than the control: the view follows the caret (typing,
// Home/End, selecting with keys and the mouse), and the caret and selection are drawn
// where the scrolled text is.
#include "ControlsFixture.h"

#include "platform/controls/Mask.h"
#include "platform/graphics/DrawRecord.h"
#include "tests/support/RepaintRecord.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace {

class EditScrollTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 80, 21);
    form->Show();
    edit->SetFocus();
  }
  void TearDown() override {
    win::StopDrawRecording();
    form->Free();
    ControlsTest::TearDown();
  }
  // What the control draws when repainted, of one kind.
  static std::vector<win::DrawOp> Drawn(TWinControl* c, win::DrawKind kind = win::DrawKind::Text) {
    return RepaintAndRecord(c->Handle(), kind);
  }
  static std::vector<win::DrawOp> Texts(TWinControl* c) { return Drawn(c); }
  static std::string Joined(const std::vector<win::DrawOp>& ops) {
    std::string s;
    for (const win::DrawOp& op : ops) s += op.text;
    return s;
  }
  win::RECT Rect(TWinControl* c) {
    win::RECT r{};
    c->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&r));
    return r;
  }
  int CaretX() { return win::headless::Caret()->Pos.x; }
  void Press(win::UINT vk, win::UINT mods = 0) { win::headless::PressKeys(mods, vk); }
  win::POINT Screen(int x, int y) { return edit->ClientToScreen({x, y}); }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
};

TEST_F(EditScrollTest, CaretStaysInViewWhileTypingAndWithHomeAndEnd) {
  const std::vector<std::string> texts = {"abcdefghijklmnopqrstuvwxyz0123456789",
                                          "内容管理器的文本片段和热键绑定功能测试"};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    edit->SetText("");
    win::RECT r = Rect(edit);
    win::headless::TypeText(text);
    ASSERT_EQ(edit->Text(), text);
    // The end of the text shows, the beginning has scrolled out to the left.
    std::string shown = Joined(Texts(edit));
    std::string last = text.substr(Utf8CharToByteIndex(text, Utf8Length(text) - 1));
    EXPECT_TRUE(shown.size() >= last.size() && shown.compare(shown.size() - last.size(), last.size(), last) == 0) << shown;
    EXPECT_NE(shown.substr(0, Utf8CharLength(text, 0)), text.substr(0, Utf8CharLength(text, 0)));
    EXPECT_EQ(CaretX(), r.right - 1);

    Press(win::VK_HOME);
    std::vector<win::DrawOp> ops = Texts(edit);
    EXPECT_EQ(Joined(ops).substr(0, Utf8CharLength(text, 0)), text.substr(0, Utf8CharLength(text, 0)));
    EXPECT_EQ(ops.front().rect.left, r.left);
    EXPECT_EQ(CaretX(), r.left);
    for (const win::DrawOp& op : ops) EXPECT_LT(op.rect.left, r.right);

    Press(win::VK_END);
    EXPECT_EQ(CaretX(), r.right - 1);
    EXPECT_EQ(Joined(Texts(edit)), shown);
  }
}

TEST_F(EditScrollTest, ShortTextDoesNotScrollAndDeletingScrollsBack) {
  win::RECT r = Rect(edit);
  win::headless::TypeText("short");
  std::vector<win::DrawOp> ops = Texts(edit);
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].text, "short");
  EXPECT_EQ(ops[0].rect.left, r.left);
  EXPECT_EQ(CaretX(), ops[0].rect.right);

  win::headless::TypeText(" and then a great deal more");
  for (int i = 0; i < 6; ++i) Press(win::VK_BACK);
  // Still wider than the view: the text's end stays at the right edge, no gap after it.
  EXPECT_EQ(CaretX(), r.right - 1);
  EXPECT_EQ(Texts(edit).back().rect.right, r.right - 1);
  Press(win::VK_HOME);
  Press(win::VK_END, win::MOD_SHIFT);
  Press(win::VK_DELETE);
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(CaretX(), r.left);
}

TEST_F(EditScrollTest, SelectionExtendsBackwardsAndIsDrawnAtTheScrolledPlace) {
  win::RECT r = Rect(edit);
  win::headless::TypeText("abcdefghijklmnopqrstuvwxyz0123456789");
  // Each Shift+Left takes one more character: the caret is the moving end.
  for (int i = 0; i < 3; ++i) Press(win::VK_LEFT, win::MOD_SHIFT);
  EXPECT_EQ(edit->SelStart(), 33);
  EXPECT_EQ(edit->SelLength(), 3);
  EXPECT_EQ(edit->SelText(), "789");
  std::vector<win::DrawOp> ops = Texts(edit);
  auto sel = std::find_if(ops.begin(), ops.end(), [](const win::DrawOp& op) { return op.text == "789"; });
  ASSERT_NE(sel, ops.end());
  EXPECT_EQ(sel->color, ColorToRGB(clHighlightText));
  EXPECT_EQ(sel->rect.right, r.right - 1);
  EXPECT_EQ(CaretX(), sel->rect.left);
  std::vector<win::DrawOp> fills = Drawn(edit, win::DrawKind::Fill);
  EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [&](const win::DrawOp& f) {
    return f.color == ColorToRGB(clHighlight) && f.rect.left == sel->rect.left && f.rect.right == sel->rect.right;
  }));
  // Shift+Right gives one back; Home with Shift selects from the anchor to the start.
  Press(win::VK_RIGHT, win::MOD_SHIFT);
  EXPECT_EQ(edit->SelText(), "89");
  Press(win::VK_HOME, win::MOD_SHIFT);
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 36);
  EXPECT_EQ(CaretX(), r.left);
  // A backward selection made with EM_SETSEL keeps its caret at the start.
  edit->Perform(win::EM_SETSEL, 30, 20);
  Press(win::VK_LEFT, win::MOD_SHIFT);
  EXPECT_EQ(edit->SelStart(), 19);
  EXPECT_EQ(edit->SelLength(), 11);
}

TEST_F(EditScrollTest, MouseSelectionDragsTheViewAlong) {
  win::RECT r = Rect(edit);
  edit->SetText("abcdefghijklmnopqrstuvwxyz0123456789");
  win::POINT p = Screen(r.left, 8);
  win::headless::MouseDown(win::headless::MouseButton::Left, p.x, p.y);
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 0);
  // Dragging past the right edge scrolls: each move reaches further into the text.
  int prev = 0;
  for (int i = 0; i < 4; ++i) {
    win::POINT q = Screen(r.right + 10, 8);
    win::headless::MouseMove(q.x, q.y);
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_GT(edit->SelLength(), prev);
    prev = edit->SelLength();
    EXPECT_LE(CaretX(), r.right - 1);
  }
  win::POINT q = Screen(r.right + 10, 8);
  win::headless::MouseUp(win::headless::MouseButton::Left, q.x, q.y);
  std::string shown = Joined(Texts(edit));
  EXPECT_EQ(shown.find('a'), std::string::npos);  // the start scrolled out
  // Moving without the button changes nothing; a click puts the caret under the pointer.
  win::headless::MouseMove(p.x, p.y);
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), prev);
  win::POINT mid = Screen(r.left + 30, 8);
  win::headless::Click(win::headless::MouseButton::Left, mid.x, mid.y);
  EXPECT_EQ(edit->SelLength(), 0);
  EXPECT_GT(edit->SelStart(), 8);  // a character of the scrolled view, not of the text's start
  EXPECT_NEAR(CaretX(), r.left + 30, 6);
}

TEST_F(EditScrollTest, FormattingRectangleMovesTheText) {
  win::RECT fr{20, 3, 60, 16};
  edit->Perform(win::EM_SETRECTNP, 0, reinterpret_cast<win::LPARAM>(&fr));
  win::RECT got = Rect(edit);
  EXPECT_EQ(got.left, 20);
  EXPECT_EQ(got.right, 60);
  win::headless::TypeText("abcdefghijklmnop");
  std::vector<win::DrawOp> ops = Texts(edit);
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.front().rect.top, 3);
  EXPECT_GE(ops.front().rect.left, 20 - 12);  // only what shows (first character may be cut)
  EXPECT_EQ(CaretX(), 59);
  EXPECT_EQ(win::headless::Caret()->Pos.y, 3);
  // The caret is brought back into view on request after the selection moved.
  edit->Perform(win::EM_SETSEL, 0, 0);
  edit->Perform(win::EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(CaretX(), 20);
}

TEST_F(EditScrollTest, MaskedAndPasswordEditsScrollTheirShownText) {
  TMaskEdit* mask = new TMaskEdit(form);
  mask->SetParent(form);
  mask->SetBounds(10, 40, 60, 21);
  mask->SetEditMask("0000-0000-0000-0000;1;_");
  mask->SetFocus();
  mask->SetSelStart(0);
  win::headless::TypeText("1234567812345678");
  EXPECT_EQ(mask->Text(), "1234-5678-1234-5678");
  std::string shown = Joined(Texts(mask));
  EXPECT_EQ(shown.substr(shown.size() - 4), "5678");
  EXPECT_NE(shown.substr(0, 4), "1234");

  edit->SetPasswordChar("*");
  edit->SetFocus();
  win::headless::TypeText("secretsecretsecretsecretsecret");
  std::vector<win::DrawOp> ops = Texts(edit);
  for (const win::DrawOp& op : ops) EXPECT_EQ(op.text.find_first_not_of('*'), std::string::npos);
  EXPECT_EQ(CaretX(), Rect(edit).right - 1);
}

// A line of many hundred characters: every place the edit measures agrees with the
// offsets of its characters taken one by one, after the text changes in place and after
// the font changes; scrolled to its end, what is drawn is the text's end.
struct TMeasuredEdit : TEdit {
  using TEdit::TEdit;
  using TCustomEdit::CharOffsets;
  using TCustomEdit::ShownExtent;
};

TEST_F(EditScrollTest, LongLineIsMeasuredAndDrawnWhereItsCharactersAre) {
  std::string text;
  for (int i = 0; i < 120; ++i) text += i % 7 == 3 ? "内容\t" : "snippet ";
  auto* edit = new TMeasuredEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 40, 80, 21);
  edit->SetFocus();
  edit->SetText(text);
  const auto Check = [&](const std::string& Expected) {
    const std::vector<int> offsets = edit->CharOffsets(Utf8Chars(Expected));
    for (int k : {0, 1, 255, 256, 257, 600, static_cast<int>(offsets.size()) - 2, static_cast<int>(offsets.size()) - 1}) {
      int at = -1, width = -1;
      edit->ShownExtent(k, at, width);
      EXPECT_EQ(at, offsets[static_cast<std::size_t>(k)]) << k;
      EXPECT_EQ(width, offsets.back());
    }
  };
  Check(text);
  std::string changed = text;
  changed.replace(changed.find("snippet", 600), 7, "WWWWWWW");  // same length, wider
  edit->SetText(changed);
  Check(changed);
  edit->Font()->SetSize(edit->Font()->Size() + 6);
  Check(changed);

  // Wherever the caret stands, the characters drawn are those that show, as the
  // characters' own offsets place them around the caret.
  const win::RECT r = Rect(edit);
  const std::vector<std::string> chars = Utf8Chars(changed);
  const std::vector<int> offsets = edit->CharOffsets(chars);
  for (int k : {0, 270, 600, static_cast<int>(chars.size())}) {
    SCOPED_TRACE(k);
    edit->Perform(win::EM_SETSEL, static_cast<win::WPARAM>(k), k);
    const int left = CaretX() - offsets[static_cast<std::size_t>(k)];
    std::string expected;
    for (std::size_t c = 0; c < chars.size(); ++c)
      if (chars[c] != "\t" && left + offsets[c + 1] > r.left && left + offsets[c] < r.right) expected += chars[c];
    EXPECT_EQ(Joined(Texts(edit)), expected);
  }
}

}  // namespace
