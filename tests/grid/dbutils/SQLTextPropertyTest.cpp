// A dataset's SQL text read and written through its published property by name.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "grid/DbUtilsGx.h"
#include "platform/data/DBClient.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

namespace {

// A dataset with a property of every kind the SQL text may or may not be in.
class TPropsDataSet : public TClientDataSet {
  VANTREL_CLASS(TPropsDataSet, TClientDataSet)
public:
  explicit TPropsDataSet(TComponent* AOwner) : TClientDataSet(AOwner) {}
  static void Publish(TClassBuilder<TPropsDataSet>& b) {
    b.Property("Text", &TPropsDataSet::Text, &TPropsDataSet::SetText);
    b.Property("Lines", &TPropsDataSet::Lines, &TPropsDataSet::SetLines);
    b.Property("Empty", &TPropsDataSet::Empty, &TPropsDataSet::SetEmpty);
    b.Property("Other", &TPropsDataSet::Other, &TPropsDataSet::SetOther);
    b.Property("Number", &TPropsDataSet::Number, &TPropsDataSet::SetNumber);
  }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& v) { FText = v; }
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* v) { FLines->Assign(v); }
  TStrings* Empty() const { return nullptr; }
  void SetEmpty(TStrings*) {}
  TPersistent* Other() const { return FOther.get(); }
  void SetOther(TPersistent*) {}
  int Number() const { return 7; }
  void SetNumber(int) {}

private:
  std::string FText = "SELECT 1";
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  std::unique_ptr<TPersistent> FOther = std::make_unique<TPersistent>();
};

TEST(SQLTextProperty, ReadAndWrittenByKindOfProperty) {
  TComponent Owner(nullptr);
  auto* DataSet = new TPropsDataSet(&Owner);
  DataSet->Lines()->SetText("SELECT *\nFROM T\n");
  const struct {
    const char* Prop;
    bool Read;
    const char* Text;
  } Reads[] = {{"Text", true, "SELECT 1"}, {"lines", true, "SELECT *\nFROM T\n"}, {"Empty", false, ""},
               {"Other", true, ""},        {"Number", false, ""},               {"Missing", false, ""}};
  for (const auto& R : Reads) {
    SCOPED_TRACE(R.Prop);
    std::string Text = "stale";
    EXPECT_EQ(ReadSQLTextProperty(DataSet, R.Prop, Text), R.Read);
    std::string Expected = R.Text;
    if (std::string(R.Prop) == "lines") Expected = DataSet->Lines()->Text();
    EXPECT_EQ(Text, Expected);
  }
  WriteSQLTextProperty(DataSet, "Text", "SELECT 2");
  EXPECT_EQ(DataSet->Text(), "SELECT 2");
  WriteSQLTextProperty(DataSet, "Lines", "A\nB");
  EXPECT_EQ(DataSet->Lines()->Count(), 2);
  EXPECT_EQ(DataSet->Lines()->Strings(1), "B");
  WriteSQLTextProperty(DataSet, "Missing", "x");
  WriteSQLTextProperty(DataSet, "Number", "x");
  WriteSQLTextProperty(DataSet, "Empty", "x");
  EXPECT_THROW(WriteSQLTextProperty(DataSet, "Other", "x"), EInvalidCast);
}

}  // namespace
