// Right to left in the standard controls: the text of labels, edits, memos, check boxes,
// radio buttons and panel captions moves to the other side and reads right to left.
#include "ControlsFixture.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/DrawRecord.h"

#include <map>

namespace {

class RightToLeftTextTest : public ControlsTest {};

TEST_F(RightToLeftTextTest, TextMovesToTheOtherSideAndReadsRightToLeft) {
  SysLocale.MiddleEast = true;
  for (TBiDiMode mode : {bdLeftToRight, bdRightToLeft}) {
    SCOPED_TRACE(mode == bdRightToLeft ? "right to left" : "left to right");
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 400);
    form->SetBiDiMode(mode);
    std::map<std::string, TControl*> controls;
    auto place = [&](TControl* c, const std::string& text, int top) {
      c->SetParent(form);
      c->SetBounds(10, top, 160, c->Height());
      c->SetCaption(text);
      controls[text] = c;
    };
    auto* label = new TLabel(form);
    label->SetAutoSize(false);
    place(label, "label", 10);
    auto* edit = new TEdit(form);
    place(edit, "edit", 40);
    edit->SetText("edit");
    auto* memo = new TMemo(form);
    place(memo, "memo", 70);
    memo->SetText("memo");
    place(new TCheckBox(form), "check", 170);
    place(new TRadioButton(form), "radio", 200);
    auto* panel = new TPanel(form);
    panel->SetAlignment(taLeftJustify);
    place(panel, "panel", 230);
    form->Show();

    win::StartDrawRecording();
    win::ClearDrawRecording();
    win::RedrawWindow(form->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
    win::headless::ProcessMessages();
    std::vector<win::DrawOp> ops = win::RecordedOps(win::DrawKind::Text);
    win::StopDrawRecording();
    for (const auto& [text, control] : controls) {
      SCOPED_TRACE(text);
      auto op = std::find_if(ops.begin(), ops.end(), [&](const win::DrawOp& o) { return o.text == text; });
      ASSERT_NE(op, ops.end());
      // Device units of the control's own window, or of the form for a label.
      int width = dynamic_cast<TWinControl*>(control) ? control->ClientWidth() : control->Width();
      int left = dynamic_cast<TWinControl*>(control) ? 0 : control->Left();
      int centre = (op->rect.left + op->rect.right) / 2 - left;
      if (mode == bdRightToLeft) {
        EXPECT_GT(centre, width / 2);
        EXPECT_TRUE(op->format & win::DT_RTLREADING);
      } else {
        EXPECT_LT(centre, width / 2);
        EXPECT_FALSE(op->format & win::DT_RTLREADING);
      }
    }
    // The edit's caret sits after the text, which is at the right edge.
    edit->SetFocus();
    edit->SetSelStart(4);
    win::RECT r{};
    edit->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&r));
    if (mode == bdRightToLeft) EXPECT_EQ(win::headless::Caret()->Pos.x, r.right - 1);
    else EXPECT_LT(win::headless::Caret()->Pos.x, r.right / 2);
    // Memo styles carry the mirrored alignment.
    win::LONG_PTR style = win::GetWindowLong(memo->Handle(), win::GWL_STYLE);
    EXPECT_EQ((style & win::ES_RIGHT) != 0, mode == bdRightToLeft);
    form->Free();
  }
}

}  // namespace
