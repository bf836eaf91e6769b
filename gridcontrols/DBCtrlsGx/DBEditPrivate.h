#pragma once
// The state the data-aware edit's parts share. Only the edit's own sources include this.
#include <memory>
#include <string>

#include "gridcontrols/DBCtrlsGx/DBEdit.h"
#include "gridcontrols/ToolCtrlsGx/EditButtonStrip.h"
#include "gridcontrols/ToolCtrlsGx/MRUDropDown.h"
#include "gridcontrols/ToolCtrlsGx/PopupHost.h"
#include "platform/graphics/Graphics.h"

struct TCustomDBEditGx::TState {
  explicit TState(TCustomDBEditGx* Edit)
      : FButtons(Edit, TEditButtonStripGx::TItemSenderGx::Item),
        FPopups(Edit, FButtons),
        FRecent(Edit, {.KeepsUserWidth = false, .ClosesOnKeys = true, .TakesWheel = true}) {}

  TEditButtonStripGx FButtons;
  TPopupHostGx FPopups;
  TMRUDropDownGx FRecent;
  bool FAlwaysShowBorder = false;
  TAssignedEditPropsGx FAssignedProps;
  std::unique_ptr<TControlCanvas> FPaintCanvas;
  std::string FPendingCharText;
  std::unique_ptr<TEditButtonGx> FMainButton;
  std::unique_ptr<TEditButtonsGx> FEditButtons;
  std::unique_ptr<TEditImageGx> FImageSettings;
  bool FFlat = false;
  std::unique_ptr<TMRUListGx> FMRUList;
  TButtonClickEventGx FOnMainButtonClick;
  TButtonDownEventGx FOnMainButtonDown;
  TUpdateDataEventGx FOnUpdateData;
  bool FReadOnlyProp = false;
  bool FWantTabs = false;
  bool FWantReturns = false;
  bool FWordWrap = false;
  TAlignment FAlignment = taLeftJustify;
  bool FBorderIsActive = false;
  std::unique_ptr<TFieldDataLinkGx> FFieldLink;
  bool FPostingData = false;
  bool FHasFocus = false;
  int FImageAreaWidth = 0;
  TWinControl* FInplaceEditHolder = nullptr;
  bool FInPlace = false;
  IInplaceEditHolderGx* FHolderInterface = nullptr;
  bool FMouseOver = false;
  bool FTypedChange = false;
  bool FStoringText = false;
  bool FInPlaceFocusing = false;
  int FMessageDepth = 0;
  bool FDestroying = false;
};
