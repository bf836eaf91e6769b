// The column set-up dialog used on a real display as a person would: opened from the
// grid's options menu, a hidden column checked, a title renamed by typing, Apply, then
// a change dropped by Cancel; again with "自动存盘" and OK, which stores the layout in the
// registry. Its pictures are kept as PNGs.
#include "grid/DBGridGx/LayoutRegistry.h"
#include "gridoutput/PrnDbggx.h"
#include "gridoutput/SetColumnForm.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/support/DisplayScript.h"
#include "tests/support/GridOnDisplay.h"
#include "tests/support/RegistryHome.h"

namespace {
using display_script::TScript;

// The middle of "显示/隐藏列" from the options menu's top: a border of one pixel, items of
// 20 and separators of 8 pixels (print, -, restore, save, -, columns).
constexpr int ColumnsItemY = 1 + 20 + 8 + 20 + 20 + 8 + 10;

class ColumnDialogOnDisplayTest : public GridOnDisplayTest {
protected:
  void SetUp() override {
    GridOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    RegisterFormDescriptions();
    StartPrnDbggxUnit();
    MakeGrid("Columns", 420, 240, 380, 180, {"Name", "Price", "Note"}, 3,
             [](int R, int F) { return std::string(F == 0 ? "n" : F == 1 ? "p" : "t") + std::to_string(R); });
    Grid->SetName("DBGridGx1");
    TDBGridColumnsGx* C = Grid->Columns();
    for (const char* Field : {"Name", "Price", "Note"}) C->AddColumn()->SetFieldName(Field);
    C->ColumnAt(0)->Title()->SetCaption("名称");
    C->ColumnAt(2)->SetVisible(false);
    Form->Show();
  }
  void TearDown() override {
    FinishPrnDbggxUnit();
    GridOnDisplayTest::TearDown();
  }
  static TFrmSetColumn* Dialog() { return display_script::ModalForm<TFrmSetColumn>(); }
  // The dialog is up on the display.
  static bool Up(TScript& Script) { return Script.ModalShown<TFrmSetColumn>("设置表格列属性"); }
  // The screen point of the first column's title.
  win::POINT Title() const {
    const win::RECT R = Grid->CellRect(Grid->IndicatorColCount(), 0);
    return Grid->ClientToScreen(win::POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2});
  }
  // The check box, or the text, of the list's item Index.
  static win::POINT ItemCheck(int Index) {
    const win::RECT R = Dialog()->CheckListBox1->ItemRect(Index);
    return TScript::At(Dialog()->CheckListBox1, R.left + 7, (R.top + R.bottom) / 2);
  }
  static win::POINT ItemText(int Index) {
    const win::RECT R = Dialog()->CheckListBox1->ItemRect(Index);
    return TScript::At(Dialog()->CheckListBox1, R.left + 40, (R.top + R.bottom) / 2);
  }
  // Plays Script from the grid's options menu to the dialog's end.
  void Play(TScript& Script) {
    Script.Start();
    for (int I = 0; I < 2000 && !Script.Finished() && Script.Stalled().empty(); ++I) Pump();
    // The dialog's loop ends after the last step; the menu command returns then.
    for (int I = 0; I < 50 && Dialog(); ++I) Pump();
    Script.Stop();
    EXPECT_EQ(Script.Stalled(), "");
    EXPECT_TRUE(Script.Finished());
    EXPECT_EQ(Dialog(), nullptr);
  }

  TRegistryHome Home;
};

TEST_F(ColumnDialogOnDisplayTest, ShowRenameApplyCancelThenAutoSaveWithOk) {
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Grid->Handle()) && Grid->VisibleDataRowCount() > 0; }));
  TColumnGx* Name = Grid->Columns()->ColumnAt(0);
  TColumnGx* Price = Grid->Columns()->ColumnAt(1);
  TColumnGx* Note = Grid->Columns()->ColumnAt(2);

  std::vector<std::string> Listed;
  bool AutoSaveAtFirst = true;
  TScript First(*FOther);
  First.ChooseFromMenu("columns", [&] { return Title(); }, ColumnsItemY)
      .Then("the dialog comes up", [&] { return Up(First); },
            [&] {
              TStrings* Items = Dialog()->CheckListBox1->Items();
              for (int I = 0; I < Items->Count(); ++I)
                Listed.push_back(Items->Strings(I) + (Dialog()->CheckListBox1->Checked(I) ? "+" : "-"));
              AutoSaveAtFirst = Dialog()->CheckBox1->Checked();
            })
      .Settle()
      .Do("its first picture", [&] { EXPECT_TRUE(First.Shot("设置表格列属性", "column-dialog-opened.png")); })
      .Do("check the hidden column", [&] { First.Click(ItemCheck(2)); })
      .Then("checked", [&] { return Dialog()->CheckListBox1->Checked(2) && Dialog()->ApplyBtn->Enabled(); },
            [&] { First.Click(ItemText(0)); })
      .Then("its caption in the edit", [&] { return Dialog()->Edit1->TextProp() == "名称"; },
            [] {})
      .TypeInto("rename", [] { return Dialog()->Edit1; }, "Product")
      .Do("apply", [&] { First.Click(Dialog()->ApplyBtn); })
      .Then("applied", [&] { return !Dialog()->ApplyBtn->Enabled(); },
            [&] {
              EXPECT_TRUE(Note->Visible());
              EXPECT_EQ(Name->Title()->Caption(), "Product");
              First.Click(ItemCheck(1));
            })
      .Then("price unchecked", [&] { return !Dialog()->CheckListBox1->Checked(1); }, [] {})
      .Settle()
      .Do("its second picture", [&] {
        EXPECT_TRUE(First.ShotScreen("column-dialog-applied.png"));
        First.Click(Dialog()->CancelBtn);
      });
  Play(First);
  EXPECT_EQ(Listed, (std::vector<std::string>{"Name+", "Price+", "Note-"}));
  EXPECT_FALSE(AutoSaveAtFirst);
  // Cancel keeps what Apply did and drops what came after it.
  EXPECT_TRUE(Note->Visible());
  EXPECT_EQ(Name->Title()->Caption(), "Product");
  EXPECT_TRUE(Price->Visible());
  EXPECT_FALSE(GridLayoutExists(Grid, ""));

  // Hiding a column and "自动存盘", then OK without Apply: OK applies and stores the layout.
  TScript Second(*FOther);
  Second.ChooseFromMenu("columns again", [&] { return Title(); }, ColumnsItemY)
      .Then("the dialog again", [&] { return Up(Second); }, [&] { Second.Click(ItemCheck(1)); })
      .Then("price unchecked", [&] { return !Dialog()->CheckListBox1->Checked(1); },
            [&] { Second.Click(Dialog()->CheckBox1); })
      .Then("auto save checked", [&] { return Dialog()->CheckBox1->Checked(); }, [] {})
      .Settle()
      .Do("its picture", [&] { EXPECT_TRUE(Second.Shot("设置表格列属性", "column-dialog-auto-save.png")); })
      .Do("OK", [&] { Second.Click(Dialog()->OkBtn); });
  Play(Second);
  EXPECT_FALSE(Price->Visible());
  const std::string Key = "Software\\Microsoft\\Quenlar\\GridSave\\TFormDBGridGx1";
  EXPECT_EQ(SplitLayoutField(TRegistryHome::Stored(Key, "0000"), 3), "Product");
  EXPECT_EQ(SplitLayoutField(TRegistryHome::Stored(Key, "0001"), 0), "Price");
  EXPECT_EQ(SplitLayoutField(TRegistryHome::Stored(Key, "0001"), 2), "F");
  EXPECT_EQ(SplitLayoutField(TRegistryHome::Stored(Key, "0002"), 2), "T");

  // The stored layout shows as "自动存盘" checked the next time.
  bool AutoSaveShown = false;
  TScript Third(*FOther);
  Third.ChooseFromMenu("columns once more", [&] { return Title(); }, ColumnsItemY)
      .Then("the dialog once more", [&] { return Up(Third); },
            [&] {
              AutoSaveShown = Dialog()->CheckBox1->Checked();
              Third.Click(Dialog()->CancelBtn);
            });
  Play(Third);
  EXPECT_TRUE(AutoSaveShown);
}

}  // namespace
