// Loading, window creation, removal notifications, scaling and the streaming of columns.
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/forms/Filer.h"
#include "platform/rtl/SysUtils.h"

void TCustomDBGridGx::Loaded() {
  TCustomGrid::Loaded();
  if (P->FColumns->Count() > 0) {
    SetColCount(P->FColumns->Count());
    if (P->FAutoFitColWidths && !ComponentState().Contains(csDesigning)) {
      P->FColumns->BeginUpdate();
      {
        auto guard = AtScopeExit([&] { P->FColumns->EndUpdate(); });
        for (int I = 0; I < P->FColumns->Count(); ++I) {
          TColumnGx* Column = P->FColumns->ColumnAt(I);
          Column->SetProportionalWidth(Column->Width());
        }
      }
      SetScrollBars(ssNone);
    }
    P->FColumns->RebuildSortedColumnList();
  }
  if (DataSource()) P->FSumList->FinishLoading();
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
  P->FEditButtonWidth = P->FFlat ? DefaultFlatButtonWidth + 1 : win::GetSystemMetrics(win::SM_CXVSCROLL);
  P->FEditButtonHeight =
      DefaultRowHeight() > Round(1.5 * P->FEditButtonWidth) ? P->FEditButtonWidth : DefaultRowHeight();
  if (P->FAutoFitColWidths) {
    RequestLayout();
  } else {
    RecountRows();
    SyncActiveRow();
  }
  UpdateVertScrollBar();
  P->FDefaultImeName = ImeName();
  P->FDefaultImeMode = ImeMode();
}

void TCustomDBGridGx::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomGrid::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent || ComponentState().Contains(csDestroying)) return;
  // The options menu is the grid's own, but another component may free it.
  if (AComponent == P->FOptionsMenu) P->FOptionsMenu = nullptr;
  ForgetRemovedComponent(AComponent);
}

// A component being freed is known here by its identity only: its own class part is
// already gone, so nothing may ask it what it is or call into it.
void TCustomDBGridGx::ForgetRemovedComponent(TComponent* AComponent) {
  if (AComponent && AComponent == P->FFilterEditor) {
    P->FFilterEditor = nullptr;
    P->FFilterEditing = false;
  }
  if (!P->FColumns) return;
  if (P->FMemTable && AComponent == P->FMemTableDataSet) {
    // Nothing of the dataset may be asked any more: the mode ends, the layout follows.
    P->FMemTable = nullptr;
    P->FMemTableDataSet = nullptr;
    PostDeferredLayout();
  }
  if (AComponent == P->FTitleImages) {
    // The list detached the change link itself.
    P->FTitleImages = nullptr;
    RequestLayout();
  }
  if (AComponent == DataSource()) SetDataSource(nullptr);
  // Popup menus, image lists and fields of the columns; the scroll-bar settings watch
  // their own bars.
  P->FColumns->ForgetComponent(AComponent);
  if (!P->FDataLink) return;
  // Columns still bound to a removed field are unbound and the layout rebuilt.
  LockLayout();
  bool Unbound = false;
  {
    auto release = AtScopeFailure([this] { ReleaseLayoutLock(); });
    Unbound = P->FColumns->UnbindField(reinterpret_cast<TField*>(AComponent));
  }
  TDataSet* DataSet = P->FDataLink->DataSet();
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
      P->FTitleFont->SetSize(MulDiv(P->FTitleFont->Size(), M, D));
      P->FFooterFont->SetSize(MulDiv(P->FFooterFont->Size(), M, D));
    }
    P->FColumns->BeginUpdate();
    auto guard = AtScopeExit([&] { P->FColumns->EndUpdate(); });
    int Sum = 0, Previous = 0;
    for (int I = 0; I < P->FColumns->Count(); ++I) {
      TColumnGx* Column = P->FColumns->ColumnAt(I);
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
bool TCustomDBGridGx::ColumnsStored() const { return P->FColumns->IsCustomized(); }

void TCustomDBGridGx::DefineProperties(TFiler* Filer) {
  TCustomGrid::DefineProperties(Filer);
  bool HasData = ColumnsStored();
  if (auto* Ancestor = dynamic_cast<TCustomDBGridGx*>(Filer->Ancestor())) {
    HasData = Ancestor->ColumnsStored() != ColumnsStored() ||
              !CollectionsEqual(P->FColumns.get(), Ancestor->Columns(), Filer->Root(), Filer->LookupRoot());
  }
  Filer->DefineProperty(
      "Columns", [this](TReader* Reader) { ReadColumns(Reader); },
      [this](TWriter* Writer) { WriteColumns(Writer); }, HasData);
}

void TCustomDBGridGx::ReadColumns(TReader* Reader) {
  P->FColumns->Clear();
  Reader->ReadValue();
  Reader->ReadCollection(P->FColumns.get());
}

void TCustomDBGridGx::WriteColumns(TWriter* Writer) { Writer->WriteCollection(P->FColumns.get()); }
