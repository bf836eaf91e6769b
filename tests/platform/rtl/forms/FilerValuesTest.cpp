#include "tests/platform/rtl/forms/FormFixtures.h"

#include <gtest/gtest.h>

namespace {
// A component with a custom entry holding a list of mixed values, read by value type.
class TValueHolder : public TComponent {
  VANTREL_CLASS(TValueHolder, TComponent)
public:
  explicit TValueHolder(TComponent* AOwner) : TComponent(AOwner) {}
  std::vector<std::string> Values;  // "i:5", "s:text", "f:1.5", "b:True", "id:name"
  void DefineProperties(TFiler* Filer) override {
    Filer->DefineProperty(
        "Extra",
        [this](TReader* R) {
          Values.clear();
          R->ReadListBegin();
          while (!R->EndOfList()) {
            switch (R->NextValue()) {
              case vaInt8:
              case vaInt16:
              case vaInt32:
              case vaInt64:
                Values.push_back("i:" + std::to_string(R->ReadInt64()));
                break;
              case vaString:
                Values.push_back("s:" + R->ReadString());
                break;
              case vaExtended:
                Values.push_back("f:" + FormatFormFloat(R->ReadFloat()));
                break;
              case vaTrue:
              case vaFalse:
                Values.push_back(std::string("b:") + (R->ReadBoolean() ? "True" : "False"));
                break;
              case vaIdent:
                Values.push_back("id:" + R->ReadIdent());
                break;
              default:
                R->SkipValue();
                Values.push_back("skipped");
            }
          }
          R->ReadListEnd();
        },
        [this](TWriter* W) {
          W->WriteListBegin();
          for (const std::string& v : Values) {
            std::string kind = v.substr(0, v.find(':')), val = v.substr(v.find(':') + 1);
            if (kind == "i") W->WriteInteger(std::stoll(val));
            else if (kind == "s") W->WriteString(val);
            else if (kind == "f") W->WriteFloat(std::stod(val));
            else if (kind == "b") W->WriteBoolean(val == "True");
            else if (kind == "id") W->WriteIdent(val);
          }
          W->WriteListEnd();
        },
        !Values.empty());
  }
};
}  // namespace

TEST(FilerValues, CustomEntryReadsValuesByType) {
  RegisterClass(TValueHolder::StaticClass());
  TValueHolder h(nullptr);
  ReadComponentResText(
      "object H: TValueHolder\n  Extra = (\n    5\n    -70000\n    9000000000\n    'x' + 'y'\n    2.5\n    True\n"
      "    clRed\n    (\n      1\n      (2))\n    [a, b]\n    {0A0B}\n    <\n      item\n        X = 1\n      end>)\nend\n",
      &h);
  EXPECT_EQ(h.Values, (std::vector<std::string>{"i:5", "i:-70000", "i:9000000000", "s:xy", "f:2.5", "b:True", "id:clRed",
                                                "skipped", "skipped", "skipped", "skipped"}));
  h.Values.resize(7);
  std::string text = WriteComponentResText(&h);
  EXPECT_EQ(text,
            "object H: TValueHolder\n  Extra = (\n    5\n    -70000\n    9000000000\n    'xy'\n    2.5\n    True\n"
            "    clRed)\nend\n");
  TValueHolder back(nullptr);
  ReadComponentResText(text, &back);
  EXPECT_EQ(back.Values, h.Values);
}

TEST(FilerValues, ValueTypesBySize) {
  struct Case {
    const char* value;
    TValueType type;
  } cases[] = {{"127", vaInt8},         {"-129", vaInt16},  {"40000", vaInt32}, {"4000000000", vaInt64},
               {"1.0", vaExtended},     {"'s'", vaString},  {"#65", vaString},  {"nil", vaNil},
               {"False", vaFalse},      {"Ident", vaIdent}, {"(", vaList},      {"[", vaSet},
               {"<", vaCollection},     {"{", vaBinary},    {")", vaNull}};
  for (const auto& c : cases) {
    TReader r(c.value);
    EXPECT_EQ(r.NextValue(), c.type) << c.value;
  }
}

TEST(FilerValues, NestingIsBounded) {
  // Deeply nested input is refused with an error, not a stack overflow.
  RegisterClass(TValueHolder::StaticClass());
  std::string text = "object H: TValueHolder\n  Extra = (\n" + std::string(100000, '(') + "\nend\n";
  TValueHolder h(nullptr);
  try {
    ReadComponentResText(text, &h);
    ADD_FAILURE();
  } catch (const EParserError& e) {
    EXPECT_NE(e.Message().find("Nesting too deep on line 3"), std::string::npos) << e.Message();
  }
  fixtures::RegisterFixtureClasses();
  std::string objects;
  for (int i = 0; i < 5000; ++i) objects += "object A" + std::to_string(i) + ": TFixTimer\n";
  fixtures::TFixForm form(nullptr);
  EXPECT_THROW(ReadComponentResText("object F: TFixForm\n" + objects, &form), EParserError);
}

TEST(FilerValues, NonVisualComponentsKeepTheirDesignerPosition) {
  fixtures::RegisterFixtureClasses();
  fixtures::TFixForm form(nullptr);
  ReadComponentResText("object F: TFixForm\n  object Timer1: TFixTimer\n    Left = 16\n    Top = -8\n  end\nend\n", &form);
  EXPECT_EQ(form.Timer1->DesignInfo(), static_cast<std::int32_t>(0xFFF80010u));
  std::string text = WriteComponentResText(&form);
  EXPECT_NE(text.find("  object Timer1: TFixTimer\n    Left = 16\n    Top = -8\n  end\n"), std::string::npos) << text;
  fixtures::TFixForm bad(nullptr);
  EXPECT_THROW(ReadComponentResText("object F: TFixForm\n  object T: TFixTimer\n    Top = 40000\n  end\nend\n", &bad),
               EReadError);
}
