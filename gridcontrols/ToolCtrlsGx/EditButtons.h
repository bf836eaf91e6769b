#pragma once
// Edit buttons: the small buttons at the right edge of an edit or a grid cell, their
// collection, the control that shows one inside an edit, and the one routine that paints
// every button face and check box through a cache of pre-drawn bitmaps.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/controls/Buttons.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Menus.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/Classes.h"

enum TEditButtonStyleGx { ebsDropDownGx, ebsEllipsisGx, ebsGlyphGx, ebsUpDownGx, ebsPlusGx, ebsMinusGx };
VANTREL_ENUM(TEditButtonStyleGx, "ebsDropDownGx", "ebsEllipsisGx", "ebsGlyphGx", "ebsUpDownGx", "ebsPlusGx",
             "ebsMinusGx")

// What a button face shows.
enum TButtonDrawKind : std::uint8_t { bdkDropDown, bdkEllipsis, bdkUpDown, bdkCheckBox, bdkPlus, bdkMinus };
// The face of each button style (a glyph button is drawn as an up/down pair).
inline constexpr TButtonDrawKind ButtonStyleDrawKinds[] = {bdkDropDown, bdkEllipsis, bdkUpDown,
                                                           bdkUpDown,   bdkPlus,     bdkMinus};

using TButtonClickEventGx = TEvent<void(TObject* Sender, bool& Handled)>;
using TButtonDownEventGx = TEvent<void(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled)>;

class TEditButtonControlGx;

// One button description, a collection item of a column or an edit.
class TEditButtonGx : public TCollectionItem {
  VANTREL_CLASS(TEditButtonGx, TCollectionItem)
public:
  explicit TEditButtonGx(TCollection* Collection);
  // A button that belongs to no collection (an edit's main button).
  explicit TEditButtonGx(TWinControl* EditControl);
  ~TEditButtonGx() override;
  static void Publish(TClassBuilder<TEditButtonGx>& b);
  void Assign(TPersistent* Source) override;

  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* Value) { FDropdownMenu = Value; }
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  TEditButtonStyleGx Style() const { return FStyle; }
  void SetStyle(TEditButtonStyleGx Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  const TButtonClickEventGx& OnClick() const { return FOnClick; }
  void SetOnClick(const TButtonClickEventGx& Value) { FOnClick = Value; }
  const TButtonDownEventGx& OnDown() const { return FOnDown; }
  void SetOnDown(const TButtonDownEventGx& Value) { FOnDown = Value; }
  const TNotifyEvent& OnChanged() const { return FOnChanged; }
  void SetOnChanged(const TNotifyEvent& Value) { FOnChanged = Value; }

  TWinControl* EditControl() const { return FEditControl; }
  // A control for this button, owned by and placed in EditControl.
  virtual TEditButtonControlGx* NewButtonControl();

protected:
  void Changed();

private:
  void Init();
  TWinControl* FEditControl = nullptr;
  TPopupMenu* FDropdownMenu = nullptr;
  std::unique_ptr<TBitmap> FGlyph;
  std::string FHint;
  int FNumGlyphs = 1;
  TShortCut FShortCut = 0;
  TEditButtonStyleGx FStyle = ebsDropDownGx;
  bool FVisible = false;
  int FWidth = 0;
  TButtonClickEventGx FOnClick;
  TButtonDownEventGx FOnDown;
  TNotifyEvent FOnChanged;
};

// The buttons of columns and data-aware edits: shown, with Alt+Down, by default.
class TVisibleEditButtonGx : public TEditButtonGx {
  VANTREL_CLASS(TVisibleEditButtonGx, TEditButtonGx)
public:
  explicit TVisibleEditButtonGx(TCollection* Collection);
  static void Publish(TClassBuilder<TVisibleEditButtonGx>& b);
};

class TEditButtonsGx : public TCollection {
  VANTREL_CLASS(TEditButtonsGx, TCollection)
public:
  TEditButtonsGx(TPersistent* Owner, TClass ItemClass);
  TEditButtonGx* Items(int Index) const { return static_cast<TEditButtonGx*>(TCollection::Items(Index)); }
  TEditButtonGx* Add() { return static_cast<TEditButtonGx*>(TCollection::Add()); }
  TPersistent* GetOwner() override { return FOwner; }
  const TNotifyEvent& OnChanged() const { return FOnChanged; }
  void SetOnChanged(const TNotifyEvent& Value) { FOnChanged = Value; }

protected:
  void Update(TCollectionItem* Item) override;

private:
  TPersistent* FOwner;
  TNotifyEvent FOnChanged;
};

enum TEditButtonStateGx { ebstUp, ebstDown, ebstExclusive };

// The control that shows one button inside an edit, with pressed halves and auto-repeat.
class TEditButtonControlGx : public TSpeedButton {
  VANTREL_CLASS(TEditButtonControlGx, TSpeedButton)
public:
  explicit TEditButtonControlGx(TComponent* AOwner);
  ~TEditButtonControlGx() override;

  TEditButtonStyleGx Style() const { return FStyle; }
  void SetStyle(TEditButtonStyleGx Value);
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // 0 none, 1 the whole button or the upper half, 2 the lower half.
  int PressedPart() const { return FPressedPart; }
  bool HeldDown() const { return FHeldDown; }
  // Holds the button pressed while its popup is open.
  void HoldDown(bool Value);
  // Up, pressed by the mouse, or held down.
  TEditButtonStateGx State() const;
  const TButtonDownEventGx& OnDown() const { return FOnDown; }
  void SetOnDown(const TButtonDownEventGx& Value) { FOnDown = Value; }
  TTimer* RepeatTimer() const { return FRepeatTimer; }
  void NotifyDown(bool TopButton, bool& AutoRepeat);
  void Click() override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void UpdatePressedPart(int X, int Y);
  void ResetRepeatTimer(unsigned Interval);
  void StopRepeatTimer();
  void RepeatTimerTick(TObject* Sender);

private:
  bool IsDown() const { return State() != ebstUp; }
  TEditButtonStyleGx FStyle = ebsDropDownGx;
  bool FActive = false;
  int FPressedPart = 0;
  bool FHeldDown = false;
  bool FNoClick = false;
  bool FMousePressed = false;  // left button pressed with the mouse inside
  bool FTracking = false;      // left button held since a press on the button
  TButtonDownEventGx FOnDown;
  TTimer* FRepeatTimer = nullptr;
};

// Publishes Active and Style (the calculator's keys).
class TSpeedButtonGx : public TEditButtonControlGx {
  VANTREL_CLASS(TSpeedButtonGx, TEditButtonControlGx)
public:
  using TEditButtonControlGx::TEditButtonControlGx;
  static void Publish(TClassBuilder<TSpeedButtonGx>& b);
};

// One shown button of an edit: its separator and its control. Entry 0 is the main button.
struct TEditButtonControlLineRec {
  TShape* ButtonLine = nullptr;
  TEditButtonControlGx* EditButtonControl = nullptr;
};
using TEditButtonControlList = std::vector<TEditButtonControlLineRec>;

// The key of a cached face: 15 bytes compared raw.
#pragma pack(push, 1)
struct TButtonBitmapKey {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::uint8_t DrawKind = bdkDropDown;
  std::uint8_t Flat = 0;
  std::uint8_t Pressed = 0;
  std::uint8_t Active = 0;
  std::uint8_t Enabled = 0;
  std::uint8_t Part = 0;
  std::uint8_t CheckState = 0;
};
#pragma pack(pop)
static_assert(sizeof(TButtonBitmapKey) == 15);

// One bitmap per distinct key ever drawn; only Clear removes them.
class TButtonsBitmapCache {
public:
  TButtonsBitmapCache() = default;
  ~TButtonsBitmapCache() { Clear(); }
  TBitmap* GetButtonBitmap(TButtonBitmapKey Key);
  void Clear();
  int Count() const { return static_cast<int>(FEntries.size()); }

private:
  struct Entry {
    TButtonBitmapKey Key;
    std::unique_ptr<TBitmap> Bitmap;
  };
  std::vector<Entry> FEntries;
};

// The process-wide cache every button painting goes through.
TButtonsBitmapCache* EditButtonBitmapCache();
// Empties the cache (after a system colour change).
void ResetButtonBitmapCache();

// Paints one button face (or check box) into Rect. Color is the colour of the
// surrounding surface; PressedPart 0 none, 1 whole or upper half, 2 lower half;
// CheckState 0 unchecked, 1 checked, 2 grayed.
void DrawEditButtonGx(win::HDC DC, win::RECT Rect, TColor Color, TButtonDrawKind DrawKind, int PressedPart,
                      bool Flat, bool Active, bool Enabled, int CheckState);

// Two thirds of the screen font's height, odd, at most the width of a scroll bar.
int ComputeFlatButtonWidth();
// The same from a font height (tmHeight) and the scroll-bar width.
int FlatButtonWidthFor(int FontHeight, int ScrollBarWidth);
extern int DefaultFlatButtonWidth;
extern int DefaultCheckBoxWidth;
extern int DefaultCheckBoxHeight;

// Narrows a device context's drawing to a rectangle while it lives, then puts the previous
// clip region (or none) back.
class TClipRectGuard {
public:
  TClipRectGuard(win::HDC DC, const win::RECT& R);
  ~TClipRectGuard();
  TClipRectGuard(const TClipRectGuard&) = delete;
  TClipRectGuard& operator=(const TClipRectGuard&) = delete;

private:
  win::HDC FDC;
  win::HRGN FSaved;
  bool FHadClip = false;
};

// Draws image Index of ImageList centred in Rect, clipped to it.
void DrawImageInRect(win::HDC DC, const win::RECT& Rect, TCustomImageList* ImageList, bool Selected, int Index);
