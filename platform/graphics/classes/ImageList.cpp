#include "platform/graphics/ImageList.h"

#include "platform/rtl/ScopeExit.h"

#include <algorithm>

using namespace win;

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (FSender) FOnChange(FSender);
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(int AWidth, int AHeight) : TComponent(nullptr) {
  FWidth = std::max(1, AWidth);
  FHeight = std::max(1, AHeight);
}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* l : FLinks) l->SetSender(nullptr);
}

void TCustomImageList::Change() {
  if (FUpdateCount > 0) {
    FChanged = true;
    return;
  }
  for (TChangeLink* l : std::vector<TChangeLink*>(FLinks)) l->Change();
  FOnChange(this);
}

void TCustomImageList::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged) {
    FChanged = false;
    Change();
  }
}

void TCustomImageList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("Invalid image list index");
}

// Changing the size empties the list.
void TCustomImageList::SetWidth(int Value) {
  if (Value <= 0 || Value == FWidth) return;
  FWidth = Value;
  FImages.clear();
  Change();
}

void TCustomImageList::SetHeight(int Value) {
  if (Value <= 0 || Value == FHeight) return;
  FHeight = Value;
  FImages.clear();
  Change();
}

void TCustomImageList::SetBkColor(TColor Value) {
  if (Value == FBkColor) return;
  FBkColor = Value;
  Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
  if (Value == FImageType) return;
  FImageType = Value;
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == FDrawingStyle) return;
  FDrawingStyle = Value;
  Change();
}

std::vector<TCustomImageList::Image> TCustomImageList::Split(TBitmap* Bmp, const std::vector<bool>* clear) {
  std::vector<Image> out;
  if (!Bmp || Bmp->Empty()) return out;
  PixelImage src = GetBitmapImage(Bmp->Handle());
  int n = std::max(1, src.width / FWidth);
  for (int k = 0; k < n; ++k) {
    Image img;
    img.pixels.width = FWidth;
    img.pixels.height = FHeight;
    img.pixels.pixels.assign(size_t(FWidth) * FHeight, 0);
    for (int y = 0; y < std::min(FHeight, src.height); ++y)
      for (int x = 0; x < FWidth && k * FWidth + x < src.width; ++x) {
        size_t at = size_t(y) * src.width + k * FWidth + x;
        bool see = clear && (*clear)[at];
        img.pixels.pixels[size_t(y) * FWidth + x] = see ? 0 : (0xFF000000 | (src.pixels[at] & 0xFFFFFF));
      }
    out.push_back(std::move(img));
  }
  return out;
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  std::vector<bool> clear;
  if (Mask && !Mask->Empty()) {
    PixelImage m = GetBitmapImage(Mask->Handle());
    PixelImage src = GetBitmapImage(Image->Handle());
    clear.assign(size_t(src.width) * src.height, false);
    for (int y = 0; y < std::min(src.height, m.height); ++y)
      for (int x = 0; x < std::min(src.width, m.width); ++x)
        clear[size_t(y) * src.width + x] = (m.pixels[size_t(y) * m.width + x] & 0xFFFFFF) != 0;
  }
  auto imgs = Split(Image, clear.empty() ? nullptr : &clear);
  if (imgs.empty()) return -1;
  int first = Count();
  for (auto& i : imgs) FImages.push_back(std::move(i));
  Change();
  return first;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->Empty()) return -1;
  PixelImage src = GetBitmapImage(Image->Handle());
  COLORREF c = ColorToRGB(MaskColor);
  std::uint32_t key = (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
  std::vector<bool> clear(src.pixels.size());
  for (size_t i = 0; i < src.pixels.size(); ++i) clear[i] = (src.pixels[i] & 0xFFFFFF) == key;
  auto imgs = Split(Image, &clear);
  int first = Count();
  for (auto& i : imgs) FImages.push_back(std::move(i));
  Change();
  return first;
}

int TCustomImageList::AddIcon(TIcon* Icon) {
  if (!Icon || Icon->Empty()) return -1;
  Image img;
  img.pixels.width = FWidth;
  img.pixels.height = FHeight;
  img.pixels.pixels.assign(size_t(FWidth) * FHeight, 0);
  const PixelImage& src = Icon->Image();
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      int sx = x * src.width / FWidth, sy = y * src.height / FHeight;
      img.pixels.pixels[size_t(y) * FWidth + x] = src.pixels[size_t(sy) * src.width + sx];
    }
  FImages.push_back(std::move(img));
  Change();
  return Count() - 1;
}

void TCustomImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index > Count()) throw EInvalidOperation("Invalid image list index");
  int at = Add(Image, Mask);
  if (at < 0) return;
  std::rotate(FImages.begin() + Index, FImages.begin() + at, FImages.end());
  Change();
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index);
  // The new image is made in an empty list; the list's own images are back before anyone
  // hears of a change, and stay whole when making the image fails.
  std::vector<TCustomImageList::Image> added;
  int at = -1;
  {
    BeginUpdate();
    auto endUpdate = AtScopeExit([this] { EndUpdate(); });
    std::vector<TCustomImageList::Image> saved;
    saved.swap(FImages);
    auto restore = AtScopeExit([&] {
      added.swap(FImages);
      FImages.swap(saved);
    });
    at = Add(Image, Mask);
  }
  if (at >= 0 && !added.empty()) FImages[Index] = std::move(added[0]);
  Change();
}

void TCustomImageList::Delete(int Index) {
  CheckIndex(Index);
  FImages.erase(FImages.begin() + Index);
  for (int& o : FOverlays)
    if (o == Index) o = -1;
    else if (o > Index) --o;
  Change();
}

void TCustomImageList::Move(int CurIndex, int NewIndex) {
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (CurIndex == NewIndex) return;
  Image img = std::move(FImages[CurIndex]);
  FImages.erase(FImages.begin() + CurIndex);
  FImages.insert(FImages.begin() + NewIndex, std::move(img));
  Change();
}

void TCustomImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
  if (!Canvas || Index < 0 || Index >= Count()) return;
  auto img = std::make_shared<PixelImage>(FImages[Index].pixels);
  auto rgb = [](TColor c) {
    COLORREF v = ColorToRGB(c);
    return (std::uint32_t(GetRValue(v)) << 16) | (std::uint32_t(GetGValue(v)) << 8) | GetBValue(v);
  };
  if (AImageType == itMask) {
    for (auto& p : img->pixels) p = (p >> 24) ? 0xFF000000 : 0xFFFFFFFF;
  } else if (!Enabled) {
    // Disabled images: the shape in the shadow colour.
    std::uint32_t shadow = rgb(clBtnShadow);
    for (auto& p : img->pixels)
      if (p >> 24) p = 0xFF000000 | shadow;
  } else if ((ADrawingStyle == dsFocus || ADrawingStyle == dsSelected) && FBlendColor != clNone) {
    // Blended with the blend colour (a quarter or a half).
    std::uint32_t blend = rgb(FBlendColor);
    int part = ADrawingStyle == dsFocus ? 64 : 128;
    for (auto& p : img->pixels)
      if (p >> 24) {
        std::uint32_t r = 0;
        for (int sh = 0; sh <= 16; sh += 8)
          r |= ((((p >> sh) & 0xFF) * (255 - part) + ((blend >> sh) & 0xFF) * part) / 255) << sh;
        p = 0xFF000000 | r;
      }
  }
  // A background colour fills the see-through parts unless drawing transparently.
  if (FBkColor != clNone && ADrawingStyle != dsTransparent) {
    std::uint32_t bk = 0xFF000000 | rgb(FBkColor);
    for (auto& p : img->pixels)
      if (!(p >> 24)) p = bk;
  }
  DrawPixelImage(Canvas->Handle(), Bounds(X, Y, FWidth, FHeight), img, RECT{0, 0, FWidth, FHeight});
}

bool TCustomImageList::Overlay(int ImageIndex, int OverlayIndex) {
  if (ImageIndex < 0 || ImageIndex >= Count() || OverlayIndex < 0 || OverlayIndex >= 4) return false;
  FOverlays[OverlayIndex] = ImageIndex;
  return true;
}

void TCustomImageList::DrawOverlay(TCanvas* Canvas, int X, int Y, int ImageIndex, int OverlayIndex, bool Enabled) {
  Draw(Canvas, X, Y, ImageIndex, Enabled);
  if (OverlayIndex >= 0 && OverlayIndex < 4 && FOverlays[OverlayIndex] >= 0)
    Draw(Canvas, X, Y, FOverlays[OverlayIndex], dsTransparent, itImage, Enabled);
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
  if (!Image || Index < 0 || Index >= Count()) return;
  Image->SetSize(FWidth, FHeight);
  Image->Canvas()->Brush()->SetColor(FBkColor == clNone ? clWhite : FBkColor);
  Image->Canvas()->FillRect(Rect(0, 0, FWidth, FHeight));
  Draw(Image->Canvas(), 0, 0, Index, true);
}

void TCustomImageList::GetIcon(int Index, TIcon* Image) {
  if (!Image || Index < 0 || Index >= Count()) return;
  Image->SetImage(FImages[Index].pixels);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value) return;
  Value->SetSender(this);
  if (std::find(FLinks.begin(), FLinks.end(), Value) == FLinks.end()) FLinks.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  auto it = std::find(FLinks.begin(), FLinks.end(), Value);
  if (it == FLinks.end()) return;
  FLinks.erase(it);
  Value->SetSender(nullptr);
}

void TCustomImageList::Assign(TPersistent* Source) {
  if (auto* l = dynamic_cast<TCustomImageList*>(Source)) {
    FWidth = l->FWidth;
    FHeight = l->FHeight;
    FBkColor = l->FBkColor;
    FBlendColor = l->FBlendColor;
    FImageType = l->FImageType;
    FDrawingStyle = l->FDrawingStyle;
    FMasked = l->FMasked;
    FImages = l->FImages;
    Change();
    return;
  }
  TComponent::Assign(Source);
}

void TCustomImageList::Publish(TClassBuilder<TCustomImageList>& b) {
  b.Property("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor).Default(clNone).Idents(ColorIdents());
  b.Property("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight).Default(16);
  b.Property("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth).Default(16);
  b.Property("Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked).Default(true);
  b.Property("OnChange", &TCustomImageList::OnChange, &TCustomImageList::SetOnChange);
}
