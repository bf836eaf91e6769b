// Printer (PDF) device contexts and enhanced metafiles.
#include <cairo-pdf.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <cmath>

#include "platform/graphics/gdi/GdiInternal.h"

namespace win {
using namespace gdi;

namespace {
constexpr int kPrinterDpi = 600;
}

HDC CreatePdfDC(const std::string& fileName, double pageWidthMM, double pageHeightMM, double marginMM) {
  if (pageWidthMM <= 0 || pageHeightMM <= 0 || marginMM < 0 || 2 * marginMM >= std::min(pageWidthMM, pageHeightMM))
    return nullptr;
  PrinterPage page;
  page.dpi = kPrinterDpi;
  page.sheetWidth = int(std::lround(pageWidthMM / 25.4 * kPrinterDpi));
  page.sheetHeight = int(std::lround(pageHeightMM / 25.4 * kPrinterDpi));
  page.offsetX = page.offsetY = int(std::lround(marginMM / 25.4 * kPrinterDpi));
  page.width = page.sheetWidth - 2 * page.offsetX;
  page.height = page.sheetHeight - 2 * page.offsetY;
  return CreatePdfDC(fileName, page);
}

namespace {
bool PageFits(const PrinterPage& p) {
  return p.dpi > 0 && p.width > 0 && p.height > 0 && p.offsetX >= 0 && p.offsetY >= 0 &&
         p.offsetX + p.width <= p.sheetWidth && p.offsetY + p.height <= p.sheetHeight;
}

std::unique_ptr<DCObj> NewPrinterDC(const PrinterPage& page) {
  auto dc = std::make_unique<DCObj>();
  dc->type = DCType::Printer;
  dc->dpi = page.dpi;
  dc->page = page;
  InitDCState(*dc);
  dc->width = page.width;
  dc->height = page.height;
  dc->visible = Region(RECT{0, 0, page.width, page.height});
  return dc;
}

cairo_status_t WritePdf(void* closure, const unsigned char* data, unsigned int length) {
  auto* sink = static_cast<PdfSink*>(closure);
  while (length > 0 && !sink->failed) {
    ssize_t n = write(sink->fd, data, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      sink->failed = true;
      break;
    }
    data += n;
    length -= unsigned(n);
  }
  return sink->failed ? CAIRO_STATUS_WRITE_ERROR : CAIRO_STATUS_SUCCESS;
}
}  // namespace

PdfSink::~PdfSink() { Close(); }

bool PdfSink::Close() {
  if (fd >= 0) {
    if (close(fd) != 0) failed = true;
    fd = -1;
  }
  return !failed;
}

HDC CreatePdfDC(const std::string& fileName, const PrinterPage& page) {
  if (!PageFits(page)) return nullptr;
  // Written straight to the file, so that a failed write (a full disk) is seen.
  auto sink = std::make_unique<PdfSink>();
  sink->fd = open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (sink->fd < 0) return nullptr;
  double toPoints = 72.0 / page.dpi;
  cairo_surface_t* s = cairo_pdf_surface_create_for_stream(WritePdf, sink.get(), page.sheetWidth * toPoints,
                                                           page.sheetHeight * toPoints);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  auto dc = NewPrinterDC(page);
  dc->sink = std::move(sink);
  AttachSurface(*dc, s, POINT{page.offsetX, page.offsetY}, page.width, page.height);
  cairo_scale(dc->cr, toPoints, toPoints);
  cairo_set_antialias(dc->cr, CAIRO_ANTIALIAS_DEFAULT);
  return AddDC(std::move(dc));
}

HDC CreatePrinterIC(const PrinterPage& page) {
  if (!PageFits(page)) return nullptr;
  return AddDC(NewPrinterDC(page));
}

PrinterPage GetPrinterPage(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  return dc && dc->type == DCType::Printer ? dc->page : PrinterPage{0, 0, 0, 0, 0, 0, 0};
}

int StartPage(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  if (!dc || dc->type != DCType::Printer) return 0;
  dc->pageOpen = true;
  return 1;
}

int EndPage(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  if (!dc || dc->type != DCType::Printer || !dc->cr) return 0;
  cairo_show_page(dc->cr);
  dc->pageOpen = false;
  return 1;
}

int EndDoc(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  if (!dc || dc->type != DCType::Printer || !dc->surface) return 0;
  if (dc->pageOpen) EndPage(hdc);
  cairo_destroy(dc->cr);
  dc->cr = nullptr;
  cairo_surface_finish(dc->surface);
  bool ok = cairo_surface_status(dc->surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(dc->surface);
  dc->surface = nullptr;
  if (dc->sink && !dc->sink->Close()) ok = false;
  return ok ? 1 : 0;
}

// ---- metafiles ----

HDC CreateEnhMetaFile(HDC reference, const char*, const RECT* frame, const char*) {
  auto meta = std::make_unique<MetaFileObj>();
  int dpi = 96;
  if (DCObj* ref = FindDC(reference)) dpi = ref->dpi;
  meta->dpi = dpi;
  if (frame) {
    meta->width = int(std::lround((frame->right - frame->left) / 2540.0 * dpi));
    meta->height = int(std::lround((frame->bottom - frame->top) / 2540.0 * dpi));
  }
  auto dc = std::make_unique<DCObj>();
  dc->type = DCType::MetaFile;
  dc->dpi = dpi;
  int w = meta->width > 0 ? meta->width : 32767, h = meta->height > 0 ? meta->height : 32767;
  dc->width = w;
  dc->height = h;
  dc->visible = Region(RECT{0, 0, w, h});
  InitDCState(*dc);
  dc->meta = meta.get();
  dc->metaHandle = AddObject(std::move(meta));
  return AddDC(std::move(dc));
}

HENHMETAFILE CloseEnhMetaFile(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  if (!dc || dc->type != DCType::MetaFile || !dc->meta) return nullptr;
  MetaFileObj* meta = dc->meta;
  if (meta->width <= 0 || meta->height <= 0) {
    // No frame given: the bounds of what was drawn, from the origin.
    int w = 0, h = 0;
    for (const DrawOp& op : meta->ops) {
      w = std::max<int>(w, op.rect.right);
      h = std::max<int>(h, op.rect.bottom);
      for (const POINT& p : op.points) {
        w = std::max<int>(w, p.x + 1);
        h = std::max<int>(h, p.y + 1);
      }
    }
    meta->width = std::max(1, w);
    meta->height = std::max(1, h);
  }
  HGDIOBJ handle = dc->metaHandle;
  dc->meta = nullptr;
  RemoveDC(hdc);
  return reinterpret_cast<HENHMETAFILE>(handle);
}

namespace {
MetaFileObj* FindMeta(HENHMETAFILE emf) {
  return Find<MetaFileObj>(reinterpret_cast<HGDIOBJ>(emf), ObjKind::MetaFile);
}
}  // namespace

const std::vector<DrawOp>* EnhMetaFileOps(HENHMETAFILE emf) {
  MetaFileObj* m = FindMeta(emf);
  return m ? &m->ops : nullptr;
}

BOOL DeleteEnhMetaFile(HENHMETAFILE emf) {
  if (!FindMeta(emf)) return FALSE;
  return DeleteObject(reinterpret_cast<HGDIOBJ>(emf));
}

HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE emf, const char*) {
  MetaFileObj* m = FindMeta(emf);
  if (!m) return nullptr;
  auto copy = std::make_unique<MetaFileObj>();
  copy->ops = m->ops;
  copy->width = m->width;
  copy->height = m->height;
  copy->dpi = m->dpi;
  return reinterpret_cast<HENHMETAFILE>(AddObject(std::move(copy)));
}

UINT GetEnhMetaFileHeader(HENHMETAFILE emf, UINT size, ENHMETAHEADER* out) {
  MetaFileObj* m = FindMeta(emf);
  if (!m) return 0;
  if (!out) return sizeof(ENHMETAHEADER);
  if (size < sizeof(ENHMETAHEADER)) return 0;
  out->rclBounds = RECT{0, 0, m->width - 1, m->height - 1};
  out->rclFrame = RECT{0, 0, LONG(std::lround(m->width * 2540.0 / m->dpi)), LONG(std::lround(m->height * 2540.0 / m->dpi))};
  out->nRecords = DWORD(m->ops.size());
  out->szlDevice = SIZE{1920, 1080};
  out->szlMillimeters = SIZE{LONG(std::lround(1920 * 25.4 / m->dpi)), LONG(std::lround(1080 * 25.4 / m->dpi))};
  return sizeof(ENHMETAHEADER);
}

BOOL PlayEnhMetaFile(HDC hdc, HENHMETAFILE emf, const RECT* r) {
  DCObj* dc = FindDC(hdc);
  MetaFileObj* m = FindMeta(emf);
  if (!dc || !m || !r) return FALSE;
  RECT d = ToDeviceRect(*dc, *r);
  double sx = double(d.right - d.left) / std::max(1, m->width);
  double sy = double(d.bottom - d.top) / std::max(1, m->height);
  auto mx = [&](LONG x) { return LONG(std::lround(d.left + x * sx)); };
  auto my = [&](LONG y) { return LONG(std::lround(d.top + y * sy)); };
  auto mr = [&](const RECT& rc) { return RECT{mx(rc.left), my(rc.top), mx(rc.right), my(rc.bottom)}; };
  auto scale = [&](int v, double s) { return int(std::lround(v * s)); };
  std::vector<DrawOp> ops = m->ops;  // the metafile may be played into itself
  for (DrawOp op : ops) {
    op.dc = hdc;
    op.window = dc->hwnd;
    op.rect = mr(op.rect);
    for (POINT& p : op.points) p = POINT{mx(p.x), my(p.y)};
    if (op.clipped) op.clip = mr(op.clip);
    // Clip regions were kept in the recorder's device units: they scale with the picture and
    // stay inside the target's own clip.
    Region clip;
    bool has = false;
    if (op.hasClipRegion) {
      for (const RECT& rc : op.clipRects) clip = clip.Unite(Region(mr(rc)));
      has = true;
    }
    if (dc->st.clip) {
      clip = has ? clip.Intersect(*dc->st.clip) : *dc->st.clip;
      has = true;
    }
    op.hasClipRegion = has;
    op.clipRects = has ? clip.Rects() : std::vector<RECT>{};
    if (op.kind == DrawKind::Text) {
      op.font.lfHeight = scale(op.font.lfHeight, sy);
      if (op.font.lfHeight == 0) op.font.lfHeight = -1;
      op.font.lfWidth = scale(op.font.lfWidth, sx);
      op.charExtra = scale(op.charExtra, sx);
      for (int& v : op.dx) v = scale(v, sx);
    }
    if (op.penGeometric) op.penWidth = std::max(1, scale(op.penWidth, (sx + sy) / 2));
    op.ellipseW = scale(op.ellipseW, sx);
    op.ellipseH = scale(op.ellipseH, sy);
    Emit(*dc, std::move(op));
  }
  return TRUE;
}

}  // namespace win
