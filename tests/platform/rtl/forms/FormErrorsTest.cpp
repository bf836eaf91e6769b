#include "tests/platform/rtl/forms/FormFixtures.h"

#include <gtest/gtest.h>

using namespace fixtures;

namespace {
struct ErrorCase {
  const char* text;
  const char* kind;  // "parser", "read" or "class"
  const char* message;
};

void ExpectError(const ErrorCase& c) {
  TFixForm form(nullptr);
  try {
    ReadComponentResText(c.text, &form);
    ADD_FAILURE() << "no error for: " << c.text;
  } catch (const EParserError& e) {
    EXPECT_STREQ(c.kind, "parser") << c.text;
    EXPECT_EQ(e.Message(), c.message);
  } catch (const EClassNotFound& e) {
    EXPECT_STREQ(c.kind, "class") << c.text;
    EXPECT_EQ(e.Message(), c.message);
  } catch (const EReadError& e) {
    EXPECT_STREQ(c.kind, "read") << c.text;
    EXPECT_EQ(e.Message(), c.message);
  }
  // Whatever was read is left consistent: nothing stays in the loading state.
  EXPECT_TRUE((form.ComponentState() * TComponentState{csLoading, csReading}).Empty());
  for (int i = 0; i < form.ComponentCount(); ++i)
    EXPECT_TRUE((form.Components(i)->ComponentState() * TComponentState{csLoading, csReading}).Empty());
}
}  // namespace

TEST(FormErrors, MalformedTextNamesTheLineAndWhatWasExpected) {
  RegisterFixtureClasses();
  const ErrorCase cases[] = {
      {"", "parser", "'object' expected on line 1"},
      {"object Form1: TFixForm\n  Left = 1\n", "parser", "'end' expected on line 3"},
      {"object Form1 TFixForm\nend", "read", "Cannot load a Form1 description into a TFixForm on line 1"},
      {"object Form1:\nend", "parser", "Identifier expected on line 2"},
      {"object Form1: TFixForm\n  Left 5\nend", "parser", "Error reading Form1.Left: '=' expected on line 2"},
      {"object Form1: TFixForm\n  Caption = 'open\nend", "parser",
       "Error reading Form1.Caption: Unterminated string on line 2"},
      {"object Form1: TFixForm\n  Caption = 'a' +\nend", "parser",
       "Error reading Form1.Caption: String expected on line 3"},
      {"object Form1: TFixForm\n  Glyph = {\n    0A0}\nend", "parser",
       "Error reading Form1.Glyph: Invalid binary value on line 3"},
      {"object Form1: TFixForm\n  Glyph = {\n    0AZZ}\nend", "parser",
       "Error reading Form1.Glyph: Invalid binary value on line 3"},
      {"object Form1: TFixForm\n  Items.Strings = (\n    'a'\nend", "parser",
       "Error reading Form1.Items.Strings: String expected on line 4"},
      {"object Form1: TFixForm\n  Columns = <\n    item\n      Width = 1\n  >\nend", "parser",
       "Error reading Form1.Columns: 'end' expected on line 5"},
      {"object Form1: TFixForm\n  Caption = #55296\nend", "parser",
       "Error reading Form1.Caption: Invalid string constant on line 2"},
      {"object Form1: TFixForm\n  Left = 99999999999999999999\nend", "parser",
       "Error reading Form1.Left: Invalid number on line 2"},
      {"object Form1: TFixForm\nend\nobject X: TFixForm\nend", "parser", "End of file expected on line 3"},
  };
  for (const auto& c : cases) ExpectError(c);
}

TEST(FormErrors, BadValuesNameTheProperty) {
  RegisterFixtureClasses();
  const ErrorCase cases[] = {
      {"object Form1: TFixForm\n  Foo = 1\nend", "read", "Error reading Form1.Foo: Property Foo does not exist on line 2"},
      {"object Form1: TFixForm\n  Font.Bold = True\nend", "read",
       "Error reading Form1.Font.Bold: Property Bold does not exist on line 2"},
      {"object Form1: TFixForm\n  object B: TFixControl\n\n    Wrong = 1\n  end\nend", "read",
       "Error reading B.Wrong: Property Wrong does not exist on line 4"},
      {"object Form1: TFixForm\n  Left = 'x'\nend", "read", "Error reading Form1.Left: Invalid property value on line 2"},
      {"object Form1: TFixForm\n  Left = 3000000000\nend", "read", "Error reading Form1.Left: Range check error on line 2"},
      {"object Form1: TFixForm\n  Align = faSideways\nend", "read", "Error reading Form1.Align: Invalid property value: faSideways on line 2"},
      {"object Form1: TFixForm\n  Options = [foTabs, foNothing]\nend", "read",
       "Error reading Form1.Options: Invalid property element: foNothing on line 2"},
      {"object Form1: TFixForm\n  Color = clMauve\nend", "read", "Error reading Form1.Color: Invalid property value: clMauve on line 2"},
      {"object Form1: TFixForm\n  OnClick = NoSuchMethod\nend", "read",
       "Error reading Form1.OnClick: Method NoSuchMethod not found on line 2"},
      {"object Form1: TFixForm\n  OnClick = ValueChanged\nend", "read",
       "Error reading Form1.OnClick: Invalid class typecast on line 2"},
      {"object Form1: TFixForm\n  Buddy = Nobody\nend", "read",
       "Error reading Form1.Buddy: Unresolved reference to 'Nobody' on line 2"},
      {"object Form1: TFixForm\n  Columns = <\n    item\n      Size = 1\n    end>\nend", "read",
       "Error reading Form1.Columns[0].Size: Property Size does not exist on line 4"},
      {"object Form1: TFixForm\n  Items = <>\nend", "read", "Error reading Form1.Items: Invalid property value on line 2"},
      {"object Form1: TOther\nend", "read", "Cannot load a TOther description into a TFixForm on line 1"},
      {"object Form1: TFixForm\n  object B: TNoSuchClass\n  end\nend", "class", "Class TNoSuchClass not found"},
      {"object Form1: TFixForm\n  object B: TFixTimer\n  end\n  object b: TFixTimer\n  end\nend", "read",
       "A component named b already exists on line 4"},
      {"object Form1: TFixForm\n  inherited Gone: TFixTimer\n  end\nend", "read", "Ancestor for 'Gone' not found on line 2"},
      {"object Form1: TFixForm\n  object B: TStringList\n  end\nend", "class", "Class TStringList not found"},
  };
  for (const auto& c : cases) ExpectError(c);
}

TEST(FormErrors, NonComponentClassIsRefused) {
  RegisterFixtureClasses();
  RegisterClass(TStringList::StaticClass());
  ExpectError({"object Form1: TFixForm\n  object B: TStringList\n  end\nend", "read",
               "Class TStringList is not a component class on line 2"});
  UnRegisterClass(TStringList::StaticClass());
}

TEST(FormErrors, ObjectsFreedBeforeFixupAreForgotten) {
  // The first collection's item (with a pending reference) is freed when the
  // collection is read again; fixing up must not touch it.
  RegisterFixtureClasses();
  TFixForm form(nullptr);
  ReadComponentResText(
      "object Form1: TFixForm\n  Columns = <\n    item\n      Source = Timer1\n    end>\n"
      "  Columns = <\n    item\n    end>\n  object Timer1: TFixTimer\n  end\nend",
      &form);
  ASSERT_EQ(form.Columns()->Count(), 1);
  EXPECT_EQ(static_cast<TFixColumn*>(form.Columns()->Items(0))->Source(), nullptr);
}

TEST(FormReaderValues, NumbersStringsAndIdentifiers) {
  RegisterFixtureClasses();
  struct Case {
    const char* value;
    const char* prop;
    std::string expect;
  } cases[] = {
      {"$FF", "Left", "255"},
      {"$FFFFFFFF", "Left", "-1"},
      {"-$10", "Left", "-16"},
      {"-2147483648", "Left", "-2147483648"},
      {"#65#$42'c'", "Caption", "ABc"},
      {"#8364", "Caption", "€"},
      {"''''", "Caption", "'"},
      {"''", "Caption", ""},
      {"'a' +\n    'b' + #10", "Caption", "ab\n"},
      {"true", "Visible", "True"},
      {"[]", "Options", ""},
      {"[foRowSelect,foEditing]", "Options", "foEditing,foRowSelect"},
      {"#9", "Accel", "\t"},
      {"65", "Accel", "A"},
      {"200", "Accel", "\xC8"},
      {"1.5E3", "Ratio", "1500"},
      {"2", "Ratio", "2"},
      {"-0.25", "Ratio", "-0.25"},
  };
  for (const auto& c : cases) {
    TFixForm form(nullptr);
    std::string text = std::string("object Form1: TFixForm\n  ") + c.prop + " = " + c.value + "\nend\n";
    ReadComponentResText(text, &form);
    if (std::string(c.prop) == "Ratio") EXPECT_DOUBLE_EQ(GetFloatProp(&form, c.prop), std::stod(c.expect)) << c.value;
    else EXPECT_EQ(GetStrProp(&form, c.prop), c.expect) << c.value;
  }
}

TEST(FormWriterValues, StringsAndFloatsAreWrittenReadably) {
  struct Case {
    std::string value;
    const char* text;
  } strings[] = {
      {"", "''"},
      {"plain", "'plain'"},
      {"it's", "'it''s'"},
      {"\r\n", "#13#10"},
      {"a\tb", "'a'#9'b'"},
      {"中文", "'中文'"},
      {std::string("x\0y", 3), "'x'#0'y'"},
  };
  for (const auto& c : strings) EXPECT_EQ(FormatFormString(c.value), c.text);
  struct FloatCase {
    double value;
    const char* text;
  } floats[] = {{1.0, "1.0"}, {0.1, "0.1"}, {-2.5, "-2.5"}, {1e20, "1.0E20"}, {1.5e-7, "1.5E-07"}};
  for (const auto& c : floats) EXPECT_EQ(FormatFormFloat(c.value), c.text);
}
