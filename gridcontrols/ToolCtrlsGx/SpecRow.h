#pragma once
// The special first row of a lookup drop-down (fixed cell texts standing for one key
// value), the routines that resolve ';'-separated field names, key-value equality and
// the double-click test.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Variant.h"

class TControl;
class TDataSet;
class TField;

class TSpecRowGx : public TPersistent {
  VANTREL_CLASS(TSpecRowGx, TPersistent)
public:
  // Owner: the grid column, its drop-down box settings or the lookup grid; only an
  // owner that is a TControl lends its Font and Color.
  explicit TSpecRowGx(TPersistent* Owner);
  ~TSpecRowGx() override;
  static void Publish(TClassBuilder<TSpecRowGx>& b);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return FOwner; }

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // The text of cell Index; empty for an index out of range.
  std::string CellTextAt(int Index) const;
  int CellCount() const { return FCells->Count(); }

  const std::string& CellsText() const { return FCellsText; }
  void SetCellsText(const std::string& Value);
  TColor Color() const;
  void SetColor(TColor Value);
  // The own font; while none is assigned it follows the owner's font.
  TFont* Font();
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  // A TShortCut: virtual key and modifier flags.
  win::WORD ShortCut() const { return FShortCut; }
  void SetShortCut(win::WORD Value) { FShortCut = Value; }
  bool ShowIfNotInKeyList() const { return FShowIfNotInKeyList; }
  void SetShowIfNotInKeyList(bool Value);
  const Variant& Value() const { return FValue; }
  void SetValue(const Variant& Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  // Whether the lookup grid shows the special row as its selected row.
  bool Selected() const { return FSelected; }
  void SetSelected(bool Value) { FSelected = Value; }
  TNotifyEvent OnChanged() const { return FOnChanged; }
  void SetOnChanged(const TNotifyEvent& e) { FOnChanged = e; }

  bool ColorAssigned() const { return FColorAssigned; }
  bool FontAssigned() const { return FFontAssigned; }

private:
  void Changed();
  void FontChanged(TObject* Sender);
  TControl* OwnerControl() const;
  bool IsValueStored() const;

  TPersistent* FOwner;
  std::string FCellsText;
  std::unique_ptr<TStringList> FCells;
  TColor FColor = clWindow;
  bool FColorAssigned = false;
  std::unique_ptr<TFont> FFont;
  bool FFontAssigned = false;
  win::WORD FShortCut = 0x802E;  // Alt+Del
  bool FShowIfNotInKeyList = true;
  Variant FValue = Null();
  bool FVisible = false;
  bool FSelected = false;
  int FUpdateCount = 0;
  TNotifyEvent FOnChanged;
};

using TFieldsArrGx = std::vector<TField*>;

// Adds to List (when given) the field of DataSet for each name in FieldNames ("A;B");
// the first name without a field raises "Field '%s' not found" (prefixed with Owner's name).
void CollectNamedFields(std::vector<TField*>* List, TDataSet* DataSet, TComponent* Owner,
                        const std::string& FieldNames);
void NamedFieldsArray(TDataSet* DataSet, TComponent* Owner, const std::string& FieldNames,
                      TFieldsArrGx& Fields);
// Null clears every named field; any other value goes to FieldValues[FieldNames].
void AssignFieldListValue(TDataSet* DataSet, const std::string& FieldNames, const Variant& Value);
// Equality of key values: single values and one-dimensional arrays; never raises.
bool VariantsEqual(const Variant& V1, const Variant& V2);
// Whether a mouse-down Elapsed ms after one at FirstPoint, at Point, is a double click.
bool WithinDoubleClick(const win::POINT& FirstPoint, const win::POINT& Point, int Elapsed);
