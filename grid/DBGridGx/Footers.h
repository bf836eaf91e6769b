#pragma once
// Footer cells of a grid column: a single Footer for every footer row without an item
// of its own, the Footers collection with one item per row, and what each cell shows.
#include <memory>
#include <string>

#include "platform/data/DBTypes.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Currency.h"

class TColumnGx;
class TField;
class TDBSum;
class TDBSumCollection;

enum TFooterValueType { fvtNon, fvtSum, fvtAvg, fvtCount, fvtFieldValue, fvtStaticText };

// A sum or average of Field's values in the field's terms: the footer's format, else the
// field's, else a whole number for integer fields and the float or money forms of the
// field otherwise; empty for fields of other types.
std::string FooterAggregateText(TField* Field, Currency Value, const std::string& FooterFormat);
VANTREL_ENUM(TFooterValueType, "fvtNon", "fvtSum", "fvtAvg", "fvtCount", "fvtFieldValue", "fvtStaticText")

enum TColumnFooterValue { fvAlignment, fvFont, fvColor };
using TColumnFooterValues = Set<TColumnFooterValue>;

class TColumnFooterGx : public TCollectionItem {
  VANTREL_CLASS(TColumnFooterGx, TCollectionItem)
public:
  // An item of a column's Footers.
  explicit TColumnFooterGx(TCollection* Collection);
  // The column's single Footer, outside any collection.
  explicit TColumnFooterGx(TColumnGx* Column);
  ~TColumnFooterGx() override;
  static void Publish(TClassBuilder<TColumnFooterGx>& b);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TColumnGx* Column() const { return FColumn; }
  TColumnFooterValues AssignedValues() const { return FAssignedValues; }

  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  TColor Color() const;
  void SetColor(TColor Value);
  const std::string& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::string& Value);
  bool EndEllipsis() const { return FEndEllipsis; }
  void SetEndEllipsis(bool Value);
  const std::string& FieldName() const { return FFieldName; }
  void SetFieldName(const std::string& Value);
  TFont* Font();
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  const std::string& Value() const { return FValue; }
  void SetValue(const std::string& Value);
  TFooterValueType ValueType() const { return FValueType; }
  void SetValueType(TFooterValueType Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  TAlignment DefaultAlignment() const;
  TColor DefaultColor() const;
  // The grid's FooterFont, the column's Font without grid, nil without column.
  TFont* DefaultFont() const;
  virtual void ResetToDefaults();
  // Keeps the footer's item in the grid's sum list in step with its type and field.
  void RelinkSum();
  // The footer's item in the grid's sum list, if any (found by its ID, so that a sum
  // list emptied or replaced by the grid leaves nothing dangling here).
  TDBSum* SumItem() const;

private:
  void Init();
  void FontChanged(TObject* Sender);
  void Changed(bool AllItems);
  void InvalidateFooterRows();
  void RefreshDefaultFont();
  TDBSumCollection* SumCollection() const;
  bool IsAlignmentStored() const;
  bool IsColorStored() const;
  bool IsFontStored() const;

  TColumnGx* FColumn = nullptr;
  TColumnFooterValues FAssignedValues;
  std::unique_ptr<TFont> FFont;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = clWindow;
  std::string FDisplayFormat;
  bool FEndEllipsis = false;
  std::string FFieldName;
  std::string FValue;
  TFooterValueType FValueType = fvtNon;
  bool FWordWrap = false;
  int FSumItemID = -1;
  bool FInFontRefresh = false;
};

class TColumnFootersGx : public TCollection {
  VANTREL_CLASS(TColumnFootersGx, TCollection)
public:
  TColumnFootersGx(TColumnGx* Column, TClass ItemClass);
  TPersistent* GetOwner() override;
  TColumnGx* Column() const { return FColumn; }
  TColumnFooterGx* Items(int Index) const { return static_cast<TColumnFooterGx*>(TCollection::Items(Index)); }
  TColumnFooterGx* Add() { return static_cast<TColumnFooterGx*>(TCollection::Add()); }

private:
  TColumnGx* FColumn;
};
