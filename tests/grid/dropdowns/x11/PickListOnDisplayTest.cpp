// The pick list of a grid cell on a real display: Alt+Down, sent by the display, drops
// the list under the cell as a window another program sees; Down and Enter take the next
// item into the cell while the focus never leaves the editor.
#include "tests/support/InplaceEditFixture.h"
#include "tests/support/X11Program.h"

namespace {

constexpr unsigned long KeyDown = 0xff54, KeyReturn = 0xff0d;  // X key symbols

class PickListOnDisplayTest : public xvfb_test::X11ProgramTest {
protected:
  void SetUp() override {
    X11ProgramTest::SetUp();
    if (HasFatalFailure()) return;
    RegisterGridTestClasses();
    Unit = std::make_unique<TDBGridGxUnitUse>();
  }
  void TearDown() override {
    delete Form;
    Unit.reset();
    X11ProgramTest::TearDown();
  }

  std::unique_ptr<TDBGridGxUnitUse> Unit;
  TForm* Form = nullptr;
};

TEST_F(PickListOnDisplayTest, AltDownDropsTheListUnderTheCellAndDownEnterTakeTheNextItem) {
  Form = new TForm(nullptr);
  Form->SetCaption("Grid");
  Form->SetBounds(40, 40, 360, 220);
  auto* Data = new TClientDataSet(Form);
  Data->FieldDefs().Add("S", ftString, 20);
  Data->CreateDataSet();
  Data->Append();
  Data->FieldByName("S")->SetAsString("b");
  Data->Post();
  auto* Source = new TDataSource(Form);
  Source->SetDataSet(Data);
  auto* Grid = new EditingGrid(Form);
  Grid->SetParent(Form);
  Grid->SetBounds(0, 0, 340, 200);
  Grid->SetDataSource(Source);
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetFieldName("S");
  for (const char* Item : {"a", "b", "c"}) Column->PickList()->Add(Item);
  TDBGridOptions Options = Grid->Options();
  Options.Include(dgEditing);
  Grid->SetOptions(Options);

  Form->Show();
  Grid->SetFocus();
  Grid->ShowCellEditor();
  TDBGridInplaceEdit* Editor = Grid->Editor();
  ASSERT_NE(Editor, nullptr);
  Editor->SetFocus();
  const win::x11::XWindowId Owner = xvfb_test::FindTopLevel(*FOther, "Grid");
  ASSERT_TRUE(PumpUntil([&] { return xvfb_test::ViewOf(*FOther, Owner).Viewable; }));
  ASSERT_EQ(Editor->Text(), "b");
  // The list's window gets a name another program can find it by.
  TPopupListboxGx* List = Editor->PickListPopup();
  List->HandleNeeded();
  win::SetWindowTextA(List->Handle(), "PickList");

  xvfb_test::SendKey(*FOther, Owner, KeyDown, xvfb_test::XAltMask);
  ASSERT_TRUE(PumpUntil([&] { return Editor->PopupVisible(); }));
  win::x11::XWindowId Drop = 0;
  ASSERT_TRUE(PumpUntil([&] { return xvfb_test::ViewOf(*FOther, Drop = xvfb_test::FindTopLevel(*FOther, "PickList")).Viewable; }));
  const xvfb_test::XWindowView View = xvfb_test::ViewOf(*FOther, Drop);
  const win::POINT Under = Editor->ClientToScreen({0, Editor->Height()});
  EXPECT_TRUE(View.OverrideRedirect);
  EXPECT_EQ(View.X, Under.x);
  EXPECT_EQ(View.Y, Under.y);
  EXPECT_EQ(List->ItemIndex(), 1);
  EXPECT_EQ(win::GetFocus(), Editor->Handle());

  xvfb_test::SendKey(*FOther, Owner, KeyDown);
  ASSERT_TRUE(PumpUntil([&] { return Editor->Text() == "c"; }));
  xvfb_test::SendKey(*FOther, Owner, KeyReturn);
  ASSERT_TRUE(PumpUntil([&] { return !Editor->PopupVisible(); }));
  EXPECT_TRUE(PumpUntil([&] { return !xvfb_test::ViewOf(*FOther, Drop).Viewable; }));
  EXPECT_EQ(Editor->Text(), "c");
  EXPECT_EQ(Grid->EditText(), "c");
  EXPECT_TRUE(Editor->Visible());
  EXPECT_EQ(win::GetFocus(), Editor->Handle());
}

}  // namespace
