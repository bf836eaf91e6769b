// The program's one preview, the printer exchange and the preview's cursors.
#include "gridoutput/PrViewGx.h"
#include "gridoutput/PrvFrmGx.h"
#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"

namespace {
struct SharedPreview {
  TPreviewFormGx* Form = nullptr;
  TPrinterPreview* Preview = nullptr;
};
SharedPreview& Shared() {
  static SharedPreview s;
  return s;
}
}  // namespace

TPrinterPreview* SharedPrinterPreview() {
  SharedPreview& s = Shared();
  if (!s.Form) {
    s.Form = TCustomForm::Create<TPreviewFormGx>(Application);
    s.Preview = s.Form->PreviewGx1->PrinterPreview();
    // The application frees the window; forget it then.
    s.Form->SetOnDestroy([](TObject*) { Shared() = SharedPreview{}; });
  }
  return s.Preview;
}

TPrinter* ExchangePrinterObject(TPrinter* Value) { return SetPrinter(Value); }

TPrinter* CurrentPrinterObject() { return Printer(); }

TCursor InstallPreviewCursor(const std::string& ResourceName) {
  win::HCURSOR cursor = win::LoadCursor(nullptr, ResourceName.c_str());
  if (!cursor) throw EOutOfResources("Cannot load cursor resource");
  win::HCURSOR standard = Screen->Cursors(crArrow);
  for (TCursor i = 1; i <= 32767; ++i)
    if (Screen->Cursors(i) == standard) {
      Screen->SetCursors(i, cursor);
      return i;
    }
  throw EOutOfResources("Too many user-defined cursors");
}

namespace {
struct PreviewCursors {
  TCursor Magnifier = InstallPreviewCursor("MAGNIFIERGX");
  TCursor Hand = InstallPreviewCursor("HANDGX");
};
const PreviewCursors& Cursors() {
  static PreviewCursors c;
  return c;
}
}  // namespace

TCursor crMagnifierGx() { return Cursors().Magnifier; }
TCursor crHandGx() { return Cursors().Hand; }
