// The dataset-features registry: what is registered, and lookups by nearest ancestor.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "grid/DbUtilsGx.h"
#include "grid/GxLibADO.h"
#include "grid/GxLibBDE.h"
#include "grid/GxLibCDS.h"
#include "grid/GxLibDBX.h"
#include "grid/GxLibIBX.h"
#include "platform/data/ADODB.h"
#include "platform/data/DBClient.h"
#include "platform/data/DBTables.h"
#include "platform/data/IBX.h"
#include "platform/data/SqlExpr.h"
#include "platform/rtl/ScopeExit.h"

namespace {

class TMyIBDataSet : public TIBDataSet {
  VANTREL_CLASS(TMyIBDataSet, TIBDataSet)
public:
  using TIBDataSet::TIBDataSet;
};

class TMyClientDataSet : public TClientDataSet {
  VANTREL_CLASS(TMyClientDataSet, TClientDataSet)
public:
  using TClientDataSet::TClientDataSet;
};

class TMyADOQuery : public TADOQuery {
  VANTREL_CLASS(TMyADOQuery, TADOQuery)
public:
  using TADOQuery::TADOQuery;
};

TEST(DatasetFeatures, NineRegistrationsInTheirOrder) {
  TDatasetFeaturesRegistryGx& Registry = DatasetFeaturesRegistry();
  const std::vector<std::pair<std::string, std::string>> Expected = {
      {"TADOQuery", "TADOSQLDatasetFeaturesGx"},
      {"TADODataSet", "TADOCommandTextDatasetFeaturesGx"},
      {"TQuery", "TBDEDatasetFeaturesGx"},
      {"TTable", "TBDEDatasetFeaturesGx"},
      {"TCustomClientDataSet", "TCDSDatasetFeaturesGx"},
      {"TSQLQuery", "TDBXSQLDatasetFeaturesGx"},
      {"TSQLDataSet", "TDBXCommandTextDatasetFeaturesGx"},
      {"TIBQuery", "TIBSQLDatasetFeaturesGx"},
      {"TIBDataSet", "TIBSelectSQLDatasetFeaturesGx"},
  };
  std::vector<std::pair<std::string, std::string>> Got;
  for (int I = 0; I < Registry.Count(); ++I) Got.emplace_back(Registry.Names(I), Registry.Objects(I)->ClassName());
  EXPECT_EQ(Got, Expected);
  // Each knows where its SQL text is.
  const std::vector<std::pair<TClass, std::string>> Props = {
      {TADODataSet::StaticClass(), "CommandText"}, {TSQLDataSet::StaticClass(), "CommandText"},
      {TIBDataSet::StaticClass(), "SelectSQL"},    {TIBQuery::StaticClass(), "SQL"},
      {TQuery::StaticClass(), "SQL"}};
  for (const auto& [Class, Prop] : Props) {
    auto* Features = dynamic_cast<TSQLDatasetFeaturesGx*>(FindDatasetFeaturesForClass(Class));
    ASSERT_NE(Features, nullptr) << Class->ClassName();
    EXPECT_EQ(Features->SQLTextProperty(), Prop);
    EXPECT_NE(Features->DateLiteralFunc(), nullptr);
    EXPECT_FALSE(Features->SortByFieldName());
  }
}

TEST(DatasetFeatures, LookupsFindTheNearestRegisteredAncestor) {
  const struct {
    TClass DataSetClass;
    const char* RegisteredFor;  // nullptr: nothing found
  } Cases[] = {
      {TMyIBDataSet::StaticClass(), "TIBDataSet"},
      {TIBDataSet::StaticClass(), "TIBDataSet"},
      {TMyClientDataSet::StaticClass(), "TCustomClientDataSet"},
      {TClientDataSet::StaticClass(), "TCustomClientDataSet"},
      {TMyADOQuery::StaticClass(), "TADOQuery"},
      {TADOTable::StaticClass(), nullptr},
      {TCustomADODataSet::StaticClass(), nullptr},
      {TDataSet::StaticClass(), nullptr},
      {nullptr, nullptr},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.DataSetClass ? C.DataSetClass->ClassName() : "nil");
    TDatasetFeaturesGx* Found = FindDatasetFeaturesForClass(C.DataSetClass);
    if (!C.RegisteredFor) {
      EXPECT_EQ(Found, nullptr);
      continue;
    }
    ASSERT_NE(Found, nullptr);
    EXPECT_EQ(Found->DataSetClass()->ClassName(), C.RegisteredFor);
  }
  TComponent Owner(nullptr);
  auto* Query = new TMyADOQuery(&Owner);
  EXPECT_EQ(FindDatasetFeatures(Query), FindDatasetFeaturesForClass(TADOQuery::StaticClass()));
  EXPECT_EQ(FindDatasetFeatures(nullptr), nullptr);
  EXPECT_EQ(ClassDistance(TMyIBDataSet::StaticClass(), "tibdataset"), 1);
  EXPECT_EQ(ClassDistance(TMyIBDataSet::StaticClass(), "TMyIBDataSet"), 0);
  EXPECT_EQ(ClassDistance(TMyIBDataSet::StaticClass(), "TADOQuery"), INT_MAX);
}

TEST(DatasetFeatures, ARegistrationReplacesAnEarlierOneOfTheSameClass) {
  // The standard registrations come back for the tests after this one.
  auto Restore = AtScopeExit([] { FreeDatasetFeatures(); });
  TDatasetFeaturesRegistryGx& Registry = DatasetFeaturesRegistry();
  const int Count = Registry.Count();
  AddDatasetFeatures(TCDSDatasetFeaturesGx::StaticClass(), TADOQuery::StaticClass());
  AddDatasetFeatures(TDatasetFeaturesGx::StaticClass(), TADOQuery::StaticClass());
  EXPECT_EQ(Registry.Count(), Count);
  TDatasetFeaturesGx* Found = FindDatasetFeaturesForClass(TMyADOQuery::StaticClass());
  ASSERT_NE(Found, nullptr);
  EXPECT_EQ(Found->ClassName(), "TDatasetFeaturesGx");
  // A nil dataset class registers nothing; a new class is appended.
  AddDatasetFeatures(TDatasetFeaturesGx::StaticClass(), nullptr);
  EXPECT_EQ(Registry.Count(), Count);
  AddDatasetFeatures(TBDEDatasetFeaturesGx::StaticClass(), TADOTable::StaticClass());
  ASSERT_EQ(Registry.Count(), Count + 1);
  EXPECT_EQ(Registry.Names(Count), "TADOTable");
  // Only a strictly nearer registration wins over an earlier one.
  AddDatasetFeatures(TCDSDatasetFeaturesGx::StaticClass(), TDataSet::StaticClass());
  EXPECT_EQ(FindDatasetFeaturesForClass(TADOTable::StaticClass())->ClassName(), "TBDEDatasetFeaturesGx");
  EXPECT_EQ(FindDatasetFeaturesForClass(TCustomADODataSet::StaticClass())->ClassName(), "TCDSDatasetFeaturesGx");
}

}  // namespace
