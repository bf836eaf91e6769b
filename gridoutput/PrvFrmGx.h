#pragma once
// TPreviewFormGx: the print preview window. A tool bar (print, printer set-up, zoom,
// previous and next page with auto-repeat, stop, close), the preview box and a status
// line; made once by SharedPrinterPreview and hidden, not freed, when closed.
#include "gridoutput/PrViewGx.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/graphics/ImageList.h"

// The status line's format and the caption's ending.
inline constexpr const char* SPreviewPageOf = "Page %d of %d";
inline constexpr const char* SPreviewCaption = "预览";

class TPreviewFormGx : public TForm {
  VANTREL_CLASS(TPreviewFormGx, TForm)
public:
  explicit TPreviewFormGx(TComponent* AOwner) : TForm(AOwner) {}

  TToolBar* tbrMain = nullptr;
  TToolButton* tbtPrint = nullptr;
  TToolButton* tbtPrinterSetupDialog = nullptr;
  TToolButton* tbtScale = nullptr;
  TToolButton* tbtPrevPage = nullptr;
  TToolButton* tbtNextPage = nullptr;
  TToolButton* tbStop = nullptr;
  TToolButton* tbClose = nullptr;
  TSplitter* Splitter = nullptr;
  TPreviewBox* PreviewGx1 = nullptr;
  TStatusBar* stbMain = nullptr;
  TImageList* imlMain = nullptr;
  TPopupMenu* pmnScale = nullptr;
  TTimer* Timer1 = nullptr;

  void FormCreate(TObject* Sender);
  void tbtPrintClick(TObject* Sender);
  void tbtPrinterSetupDialogClick(TObject* Sender);
  void tbtScaleClick(TObject* Sender);
  void mniScaleClick(TObject* Sender);
  void tbtPrevPageClick(TObject* Sender);
  void tbtNextPageClick(TObject* Sender);
  void tbtPrevPageMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void tbtNextPageMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void tbtPrevPageMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void tbtNextPageMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Timer1Timer(TObject* Sender);
  void tbStopClick(TObject* Sender);
  void tbCloseClick(TObject* Sender);
  void FormKeyDown(TObject* Sender, win::WORD& Key, TShiftState Shift);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void PreviewGx1OpenPreviewer(TObject* Sender);
  void PreviewGx1PrinterPreviewChanged(TObject* Sender);
  // Switches the tool bar between captions, images, and both by the height dragged to.
  void SplitterCanResize(TObject* Sender, int& NewSize, bool& Accept);

  // The page button held down for auto-repeat, or none.
  TToolButton* RepeatButton = nullptr;
  // A close was asked while pages were still being produced.
  bool ClosePending = false;

  static void Publish(TClassBuilder<TPreviewFormGx>& b);

private:
  void StartRepeat(TToolButton* Button);
  void StopRepeat();
  // The zoom items in their order (Tag = view mode).
  TMenuItem* ScaleItem(int ViewMode) const;
};

// Registers the preview's classes for reading its form description.
void RegisterPreviewClasses();
