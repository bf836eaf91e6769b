// Loading, window creation, removal notifications, scaling and the streaming of columns.
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/forms/Filer.h"
#include "platform/rtl/SysUtils.h"

void TCustomDBGridGx::Loaded() {
  TCustomGrid::Loaded();
  if (FColumns->Count() > 0) {
    SetColCount(FColumns->Count());
    if (FAutoFitColWidths && !ComponentState().Contains(csDesigning)) {
      FColumns->BeginUpdate();
      {
        auto guard = AtScopeExit([&] { FColumns->EndUpdate(); });
        for (int I = 0; I < FColumns->Count(); ++I) {
          TColumnGx* Column = FColumns->ColumnAt(I);
          Column->SetProportionalWidth(Column->Width());
        }
      }
      SetScrollBars(ssNone);
    }
    FColumns->RebuildSortedColumnList();
  }
  if (DataSource()) FSumList->FinishLoading();
  RequestLayout();
  LockLayout();
  UnlockLayoutDeferred();
}

void TCustomDBGridGx::CreateParams(TCreateParams& Params) {
  TCustomGrid::CreateParams(Params);
  AdjustCreateParams(Params);
}

void TCustomDBGridGx::CreateWnd() { CreateGridWindow(); }

void TCustomDBGridGx::CreateGridWindow() {
  LockUpdates();
  {
    auto guard = AtScopeExit([&] { UnlockUpdates(); });
    TCustomGrid::CreateWnd();
  }
  FEditButtonWidth = FFlat ? DefaultFlatButtonWidth + 1 : win::GetSystemMetrics(win::SM_CXVSCROLL);
  FEditButtonHeight =
      DefaultRowHeight() > Round(1.5 * FEditButtonWidth) ? FEditButtonWidth : DefaultRowHeight();
  if (FAutoFitColWidths) {
    RequestLayout();
  } else {
    RecountRows();
    SyncActiveRow();
  }
  UpdateVertScrollBar();
  FDefaultImeName = ImeName();
  FDefaultImeMode = ImeMode();
}

void TCustomDBGridGx::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomGrid::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent || ComponentState().Contains(csDestroying)) return;
  // The options menu is the grid's own, but another component may free it.
  if (AComponent == FOptionsMenu) FOptionsMenu = nullptr;
  ForgetRemovedComponent(AComponent);
}

// A component being freed is known here by its identity only: its own class part is
// already gone, so nothing may ask it what it is or call into it.
void TCustomDBGridGx::ForgetRemovedComponent(TComponent* AComponent) {
  if (AComponent && AComponent == FFilterEditor) {
    FFilterEditor = nullptr;
    FFilterEditing = false;
  }
  if (!FColumns) return;
  if (FMemTable && AComponent == FMemTableDataSet) {
    // Nothing of the dataset may be asked any more: the mode ends, the layout follows.
    FMemTable = nullptr;
    FMemTableDataSet = nullptr;
    PostDeferredLayout();
  }
  if (AComponent == FTitleImages) {
    // The list detached the change link itself.
    FTitleImages = nullptr;
    RequestLayout();
  }
  if (AComponent == DataSource()) SetDataSource(nullptr);
  // Popup menus, image lists and fields of the columns; the scroll-bar settings watch
  // their own bars.
  FColumns->ForgetComponent(AComponent);
  if (!FDataLink) return;
  // Columns still bound to a removed field are unbound and the layout rebuilt.
  LockLayout();
  bool Unbound = false;
  try {
    Unbound = FColumns->UnbindField(reinterpret_cast<TField*>(AComponent));
  } catch (...) {
    ReleaseLayoutLock();
    throw;
  }
  TDataSet* DataSet = FDataLink->DataSet();
  if (!Unbound) ReleaseLayoutLock();
  else if (DataSet && DataSet->ControlsDisabled()) UnlockLayoutDeferred();
  else UnlockLayout();
}

void TCustomDBGridGx::ChangeScale(int M, int D) {
  const TScalingFlags Flags = ScalingFlags();
  const bool ScaleFonts = Flags.Empty() || Flags.Contains(sfFont) || !ComponentState().Contains(csLoading);
  if (M != D && D != 0 && ScaleFonts) {
    if (!ParentFont()) {
      // Each font keeps its own size, scaled.
      FTitleFont->SetSize(MulDiv(FTitleFont->Size(), M, D));
      FFooterFont->SetSize(MulDiv(FFooterFont->Size(), M, D));
    }
    FColumns->BeginUpdate();
    auto guard = AtScopeExit([&] { FColumns->EndUpdate(); });
    int Sum = 0, Previous = 0;
    for (int I = 0; I < FColumns->Count(); ++I) {
      TColumnGx* Column = FColumns->ColumnAt(I);
      const TColumnGxValues Assigned = Column->AssignedValues();
      if (Assigned.Contains(cvFont)) Column->Font()->SetSize(MulDiv(Column->Font()->Size(), M, D));
      if (Assigned.Contains(cvTitleFont))
        Column->Title()->Font()->SetSize(MulDiv(Column->Title()->Font()->Size(), M, D));
      auto ScaleFooter = [M, D](TColumnFooterGx* Footer) {
        if (Footer->AssignedValues().Contains(fvFont)) Footer->Font()->SetSize(MulDiv(Footer->Font()->Size(), M, D));
      };
      ScaleFooter(Column->Footer());
      for (int F = 0; F < Column->Footers()->Count(); ++F) ScaleFooter(Column->Footers()->Items(F));
      Sum += Column->Width();
      const int Scaled = MulDiv(Sum, M, D);
      Column->SetWidth(Scaled - Previous);
      Previous = Scaled;
    }
  }
  TCustomGrid::ChangeScale(M, D);
}

// Streaming of columns: one custom entry "Columns", stored when the columns are the
// grid's own (not the automatic ones made from the fields).
bool TCustomDBGridGx::ColumnsStored() const { return FColumns->IsCustomized(); }

void TCustomDBGridGx::DefineProperties(TFiler* Filer) {
  TCustomGrid::DefineProperties(Filer);
  bool HasData = ColumnsStored();
  if (auto* Ancestor = dynamic_cast<TCustomDBGridGx*>(Filer->Ancestor())) {
    HasData = Ancestor->ColumnsStored() != ColumnsStored() ||
              !CollectionsEqual(FColumns.get(), Ancestor->Columns(), Filer->Root(), Filer->LookupRoot());
  }
  Filer->DefineProperty(
      "Columns", [this](TReader* Reader) { ReadColumns(Reader); },
      [this](TWriter* Writer) { WriteColumns(Writer); }, HasData);
}

void TCustomDBGridGx::ReadColumns(TReader* Reader) {
  FColumns->Clear();
  Reader->ReadValue();
  Reader->ReadCollection(FColumns.get());
}

void TCustomDBGridGx::WriteColumns(TWriter* Writer) { Writer->WriteCollection(FColumns.get()); }
