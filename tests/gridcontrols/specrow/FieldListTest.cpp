// Field lists and key values (kept apart from the control tests).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gridcontrols/ToolCtrlsGx.h"
#include "platform/data/DBClient.h"

namespace {

Variant Array(int low, std::vector<Variant> items) {
  Variant v = VarArrayCreate(low, low + static_cast<int>(items.size()) - 1, varVariant);
  for (std::size_t i = 0; i < items.size(); ++i) v.PutElement(low + static_cast<int>(i), items[i]);
  return v;
}

TEST(KeyValues, VariantsEqual) {
  const struct {
    const char* Name;
    Variant A, B;
    bool Equal;
  } cases[] = {
      {"[1] and [1]", Array(0, {1}), Array(0, {1}), true},
      {"[1, 'a'] and [1, 'a']", Array(0, {1, "a"}), Array(0, {1, "a"}), true},
      {"low bound 0 and 1", Array(0, {1}), Array(1, {1}), false},
      {"other high bound", Array(0, {1}), Array(0, {1, 2}), false},
      {"arrays without elements", VarArrayCreate(0, -1, varVariant), VarArrayCreate(0, -1, varVariant), false},
      {"elements that cannot compare", Array(0, {"abc"}), Array(0, {5}), false},
      {"null elements", Array(0, {Null()}), Array(0, {Null()}), true},
      {"array and value", Array(0, {1}), Variant(1), false},
      {"'abc' and 5", Variant("abc"), Variant(5), false},
      {"'5' and 5", Variant("5"), Variant(5), true},
      {"1 and 1.0", Variant(1), Variant(1.0), true},
      {"null and null", Null(), Null(), true},
      {"empty and empty", Unassigned(), Unassigned(), true},
      {"empty and null", Unassigned(), Null(), false},
      {"empty and 0", Unassigned(), Variant(0), false},
      {"null and 0", Null(), Variant(0), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VariantsEqual(c.A, c.B), c.Equal) << c.Name;
    EXPECT_EQ(VariantsEqual(c.B, c.A), c.Equal) << c.Name << " (swapped)";
  }
}

class FieldListsTest : public testing::Test {
protected:
  void SetUp() override {
    ds = std::make_unique<TClientDataSet>(nullptr);
    ds->SetName("Snippets");
    ds->FieldDefs().Add("id", ftInteger);
    ds->FieldDefs().Add("name", ftString, 20);
    ds->FieldDefs().Add("code", ftString, 20);
    ds->CreateDataSet();
    ds->Append();
    ds->FieldByName("id")->SetAsInteger(1);
    ds->FieldByName("name")->SetAsString("x");
    ds->FieldByName("code")->SetAsString("y");
    ds->Post();
  }
  std::unique_ptr<TClientDataSet> ds;
};

TEST_F(FieldListsTest, NamesResolveInOrderOrRaiseForTheFirstMissingOne) {
  TComponent owner(nullptr);
  owner.SetName("Column1");
  TFieldsArrGx fields;
  NamedFieldsArray(ds.get(), &owner, " name ; id", fields);
  ASSERT_EQ(fields.size(), 2u);
  EXPECT_EQ(fields[0]->FieldName(), "name");
  EXPECT_EQ(fields[1]->FieldName(), "id");
  CollectNamedFields(nullptr, ds.get(), &owner, "id;code");  // checks only

  const struct {
    const char* Names;
    TComponent* Owner;
    const char* Message;
  } errors[] = {
      {"id;;name", &owner, "Column1: Field '' not found"},
      {"id;nope;other", &owner, "Column1: Field 'nope' not found"},
      {"nope", nullptr, "Field 'nope' not found"},
  };
  for (const auto& e : errors) {
    fields = {ds->FieldByName("id")};
    try {
      NamedFieldsArray(ds.get(), e.Owner, e.Names, fields);
      ADD_FAILURE() << e.Names;
    } catch (const EDatabaseError& ex) {
      EXPECT_EQ(ex.Message(), e.Message);
    }
    EXPECT_EQ(fields.size(), 1u) << "fields kept on error: " << e.Names;
  }
}

TEST_F(FieldListsTest, AssignFieldListValue) {
  ds->Edit();
  AssignFieldListValue(ds.get(), "name;code", VarArrayOf({"a", "b"}));
  EXPECT_EQ(ds->FieldByName("name")->AsString(), "a");
  EXPECT_EQ(ds->FieldByName("code")->AsString(), "b");
  AssignFieldListValue(ds.get(), "id", Variant(7));
  EXPECT_EQ(ds->FieldByName("id")->AsInteger(), 7);
  AssignFieldListValue(ds.get(), "name;code", Null());
  EXPECT_TRUE(ds->FieldByName("name")->IsNull());
  EXPECT_TRUE(ds->FieldByName("code")->IsNull());
  EXPECT_THROW(AssignFieldListValue(ds.get(), "id;nope", Null()), EDatabaseError);
  ds->Cancel();
  EXPECT_THROW(AssignFieldListValue(ds.get(), "id", Variant(3)), EDatabaseError);  // not editing
}

}  // namespace
