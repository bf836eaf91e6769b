#include "gridoutput/PrvFrmGx.h"

#include "platform/desktop/Windows.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

void TPreviewFormGx::Publish(TClassBuilder<TPreviewFormGx>& b) {
  b.Field("tbrMain", &TPreviewFormGx::tbrMain);
  b.Field("tbtPrint", &TPreviewFormGx::tbtPrint);
  b.Field("tbtPrinterSetupDialog", &TPreviewFormGx::tbtPrinterSetupDialog);
  b.Field("tbtScale", &TPreviewFormGx::tbtScale);
  b.Field("tbtPrevPage", &TPreviewFormGx::tbtPrevPage);
  b.Field("tbtNextPage", &TPreviewFormGx::tbtNextPage);
  b.Field("tbStop", &TPreviewFormGx::tbStop);
  b.Field("tbClose", &TPreviewFormGx::tbClose);
  b.Field("Splitter", &TPreviewFormGx::Splitter);
  b.Field("PreviewGx1", &TPreviewFormGx::PreviewGx1);
  b.Field("stbMain", &TPreviewFormGx::stbMain);
  b.Field("imlMain", &TPreviewFormGx::imlMain);
  b.Field("pmnScale", &TPreviewFormGx::pmnScale);
  b.Field("Timer1", &TPreviewFormGx::Timer1);
  b.Method("FormCreate", &TPreviewFormGx::FormCreate);
  b.Method("tbtPrintClick", &TPreviewFormGx::tbtPrintClick);
  b.Method("tbtPrinterSetupDialogClick", &TPreviewFormGx::tbtPrinterSetupDialogClick);
  b.Method("tbtScaleClick", &TPreviewFormGx::tbtScaleClick);
  b.Method("mniScaleClick", &TPreviewFormGx::mniScaleClick);
  b.Method("tbtPrevPageClick", &TPreviewFormGx::tbtPrevPageClick);
  b.Method("tbtNextPageClick", &TPreviewFormGx::tbtNextPageClick);
  b.Method("tbtPrevPageMouseDown", &TPreviewFormGx::tbtPrevPageMouseDown);
  b.Method("tbtNextPageMouseDown", &TPreviewFormGx::tbtNextPageMouseDown);
  b.Method("tbtPrevPageMouseUp", &TPreviewFormGx::tbtPrevPageMouseUp);
  b.Method("tbtNextPageMouseUp", &TPreviewFormGx::tbtNextPageMouseUp);
  b.Method("Timer1Timer", &TPreviewFormGx::Timer1Timer);
  b.Method("tbStopClick", &TPreviewFormGx::tbStopClick);
  b.Method("tbCloseClick", &TPreviewFormGx::tbCloseClick);
  b.Method("FormKeyDown", &TPreviewFormGx::FormKeyDown);
  b.Method("FormClose", &TPreviewFormGx::FormClose);
  b.Method("PreviewGx1OpenPreviewer", &TPreviewFormGx::PreviewGx1OpenPreviewer);
  b.Method("PreviewGx1PrinterPreviewChanged", &TPreviewFormGx::PreviewGx1PrinterPreviewChanged);
}

void RegisterPreviewClasses() {
  RegisterClasses({TPreviewFormGx::StaticClass(), TPreviewBox::StaticClass(), TImageList::StaticClass()});
}

void TPreviewFormGx::FormCreate(TObject*) {
  Splitter->SetOnCanResize(MakeEvent(this, &TPreviewFormGx::SplitterCanResize));
  Splitter->SetResizeStyle(rsUpdate);
  // The pictures of the tool bar's image modes, when the program has them.
  if (imlMain->Count() == 0 && FindResource("BITMAP", "PREVIEWTOOLSGX")) {
    TBitmap strip;
    strip.LoadFromResourceName(nullptr, "PREVIEWTOOLSGX");
    imlMain->AddMasked(&strip, clFuchsia);
  }
}

void TPreviewFormGx::tbtPrintClick(TObject*) { PreviewGx1->PrintPages(); }

void TPreviewFormGx::tbtPrinterSetupDialogClick(TObject*) { PreviewGx1->RunPrinterSetup(); }

void TPreviewFormGx::tbtScaleClick(TObject*) {
  win::POINT p = tbtScale->ClientToScreen({0, tbtScale->Height()});
  pmnScale->Popup(p.x, p.y);
}

void TPreviewFormGx::mniScaleClick(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item) return;
  item->SetChecked(true);
  PreviewGx1->SetViewMode(int(item->Tag()));
  PreviewGx1->LayoutPage();
}

// A click that ends an auto-repeat (the interval is then 100 ms) steps no further.
void TPreviewFormGx::tbtPrevPageClick(TObject* Sender) {
  if (Sender && Timer1->Interval() == 100) return;
  PreviewGx1->SetPageIndex(PreviewGx1->PageIndex() - 1);
}

void TPreviewFormGx::tbtNextPageClick(TObject* Sender) {
  if (Sender && Timer1->Interval() == 100) return;
  PreviewGx1->SetPageIndex(PreviewGx1->PageIndex() + 1);
}

void TPreviewFormGx::StartRepeat(TToolButton* Button) {
  Timer1->SetInterval(400);
  Timer1->SetEnabled(true);
  RepeatButton = Button;
}

void TPreviewFormGx::StopRepeat() {
  Timer1->SetEnabled(false);
  RepeatButton = nullptr;
}

void TPreviewFormGx::tbtPrevPageMouseDown(TObject*, TMouseButton, TShiftState, int, int) { StartRepeat(tbtPrevPage); }
void TPreviewFormGx::tbtNextPageMouseDown(TObject*, TMouseButton, TShiftState, int, int) { StartRepeat(tbtNextPage); }
void TPreviewFormGx::tbtPrevPageMouseUp(TObject*, TMouseButton, TShiftState, int, int) { StopRepeat(); }
void TPreviewFormGx::tbtNextPageMouseUp(TObject*, TMouseButton, TShiftState, int, int) { StopRepeat(); }

void TPreviewFormGx::Timer1Timer(TObject*) {
  Timer1->SetInterval(100);
  if (!RepeatButton || !RepeatButton->MouseCapture()) return;
  auto stop = AtScopeFailure([this] { Timer1->SetEnabled(false); });
  if (RepeatButton->OnClick()) RepeatButton->OnClick()(nullptr);
}

void TPreviewFormGx::tbStopClick(TObject*) { PreviewGx1->PrinterPreview()->AbortJob(); }

void TPreviewFormGx::tbCloseClick(TObject*) { Close(); }

void TPreviewFormGx::FormKeyDown(TObject*, win::WORD& Key, TShiftState) {
  if (Key != win::VK_ESCAPE) return;
  if (PreviewGx1->PrinterPreview()->JobPrinting()) PreviewGx1->PrinterPreview()->AbortJob();
  else Close();
}

void TPreviewFormGx::FormClose(TObject*, TCloseAction& Action) {
  TPrinterPreview* pp = PreviewGx1->PrinterPreview();
  if (pp->JobPrinting()) {
    pp->AbortJob();
    ClosePending = true;
    Action = caNone;
    return;
  }
  Action = caHide;
}

void TPreviewFormGx::PreviewGx1OpenPreviewer(TObject*) {
  if (WindowState() == wsMinimized) SetWindowState(wsNormal);
  BringToFront();
  if (!Visible()) Show();
}

TMenuItem* TPreviewFormGx::ScaleItem(int ViewMode) const {
  for (int i = 0; i < pmnScale->Items()->Count(); ++i)
    if (pmnScale->Items()->Items(i)->Tag() == ViewMode) return pmnScale->Items()->Items(i);
  return nullptr;
}

void TPreviewFormGx::PreviewGx1PrinterPreviewChanged(TObject*) {
  TPrinterPreview* pp = PreviewGx1->PrinterPreview();
  const bool printing = pp->JobPrinting();
  if (!printing && ClosePending) {
    ClosePending = false;
    Close();
  }
  tbStop->SetEnabled(printing);
  tbClose->SetEnabled(!printing);
  tbtPrint->SetEnabled(!printing && pp->PrinterNames()->Count() > 0);
  tbtPrinterSetupDialog->SetEnabled(!printing && PreviewGx1->PrinterSetupCommand() && PreviewGx1->PrintComponent());
  tbtPrevPage->SetEnabled(PreviewGx1->PageIndex() > 1);
  tbtNextPage->SetEnabled(PreviewGx1->PageIndex() < PreviewGx1->PageCount());
  stbMain->SetSimpleText(Format(SPreviewPageOf, PreviewGx1->PageIndex(), PreviewGx1->PageCount()));
  if (TMenuItem* item = ScaleItem(PreviewGx1->ViewMode())) item->SetChecked(true);
  SetCaption(pp->JobTitle() + " - " + SPreviewCaption);
}

void TPreviewFormGx::SplitterCanResize(TObject*, int& NewSize, bool&) {
  const bool images = tbrMain->Images() != nullptr;
  const bool captions = tbrMain->ShowCaptions();
  auto imagesOnly = [&] {
    tbrMain->SetShowCaptions(false);
    tbrMain->SetImages(imlMain);
    tbrMain->SetButtonWidth(39);
    tbrMain->SetButtonHeight(38);
  };
  if (captions && !images && NewSize >= 41) {
    imagesOnly();
  } else if (images && !captions && NewSize >= 55) {
    tbrMain->SetShowCaptions(true);
  } else if (images && !captions && NewSize <= 24) {
    tbrMain->SetShowCaptions(true);
    tbrMain->SetImages(nullptr);
  } else if (images && captions && NewSize <= 41) {
    imagesOnly();
  }
}
