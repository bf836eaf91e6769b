#pragma once
// Field and index definitions of a dataset: the columns an engine offers and the
// orders a client dataset keeps.
#include <memory>
#include <string>
#include <vector>

#include "platform/data/DBTypes.h"

class TDataSet;

class TFieldDef {
public:
  TFieldDef(std::string name, TFieldType type, int size, bool required, int fieldNo)
      : FName(std::move(name)), FDataType(type), FSize(size), FRequired(required), FFieldNo(fieldNo) {}
  const std::string& Name() const { return FName; }
  void SetName(const std::string& v) { FName = v; }
  TFieldType DataType() const { return FDataType; }
  void SetDataType(TFieldType v) { FDataType = v; }
  int Size() const { return FSize; }
  void SetSize(int v) { FSize = v; }
  bool Required() const { return FRequired; }
  void SetRequired(bool v) { FRequired = v; }
  int FieldNo() const { return FFieldNo; }
  TFieldAttributes Attributes() const { return FAttributes; }
  void SetAttributes(TFieldAttributes v) { FAttributes = v; }
  int Precision() const { return FPrecision; }
  void SetPrecision(int v) { FPrecision = v; }
  void SetFieldNo(int v) { FFieldNo = v; }

private:
  std::string FName;
  TFieldType FDataType;
  int FSize;
  bool FRequired;
  int FFieldNo;
  int FPrecision = 0;
  TFieldAttributes FAttributes;
};

class TFieldDefs {
public:
  explicit TFieldDefs(TDataSet* DataSet) : FDataSet(DataSet) {}
  TFieldDef* Add(const std::string& Name, TFieldType DataType, int Size = 0, bool Required = false);
  TFieldDef* AddFieldDef();
  int Count() const { return static_cast<int>(FItems.size()); }
  TFieldDef* Items(int i) const;
  TFieldDef* operator[](int i) const { return Items(i); }
  int IndexOf(const std::string& Name) const;
  TFieldDef* Find(const std::string& Name) const;  // EDatabaseError when missing
  void Clear() { FItems.clear(); }
  // Refreshes the definitions from the dataset's engine.
  void Update();
  bool Updated() const { return FUpdated; }
  void SetUpdated(bool v) { FUpdated = v; }

private:
  TDataSet* FDataSet;
  std::vector<std::unique_ptr<TFieldDef>> FItems;
  bool FUpdated = false;
};

class TIndexDef {
public:
  TIndexDef(std::string name, std::string fields, TIndexOptions options)
      : FName(std::move(name)), FFields(std::move(fields)), FOptions(options) {}
  const std::string& Name() const { return FName; }
  void SetName(const std::string& v) { FName = v; }
  const std::string& Fields() const { return FFields; }
  void SetFields(const std::string& v) { FFields = v; }
  TIndexOptions Options() const { return FOptions; }
  void SetOptions(TIndexOptions v) { FOptions = v; }
  const std::string& DescFields() const { return FDescFields; }
  void SetDescFields(const std::string& v) { FDescFields = v; }
  const std::string& CaseInsFields() const { return FCaseInsFields; }
  void SetCaseInsFields(const std::string& v) { FCaseInsFields = v; }
  int GroupingLevel() const { return FGroupingLevel; }
  void SetGroupingLevel(int v) { FGroupingLevel = v; }

private:
  std::string FName, FFields;
  TIndexOptions FOptions;
  std::string FDescFields, FCaseInsFields;
  int FGroupingLevel = 0;
};

class TIndexDefs {
public:
  explicit TIndexDefs(TDataSet* DataSet) : FDataSet(DataSet) {}
  TIndexDef* Add(const std::string& Name, const std::string& Fields, TIndexOptions Options);
  TIndexDef* AddIndexDef();
  int Count() const { return static_cast<int>(FItems.size()); }
  TIndexDef* Items(int i) const;
  TIndexDef* operator[](int i) const { return Items(i); }
  // Case-insensitive; -1 when missing.
  int IndexOf(const std::string& Name) const;
  // EDatabaseError "Index 'X' not found" when missing.
  TIndexDef* Find(const std::string& Name) const;
  // The first index whose fields start with Fields ("A;B"), nullptr when none.
  TIndexDef* GetIndexForFields(const std::string& Fields, bool CaseInsensitive) const;
  void Delete(int i);
  void Clear() { FItems.clear(); }
  // Brings the definitions up to date with the dataset (a no-op for kept definitions).
  void Update() { FUpdated = true; }
  bool Updated() const { return FUpdated; }

private:
  TDataSet* FDataSet;
  std::vector<std::unique_ptr<TIndexDef>> FItems;
  bool FUpdated = false;
};
