#pragma once
// The title cell of a grid column: caption, font, colour, alignment, orientation, title
// button and the sort marker that also keeps the grid's sort order.
#include <memory>
#include <string>

#include "platform/data/DBTypes.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Classes.h"

class TColumnGx;

enum TTextOrientationGx { tohHorizontal, tohVertical };
VANTREL_ENUM(TTextOrientationGx, "tohHorizontal", "tohVertical")
enum TSortMarkerGx { smNoneGx, smDownGx, smUpGx };
VANTREL_ENUM(TSortMarkerGx, "smNoneGx", "smDownGx", "smUpGx")

class TColumnTitleGx : public TPersistent {
  VANTREL_CLASS(TColumnTitleGx, TPersistent)
public:
  explicit TColumnTitleGx(TColumnGx* Column);
  ~TColumnTitleGx() override;
  static void Publish(TClassBuilder<TColumnTitleGx>& b);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TColumnGx* Column() const { return FColumn; }

  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  std::string Caption() const;
  virtual void SetCaption(const std::string& Value);
  TColor Color() const;
  void SetColor(TColor Value);
  bool EndEllipsis() const;
  void SetEndEllipsis(bool Value);
  // The own font; while not assigned a copy of the default title font, refreshed on read.
  TFont* Font();
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TTextOrientationGx Orientation() const;
  void SetOrientation(TTextOrientationGx Value);
  int SortIndex() const { return FSortIndex; }
  void SetSortIndex(int Value);
  TSortMarkerGx SortMarker() const { return FSortMarker; }
  void SetSortMarker(TSortMarkerGx Value);
  bool TitleButton() const;
  void SetTitleButton(bool Value);
  bool ToolTips() const;
  void SetToolTips(bool Value);

  // Defaults the title reports while a value is not assigned.
  TAlignment DefaultAlignment() const;
  std::string DefaultCaption() const;
  TColor DefaultColor() const;
  bool DefaultEndEllipsis() const;
  TFont* DefaultFont() const;
  TTextOrientationGx DefaultOrientation() const;
  bool DefaultTitleButton() const;
  bool DefaultToolTips() const;

  virtual void ResetToDefaults();
  void RefreshDefaultFont();
  // Moves the sort marker on by one title-button click.
  void ClickSortMarker(bool KeepOthers);
  // Room the title cell keeps at its right for the sort marker.
  int SortMarkerWidth();

private:
  friend class TColumnGx;
  friend class TDBGridColumnsGx;
  void FontChanged(TObject* Sender);
  void Changed(bool AllItems);
  // The column's assigned-value flags for the title (TColumnGxValue values).
  bool Assigned(int Flag) const;
  void Flag(int Flag);
  // The largest sort position any column of the grid holds (0 when none).
  int LastSortIndex() const;
  bool IsAlignmentStored() const;
  bool IsCaptionStored() const;
  bool IsColorStored() const;
  bool IsEndEllipsisStored() const;
  bool IsFontStored() const;
  bool IsOrientationStored() const;
  bool IsTitleButtonStored() const;
  bool IsToolTipsStored() const;

  TColumnGx* FColumn;
  std::unique_ptr<TFont> FFont;
  TAlignment FAlignment = taLeftJustify;
  std::string FCaption;
  TColor FColor = clBtnFace;
  bool FEndEllipsis = false;
  std::string FHint;
  int FImageIndex = -1;
  TTextOrientationGx FOrientation = tohHorizontal;
  int FSortIndex = 0;
  TSortMarkerGx FSortMarker = smNoneGx;
  bool FTitleButton = false;
  bool FToolTips = false;
  bool FInFontRefresh = false;
};
