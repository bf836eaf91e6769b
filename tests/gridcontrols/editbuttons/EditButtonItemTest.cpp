// Button descriptions and their collection.
#include <gtest/gtest.h>

#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/Forms.h"
#include "platform/desktop/Headless.h"
#include "platform/rtl/Exceptions.h"

namespace {

class EditButtonItemTest : public ::testing::Test {
protected:
  void SetUp() override { win::headless::Reset(); }
  void TearDown() override { win::headless::Reset(); }
};

TEST_F(EditButtonItemTest, DefaultsOfPlainAndVisibleButtons) {
  TEditButtonsGx Plain(nullptr, TEditButtonGx::StaticClass());
  TEditButtonGx* P = Plain.Add();
  EXPECT_EQ(P->NumGlyphs(), 1);
  EXPECT_EQ(P->ShortCut(), 0);
  EXPECT_FALSE(P->Visible());
  EXPECT_EQ(P->Style(), ebsDropDownGx);
  EXPECT_EQ(P->Width(), 0);
  EXPECT_TRUE(P->Glyph()->Transparent());
  EXPECT_EQ(P->EditControl(), nullptr);

  TEditButtonsGx Shown(nullptr, TVisibleEditButtonGx::StaticClass());
  TEditButtonGx* V = Shown.Add();
  EXPECT_EQ(V->ShortCut(), 0x8028);
  EXPECT_TRUE(V->Visible());
}

TEST_F(EditButtonItemTest, WritesReportChanges) {
  TComponent Owner(nullptr);
  TEditButtonsGx Buttons(&Owner, TVisibleEditButtonGx::StaticClass());
  EXPECT_EQ(Buttons.GetOwner(), &Owner);
  std::vector<TObject*> Changed;
  Buttons.SetOnChanged([&](TObject* Item) { Changed.push_back(Item); });
  TEditButtonGx* B = Buttons.Add();
  Changed.clear();

  const struct {
    const char* Name;
    std::function<void()> Write;
    std::size_t Reports;
  } cases[] = {
      {"hint", [&] { B->SetHint("Pick"); }, 1},
      {"same hint", [&] { B->SetHint("Pick"); }, 0},
      {"style", [&] { B->SetStyle(ebsUpDownGx); }, 1},
      {"visible", [&] { B->SetVisible(false); }, 1},
      {"width", [&] { B->SetWidth(20); }, 1},
      {"same width", [&] { B->SetWidth(20); }, 0},
      {"glyph", [&] { TBitmap G; G.SetSize(4, 4); B->SetGlyph(&G); }, 1},
      {"short cut is a plain store", [&] { B->SetShortCut(0); }, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Changed.clear();
    c.Write();
    EXPECT_EQ(Changed.size(), c.Reports);
    if (!Changed.empty()) {
      EXPECT_EQ(Changed[0], B);
    }
  }

  // The item's own handler takes the report instead of the collection.
  int Own = 0;
  B->SetOnChanged([&](TObject*) { ++Own; });
  Changed.clear();
  B->SetHint("Other");
  EXPECT_EQ(Own, 1);
  EXPECT_TRUE(Changed.empty());
}

TEST_F(EditButtonItemTest, NumGlyphsIsClamped) {
  TEditButtonsGx Buttons(nullptr, TEditButtonGx::StaticClass());
  TEditButtonGx* B = Buttons.Add();
  const struct {
    int Written, Read;
  } cases[] = {{0, 1}, {-5, 1}, {1, 1}, {3, 3}, {4, 4}, {9, 4}};
  for (const auto& c : cases) {
    B->SetNumGlyphs(c.Written);
    EXPECT_EQ(B->NumGlyphs(), c.Read) << c.Written;
  }
}

TEST_F(EditButtonItemTest, AssignCopiesEverything) {
  TEditButtonsGx Buttons(nullptr, TEditButtonGx::StaticClass());
  TEditButtonGx* A = Buttons.Add();
  TEditButtonGx* B = Buttons.Add();
  int Clicked = 0;
  A->SetHint("h");
  A->SetNumGlyphs(2);
  A->SetShortCut(0x4041);
  A->SetStyle(ebsPlusGx);
  A->SetVisible(true);
  A->SetWidth(13);
  A->SetOnClick([&](TObject*, bool&) { ++Clicked; });
  B->Assign(A);
  EXPECT_EQ(B->Hint(), "h");
  EXPECT_EQ(B->NumGlyphs(), 2);
  EXPECT_EQ(B->ShortCut(), 0x4041);
  EXPECT_EQ(B->Style(), ebsPlusGx);
  EXPECT_TRUE(B->Visible());
  EXPECT_EQ(B->Width(), 13);
  bool Handled = false;
  B->OnClick()(B, Handled);
  EXPECT_EQ(Clicked, 1);

  TBitmap Foreign;
  EXPECT_THROW(B->Assign(&Foreign), EConvertError);
}

TEST_F(EditButtonItemTest, NewButtonControlSitsInTheEdit) {
  auto* Form = new TForm(nullptr);
  TEditButtonGx Main(Form);
  EXPECT_EQ(Main.EditControl(), Form);
  TEditButtonControlGx* Control = Main.NewButtonControl();
  EXPECT_EQ(Control->Owner(), Form);
  EXPECT_EQ(Control->Parent(), Form);
  EXPECT_EQ(Control->Width(), 10);
  EXPECT_EQ(Control->Height(), 17);
  EXPECT_TRUE(Control->Visible());
  EXPECT_FALSE(Control->Transparent());
  EXPECT_TRUE(Control->ControlStyle().Contains(csReplicatable));
  delete Form;
}

}  // namespace
