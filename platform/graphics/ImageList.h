#pragma once
// Image lists: images of one size with see-through masks, drawn by index.
#include <vector>

#include "platform/graphics/Graphic.h"
#include "platform/rtl/Component.h"

class TCustomImageList;

// Tells its owner when the image list it is registered with changes.
class TChangeLink : public TObject {
  VANTREL_CLASS(TChangeLink, TObject)
public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TCustomImageList* Sender() const { return FSender; }
  void SetSender(TCustomImageList* Value) { FSender = Value; }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& E) { FOnChange = E; }
  virtual void Change();

private:
  TCustomImageList* FSender = nullptr;
  TNotifyEvent FOnChange;
};

enum TImageType { itImage, itMask };
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TCustomImageList : public TComponent {
  VANTREL_CLASS(TCustomImageList, TComponent)
public:
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(int AWidth, int AHeight);
  ~TCustomImageList() override;
  void Assign(TPersistent* Source) override;

  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Count() const { return int(FImages.size()); }
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TColor BlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor Value) { FBlendColor = Value; }
  TImageType ImageType() const { return FImageType; }
  void SetImageType(TImageType Value);
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value);
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value) { FMasked = Value; }

  // Adds the image (cut into images of the list's width when wider); a mask's white
  // pixels are see-through. Returns the index of the first image added.
  int Add(TBitmap* Image, TBitmap* Mask);
  // Pixels of MaskColor are see-through.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Image);
  void Insert(int Index, TBitmap* Image, TBitmap* Mask);
  void Replace(int Index, TBitmap* Image, TBitmap* Mask);
  // Raises EInvalidOperation "Invalid image list index" for a bad index.
  void Delete(int Index);
  void Move(int CurIndex, int NewIndex);
  void Clear();
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool Enabled = true);
  // Draws an overlay image over the image (Overlay: index of an image set by Overlay()).
  void DrawOverlay(TCanvas* Canvas, int X, int Y, int ImageIndex, int OverlayIndex, bool Enabled = true);
  bool Overlay(int ImageIndex, int OverlayIndex);
  // Copies an image onto a bitmap of the list's size (see-through parts in BkColor, or white).
  void GetBitmap(int Index, TBitmap* Image);
  void GetIcon(int Index, TIcon* Image);
  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& E) { FOnChange = E; }
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  static void Publish(TClassBuilder<TCustomImageList>& b);

protected:
  virtual void Change();

private:
  struct Image {
    win::PixelImage pixels;  // 0xAARRGGBB: 0 opacity is see-through
  };
  void CheckIndex(int Index) const;
  std::vector<Image> Split(TBitmap* Bmp, const std::vector<bool>* clear);
  int FWidth = 16, FHeight = 16;
  TColor FBkColor = clNone, FBlendColor = clNone;
  TImageType FImageType = itImage;
  TDrawingStyle FDrawingStyle = dsNormal;
  bool FMasked = true;
  std::vector<Image> FImages;
  std::vector<int> FOverlays = std::vector<int>(4, -1);
  std::vector<TChangeLink*> FLinks;
  int FUpdateCount = 0;
  bool FChanged = false;
  TNotifyEvent FOnChange;
};

class TImageList : public TCustomImageList {
  VANTREL_CLASS(TImageList, TCustomImageList)
public:
  using TCustomImageList::TCustomImageList;
};
