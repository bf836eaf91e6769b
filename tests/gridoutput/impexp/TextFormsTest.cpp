// Tab-separated text and CSV as written, and as Python's csv module reads them back.
#include "tests/support/ImpExpFixture.h"

namespace {

class TextFormsTest : public ImpExpTest {};

TEST_F(TextFormsTest, TitleAndDataLinesJoinedAsTheFormsWriteThem) {
  MakeGrid({{"shift", ftBoolean}, {"KeyIndex", ftInteger}}, {{"True", "76"}, {"False", "65"}});
  Grid->GridSelection()->SelectAll();
  EXPECT_EQ(Export(TDBGridGxExportAsText::StaticClass()), "shift\tKeyIndex\r\nTrue\t76\r\nFalse\t65");
  EXPECT_EQ(Export(TDBGridGxExportAsCSV::StaticClass()),
            "\"shift\";\"KeyIndex\"\r\n\"True\";\"76\"\r\n\"False\";\"65\"");
}

TEST_F(TextFormsTest, CellsThatWouldSplitAreQuotedInTabTextAndAlwaysInCsv) {
  TextGrid(2, {{"a\tb", "say \"hi\""}, {"\"q\" first", "two\r\nlines"}, {"lf\nonly", "plain"}});
  Grid->GridSelection()->SelectAll();
  Grid->SetOptions(Grid->Options() - dgTitles);
  EXPECT_EQ(Export(TDBGridGxExportAsText::StaticClass()),
            "\"a\tb\"\tsay \"hi\"\r\n\"\"\"q\"\" first\"\t\"two\r\nlines\"\r\n\"lf\nonly\"\tplain");
  EXPECT_EQ(Export(TDBGridGxExportAsCSV::StaticClass()),
            "\"a\tb\";\"say \"\"hi\"\"\"\r\n\"\"\"q\"\" first\";\"two\r\nlines\"\r\n\"lf\nonly\";\"plain\"");
}

// What Python's csv module reads from standard input with the given delimiter, one JSON
// list of cells per line.
std::string PythonReads(const std::string& Bytes, const char* Delimiter) {
  const std::string Script = std::string("import csv, io, json, sys\n") +
                             "text = io.TextIOWrapper(sys.stdin.buffer, encoding='utf-8', newline='')\n" +
                             "for row in csv.reader(text, delimiter='" + Delimiter +
                             "', quotechar='\"', strict=True):\n" +
                             "    print(json.dumps(row, ensure_ascii=False))\n";
  return RunPython(Script, Bytes);
}

TEST_F(TextFormsTest, PythonsCsvReadsBackEveryCell) {
  TextGrid(4, {{"quote \"x\"", "semi;colon", "tab\there", "crlf\r\nline"},
               {"lf\nline", "中文文本", "", "\"lead"},
               {"", "", "", ""},
               {"trail\"", "a;b\tc", "plain", "x"}});
  Grid->GridSelection()->SelectAll();
  const std::string Expected =
      "[\"A\", \"B\", \"C\", \"D\"]\n"
      "[\"quote \\\"x\\\"\", \"semi;colon\", \"tab\\there\", \"crlf\\r\\nline\"]\n"
      "[\"lf\\nline\", \"中文文本\", \"\", \"\\\"lead\"]\n"
      "[\"\", \"\", \"\", \"\"]\n"
      "[\"trail\\\"\", \"a;b\\tc\", \"plain\", \"x\"]\n";
  EXPECT_EQ(PythonReads(Export(TDBGridGxExportAsCSV::StaticClass()), ";"), Expected);
  EXPECT_EQ(PythonReads(Export(TDBGridGxExportAsText::StaticClass()), "\\t"), Expected);
}

// What goes out as tab text comes back cell for cell.
TEST_F(TextFormsTest, TabTextReadsBackIntoTheGrid) {
  const std::vector<Cells> Rows{{"multi\r\nline", "tab\tin", "\"quoted\""}, {"中文", "", "end\""}};
  TextGrid(3, Rows);
  Grid->GridSelection()->SelectAll();
  Grid->SetOptions(Grid->Options() - dgTitles);
  const std::string Text = Export(TDBGridGxExportAsText::StaticClass());
  Data->First();
  while (!Data->IsEmpty()) Data->Delete();
  Grid->GridSelection()->Reset();
  Import(TDBGridGxImportAsText::StaticClass(), Text);
  EXPECT_EQ(Records(), (std::vector<std::vector<std::string>>{{"multi\r\nline", "tab\tin", "\"quoted\""},
                                                              {"中文", "<null>", "end\""}}));
}

}  // namespace
