// The stored text of one column: padded fields joined by "@", encoded only when a field
// holds an "@", and the value names.
#include <gtest/gtest.h>

#include <vector>

#include "grid/DBGridGx/LayoutRegistry.h"

namespace {

TEST(LayoutFieldsTest, PadTrimsAndPadsButNeverCuts) {
  const struct {
    const char* Text;
    int Width;
    const char* Padded;
  } Cases[] = {{"ab", 4, "ab  "}, {"  ab ", 4, "ab  "}, {"abcdef", 4, "abcdef"}, {"", 2, "  "}, {"价格", 8, "价格  "}};
  for (const auto& C : Cases) {
    std::string Text = C.Text;
    PadLayoutField(Text, C.Width);
    EXPECT_EQ(Text, C.Padded) << C.Text;
  }
}

TEST(LayoutFieldsTest, PlainFieldsKeepTheOldFormat) {
  const std::vector<std::string> Fields = {"Price", "75", "T", "单价", "", "", "1", "1", "FALSE", "-16777211",
                                           "False", "0", "0.00%"};
  const std::string Value = JoinLayoutFields(Fields);
  EXPECT_EQ(Value,
            "Price       @75  @T @单价" + std::string(80 - 6, ' ') + "@" + std::string(12, ' ') + "@" +
                std::string(20, ' ') + "@1 @1 @FALSE@-16777211   @False@0 @0.00%          ");
  for (int N = 0; N < 13; ++N) EXPECT_EQ(SplitLayoutField(Value, N), Fields[N]) << N;
  EXPECT_EQ(SplitLayoutField(Value, 13), "");
  EXPECT_EQ(SplitLayoutField(Value, -1), "");
}

TEST(LayoutFieldsTest, FieldsHoldingAtSignsComeBackWhole) {
  const std::vector<std::vector<std::string>> Cases = {
      {"Mail", "60", "T", "user@host", "", "", "0", "0", "FALSE", "0", "False", "0", ""},
      {"A@B", "60", "T", "@", "x@y", "50%@", "5", "2", "TRUE", "0", "True", "1", "0.0%"},
      {"Memo", "60", "F", "@开头@结尾@", "", "%40 literal", "0", "0", "FALSE", "0", "False", "0", "@"},
  };
  for (const auto& Fields : Cases) {
    const std::string Value = JoinLayoutFields(Fields);
    for (int N = 0; N < 13; ++N) EXPECT_EQ(SplitLayoutField(Value, N), Fields[N]) << Value << " field " << N;
    EXPECT_EQ(SplitLayoutField(Value, 13), "") << Value;
  }
}

TEST(LayoutFieldsTest, TextsWrittenWithoutEncodingReadAsBefore) {
  // Written before fields were encoded: a "%25" is text, and an "@" in a caption shifts
  // the later fields as it always did.
  const std::string Old = "Rate        @60  @T @up 100%25 @Rate@@0 @0 @FALSE@0           @False@0 @%              ";
  EXPECT_EQ(SplitLayoutField(Old, 3), "up 100%25");
  EXPECT_EQ(SplitLayoutField(Old, 4), "Rate");
  EXPECT_EQ(SplitLayoutField(Old, 12), "%");
  const std::string Shifted = "Mail        @60  @T @user@host @            @";
  EXPECT_EQ(SplitLayoutField(Shifted, 3), "user");
  EXPECT_EQ(SplitLayoutField(Shifted, 4), "host");
}

TEST(LayoutFieldsTest, ValueNamesHaveAtLeastFourDigitsAndNeverWrap) {
  EXPECT_EQ(LayoutValueName(0), "0000");
  EXPECT_EQ(LayoutValueName(42), "0042");
  EXPECT_EQ(LayoutValueName(9999), "9999");
  EXPECT_EQ(LayoutValueName(10000), "10000");
  EXPECT_EQ(LayoutValueName(123456), "123456");
}

}  // namespace
