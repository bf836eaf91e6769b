// The RTF form: read back by Debian's RTF readers with every cell in place (Chinese text,
// line breaks, braces, multi-level titles), and the table's geometry and cell formatting.
#include "tests/support/ImpExpFixture.h"
#include "tests/support/RtfReaders.h"

#include "grid/DBGridGx/Titles.h"
#include "platform/rtl/Utf8.h"

namespace {

// Whether the braces of an RTF document balance (escaped ones aside) and close at its end.
bool BracesBalance(const std::string& Rtf) {
  int Depth = 0;
  for (std::size_t I = 0; I < Rtf.size(); ++I) {
    if (Rtf[I] == '\\') ++I;
    else if (Rtf[I] == '{') ++Depth;
    else if (Rtf[I] == '}' && --Depth < 0) return false;
    if (Depth == 0 && I + 1 < Rtf.size()) return false;
  }
  return Depth == 0;
}

class RtfExportTest : public ImpExpTest {
protected:
  std::string Rtf(bool All = true) { return Export(TDBGridGxExportAsRTF::StaticClass(), All); }
  // The text of row definitions and contents, from the N-th "\trowd" (0-based) on.
  static std::string Row(const std::string& Doc, int N) {
    std::size_t At = 0;
    for (int I = 0; I <= N; ++I) At = Doc.find("\\trowd", At + (I ? 1 : 0));
    const std::size_t End = Doc.find("\\row}", At);
    return Doc.substr(At, End - At);
  }
};

TEST_F(RtfExportTest, TwoReadersFindEveryCell) {
  TextGrid(3, {{"中文名称", "第一行\n第二行", "{a}\\b"}, {"plain text", "tab\there", "😀 smile"}});
  Grid->Columns()->ColumnAt(0)->Title()->SetCaption("分组|名称");
  Grid->Columns()->ColumnAt(1)->Title()->SetCaption("分组|说明");
  Grid->Columns()->ColumnAt(2)->Title()->SetCaption("备注");
  Grid->SetUseMultiTitle(true);
  Grid->Repaint();
  const std::string Doc = Rtf();
  EXPECT_EQ(Doc.rfind("{\\rtf1\\ansi\r\n", 0), 0u);
  EXPECT_TRUE(BracesBalance(Doc));

  const std::string Pandoc = RunCommand("pandoc -f rtf -t plain --wrap=none", Doc);
  for (const char* Cell : {"分组", "名称", "说明", "备注", "中文名称", "第一行", "第二行", "{a}\\b", "plain text", "smile"})
    EXPECT_NE(Pandoc.find(Cell), std::string::npos) << Cell << " in\n" << Pandoc;
  EXPECT_EQ(Pandoc.find("分组", Pandoc.find("分组") + 1), std::string::npos) << "the group title is one merged cell";

  const std::string Html = DecodeEntities(RunCommand("unrtf --html", Doc));
  for (const char* Cell : {"分组", "名称", "说明", "备注", "中文名称", "第一行<br>", "第二行", "{a}\\b", "plain text",
                           "tab", "here", "😀 smile"})
    EXPECT_NE(Html.find(Cell), std::string::npos) << Cell << " in\n" << Html;
  // The plain text form of the same reader shows every ASCII cell.
  const std::string Text = RunCommand("unrtf --text", Doc);
  for (const char* Cell : {"{a}\\b", "plain text", "tab", "here", "smile"})
    EXPECT_NE(Text.find(Cell), std::string::npos) << Cell << " in\n" << Text;
}

TEST_F(RtfExportTest, TableGeometryAndCellFormatting) {
  TextGrid(2, {{"x{y\\z", "b"}});
  Grid->Columns()->ColumnAt(0)->SetWidth(64);
  Grid->Columns()->ColumnAt(1)->SetWidth(32);
  TFont* Font = Grid->Columns()->ColumnAt(0)->Font();
  Font->SetSize(10);
  Font->SetStyle({fsBold});
  Font->SetColor(clBlack);
  Grid->Columns()->ColumnAt(0)->SetColor(clWhite);
  Grid->SetFlat(false);
  std::string Doc = Rtf();
  const std::string Data = Row(Doc, 1);
  EXPECT_NE(Data.find("\\cellx960\r\n"), std::string::npos) << Data;
  EXPECT_NE(Data.find("\\cellx1440\r\n"), std::string::npos) << Data;
  EXPECT_NE(Data.find("\\clbrdrl\\brdrs\\brdrcf0\r\n\\clbrdrt\\brdrs\\brdrcf0\r\n\\clbrdrb\\brdrs\\brdrcf0\r\n"
                      "\\clbrdrr\\brdrs\\brdrcf0\r\n\\clshdng10000\\clcfpat1\\cellx960"),
            std::string::npos)
      << Data;
  EXPECT_NE(Data.find("\\pard\\intbl{\\ql\\sb24\\sa24\\fs20\\b\\f0\\cf0\\cb1 x\\{y\\\\z\\cell}"), std::string::npos)
      << Data;
  EXPECT_EQ(Doc.find("{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red"), Doc.find("{\\colortbl"));
  EXPECT_EQ(Doc.back(), '}');
  EXPECT_TRUE(BracesBalance(Doc));
  Grid->SetFlat(true);
  EXPECT_NE(Row(Rtf(), 1).find("\\sb12\\sa12"), std::string::npos);

  // Nothing exported: still a whole document.
  Grid->GridSelection()->Reset();
  Doc = Rtf(false);
  EXPECT_TRUE(BracesBalance(Doc)) << Doc;
  EXPECT_EQ(RunCommand("pandoc -f rtf -t plain", Doc).find("failed"), std::string::npos);
}

TEST_F(RtfExportTest, EscapesAndDropsWhatRtfCannotCarry) {
  const struct {
    const char* In;
    const char* Out;
  } Cases[] = {
      {"a\\b{c}", "a\\\\b\\{c\\}"},
      {"1\r\n2\n3\r4", "1\\line 2\\line 3\\line 4"},
      {"a\tb", "a\\tab b"},
      {"a\x01\x7F"
       "b",
       "ab"},
      {"中", "\\u20013\\'3f"},
      {"é", "\\u233\\'3f"},
      {"\xEF\xBF\xBF", "\\u-1\\'3f"},
      {"😀", "\\u-10179\\'3f\\u-8704\\'3f"},
  };
  for (const auto& C : Cases) EXPECT_EQ(RtfEscapedText(C.In), C.Out) << C.In;
}

TEST_F(RtfExportTest, MultiLevelTitlesMergeTheirSharedCells) {
  TextGrid(3, {{"1", "2", "3"}});
  Grid->Columns()->ColumnAt(0)->Title()->SetCaption("A|X");
  Grid->Columns()->ColumnAt(1)->Title()->SetCaption("A|Y");
  Grid->Columns()->ColumnAt(2)->Title()->SetCaption("B");
  Grid->SetUseMultiTitle(true);
  Grid->Repaint();
  const std::string Doc = Rtf();
  const std::string Upper = Row(Doc, 0), Lower = Row(Doc, 1);
  ASSERT_NE(Lower.find(" X\\cell}"), std::string::npos) << Doc;
  // Cell definitions: each one's borders up to its \cellx.
  auto Defs = [](const std::string& R) {
    std::vector<std::string> Out;
    std::size_t From = 0;
    for (std::size_t At; (At = R.find("\\cellx", From)) != std::string::npos; From = At + 1)
      Out.push_back(R.substr(From, At - From));
    return Out;
  };
  const auto U = Defs(Upper), L = Defs(Lower);
  ASSERT_EQ(U.size(), 3u);
  ASSERT_EQ(L.size(), 3u);
  EXPECT_EQ(U[0].find("\\clbrdrr"), std::string::npos);
  EXPECT_EQ(U[1].find("\\clbrdrl"), std::string::npos);
  EXPECT_EQ(U[2].find("\\clbrdrb"), std::string::npos);
  EXPECT_EQ(L[2].find("\\clbrdrt"), std::string::npos);
  EXPECT_NE(L[0].find("\\clbrdrt"), std::string::npos);
  EXPECT_NE(Upper.find(" A\\cell}"), std::string::npos);
  EXPECT_NE(Upper.find(" B\\cell}"), std::string::npos);
  EXPECT_NE(Lower.find(" Y\\cell}"), std::string::npos);
  EXPECT_EQ(Lower.find(" B\\cell}"), std::string::npos) << "the merged cell below B is empty";
  EXPECT_EQ(Row(Doc, 2).find(" 1\\cell}") != std::string::npos, true);
}

}  // namespace
