// Published variant properties in form descriptions: every simple type and arrays come
// back with their type and value; what cannot be written or read fails clearly.
#include "platform/rtl/DateTime.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/forms/FormText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

class TVarHolder : public TComponent {
  VANTREL_CLASS(TVarHolder, TComponent)
public:
  explicit TVarHolder(TComponent* AOwner) : TComponent(AOwner) {}
  const Variant& Value() const { return FValue; }
  void SetValue(const Variant& V) { FValue = V; }
  static void Publish(TClassBuilder<TVarHolder>& b) { b.Property("Value", &TVarHolder::Value, &TVarHolder::SetValue); }

private:
  Variant FValue;
};

// Same type and value, element by element for arrays.
void ExpectSameVariant(const Variant& A, const Variant& B) {
  ASSERT_EQ(A.Type(), B.Type());
  if (A.IsArray()) {
    ASSERT_EQ(A.LowBound(), B.LowBound());
    ASSERT_EQ(A.HighBound(), B.HighBound());
    for (int i = A.LowBound(); i <= A.HighBound(); ++i) ExpectSameVariant(A[i], B[i]);
  } else if (!A.IsEmpty() && !A.IsNull()) {
    EXPECT_TRUE(A == B) << VarToStr(A) << " / " << VarToStr(B);
  }
}

std::string WriteHolding(const Variant& V) {
  TVarHolder Holder(nullptr);
  Holder.SetName("H");
  Holder.SetValue(V);
  return WriteComponentResText(&Holder);
}

TEST(VariantProperty, ValuesComeBackWithTheirType) {
  RegisterClass(TVarHolder::StaticClass());
  const struct {
    const char* Name;
    Variant Value;
    const char* Written;  // the entry's text when short enough to state
  } cases[] = {
      {"unassigned", Unassigned(), "Value = nil"},
      {"null", Null(), "Value = Null"},
      {"integer", Variant(-42), "Value = -42"},
      {"int64", Variant(static_cast<long long>(5000000000LL)), "Value = 5000000000"},
      {"float", Variant(2.5), "Value = 2.5"},
      {"tiny float", Variant(-1.25e-300), nullptr},
      {"infinite float", Variant(std::numeric_limits<double>::infinity()), "Value = INF"},
      {"negative infinite float", Variant(-std::numeric_limits<double>::infinity()), "Value = -INF"},
      {"currency", Variant(Currency::FromRaw(123456)), "Value = 12.3456c"},
      {"date and time", Variant::FromDateTime(EncodeDate(2026, 12, 10) + 0.75), "Value = 46366.75d"},
      {"string with a quote", Variant("it's 汉字"), "Value = 'it''s 汉字'"},
      {"empty string", Variant(""), "Value = ''"},
      {"long string", Variant(std::string(150, 'x')), nullptr},
      {"true", Variant(true), "Value = True"},
      {"false", Variant(false), "Value = False"},
      {"array of a key", VarArrayOf({Variant(1), Variant("a"), Null()}), nullptr},
      {"nested array", VarArrayOf({VarArrayOf({Variant(true), Unassigned()}), Variant(Currency::FromRaw(-5))}), nullptr},
      {"empty array", VarArrayCreate(0, -1, varVariant), "Value = ()"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string Text = WriteHolding(c.Value);
    if (c.Written) {
      EXPECT_NE(Text.find(c.Written), std::string::npos) << Text;
    }
    TVarHolder Back(nullptr);
    Back.SetValue(Variant(999));
    ReadComponentResText(Text, &Back);
    ExpectSameVariant(Back.Value(), c.Value);
    EXPECT_EQ(WriteComponentResText(&Back), Text);
  }
}

TEST(VariantProperty, AccessByNameAndErrors) {
  RegisterClass(TVarHolder::StaticClass());
  TVarHolder Holder(nullptr);
  SetVariantProp(&Holder, "Value", Variant("x"));
  EXPECT_EQ(GetVariantProp(&Holder, "Value").AsString(), "x");
  EXPECT_EQ(PropType(&Holder, "Value"), tkVariant);
  EXPECT_THROW(GetFloatProp(&Holder, "Value"), EInvalidCast);

  // A value of a type the text has no form for is refused, not dropped.
  EXPECT_THROW(WriteHolding(Variant::Error(5)), EWriteError);

  for (const char* Bad : {"Value = Foo", "Value = [a]", "Value = <>", "Value = (1"}) {
    SCOPED_TRACE(Bad);
    TVarHolder Back(nullptr);
    EXPECT_THROW(ReadComponentResText(std::string("object H: TVarHolder\n  ") + Bad + "\nend\n", &Back), Exception);
  }
}

}  // namespace
