#include <algorithm>

#include "platform/graphics/Graphic.h"
#include "platform/graphics/classes/ImageCodecs.h"
#include "platform/rtl/Resources.h"

using namespace win;

// ---- TGraphic ----

void TGraphic::Changed(TObject*) {
  FModified = true;
  FOnChange(this);
}

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed(this);
}

void TGraphic::LoadFromFile(const std::string& FileName) {
  TFileStream s(FileName, fmOpenRead);
  LoadFromStream(&s);
}

void TGraphic::SaveToFile(const std::string& FileName) {
  TFileStream s(FileName, fmCreate);
  SaveToStream(&s);
}

// ---- TBitmap ----

// The bitmap's canvas draws on a memory DC that holds the bitmap.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* Owner) : FBitmap(Owner) {}
  ~TBitmapCanvas() override { FreeDC(); }
  void FreeDC() {
    if (!FDC) return;
    HDC dc = FDC;
    FDC = nullptr;
    SetHandle(nullptr);
    if (FOld) SelectObject(dc, FOld);
    FOld = nullptr;
    DeleteDC(dc);
  }

protected:
  void CreateHandle() override {
    FBitmap->MakeHandle();
    HDC dc = CreateCompatibleDC(nullptr);
    FOld = SelectObject(dc, FBitmap->FHandle);
    FDC = dc;
    SetHandle(dc);
  }

private:
  TBitmap* FBitmap;
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  if (FHandle) DeleteObject(FHandle);
}

void TBitmap::MakeHandle() {
  if (FHandle) return;
  FHandle = CreateBitmap(std::max(FWidth, 0), std::max(FHeight, 0), 1, Monochrome() ? 1 : 32, nullptr);
  if (!Monochrome()) {
    // New bitmaps start white.
    PixelImage img = GetBitmapImage(FHandle);
    std::fill(img.pixels.begin(), img.pixels.end(), 0xFFFFFF);
    SetBitmapImage(FHandle, img);
  }
}

HBITMAP TBitmap::Handle() {
  MakeHandle();
  return FHandle;
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeDC();
  if (FHandle && FHandle != Value) DeleteObject(FHandle);
  FHandle = Value;
  BITMAP bm;
  if (Value && GetObject(Value, sizeof bm, &bm) == int(sizeof bm)) {
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight;
    FPixelFormat = bm.bmBitsPixel == 1 ? pf1bit : pfDevice;
  } else {
    FWidth = FHeight = 0;
  }
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeDC();
  MakeHandle();
  HBITMAP h = FHandle;
  FHandle = nullptr;
  FWidth = FHeight = 0;
  return h;
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TBitmapCanvas>(this);
    FCanvas->SetOnChange(MakeEvent(this, &TBitmap::CanvasChanged));
  }
  return FCanvas.get();
}

void TBitmap::CanvasChanged(TObject*) { Changed(this); }

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::clamp(AWidth, 0, 32767);
  AHeight = std::clamp(AHeight, 0, 32767);
  if (AWidth == FWidth && AHeight == FHeight) return;
  PixelImage old;
  if (FHandle) old = GetBitmapImage(FHandle);
  if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeDC();
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
  FWidth = AWidth;
  FHeight = AHeight;
  MakeHandle();
  if (!old.pixels.empty()) {
    PixelImage img = GetBitmapImage(FHandle);
    for (int y = 0; y < std::min(old.height, FHeight); ++y)
      for (int x = 0; x < std::min(old.width, FWidth); ++x)
        img.pixels[size_t(y) * FWidth + x] = old.pixels[size_t(y) * old.width + x];
    SetBitmapImage(FHandle, img);
  }
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  bool wasMono = Monochrome();
  FPixelFormat = Value;
  if (wasMono == Monochrome() || !FHandle) return;
  PixelImage img = GetBitmapImage(FHandle);
  if (Monochrome())
    for (auto& p : img.pixels) p = p == 0xFFFFFF ? 0xFFFFFF : 0;  // anything but white turns black
  if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeDC();
  DeleteObject(FHandle);
  FHandle = nullptr;
  MakeHandle();
  SetBitmapImage(FHandle, img);
  Changed(this);
}

TColor TBitmap::TransparentColor() {
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (Empty()) return clDefault;
  // The bottom-left pixel decides.
  PixelImage img = GetBitmapImage(Handle());
  std::uint32_t p = img.pixels[size_t(FHeight - 1) * FWidth];
  return TColor(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)) | 0x02000000;
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto) SetTransparentColor(clDefault);
  else SetTransparentColor(TransparentColor());
}

void TBitmap::Draw(TCanvas* ACanvas, const RECT& R) {
  if (Empty() || !ACanvas) return;
  HDC dest = ACanvas->Handle();
  if (Transparent()) {
    // See-through where the pixels have the transparent colour.
    auto img = std::make_shared<PixelImage>(GetBitmapImage(Handle()));
    std::uint32_t key = 0;
    COLORREF c = ColorToRGB(TransparentColor() & 0xFFFFFF);
    key = (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
    for (auto& p : img->pixels) p = (p & 0xFFFFFF) == key ? 0 : (0xFF000000 | p);
    DrawPixelImage(dest, R, img, RECT{0, 0, FWidth, FHeight});
    return;
  }
  HDC src = Canvas()->Handle();
  // Monochrome bitmaps draw black and white whatever the target's colours.
  COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0)), oldBk = SetBkColor(dest, RGB(255, 255, 255));
  StretchBlt(dest, R.left, R.top, R.right - R.left, R.bottom - R.top, src, 0, 0, FWidth, FHeight,
             ACanvas->CopyMode());
  SetTextColor(dest, oldText);
  SetBkColor(dest, oldBk);
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    SetSize(0, 0);
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    if (b == this) return;
    if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeDC();
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
    FWidth = b->FWidth;
    FHeight = b->FHeight;
    FPixelFormat = b->FPixelFormat;
    FTransparentColor = b->FTransparentColor;
    FTransparentMode = b->FTransparentMode;
    SetTransparent(b->Transparent());
    if (b->FHandle) {
      MakeHandle();
      SetBitmapImage(FHandle, GetBitmapImage(b->FHandle));
    }
    Changed(this);
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    // Other pictures are drawn onto a bitmap of their size.
    SetSize(g->Width(), g->Height());
    Canvas()->Brush()->SetColor(clWhite);
    Canvas()->FillRect(Rect(0, 0, FWidth, FHeight));
    Canvas()->StretchDraw(Rect(0, 0, FWidth, FHeight), g);
    return;
  }
  TGraphic::Assign(Source);
}

void TBitmap::LoadFromStream(TStream* Stream) {
  std::int64_t n = Stream->Size() - Stream->Position();
  std::vector<unsigned char> data(size_t(std::max<std::int64_t>(0, n)));
  if (!data.empty()) Stream->ReadBuffer(data.data(), std::int64_t(data.size()));
  gxcodec::DecodedImage img;
  if (!gxcodec::DecodeBmp(data.data(), data.size(), img)) throw EInvalidGraphic("Bitmap image is not valid");
  if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeDC();
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
  FWidth = img.image.width;
  FHeight = img.image.height;
  FPixelFormat = img.bitsPerPixel == 1 ? pf1bit : pfDevice;
  MakeHandle();
  SetBitmapImage(FHandle, img.image);
  Changed(this);
}

void TBitmap::SaveToStream(TStream* Stream) {
  PixelImage img;
  if (!Empty()) img = GetBitmapImage(Handle());
  auto bytes = gxcodec::EncodeBmp(img, Monochrome());
  Stream->WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE, const std::string& ResName) {
  TResourceStream s(ResName, "BITMAP");
  LoadFromStream(&s);
}
