#include "tests/platform/rtl/forms/FormFixtures.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace fixtures;

namespace {
const char* const kForm = R"(object Form1: TFixForm
  Left = -12
  Big = 9000000000
  Caption = 'It''s a '#13#10'test ' + 'joined'
  Hint = '中文'
  Visible = False
  Color = clRed
  Ratio = 1.25
  Align = faClient
  Options = [foTabs, foMultiSelect]
  Accel = 'k'
  Font.Name = 'DejaVu Sans'
  Font.Size = 11
  Items.Strings = (
    'one'
    'two, three')
  Columns = <
    item
      Width = 30
      Title = 'First'
      Source = Timer1
    end
    item
      Title = 'Second'
    end>
  Buddy = Button1
  OnClick = FormClick
  OnValue = ValueChanged
  Glyph = {
    000102FF}
  object Timer1: TFixTimer
    Interval = 250
  end
  object Button1: TFixControl
    Left = 5
    Color = $00FF00
    OnClick = ButtonClick
    object Inner: TFixControl
      Buddy = Form1
    end
  end
end
)";
}  // namespace

class FormRoundTripTest : public testing::Test {
protected:
  void SetUp() override {
    RegisterFixtureClasses();
    LoadLog().clear();
  }
};

TEST_F(FormRoundTripTest, ReadsEveryKindOfValue) {
  TFixForm form(nullptr);
  ReadComponentResText(kForm, &form);
  EXPECT_EQ(form.Name(), "Form1");
  EXPECT_EQ(form.Left(), -12);
  EXPECT_EQ(form.Big(), 9000000000);
  EXPECT_EQ(form.Caption(), "It's a \r\ntest joined");
  EXPECT_EQ(form.Hint(), "中文");
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.Color(), 0xFF);
  EXPECT_DOUBLE_EQ(form.Ratio(), 1.25);
  EXPECT_EQ(form.Align(), faClient);
  EXPECT_EQ(form.Options(), (TFixOptions{foTabs, foMultiSelect}));
  EXPECT_EQ(form.Accel(), 'k');
  EXPECT_EQ(form.Font()->Name(), "DejaVu Sans");
  EXPECT_EQ(form.Font()->Size(), 11);
  EXPECT_EQ(form.Items()->CommaText(), "one,\"two, three\"");
  ASSERT_EQ(form.Columns()->Count(), 2);
  auto* c0 = static_cast<TFixColumn*>(form.Columns()->Items(0));
  auto* c1 = static_cast<TFixColumn*>(form.Columns()->Items(1));
  EXPECT_EQ(c0->Width(), 30);
  EXPECT_EQ(c0->Title(), "First");
  EXPECT_EQ(c1->Width(), 64);
  EXPECT_EQ(form.Glyph(), (std::vector<unsigned char>{0, 1, 2, 0xFF}));

  // Components land in the published fields; references are fixed up after loading.
  ASSERT_NE(form.Button1, nullptr);
  ASSERT_NE(form.Timer1, nullptr);
  EXPECT_EQ(c0->Source(), form.Timer1);
  EXPECT_EQ(form.Buddy(), form.Button1);
  EXPECT_EQ(form.Button1->Left(), 5);
  EXPECT_EQ(form.Button1->Color(), 0x00FF00);
  EXPECT_EQ(form.Button1->Parent(), &form);
  auto* inner = static_cast<TFixControl*>(form.FindComponent("Inner"));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Owner(), &form);
  EXPECT_EQ(inner->Parent(), form.Button1);
  EXPECT_EQ(inner->Buddy(), &form);

  // Events are bound to the root's published methods.
  form.OnClick()(&form);
  form.Button1->OnClick()(form.Button1);
  form.OnValue()(&form, 7);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"FormClick", "ButtonClick", "ValueChanged 7"}));
  EXPECT_TRUE(form.OnClick() == MakeEvent(&form, &TFixForm::FormClick));
}

TEST_F(FormRoundTripTest, WriteThenReadGivesTheSameText) {
  TFixForm form(nullptr);
  ReadComponentResText(kForm, &form);
  std::string text = WriteComponentResText(&form);
  TFixForm again(nullptr);
  ReadComponentResText(text, &again);
  EXPECT_EQ(WriteComponentResText(&again), text);
  // Only values that differ from the defaults are written.
  EXPECT_EQ(text.find("Interval = 1000"), std::string::npos);
  EXPECT_NE(text.find("    Interval = 250\n"), std::string::npos);
  EXPECT_NE(text.find("  Options = [foTabs, foMultiSelect]\n"), std::string::npos);
  EXPECT_NE(text.find("  Color = clRed\n"), std::string::npos);
  EXPECT_NE(text.find("  OnClick = FormClick\n"), std::string::npos);
  EXPECT_NE(text.find("  Caption = 'It''s a '#13#10'test joined'\n"), std::string::npos);
  EXPECT_NE(text.find("  Glyph = {\n    000102FF}\n"), std::string::npos);
  EXPECT_NE(text.find("  Columns = <\n    item\n      Width = 30\n      Title = 'First'\n      Source = Timer1\n    end\n"
                      "    item\n      Title = 'Second'\n    end>\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("  Items.Strings = (\n    'one'\n    'two, three')\n"), std::string::npos);
  // Left has no default, so it is always written.
  EXPECT_NE(text.find("    object Inner: TFixControl\n      Left = 0\n      Buddy = Form1\n"), std::string::npos) << text;
}

TEST_F(FormRoundTripTest, DefaultsAreNotWritten) {
  TFixForm form(nullptr);
  form.SetName("Plain");
  EXPECT_EQ(WriteComponentResText(&form), "object Plain: TFixForm\n  Left = 0\nend\n");
}

TEST_F(FormRoundTripTest, LoadingOrderAndState) {
  TFixForm form(nullptr);
  ReadComponentResText(kForm, &form);
  // Loaded runs once for every component, in reading order, after references are fixed.
  EXPECT_EQ(LoadLog(), (std::vector<std::string>{"Form1", "Timer1", "Button1", "Inner"}));
  EXPECT_TRUE(form.Timer1->SeenLoading);  // a property set while reading sees csLoading
  for (TComponent* c : {static_cast<TComponent*>(&form), static_cast<TComponent*>(form.Timer1),
                        static_cast<TComponent*>(form.Button1)})
    EXPECT_TRUE((c->ComponentState() * TComponentState{csLoading, csReading}).Empty());
}

TEST_F(FormRoundTripTest, InheritedDescriptionOverridesTheAncestor) {
  const char* derived = R"(inherited Form2: TFixForm2
  Caption = 'Derived'
  inherited Button1: TFixControl
    Left = 99
  end
  object Extra: TFixTimer
  end
end
)";
  TFixForm2 form(nullptr);
  ReadInheritedComponentResTexts({kForm, derived}, &form);
  EXPECT_EQ(form.Name(), "Form2");
  EXPECT_EQ(form.Caption(), "Derived");
  EXPECT_EQ(form.Button1->Left(), 99);
  EXPECT_EQ(form.Button1->Color(), 0x00FF00);
  EXPECT_NE(form.FindComponent("Extra"), nullptr);
  EXPECT_EQ(std::count(LoadLog().begin(), LoadLog().end(), "Button1"), 1);

  // Writing against the ancestor keeps only the differences.
  TFixForm ancestor(nullptr);
  ReadComponentResText(kForm, &ancestor);
  std::string text = WriteComponentResText(&form, &ancestor);
  EXPECT_EQ(text,
            "inherited Form2: TFixForm2\n"
            "  Caption = 'Derived'\n"
            "  inherited Timer1: TFixTimer\n  end\n"
            "  object Extra: TFixTimer\n  end\n"
            "  inherited Button1: TFixControl\n    Left = 99\n"
            "    inherited Inner: TFixControl\n    end\n  end\n"
            "end\n");
  TFixForm2 reread(nullptr);
  ReadInheritedComponentResTexts({kForm, text}, &reread);
  EXPECT_EQ(WriteComponentResText(&reread), WriteComponentResText(&form));
}

TEST_F(FormRoundTripTest, CollectionsEqualComparesStoredItems) {
  TFixForm a(nullptr), b(nullptr);
  ReadComponentResText(kForm, &a);
  ReadComponentResText(kForm, &b);
  EXPECT_TRUE(CollectionsEqual(a.Columns(), b.Columns(), &a, &b));
  static_cast<TFixColumn*>(b.Columns()->Items(1))->SetWidth(65);
  EXPECT_FALSE(CollectionsEqual(a.Columns(), b.Columns(), &a, &b));
  b.Columns()->Delete(1);
  EXPECT_FALSE(CollectionsEqual(a.Columns(), b.Columns(), &a, &b));
}

TEST_F(FormRoundTripTest, FilesHoldTheSameText) {
  TFixForm form(nullptr);
  ReadComponentResText(kForm, &form);
  std::string path = testing::TempDir() + "/rtlobj_form.txt";
  WriteComponentResFile(path, &form);
  TFixForm back(nullptr);
  ReadComponentResFile(path, &back);
  EXPECT_EQ(WriteComponentResText(&back), WriteComponentResText(&form));
  std::remove(path.c_str());
  EXPECT_THROW(ReadComponentResFile(path, &back), EFOpenError);
}

namespace {
TComponent* gOtherForm = nullptr;
TComponent* FindOther(const std::string& Name) {
  return gOtherForm && SameIdent(gOtherForm->Name(), Name) ? gOtherForm : nullptr;
}
}  // namespace

TEST_F(FormRoundTripTest, ReferencesToAnotherRootGoThroughTheGlobalFinder) {
  TFixForm other(nullptr);
  ReadComponentResText("object Other: TFixForm\n  object Btn: TFixControl\n  end\nend\n", &other);
  gOtherForm = &other;
  RegisterFindGlobalComponent(&FindOther);
  const char* text = "object Form1: TFixForm\n  Buddy = Other.Btn\nend\n";
  TFixForm form(nullptr);
  ReadComponentResText(text, &form);
  EXPECT_EQ(form.Buddy(), other.FindComponent("Btn"));
  EXPECT_NE(WriteComponentResText(&form).find("  Buddy = Other.Btn\n"), std::string::npos);
  UnregisterFindGlobalComponent(&FindOther);
  gOtherForm = nullptr;
  TFixForm unresolved(nullptr);
  EXPECT_THROW(ReadComponentResText(text, &unresolved), EReadError);
}

TEST_F(FormRoundTripTest, LongStringsAreSplitOverLinesWholeCharacters) {
  TFixForm form(nullptr);
  form.SetName("F");
  std::string caption;
  for (int i = 0; i < 30; ++i) caption += "ab中";  // 150 bytes
  form.SetCaption(caption);
  std::string text = WriteComponentResText(&form);
  std::string first = "  Caption = '" + caption.substr(0, 65) + "' +\n    '";
  EXPECT_NE(text.find(first), std::string::npos) << text;
  TFixForm back(nullptr);
  ReadComponentResText(text, &back);
  EXPECT_EQ(back.Caption(), caption);
}

TEST_F(FormRoundTripTest, AComponentNamedLikeItsRootIsReferencedQualified) {
  const char* text = "object Form1: TFixForm\n  Buddy = Form1.Form1\n  object Form1: TFixTimer\n  end\nend\n";
  TFixForm form(nullptr);
  ReadComponentResText(text, &form);
  ASSERT_NE(form.Buddy(), &form);
  EXPECT_EQ(form.Buddy(), form.FindComponent("Form1"));
  std::string written = WriteComponentResText(&form);
  EXPECT_NE(written.find("  Buddy = Form1.Form1\n"), std::string::npos) << written;
}
