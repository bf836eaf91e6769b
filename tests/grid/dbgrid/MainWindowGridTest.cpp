// The main window's grid as its form stores it: read, checked and written back unchanged.
#include "tests/support/GridFixture.h"

#include "gridcontrols/GxCurrency.h"
#include "resources/forms/FormDescriptions.h"

namespace {

const std::vector<std::string>& VirtKeyNames() {
  static const std::vector<std::string> Names = {
#define VANTREL_VIRTKEY(Name, Code) "vk" #Name,
#include "app/VirtKeys.inc"
#undef VANTREL_VIRTKEY
  };
  return Names;
}

std::string StringList(const std::string& Name, const std::vector<std::string>& Items) {
  std::string Text = "        " + Name + ".Strings = (";
  for (const std::string& Item : Items) Text += "\n          '" + Item + "'";
  return Text + ")\n";
}

std::string BooleanColumn(const std::string& Field, int Width, bool PickList) {
  std::string Text = "      item\n        FieldName = '" + Field + "'\n" + StringList("KeyList", {"true", "false"});
  if (PickList) Text += StringList("PickList", {"true", "false"});
  return Text + "        Width = " + std::to_string(Width) + "\n      end";
}

std::string MainWindowGrid() {
  std::vector<std::string> Ordinals;
  for (int I = 0; I < 103; ++I) Ordinals.push_back(std::to_string(I));
  return "  object DBGridGx1: TDBGridGx\n"
         "    Left = 0\n"
         "    Top = 0\n"
         "    Width = 444\n"
         "    Height = 248\n"
         "    Align = alClient\n"
         "    ParentFont = True\n"
         "    TabOrder = 0\n"
         "    DataSource = DataSource1\n"
         "    DrawMemoText = True\n"
         "    FooterColor = clWindow\n"
         "    FooterFont.Charset = 1\n"
         "    FooterFont.Color = clWindowText\n"
         "    FooterFont.Height = -11\n"
         "    FooterFont.Name = 'MS Sans Serif'\n"
         "    TitleFont.Charset = 1\n"
         "    TitleFont.Color = clWindowText\n"
         "    TitleFont.Height = -11\n"
         "    TitleFont.Name = 'MS Sans Serif'\n"
         "    CurrencyStyle.CurrencyFont.Charset = 1\n"
         "    CurrencyStyle.CurrencyFont.Color = clWindowText\n"
         "    CurrencyStyle.CurrencyFont.Height = -11\n"
         "    CurrencyStyle.CurrencyFont.Name = 'MS Sans Serif'\n"
         "    CurrencyStyle.CurrencySymbol = '￥'\n"
         "    CurrencyStyle.CompartColor = clSilver\n"
         "    CurrencyStyle.KilobitColor = clGreen\n"
         "    CurrencyStyle.RadixColor = clRed\n"
         "    CurrencyStyle.ShowMinus = True\n"
         "    CurrencyStyle.ShowZero = False\n"
         "    CurrencyStyle.MinusColor = clRed\n"
         "    CurrencyStyle.Layout = tlCenter\n"
         "    CurrencyStyle.HeadFont.Charset = 1\n"
         "    CurrencyStyle.HeadFont.Color = clWindowText\n"
         "    CurrencyStyle.HeadFont.Height = -11\n"
         "    CurrencyStyle.HeadFont.Name = '楷体_GB2312'\n"
         "    FooterDisplayStyle = False\n"
         "    FixGridlinecolor = clGray\n"
         "    Gridlinecolor = clGray\n"
         "    Columns = <\n" +
         BooleanColumn("control", 87, true) + "\n" + BooleanColumn("alt", 70, false) + "\n" +
         BooleanColumn("shift", 92, false) + "\n" + BooleanColumn("win", 78, false) + "\n" +
         "      item\n"
         "        FieldName = 'KeyIndex'\n" +
         StringList("KeyList", Ordinals) + StringList("PickList", VirtKeyNames()) +
         "        Width = 93\n"
         "      end>\n"
         "  end\n";
}

std::string MainWindowForm() {
  return "object FVantrel: TForm\n"
         "  Width = 444\n"
         "  Height = 248\n" +
         MainWindowGrid() +
         "  object DataSource1: TDataSource\n"
         "    AutoEdit = False\n"
         "  end\n"
         "end\n";
}

std::string GridBlock(const std::string& Text) {
  const std::size_t Start = Text.find("  object DBGridGx1: TDBGridGx\n");
  if (Start == std::string::npos) return {};
  const std::string Close = "\n  end\n";
  return Text.substr(Start, Text.find(Close, Start) + Close.size() - Start);
}

TEST_F(GridTest, TheMainWindowsGridReadsAndWritesBackTheSameDescription) {
  ASSERT_EQ(VirtKeyNames().size(), 103u);
  EXPECT_EQ(GridBlock(MainWindowDescription()), MainWindowGrid()) << "the main window stores this grid";
  ReadComponentResText(MainWindowForm(), Form.get());
  auto* Grid = dynamic_cast<TDBGridGx*>(Form->FindComponent("DBGridGx1"));
  ASSERT_NE(Grid, nullptr);
  EXPECT_EQ(Grid->DataSource(), Form->FindComponent("DataSource1"));
  EXPECT_TRUE(Grid->UseMenu());
  EXPECT_TRUE(Grid->DrawMemoText());
  EXPECT_FALSE(Grid->ShowBmp());
  EXPECT_EQ(Grid->RowTwoColor(), clCream);
  EXPECT_EQ(Grid->Options(), DefaultDBGridOptions);
  EXPECT_EQ(Grid->FooterRowCount(), 0);
  EXPECT_TRUE(Grid->EditActions().Empty());
  EXPECT_EQ(Grid->CurrencyStyle()->CurrencySymbol(), "￥");
  EXPECT_EQ(Grid->CurrencyStyle()->HeadFont()->Name(), "楷体_GB2312");
  EXPECT_EQ(Grid->TitleFont()->Height(), -11);

  const struct {
    const char* Field;
    int Width;
    int Keys;
    int Picks;
  } Columns[] = {{"control", 87, 2, 2}, {"alt", 70, 2, 0}, {"shift", 92, 2, 0}, {"win", 78, 2, 0},
                 {"KeyIndex", 93, 103, 103}};
  ASSERT_EQ(Grid->Columns()->Count(), 5);
  EXPECT_EQ(Grid->ColCount(), 6);
  for (int I = 0; I < 5; ++I) {
    TColumnGx* Column = Grid->Columns()->ColumnAt(I);
    EXPECT_EQ(Column->FieldName(), Columns[I].Field);
    EXPECT_EQ(Column->Width(), Columns[I].Width);
    EXPECT_EQ(Column->KeyList()->Count(), Columns[I].Keys);
    EXPECT_EQ(Column->HasPickList() ? Column->PickList()->Count() : 0, Columns[I].Picks);
  }
  EXPECT_EQ(Grid->Columns()->ColumnAt(4)->PickList()->Strings(102), "vkApps");
  EXPECT_EQ(Grid->Columns()->ColumnAt(4)->KeyList()->Strings(102), "102");

  EXPECT_EQ(GridBlock(WriteComponentResText(Form.get())), MainWindowGrid());
}

}  // namespace
