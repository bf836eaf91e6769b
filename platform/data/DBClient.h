#pragma once
// The in-memory client dataset with index definitions, and the provider component.
#include <memory>
#include <string>
#include <vector>

#include "platform/data/RowDataSet.h"

class TCustomClientDataSet : public TRowDataSet {
  VANTREL_CLASS(TCustomClientDataSet, TRowDataSet)
public:
  explicit TCustomClientDataSet(TComponent* AOwner);
  ~TCustomClientDataSet() override;
  static void Publish(TClassBuilder<TCustomClientDataSet>& b);

  // Creates the empty in-memory table from FieldDefs (or from the persistent fields
  // when there are no definitions) and opens it.
  void CreateDataSet();
  // Removes every row.
  void EmptyDataSet();

  TIndexDefs& IndexDefs() { return *FIndexDefs; }
  void AddIndex(const std::string& Name, const std::string& Fields, TIndexOptions Options,
                const std::string& DescFields = "", const std::string& CaseInsFields = "", int GroupingLevel = 0);
  void DeleteIndex(const std::string& Name);
  const std::string& IndexName() const { return FIndexName; }
  void SetIndexName(const std::string& v);
  const std::string& IndexFieldNames() const { return FIndexFieldNames; }
  void SetIndexFieldNames(const std::string& v);
  const std::string& ProviderName() const { return FProviderName; }
  void SetProviderName(const std::string& v) { FProviderName = v; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v) { FReadOnly = v; }
  bool CanModify() const override { return !FReadOnly; }
  // An open dataset is written with its field definitions and rows (the entry "Data"),
  // so that a form holding it reads back open with the same rows.
  void DefineProperties(TFiler* Filer) override;

protected:
  void InternalInitFieldDefs() override;
  void OpenEngine() override;
  void CloseEngine() override {}
  std::vector<std::int64_t> LoadOrder() override;
  bool LoadRowValues(std::int64_t key, std::vector<Variant>& values) override;
  std::int64_t WriteRow(std::int64_t key, const std::vector<Variant>& values, const std::vector<bool>& present,
                        std::int64_t beforeKey, const std::vector<Variant>& oldValues) override;
  void EraseRow(std::int64_t key) override;
  bool OrderFollowsValues() const override;

private:
  struct TSortKey {
    int Def;
    bool Desc;
    bool CaseIns;
  };
  std::vector<TSortKey> CurrentSortKeys() const;
  void ChangeIndex(const std::string& name, const std::string& fields);
  void IndexChanged();
  void ReadData(TReader* Reader);
  void WriteData(TWriter* Writer);

  std::unique_ptr<TIndexDefs> FIndexDefs;
  std::string FIndexName, FIndexFieldNames, FProviderName;
  bool FReadOnly = false;
  bool FCreated = false;
  std::vector<std::vector<Variant>> FRows;  // by key; erased rows are empty
  std::vector<std::int64_t> FNatural;       // keys in insertion order
  std::int64_t FNextAutoInc = 1;
};

class TClientDataSet : public TCustomClientDataSet {
  VANTREL_CLASS(TClientDataSet, TCustomClientDataSet)
public:
  explicit TClientDataSet(TComponent* AOwner) : TCustomClientDataSet(AOwner) {}
  static void Publish(TClassBuilder<TClientDataSet>&) {}
};

// The provider a client dataset names in ProviderName: it serves its DataSet.
class TDataSetProvider : public TComponent {
  VANTREL_CLASS(TDataSetProvider, TComponent)
public:
  explicit TDataSetProvider(TComponent* AOwner) : TComponent(AOwner) {}
  ~TDataSetProvider() override;
  static void Publish(TClassBuilder<TDataSetProvider>& b);
  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* v);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TDataSet* FDataSet = nullptr;
};
