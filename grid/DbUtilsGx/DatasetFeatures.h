#pragma once
// Per-dataset-class sorting and filtering services: a process-wide registry maps dataset
// classes to a features object, found for a dataset by the nearest registered ancestor
// of its class. The engine adapters (GxLibADO, GxLibBDE, GxLibCDS, GxLibDBX, GxLibIBX)
// register theirs when the registry is first used.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "grid/DbUtilsGx/FilterText.h"
#include "platform/rtl/Object.h"

class TCustomDBGridGx;
class TDataSet;

class TDatasetFeaturesGx : public TObject {
  VANTREL_CLASS(TDatasetFeaturesGx, TObject)
public:
  TDatasetFeaturesGx() = default;
  // The dataset class this object is registered for.
  TClass DataSetClass() const { return FDataSetClass; }
  void SetDataSetClass(TClass Value) { FDataSetClass = Value; }
  // Runs when the grid's sort markers are applied: sorts DataSet by the grid's
  // sort-marked columns, reopening it when IsReopen. Nothing here.
  virtual void ApplySorting(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen);
  // Runs when the grid's filter row is applied: filters DataSet by the columns'
  // conditions, reopening it when IsReopen. Nothing here.
  virtual void ApplyFilter(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen);

private:
  TClass FDataSetClass = nullptr;
};

// Datasets with SQL text: the filter goes into its /*FILTER*/ line, the sorting into its
// ORDER BY line; locally the filter is the dataset's own Filter.
class TSQLDatasetFeaturesGx : public TDatasetFeaturesGx {
  VANTREL_CLASS(TSQLDatasetFeaturesGx, TDatasetFeaturesGx)
public:
  TSQLDatasetFeaturesGx() = default;
  void ApplySorting(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) override;
  void ApplyFilter(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) override;

  bool SortByFieldName() const { return FSortByFieldName; }
  void SetSortByFieldName(bool Value) { FSortByFieldName = Value; }
  const std::string& SQLTextProperty() const { return FSQLTextProperty; }
  void SetSQLTextProperty(const std::string& Value) { FSQLTextProperty = Value; }
  TDateLiteralFuncGx DateLiteralFunc() const { return FDateLiteralFunc; }
  void SetDateLiteralFunc(TDateLiteralFuncGx Value) { FDateLiteralFunc = Value; }

private:
  bool FSortByFieldName = false;
  std::string FSQLTextProperty = "SQL";
  TDateLiteralFuncGx FDateLiteralFunc = nullptr;
};

// Datasets whose SQL is their CommandText.
class TCommandTextDatasetFeaturesGx : public TSQLDatasetFeaturesGx {
  VANTREL_CLASS(TCommandTextDatasetFeaturesGx, TSQLDatasetFeaturesGx)
public:
  TCommandTextDatasetFeaturesGx() { SetSQLTextProperty("CommandText"); }
};

// The dialect date literals are written in: the data layer's own for a dataset its
// engine serves (every dataset here), else Dialect as the engine family names it.
std::string EngineDialectName(TDataSet* DataSet, const std::string& Dialect);

// The local mode: the grid's data-source dataset's own Filter becomes the columns'
// conditions, or WhenEmpty when there are none.
void SetLocalGridFilter(TCustomDBGridGx* Grid, const std::string& WhenEmpty);

// Makes a features object of FeaturesClass for DataSetClass and registers it under the
// class name; an earlier registration of that name is replaced (and freed). A nil
// dataset class registers nothing.
void AddDatasetFeatures(TClass FeaturesClass, TClass DataSetClass);
// The object registered for DataSetClass or its nearest registered ancestor; nullptr
// when none.
TDatasetFeaturesGx* FindDatasetFeaturesForClass(TClass DataSetClass);
TDatasetFeaturesGx* FindDatasetFeatures(TDataSet* DataSet);
// Parent steps from Class up to the class named Name (case-insensitive); the largest
// integer when there is none.
int ClassDistance(TClass Class, const std::string& Name);

// The registry: one entry per dataset class name, in the order registered.
class TDatasetFeaturesRegistryGx {
public:
  int Count() const { return static_cast<int>(FEntries.size()); }
  const std::string& Names(int Index) const { return FEntries[static_cast<std::size_t>(Index)].first; }
  TDatasetFeaturesGx* Objects(int Index) const { return FEntries[static_cast<std::size_t>(Index)].second.get(); }
  void Add(const std::string& Name, std::unique_ptr<TDatasetFeaturesGx> Features);
  void Clear() { FEntries.clear(); }

private:
  std::vector<std::pair<std::string, std::unique_ptr<TDatasetFeaturesGx>>> FEntries;
};

// The process-wide registry, made (with the adapters' registrations) when first used.
TDatasetFeaturesRegistryGx& DatasetFeaturesRegistry();
// Frees every registered object; the next use registers the adapters again.
void FreeDatasetFeatures();
