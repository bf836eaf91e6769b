#pragma once
// Values every column and title of a grid reports while it has not assigned its own.
#include <memory>

#include "grid/DBGridGx/Titles.h"
#include "platform/data/DBTypes.h"
#include "platform/graphics/Colors.h"
#include "platform/rtl/Classes.h"

class TCustomDBGridGx;
class TColumnDefValuesGx;

enum TColumnTitleDefValue { tdvColor, tdvAlignment };
using TColumnTitleDefValues = Set<TColumnTitleDefValue>;

class TColumnTitleDefValuesGx : public TPersistent {
  VANTREL_CLASS(TColumnTitleDefValuesGx, TPersistent)
public:
  explicit TColumnTitleDefValuesGx(TColumnDefValuesGx* DefValues) : FDefValues(DefValues) {}
  static void Publish(TClassBuilder<TColumnTitleDefValuesGx>& b);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TColumnTitleDefValues AssignedValues() const { return FAssignedValues; }
  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  TColor Color() const;
  void SetColor(TColor Value);
  bool EndEllipsis() const { return FEndEllipsis; }
  void SetEndEllipsis(bool Value);
  TTextOrientationGx Orientation() const { return FOrientation; }
  void SetOrientation(TTextOrientationGx Value);
  bool TitleButton() const { return FTitleButton; }
  void SetTitleButton(bool Value) { FTitleButton = Value; }
  bool ToolTips() const { return FToolTips; }
  void SetToolTips(bool Value) { FToolTips = Value; }

  // taCenter with multi-line titles, else taLeftJustify.
  TAlignment DefaultAlignment() const;
  // The grid's FixedColor (clBtnFace without grid).
  TColor DefaultColor() const;

private:
  TCustomDBGridGx* Grid() const;
  bool IsAlignmentStored() const;
  bool IsColorStored() const;

  TColumnDefValuesGx* FDefValues;
  TColumnTitleDefValues FAssignedValues;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = clBtnFace;
  bool FEndEllipsis = false;
  TTextOrientationGx FOrientation = tohHorizontal;
  bool FTitleButton = false;
  bool FToolTips = false;
};

class TColumnDefValuesGx : public TPersistent {
  VANTREL_CLASS(TColumnDefValuesGx, TPersistent)
public:
  explicit TColumnDefValuesGx(TCustomDBGridGx* Grid);
  ~TColumnDefValuesGx() override;
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TCustomDBGridGx* Grid() const { return FGrid; }
  bool AlwaysShowEditButton() const { return FAlwaysShowEditButton; }
  void SetAlwaysShowEditButton(bool Value);
  bool AutoDropDown() const { return FAutoDropDown; }
  void SetAutoDropDown(bool Value) { FAutoDropDown = Value; }
  bool DblClickNextVal() const { return FDblClickNextVal; }
  void SetDblClickNextVal(bool Value) { FDblClickNextVal = Value; }
  bool DropDownShowTitles() const { return FDropDownShowTitles; }
  void SetDropDownShowTitles(bool Value) { FDropDownShowTitles = Value; }
  bool DropDownSizing() const { return FDropDownSizing; }
  void SetDropDownSizing(bool Value) { FDropDownSizing = Value; }
  bool EndEllipsis() const { return FEndEllipsis; }
  void SetEndEllipsis(bool Value);
  TColumnTitleDefValuesGx* Title() const { return FTitle.get(); }
  void SetTitle(TColumnTitleDefValuesGx* Value) { FTitle->Assign(Value); }
  bool ToolTips() const { return FToolTips; }
  void SetToolTips(bool Value) { FToolTips = Value; }

private:
  TCustomDBGridGx* FGrid;
  std::unique_ptr<TColumnTitleDefValuesGx> FTitle;
  bool FAlwaysShowEditButton = false;
  bool FAutoDropDown = false;
  bool FDblClickNextVal = false;
  bool FDropDownShowTitles = false;
  bool FDropDownSizing = false;
  bool FEndEllipsis = false;
  bool FToolTips = false;
};

// The grid's ColumnDefValues as published.
class TDBGridGxColumnDefValuesGx : public TColumnDefValuesGx {
  VANTREL_CLASS(TDBGridGxColumnDefValuesGx, TColumnDefValuesGx)
public:
  explicit TDBGridGxColumnDefValuesGx(TCustomDBGridGx* Grid) : TColumnDefValuesGx(Grid) {}
  static void Publish(TClassBuilder<TDBGridGxColumnDefValuesGx>& b);
};
