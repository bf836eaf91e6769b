// The recording of drawing operations and PNG snapshots.
#include "platform/graphics/gdi/GdiInternal.h"

namespace win::gdi {
namespace {
struct Recorder {
  bool on = false;
  std::vector<DrawOp> ops;
};
Recorder& Rec() {
  static Recorder r;
  return r;
}

}  // namespace

void RecordOp(const DrawOp& op) { Rec().ops.push_back(op); }

}  // namespace win::gdi

namespace win {
using namespace gdi;

void StartDrawRecording() { Rec().on = true; }
void StopDrawRecording() { Rec().on = false; }
bool DrawRecordingOn() { return Rec().on; }
void ClearDrawRecording() { Rec().ops.clear(); }
const std::vector<DrawOp>& DrawRecording() { return Rec().ops; }

std::vector<DrawOp> RecordedOps(DrawKind kind, HWND window) {
  std::vector<DrawOp> out;
  for (const DrawOp& op : Rec().ops)
    if (op.kind == kind && (!window || op.window == window)) out.push_back(op);
  return out;
}

std::vector<std::string> RecordedTexts(HWND window) {
  std::vector<std::string> out;
  for (const DrawOp& op : Rec().ops)
    if (op.kind == DrawKind::Text && (!window || op.window == window)) out.push_back(op.text);
  return out;
}

bool SaveBitmapPng(HBITMAP bmp, const std::string& fileName) {
  BitmapObj* b = FindBitmap(bmp);
  if (!b) return false;
  cairo_surface_t* sub = cairo_surface_create_for_rectangle(b->surface, 0, 0, std::max(1, b->width),
                                                            std::max(1, b->height));
  bool ok = cairo_surface_write_to_png(sub, fileName.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sub);
  return ok;
}

bool SaveDCPng(HDC hdc, const std::string& fileName) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !dc->surface || cairo_surface_get_type(dc->surface) != CAIRO_SURFACE_TYPE_IMAGE) return false;
  cairo_surface_t* sub = cairo_surface_create_for_rectangle(dc->surface, dc->origin.x, dc->origin.y,
                                                            std::max(1, dc->width), std::max(1, dc->height));
  bool ok = cairo_surface_write_to_png(sub, fileName.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sub);
  return ok;
}

}  // namespace win
