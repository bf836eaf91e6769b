#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Variant.h"

namespace {

TEST(Variant, TypesOfConstructedValues) {
  struct Case { Variant v; TVarType type; };
  const Case cases[] = {
      {Variant(), varEmpty}, {Null(), varNull}, {Variant(1), varInteger}, {Variant(5000000000LL), varInt64},
      {Variant(std::int64_t(5)), varInt64}, {Variant::FromInteger(5), varInteger},
      {Variant(2.5), varDouble}, {Variant(2.5f), varSingle}, {Variant(Currency(1)), varCurrency},
      {Variant::FromDateTime(1), varDate}, {Variant("s"), varString}, {Variant(std::string("s")), varString},
      {Variant(true), varBoolean}, {Variant('c'), varString}, {EmptyParam(), varError}, {Variant(7u), varLongWord},
      {VarAsType(Variant(3), varSmallint), varSmallint}, {VarAsType(Variant(3), varByte), varByte},
      {VarAsType(Variant(3), varOleStr), varString}, {VarArrayOf({1, 2}), varArray | varVariant},
  };
  for (const Case& c : cases) EXPECT_EQ(VarType(c.v), c.type) << VarTypeAsText(c.type);
  EXPECT_EQ(EmptyParam().ErrorCode(), VAR_PARAMNOTFOUND);
  EXPECT_EQ(Variant::Error(-1).ErrorCode(), -1);
}

TEST(Variant, Predicates) {
  EXPECT_TRUE(VarIsEmpty(Variant()));
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_FALSE(VarIsNull(Variant()));
  EXPECT_TRUE(VarIsArray(VarArrayOf({})));
  for (const Variant& v : {Variant(1), Variant(1.5), Variant(Currency(1)), Variant(true), VarAsType(1, varByte)})
    EXPECT_TRUE(VarIsNumeric(v)) << VarTypeAsText(v.Type());
  for (const Variant& v : {Variant("1"), Variant::FromDateTime(1), Null(), Variant()})
    EXPECT_FALSE(VarIsNumeric(v)) << VarTypeAsText(v.Type());
  EXPECT_TRUE(VarIsStr(Variant("")));
  EXPECT_FALSE(VarIsStr(Variant(1)));
}

TEST(Variant, ConversionsThatSucceed) {
  EXPECT_EQ(Variant("12").AsInteger(), 12);
  EXPECT_EQ(Variant(" 12 ").AsInteger(), 12);
  EXPECT_EQ(Variant("2.5").AsInteger(), 2);  // half to even
  EXPECT_EQ(Variant(3.5).AsInteger(), 4);
  EXPECT_EQ(Variant(Currency::FromRaw(25000)).AsInteger(), 2);
  EXPECT_EQ(Variant().AsInteger(), 0);
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_DOUBLE_EQ(Variant("1.25").AsDouble(), 1.25);
  EXPECT_EQ(Variant("1.23456").AsCurrency().Raw(), 12346);
  EXPECT_EQ(Variant(2.5).AsCurrency(), Currency::FromRaw(25000));
  EXPECT_TRUE(Variant("true").AsBoolean());
  EXPECT_FALSE(Variant("False").AsBoolean());
  EXPECT_TRUE(Variant("2").AsBoolean());
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_EQ(Variant(1.5).AsString(), "1.5");
  EXPECT_EQ(Variant(Currency::FromRaw(15)).AsString(), "0.0015");
  EXPECT_EQ(Variant(5000000000LL).AsString(), "5000000000");
  EXPECT_EQ(Variant::FromDateTime(EncodeDate(2024, 3, 5)).AsString(), "3/5/2024");
  EXPECT_DOUBLE_EQ(Variant("3/5/2024").AsDateTime(), EncodeDate(2024, 3, 5));
  EXPECT_EQ(VarToStr(Null()), "");
  EXPECT_EQ(VarToStr(Variant()), "");
  EXPECT_EQ(VarToStrDef(Null(), "n/a"), "n/a");
  EXPECT_EQ(VarToStrDef(Variant(0), "n/a"), "0");
}

TEST(Variant, ConversionsThatFailNameBothTypes) {
  struct Case { std::function<void()> call; const char* message; };
  const Case cases[] = {
      {[] { Variant("abc").AsInteger(); }, "Could not convert variant of type (String) into type (Integer)"},
      {[] { Null().AsDouble(); }, "Could not convert variant of type (Null) into type (Double)"},
      {[] { Null().AsInteger(); }, "Could not convert variant of type (Null) into type (Integer)"},
      {[] { Null().AsString(); }, "Could not convert variant of type (Null) into type (String)"},
      {[] { Variant("x").AsBoolean(); }, "Could not convert variant of type (String) into type (Boolean)"},
      {[] { Variant("x").AsCurrency(); }, "Could not convert variant of type (String) into type (Currency)"},
      {[] { EmptyParam().AsInteger(); }, "Could not convert variant of type (Error) into type (Integer)"},
      {[] { VarArrayOf({1}).AsInteger(); }, "Could not convert variant of type (Array Variant) into type (Integer)"},
      {[] { Variant(5000000000LL).AsInteger(); }, "Overflow while converting variant of type (Int64) into type (Integer)"},
      {[] { Variant(1e300).AsCurrency(); }, "Overflow while converting variant of type (Double) into type (Currency)"},
      {[] { VarAsType(Variant(300), varByte); }, "Overflow while converting variant of type (Integer) into type (Byte)"},
      {[] { Variant("1e30").AsInt64(); }, "Overflow while converting variant of type (String) into type (Int64)"},
      {[] { Variant(1).ErrorCode(); }, "Could not convert variant of type (Integer) into type (Error)"},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no error for: " << c.message;
    } catch (const EVariantError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(Variant, EqualityAcrossKinds) {
  struct Case { Variant a, b; bool equal; };
  const Case cases[] = {
      {Variant(1), Variant(1.0), true}, {Variant("12"), Variant(12), true}, {Variant("12.0"), Variant(12), true},
      {Variant("abc"), Variant("abc"), true}, {Variant("abc"), Variant("ABC"), false},
      {Null(), Null(), true}, {Null(), Variant(0), false}, {Null(), Variant(), false}, {Null(), Variant(""), false},
      {Variant(), Variant(), true}, {Variant(), Variant(0), true}, {Variant(), Variant(""), true},
      {Variant(Currency::FromRaw(15000)), Variant(1.5), true}, {Variant(Currency(3)), Variant(3), true},
      {Variant(true), Variant(-1), true}, {Variant(true), Variant("True"), true},
      {Variant::FromDateTime(EncodeDate(2024, 3, 5)), Variant("3/5/2024"), true},
      {Variant(5000000000LL), Variant(5000000001LL), false}, {EmptyParam(), EmptyParam(), true},
      {Variant(std::nan("")), Variant(std::nan("")), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.a == c.b, c.equal) << VarTypeAsText(c.a.Type()) << " vs " << VarTypeAsText(c.b.Type());
    EXPECT_EQ(c.b == c.a, c.equal) << VarTypeAsText(c.b.Type()) << " vs " << VarTypeAsText(c.a.Type());
  }
}

TEST(Variant, OrderingAndErrors) {
  EXPECT_TRUE(Variant(1) < Variant(2));
  EXPECT_TRUE(Variant("10") > Variant(9));  // a string and a number compare as numbers
  EXPECT_TRUE(Variant("10") < Variant("9"));  // two strings compare as text
  EXPECT_TRUE(Null() < Variant(-1000));
  EXPECT_TRUE(Null() < Variant());
  EXPECT_TRUE(Variant() < Variant(1));
  EXPECT_TRUE(Variant(false) < Variant(true));
  EXPECT_TRUE(Variant(Currency::FromRaw(1)) > Variant(0));
  EXPECT_THROW((void)(Variant("abc") == Variant(5)), EVariantError);
  EXPECT_THROW((void)(VarArrayOf({1}) == VarArrayOf({1})), EVariantError);
  EXPECT_THROW((void)(Variant(1) < VarArrayOf({1})), EVariantError);
  EXPECT_THROW((void)(EmptyParam() == Variant(1)), EVariantError);
}

TEST(Variant, Arithmetic) {
  struct Case { Variant result; TVarType type; const char* text; };
  const Case cases[] = {
      {Variant(2) + Variant(3), varInteger, "5"},
      {Variant(2147483647) + Variant(1), varInt64, "2147483648"},
      {Variant(2) * Variant(2.5), varDouble, "5"},
      {Variant("1") + Variant(2), varInteger, "3"},
      {Variant("a") + Variant("b"), varString, "ab"},
      {Variant("a") + Variant(), varString, "a"},
      {Variant("1.5") * Variant(2), varDouble, "3"},
      {Variant(Currency::FromRaw(15000)) + Variant(1), varCurrency, "2.5"},
      {Variant(Currency::FromRaw(15000)) * Variant(Currency(3)), varCurrency, "4.5"},
      {Variant(Currency(1)) + Variant(0.5), varDouble, "1.5"},
      {Variant::FromDateTime(EncodeDate(2024, 3, 5)) + Variant(1), varDate, "3/6/2024"},
      {Variant::FromDateTime(2) - Variant::FromDateTime(0.5), varDouble, "1.5"},
      {Variant(5) - Variant(7), varInteger, "-2"},
      {-Variant(4.5), varDouble, "-4.5"},
      {Variant(1) + Null(), varNull, ""},
      {Null() * Variant("x"), varNull, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.result.Type(), c.type) << c.text;
    EXPECT_EQ(VarToStr(c.result), c.text);
  }
  EXPECT_THROW(Variant("x") + Variant(1), EVariantError);
  EXPECT_THROW(Variant(INT64_MAX) + Variant(1), EVariantError);
  EXPECT_THROW(VarArrayOf({1}) + Variant(1), EVariantError);
}

TEST(VariantArray, BoundsAndElements) {
  Variant a = VarArrayCreate(1, 3, varVariant);
  EXPECT_EQ(VarArrayDimCount(a), 1);
  EXPECT_EQ(VarArrayLowBound(a, 1), 1);
  EXPECT_EQ(VarArrayHighBound(a, 1), 3);
  EXPECT_TRUE(a[2].IsEmpty());
  a.PutElement(2, "x");
  a.PutElement(3, Null());
  EXPECT_EQ(a[2].AsString(), "x");
  EXPECT_TRUE(a.GetElement(3).IsNull());
  EXPECT_THROW(a[0], EVariantError);
  EXPECT_THROW(a.PutElement(4, 1), EVariantError);
  EXPECT_THROW(VarArrayLowBound(a, 2), EVariantError);
  EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);
  EXPECT_THROW(VarArrayHighBound(Variant(1), 1), EVariantError);
  try {
    (void)Variant(1)[0];
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), "Variant is not an array");
  }

  Variant empty = VarArrayCreate(0, -1, varVariant);
  EXPECT_EQ(empty.ElementCount(), 0);
  EXPECT_EQ(VarArrayHighBound(empty, 1), -1);
  EXPECT_THROW(VarArrayCreate(5, 3, varVariant), EVariantError);
}

TEST(VariantArray, CopiesAreIndependent) {
  Variant a = VarArrayOf({1, 2});
  Variant b = a;
  b.PutElement(0, 99);
  EXPECT_EQ(a[0].AsInteger(), 1);
  EXPECT_EQ(b[0].AsInteger(), 99);
}

TEST(VariantArray, TypedElementsConvertOnStore) {
  Variant a = VarArrayCreate(0, 1, varInteger);
  EXPECT_EQ(a[0].Type(), varInteger);
  EXPECT_EQ(a[0].AsInteger(), 0);
  a.PutElement(1, "42");
  EXPECT_EQ(a[1].Type(), varInteger);
  EXPECT_EQ(a[1].AsInteger(), 42);
  EXPECT_THROW(a.PutElement(1, "x"), EVariantError);
  EXPECT_EQ(a[1].AsInteger(), 42);  // unchanged after the failed store
  EXPECT_EQ(VarType(a), varArray | varInteger);
  EXPECT_EQ(VarTypeAsText(VarType(a)), "Array Integer");
  EXPECT_THROW(VarArrayCreate(0, 1, varNull), EVariantError);
}

}  // namespace
