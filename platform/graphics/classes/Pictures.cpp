#include <algorithm>
#include <cmath>

#include "platform/graphics/Graphic.h"
#include "platform/graphics/classes/ImageCodecs.h"
#include "platform/rtl/Resources.h"

using namespace win;

namespace {
std::vector<unsigned char> ReadRest(TStream* Stream) {
  std::int64_t n = Stream->Size() - Stream->Position();
  std::vector<unsigned char> data(size_t(std::max<std::int64_t>(0, n)));
  if (!data.empty()) Stream->ReadBuffer(data.data(), std::int64_t(data.size()));
  return data;
}
}  // namespace

// ---- TIcon ----

TIcon::~TIcon() { FreeHandle(); }

void TIcon::FreeHandle() {
  if (FHandle) DestroyIcon(FHandle);
  FHandle = nullptr;
}

void TIcon::SetImage(const PixelImage& Image) {
  FreeHandle();
  FImage = Image;
  Changed(this);
}

HICON TIcon::Handle() {
  if (!FHandle && !Empty()) FHandle = CreateIconFromImage(FImage);
  return FHandle;
}

void TIcon::SetHandle(HICON Value) {
  const PixelImage* img = GetIconImage(Value);
  SetImage(img ? *img : PixelImage{});
}

void TIcon::Assign(TPersistent* Source) {
  if (auto* i = dynamic_cast<TIcon*>(Source)) {
    if (i != this) SetImage(i->FImage);
    return;
  }
  if (!Source) {
    SetImage(PixelImage{});
    return;
  }
  TGraphic::Assign(Source);
}

void TIcon::Draw(TCanvas* ACanvas, const RECT& R) {
  if (Empty() || !ACanvas) return;
  DrawPixelImage(ACanvas->Handle(), R, std::make_shared<PixelImage>(FImage), RECT{0, 0, FImage.width, FImage.height});
}

void TIcon::LoadFromStream(TStream* Stream) {
  auto data = ReadRest(Stream);
  gxcodec::DecodedImage img;
  if (!gxcodec::DecodeIco(data.data(), data.size(), img)) throw EInvalidGraphic("Icon image is not valid");
  SetImage(img.image);
}

void TIcon::SaveToStream(TStream* Stream) {
  if (Empty()) throw EInvalidGraphicOperation("Cannot save an empty icon");
  auto bytes = gxcodec::EncodeIco(FImage);
  Stream->WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TIcon::LoadFromResourceName(HINSTANCE, const std::string& ResName) {
  TResourceStream s(ResName, "ICON");
  LoadFromStream(&s);
}

// ---- TMetafile ----

TMetafile::~TMetafile() { Clear(); }

void TMetafile::Clear() {
  if (FHandle) DeleteEnhMetaFile(FHandle);
  FHandle = nullptr;
}

void TMetafile::SetHandle(HENHMETAFILE Value) {
  if (Value == FHandle) return;
  Clear();
  FHandle = Value;
  ENHMETAHEADER h;
  if (Value && GetEnhMetaFileHeader(Value, sizeof h, &h)) {
    if (FWidth == 0) FWidth = h.rclBounds.right + 1;
    if (FHeight == 0) FHeight = h.rclBounds.bottom + 1;
  }
  Changed(this);
}

namespace {
// 0.01 mm of a length in pixels of a device with that resolution.
int HundredthsOfMM(int Pixels, int Dpi) { return int(std::lround(Pixels * 2540.0 / Dpi)); }
}  // namespace

// A recorded metafile knows its frame; an empty one is measured on the screen.
int TMetafile::MMWidth() const {
  ENHMETAHEADER h;
  if (FHandle && GetEnhMetaFileHeader(FHandle, sizeof h, &h)) return h.rclFrame.right - h.rclFrame.left;
  return HundredthsOfMM(FWidth, 96);
}
int TMetafile::MMHeight() const {
  ENHMETAHEADER h;
  if (FHandle && GetEnhMetaFileHeader(FHandle, sizeof h, &h)) return h.rclFrame.bottom - h.rclFrame.top;
  return HundredthsOfMM(FHeight, 96);
}

void TMetafile::Assign(TPersistent* Source) {
  if (auto* m = dynamic_cast<TMetafile*>(Source)) {
    if (m == this) return;
    Clear();
    FWidth = m->FWidth;
    FHeight = m->FHeight;
    if (m->FHandle) FHandle = CopyEnhMetaFile(m->FHandle, nullptr);
    Changed(this);
    return;
  }
  TGraphic::Assign(Source);
}

void TMetafile::Draw(TCanvas* ACanvas, const RECT& R) {
  if (!FHandle || !ACanvas) return;
  PlayEnhMetaFile(ACanvas->Handle(), FHandle, &R);
}

void TMetafile::LoadFromStream(TStream*) { throw EInvalidGraphicOperation("Metafiles cannot be loaded from a stream"); }
void TMetafile::SaveToStream(TStream*) { throw EInvalidGraphicOperation("Metafiles cannot be saved to a stream"); }

// The metafile's size is in pixels of the reference device, so its frame is too.
TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice) : FMetafile(AMetafile) {
  int dpi = ReferenceDevice ? GetDeviceCaps(ReferenceDevice, LOGPIXELSX) : 0;
  if (dpi <= 0) dpi = 96;
  RECT frame{0, 0, HundredthsOfMM(AMetafile->Width(), dpi), HundredthsOfMM(AMetafile->Height(), dpi)};
  bool sized = AMetafile->Width() > 0 && AMetafile->Height() > 0;
  SetHandle(CreateEnhMetaFile(ReferenceDevice, nullptr, sized ? &frame : nullptr, nullptr));
}

TMetafileCanvas::~TMetafileCanvas() {
  HDC dc = HandleAllocated() ? Handle() : nullptr;
  SetHandle(nullptr);
  if (dc) FMetafile->SetHandle(CloseEnhMetaFile(dc));
}

// ---- TPicture ----

TPicture::~TPicture() = default;

void TPicture::Changed(TObject*) { FOnChange(this); }

template <class G>
G* TPicture::Ensure() {
  if (auto* g = dynamic_cast<G*>(FGraphic.get())) return g;
  FGraphic = std::make_unique<G>();
  FGraphic->SetOnChange(MakeEvent(this, &TPicture::Changed));
  Changed(this);
  return static_cast<G*>(FGraphic.get());
}

TBitmap* TPicture::Bitmap() { return Ensure<TBitmap>(); }
TIcon* TPicture::Icon() { return Ensure<TIcon>(); }
TMetafile* TPicture::Metafile() { return Ensure<TMetafile>(); }

void TPicture::SetGraphic(TGraphic* Value) {
  if (!Value) {
    FGraphic.reset();
    Changed(this);
    return;
  }
  std::unique_ptr<TGraphic> copy;
  if (dynamic_cast<TBitmap*>(Value)) copy = std::make_unique<TBitmap>();
  else if (dynamic_cast<TIcon*>(Value)) copy = std::make_unique<TIcon>();
  else if (dynamic_cast<TMetafile*>(Value)) copy = std::make_unique<TMetafile>();
  else throw EInvalidGraphic("Unknown picture file extension");
  copy->Assign(Value);
  copy->SetOnChange(MakeEvent(this, &TPicture::Changed));
  FGraphic = std::move(copy);
  Changed(this);
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
    if (p != this) SetGraphic(p->FGraphic.get());
  } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(Source);
  }
}

void TPicture::LoadFromStream(TStream* Stream) {
  auto data = ReadRest(Stream);
  FGraphic.reset();
  if (data.empty()) {
    Changed(this);
    return;
  }
  gxcodec::DecodedImage img;
  if (gxcodec::DecodeBmp(data.data(), data.size(), img)) {
    TMemoryStream m;
    m.WriteBuffer(data.data(), std::int64_t(data.size()));
    m.SetPosition(0);
    Bitmap()->LoadFromStream(&m);
  } else if (gxcodec::DecodeIco(data.data(), data.size(), img)) {
    Icon()->SetImage(img.image);
  } else {
    Changed(this);
    throw EInvalidGraphic("Unknown picture format");
  }
  Changed(this);
}

void TPicture::SaveToStream(TStream* Stream) {
  if (FGraphic) FGraphic->SaveToStream(Stream);
}

void TPicture::LoadFromFile(const std::string& FileName) {
  TFileStream s(FileName, fmOpenRead);
  LoadFromStream(&s);
}

void TPicture::SaveToFile(const std::string& FileName) {
  TFileStream s(FileName, fmCreate);
  SaveToStream(&s);
}
