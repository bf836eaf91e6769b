// The preview box: its page, view mode, layout of the paper and the print commands.
#include <algorithm>
#include <cstdint>

#include "gridoutput/PrViewGx.h"
#include "platform/desktop/Windows.h"
#include "platform/controls/Forms.h"
#include "platform/controls/PrintDialogs.h"
#include "platform/rtl/ScopeExit.h"

namespace {
constexpr int kZoom[8] = {500, 200, 150, 100, 75, 50, 25, 10};

// The dialogs and the printing work on the preview's printer while the guard lives.
struct PrinterExchange {
  TPrinter* Previous;
  explicit PrinterExchange(TPrinter* Own) : Previous(ExchangePrinterObject(Own)) {}
  ~PrinterExchange() { ExchangePrinterObject(Previous); }
};
}  // namespace

void TPreviewBox::Publish(TClassBuilder<TPreviewBox>& b) {
  b.Property("OnOpenPreviewer", &TPreviewBox::OnOpenPreviewer, &TPreviewBox::SetOnOpenPreviewer);
  b.Property("OnPrinterPreviewChanged", &TPreviewBox::OnPrinterPreviewChanged,
             &TPreviewBox::SetOnPrinterPreviewChanged);
}

TPreviewBox::TPreviewBox(TComponent* AOwner)
    : TScrollBox(AOwner), FPrinterPreview(std::make_unique<TPrinterPreview>()) {
  FControlStyle -= csAcceptsControls;
  FShadow = new TPanel(this);
  FShadow->SetParent(this);
  FShadow->SetBevelOuter(bvNone);
  FShadow->SetColor(TColor(win::RGB(64, 64, 64)));
  FShadow->SetEnabled(false);
  FShadow->SetTabOrder(0);
  FShadow->SetCaption("");
  FPaper = new TDrawPanel(this);
  FPaper->SetParent(this);
  FPaper->SetBounds(8, 8, FPaper->Width(), FPaper->Height());
  FPrinterPreview->AttachBox(this);
  HorzScrollBar()->SetTracking(true);
  VertScrollBar()->SetTracking(true);
}

TPreviewBox::~TPreviewBox() {
  Destroying();
  if (FPrintComponent) FPrintComponent->RemoveFreeNotification(this);
  FPrinterPreview.reset();
}

void TPreviewBox::CreateParams(TCreateParams& Params) {
  TScrollBox::CreateParams(Params);
  Params.Style |= win::WS_CLIPCHILDREN;
}

void TPreviewBox::PreviewChanged(TObject* Sender) {
  if (FOnPrinterPreviewChanged) FOnPrinterPreviewChanged(Sender);
}

void TPreviewBox::SetPageIndex(int Value) {
  Value = std::max(Value, 1);
  Value = std::min(Value, FPageCount);
  if (Value == FPageIndex) return;
  FPageIndex = Value;
  RepaintPage();
  PreviewChanged(this);
}

void TPreviewBox::SetViewMode(int Value) {
  Value = std::clamp(Value, 0, 9);
  if (Value != FViewMode) {
    FViewMode = Value;
    LayoutPage();
  }
  PreviewChanged(this);
}

void TPreviewBox::SetPrintComponent(TComponent* Value) {
  if (Value == FPrintComponent) return;
  if (FPrintComponent) FPrintComponent->RemoveFreeNotification(this);
  FPrintComponent = Value;
  if (Value) Value->FreeNotification(this);
  PreviewChanged(this);
}

void TPreviewBox::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPrintComponent) SetPrintComponent(nullptr);
}

void TPreviewBox::RepaintPage() {
  Invalidate();
  FPaper->Invalidate();
}

int TPreviewBox::FormPixelsPerInch() const {
  TCustomForm* f = GetParentForm(const_cast<TPreviewBox*>(this));
  return f ? f->PixelsPerInch() : Screen->PixelsPerInch();
}

// All sizes in integer pixels with 64-bit products, at least 1 pixel.
void TPreviewBox::LayoutPage() {
  TPrinterPreview* pp = FPrinterPreview.get();
  win::HDC dc = pp->DeviceContext();
  const std::int64_t printable = pp->PrintableWidth();
  const std::int64_t logX = std::max(1, win::GetDeviceCaps(dc, win::LOGPIXELSX));
  const std::int64_t horz = std::max(1, win::GetDeviceCaps(dc, win::HORZSIZE));
  const std::int64_t vert = std::max(1, win::GetDeviceCaps(dc, win::VERTSIZE));
  const std::int64_t ppi = FormPixelsPerInch();
  // The client area is read once the ranges are set: they show or hide the scroll bars.
  int cw = 0, ch = 0;
  auto client = [&] {
    cw = ClientWidth();
    ch = ClientHeight();
  };
  auto size = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, 1, 1 << 28)); };
  int w = 1, h = 1, left = 8, top = 8;
  HorzScrollBar()->SetPosition(0);
  VertScrollBar()->SetPosition(0);
  if (FViewMode <= 7) {
    const std::int64_t z = kZoom[FViewMode];
    w = size(z * printable * ppi / logX / 100);
    h = size(std::int64_t(w) * vert / horz);
    VertScrollBar()->SetRange(h + 16);
    HorzScrollBar()->SetRange(w + 16);
    client();
    left = w + 16 < cw ? (cw - w) / 2 : 8;
    top = h + 16 < ch ? (ch - h) / 2 : 8;
    FScalePercent = int(z);
  } else if (FViewMode == 8) {
    w = size(std::int64_t(Width()) - 20 - win::GetSystemMetrics(win::SM_CXVSCROLL));
    h = size(std::int64_t(w) * vert / horz);
    std::int64_t shown = std::max<std::int64_t>(1, printable * ppi / logX);
    FScalePercent = int(std::int64_t(w) * 100 / shown);
    VertScrollBar()->SetRange(h + 16);
    HorzScrollBar()->SetRange(0);
  } else {
    VertScrollBar()->SetRange(0);
    HorzScrollBar()->SetRange(0);
    client();
    h = size(std::int64_t(ch) - 16);
    w = size(std::int64_t(h) * horz / vert);
    if (w > cw - 16) {
      w = size(std::int64_t(cw) - 16);
      h = size(std::int64_t(w) * vert / horz);
    }
    left = (cw - w) / 2;
    top = (ch - h) / 2;
    FScalePercent = 100;
  }
  FPaper->Invalidate();
  FPaper->SetBounds(left, top, w, h);
  FShadow->SetBounds(left + 4, top + 4, w, h);
  // Scroll bars that came or went leave the frame to draw again.
  if (HandleAllocated()) win::RedrawWindow(Handle(), nullptr, nullptr, win::RDW_FRAME | win::RDW_INVALIDATE);
}

void TPreviewBox::Resize() {
  TScrollBox::Resize();
  if (!FPaper) return;
  if (FViewMode >= 8 || FPaper->Width() < ClientWidth() - 16 || FPaper->Height() < ClientHeight() - 16)
    LayoutPage();
}

void TPreviewBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_GETDLGCODE:
      Message.Result = win::DLGC_WANTARROWS;
      return;
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
    case win::WM_MBUTTONDOWN:
      if (CanFocus() && !Focused()) SetFocus();
      break;
    default:
      break;
  }
  TScrollBox::Dispatch(Message);
}

void TPreviewBox::PrintPages() {
  TPrinterPreview* pp = FPrinterPreview.get();
  // Pages still being recorded are not printed.
  if (pp->JobPrinting()) return;
  PrinterExchange exchange(pp->OwnPrinter());
  TPrintDialog dialog(Owner());
  dialog.SetOptions({poPageNums});
  dialog.SetMinPage(1);
  dialog.SetMaxPage(FPageCount);
  dialog.SetFromPage(1);
  dialog.SetToPage(FPageCount);
  if (!dialog.Execute() || FPageCount <= 0) return;
  TPrinter* printer = Printer();
  printer->SetTitle(pp->JobTitle());
  printer->BeginDoc();
  // A failed page leaves no job open.
  auto abandon = AtScopeExit([&] {
    if (printer->Printing()) printer->Abort();
  });
  for (int page = dialog.FromPage(); page <= dialog.ToPage(); ++page) {
    if (page > dialog.FromPage()) printer->NewPage();
    pp->PrintPage(printer->Canvas(), page);
  }
  printer->EndDoc();
}

void TPreviewBox::RunPrinterSetup() {
  PrinterExchange exchange(FPrinterPreview->OwnPrinter());
  if (FPrinterSetupCommand) {
    FPrinterSetupCommand(this);
    return;
  }
  TPrinterSetupDialog dialog(Owner());
  if (dialog.Execute()) LayoutPage();
}
