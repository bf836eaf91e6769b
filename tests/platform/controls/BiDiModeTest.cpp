#include "ControlsFixture.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/forms/FormText.h"

namespace {

class BiDiModeTest : public ControlsTest {
protected:
  void TearDown() override {
    SysLocale.MiddleEast = true;
    ControlsTest::TearDown();
  }
};

// What each mode means for alignment, reading order, scroll bar side and DrawText
// flags, in a Middle-East locale and in a Western one.
TEST_F(BiDiModeTest, ModesAndDrawTextFlags) {
  struct Case {
    TBiDiMode Mode;
    bool MiddleEast;
    bool Align, Reading, ScrollBar;
    win::UINT Left, Right, Center;  // DrawTextBiDiModeFlags of DT_LEFT, DT_RIGHT, DT_CENTER
  };
  const win::UINT R = win::DT_RTLREADING;
  const Case cases[] = {
      {bdLeftToRight, true, false, false, false, win::DT_LEFT, win::DT_RIGHT, win::DT_CENTER},
      {bdRightToLeft, true, true, true, true, win::DT_RIGHT | R, win::DT_LEFT | R, win::DT_CENTER | R},
      {bdRightToLeftNoAlign, true, false, true, true, R, win::DT_RIGHT | R, win::DT_CENTER | R},
      {bdRightToLeftReadingOnly, true, false, true, false, R, win::DT_RIGHT | R, win::DT_CENTER | R},
      {bdRightToLeft, false, false, false, false, win::DT_LEFT, win::DT_RIGHT, win::DT_CENTER},
  };
  TPanel p(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << int(c.Mode) << " middle east " << c.MiddleEast);
    SysLocale.MiddleEast = c.MiddleEast;
    p.SetBiDiMode(c.Mode);
    EXPECT_EQ(p.UseRightToLeftAlignment(), c.Align);
    EXPECT_EQ(p.UseRightToLeftReading(), c.Reading);
    EXPECT_EQ(p.UseRightToLeftScrollBar(), c.ScrollBar);
    EXPECT_EQ(p.IsRightToLeft(), c.Reading);
    EXPECT_EQ(p.DrawTextBiDiModeFlags(win::DT_LEFT), c.Left);
    EXPECT_EQ(p.DrawTextBiDiModeFlags(win::DT_RIGHT), c.Right);
    EXPECT_EQ(p.DrawTextBiDiModeFlags(win::DT_CENTER), c.Center);
    EXPECT_EQ(p.DrawTextBiDiModeFlagsReadingOnly(), c.Reading ? R : 0u);
    // Other flags pass through untouched.
    EXPECT_EQ(p.DrawTextBiDiModeFlags(win::DT_SINGLELINE | win::DT_VCENTER) & (win::DT_SINGLELINE | win::DT_VCENTER),
              win::DT_SINGLELINE | win::DT_VCENTER);
  }
}

TEST_F(BiDiModeTest, AlignmentMirror) {
  TAlignment a = taLeftJustify;
  ChangeBiDiModeAlignment(a);
  EXPECT_EQ(a, taRightJustify);
  ChangeBiDiModeAlignment(a);
  EXPECT_EQ(a, taLeftJustify);
  a = taCenter;
  ChangeBiDiModeAlignment(a);
  EXPECT_EQ(a, taCenter);
}

// A form with a panel holding a windowed and a windowless child.
struct Tree {
  TForm* Form = new TForm(nullptr);
  TPanel* Panel = new TPanel(Form);
  TEdit* Edit = new TEdit(Form);
  TLabel* Label = new TLabel(Form);
  TEdit* Own = new TEdit(Form);
  Tree() {
    Form->SetBounds(10, 10, 300, 200);
    Panel->SetParent(Form);
    Edit->SetParent(Panel);
    Label->SetParent(Panel);
    Own->SetBiDiMode(bdRightToLeftReadingOnly);
    Own->SetParent(Panel);
    Form->Show();
  }
  ~Tree() { delete Form; }
};

win::DWORD ExStyle(TWinControl* c) { return win::DWORD(win::GetWindowLongPtr(c->Handle(), win::GWL_EXSTYLE)); }

TEST_F(BiDiModeTest, ModeFlowsToChildrenThatFollowTheirParent) {
  Tree t;
  EXPECT_FALSE(t.Own->ParentBiDiMode());
  t.Form->SetBiDiMode(bdRightToLeft);
  EXPECT_FALSE(t.Form->ParentBiDiMode());
  EXPECT_EQ(t.Panel->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(t.Edit->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(t.Label->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(t.Edit->ParentBiDiMode());
  EXPECT_EQ(t.Own->BiDiMode(), bdRightToLeftReadingOnly);

  // The windows are made again with the right-to-left styles.
  const win::DWORD rtl = win::WS_EX_RTLREADING | win::WS_EX_LEFTSCROLLBAR | win::WS_EX_RIGHT;
  EXPECT_EQ(ExStyle(t.Edit) & rtl, rtl);
  EXPECT_EQ(ExStyle(t.Own) & rtl, win::DWORD(win::WS_EX_RTLREADING));
  EXPECT_TRUE(t.Edit->Showing());

  // Back to following the parent.
  t.Own->SetParentBiDiMode(true);
  EXPECT_EQ(t.Own->BiDiMode(), bdRightToLeft);

  // A control put on the panel later takes its mode.
  auto* late = new TLabel(t.Form);
  late->SetParent(t.Panel);
  EXPECT_EQ(late->BiDiMode(), bdRightToLeft);

  t.Form->SetBiDiMode(bdLeftToRight);
  EXPECT_EQ(t.Edit->BiDiMode(), bdLeftToRight);
  EXPECT_EQ(ExStyle(t.Edit) & rtl, 0u);
}

TEST_F(BiDiModeTest, StoredOnlyWhenNotTakenFromTheParent) {
  Tree t;
  t.Form->SetName("F");
  t.Panel->SetName("P");
  t.Edit->SetName("E");
  t.Label->SetName("L");
  t.Own->SetName("O");
  t.Panel->SetBiDiMode(bdRightToLeftNoAlign);
  std::string text = WriteComponentResText(t.Form);
  EXPECT_NE(text.find("BiDiMode = bdRightToLeftNoAlign"), std::string::npos) << text;
  EXPECT_NE(text.find("BiDiMode = bdRightToLeftReadingOnly"), std::string::npos) << text;
  // Children that follow the panel are written without a mode of their own.
  std::size_t edit = text.find("object E: TEdit");
  ASSERT_NE(edit, std::string::npos);
  EXPECT_EQ(text.substr(edit, text.find("end", edit) - edit).find("BiDiMode"), std::string::npos) << text;

  TForm copy(nullptr);
  ReadComponentResText(text, &copy);
  auto* e = dynamic_cast<TEdit*>(copy.FindComponent("E"));
  auto* o = dynamic_cast<TEdit*>(copy.FindComponent("O"));
  ASSERT_TRUE(e && o);
  EXPECT_EQ(e->BiDiMode(), bdRightToLeftNoAlign);
  EXPECT_TRUE(e->ParentBiDiMode());
  EXPECT_EQ(o->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_FALSE(o->ParentBiDiMode());
}

}  // namespace
