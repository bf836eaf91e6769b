#pragma once
// Settings of the grid's filter row (TSTDBGridGxFilter) and of one column's filter cell
// (TSTColumnFilterGx: the condition as typed and as parsed).
#include <string>

#include "grid/DbUtilsGx/FilterExpression.h"
#include "platform/rtl/Classes.h"

class TCustomDBGridGx;
class TColumnGx;
class TEditButtonGx;

class TSTDBGridGxFilter : public TPersistent {
  VANTREL_CLASS(TSTDBGridGxFilter, TPersistent)
public:
  explicit TSTDBGridGxFilter(TCustomDBGridGx* Grid) : FGrid(Grid) {}
  static void Publish(TClassBuilder<TSTDBGridGxFilter>& b);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TCustomDBGridGx* Grid() const { return FGrid; }
  bool Local() const { return FLocal; }
  void SetLocal(bool Value) { FLocal = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate() { --FUpdateCount; }
  int UpdateCount() const { return FUpdateCount; }

private:
  TCustomDBGridGx* FGrid;
  bool FLocal = false;
  bool FVisible = false;
  int FUpdateCount = 0;
};

class TSTColumnFilterGx : public TPersistent {
  VANTREL_CLASS(TSTColumnFilterGx, TPersistent)
public:
  explicit TSTColumnFilterGx(TColumnGx* Column) : FColumn(Column) {}
  static void Publish(TClassBuilder<TSTColumnFilterGx>& b);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TColumnGx* Column() const { return FColumn; }
  const std::string& DataField() const { return FDataField; }
  void SetDataField(const std::string& Value) { FDataField = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  // The condition as typed; the writer parses it first (a syntax error raises and keeps
  // the previous text).
  const std::string& FilterText() const { return FFilterText; }
  void SetFilterText(const std::string& Value);
  void ParseText(const std::string& Text, std::string& Normalized);
  TSTFilterExpressionGx ReadExpression() const { return FExpression; }

  virtual std::string ExpressionText() const;
  virtual TEditButtonGx* ButtonProvider() { return nullptr; }
  virtual std::string FilterFieldName() const;
  virtual Variant FirstOperand() const { return FExpression.Operand1; }
  virtual Variant SecondOperand() const { return FExpression.Operand2; }

private:
  TColumnGx* FColumn;
  std::string FDataField;
  bool FVisible = true;
  std::string FFilterText;
  TSTFilterExpressionGx FExpression;
};
