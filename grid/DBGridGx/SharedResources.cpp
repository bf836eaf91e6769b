#include "grid/DBGridGx/SharedResources.h"

#include <memory>

#include "grid/DBGridGx/ColumnInterceptors.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/Style.h"
#include "platform/rtl/ScopeExit.h"

namespace {

struct UnitState {
  int UseCount = 0;
  std::unique_ptr<TImageList> Indicators;
  std::unique_ptr<TImageList> SortMarkers;
  std::unique_ptr<TFont> SortIndex;
  std::unique_ptr<TDBGridGxDataService> DataService;
  win::HCURSOR Down = nullptr, Right = nullptr, Left = nullptr;
  TShortCut Search = 0, SearchNext = 0, SearchPrior = 0, PreviousValue = 0;
  int SearchTimeout = 1500;
  TColor SearchBack = 0x00FFFF;
  TColor SearchText = 0;
  std::string RegistryBase;
};

UnitState& State() {
  static UnitState s;
  return s;
}

constexpr TColor MaskWhite = 0xFFFFFF;
constexpr TColor MaskTeal = 0x808000;
constexpr TColor MaskFuchsia = 0xFF00FF;

void LoadBitmap(TBitmap& Bitmap, const char* Name) { Bitmap.LoadFromResourceName(nullptr, Name); }

void ReleaseAll() {
  UnitState& s = State();
  for (win::HCURSOR* c : {&s.Down, &s.Right, &s.Left}) {
    if (*c) win::DestroyCursor(*c);
    *c = nullptr;
  }
  s.Indicators.reset();
  s.SortMarkers.reset();
  s.SortIndex.reset();
  FreeUnitGridStyle();
  s.DataService.reset();
  s.RegistryBase.clear();
}

}  // namespace

TImageList* IndicatorImages() { return State().Indicators.get(); }
TImageList* SortMarkerImages() { return State().SortMarkers.get(); }
TFont* SortIndexFont() { return State().SortIndex.get(); }
TDBGridGxDataService* DBGridGxDataService() { return State().DataService.get(); }
win::HCURSOR DownCursorGx() { return State().Down; }
win::HCURSOR RightCursorGx() { return State().Right; }
win::HCURSOR LeftCursorGx() { return State().Left; }
TShortCut SearchShortCut() { return State().Search; }
TShortCut SearchNextShortCut() { return State().SearchNext; }
TShortCut SearchPriorShortCut() { return State().SearchPrior; }
TShortCut PreviousValueShortCut() { return State().PreviousValue; }
int DefaultSearchTimeout() { return State().SearchTimeout; }
TColor SearchColor() { return State().SearchBack; }
void SetSearchColor(TColor Value) { State().SearchBack = Value; }
TColor SearchTextColor() { return State().SearchText; }
const std::string& GridLayoutRegistryBase() { return State().RegistryBase; }
void SetGridLayoutRegistryBase(const std::string& Value) { State().RegistryBase = Value; }
int DBGridGxUnitUseCount() { return State().UseCount; }

void StartDBGridGxUnit() {
  UnitState& s = State();
  if (s.UseCount > 0) {
    ++s.UseCount;
    return;
  }
  // A failed start leaves nothing behind, so a later start can try again.
  auto releaseOnFailure = AtScopeFailure([] { ReleaseAll(); });
  RegisterColumnInterceptors();
  s.RegistryBase = GridLayoutRegistryPath;
  RegisterDBGridGxClasses();
  MakeUnitGridStyle();
  s.DataService = std::make_unique<TDBGridGxDataService>();

  s.SortIndex = std::make_unique<TFont>();
  {
    TBitmap Marker;
    LoadBitmap(Marker, "DBSMDOWNGX");
    s.SortIndex->SetHeight(1 - Marker.Height());
    s.SortIndex->SetName("Arial");
  }

  for (auto [Slot, Name] : {std::pair{&s.Down, "DOWNCURGX"}, std::pair{&s.Right, "RIGHTCURGX"},
                            std::pair{&s.Left, "LEFTCURGX"}}) {
    *Slot = win::LoadCursor(nullptr, Name);
    if (!*Slot) throw EOutOfResources("Cannot load cursor resource");
  }

  s.Search = ShortCut('F', TShiftState{ssCtrl});
  s.SearchNext = ShortCut(win::VK_RETURN, TShiftState{ssCtrl});
  s.SearchPrior = ShortCut(win::VK_RETURN, TShiftState{ssCtrl, ssShift});
  s.PreviousValue = ShortCut(222, TShiftState{ssCtrl});
  s.SearchTimeout = 1500;
  s.SearchBack = 0x00FFFF;
  s.SearchText = 0;

  BuildGridImageLists();
  s.UseCount = 1;
}

void FinishDBGridGxUnit() {
  UnitState& s = State();
  if (s.UseCount == 0) return;
  if (--s.UseCount == 0) ReleaseAll();
}

void BuildGridImageLists() {
  UnitState& s = State();
  TBitmap Work;
  LoadBitmap(Work, "DBGARROWGX");
  s.Indicators = std::make_unique<TImageList>(Work.Width(), Work.Height());
  s.Indicators->AddMasked(&Work, MaskWhite);
  for (const char* Name : {"DBEDITGX", "DBINSERTGX", "DBMULTIDOTGX", "DBMULTIARROWGX"}) {
    LoadBitmap(Work, Name);
    s.Indicators->AddMasked(&Work, MaskWhite);
  }
  LoadBitmap(Work, "DBGARROWGXW");
  s.Indicators->AddMasked(&Work, MaskTeal);
  BuildSearchIndicatorImage();

  LoadBitmap(Work, "DBSMDOWNGX");
  s.SortMarkers = std::make_unique<TImageList>(Work.Width(), Work.Height());
  s.SortMarkers->AddMasked(&Work, MaskFuchsia);
  LoadBitmap(Work, "DBSMUPGX");
  s.SortMarkers->AddMasked(&Work, MaskFuchsia);
}

void BuildSearchIndicatorImage() {
  UnitState& s = State();
  if (!s.Indicators) return;
  TBitmap Arrow;
  LoadBitmap(Arrow, "DBGARROWGXW");
  TImageList Temp(Arrow.Width(), Arrow.Height());
  Temp.SetBkColor(s.SearchBack);
  // Teal is the mask colour of the indicator list: keep the background visible.
  if (ColorToRGB(Temp.BkColor()) == ColorToRGB(MaskTeal)) Temp.SetBkColor(static_cast<TColor>(win::RGB(0, 127, 127)));
  Temp.AddMasked(&Arrow, MaskWhite);
  Temp.GetBitmap(0, &Arrow);
  if (s.Indicators->Count() == 7) s.Indicators->Delete(6);
  s.Indicators->AddMasked(&Arrow, MaskTeal);
}
