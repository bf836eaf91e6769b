#pragma once
// Pictures: TGraphic and its kinds (TBitmap, TIcon, TMetafile) and TPicture, which holds
// any of them and loads them from streams by their content.
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/DrawRecord.h"
#include "platform/rtl/Streams.h"

class TGraphic : public TPersistent {
  VANTREL_CLASS(TGraphic, TPersistent)
public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  // Draws the picture stretched into R on the canvas.
  virtual void Draw(TCanvas* ACanvas, const win::RECT& R) = 0;
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& E) { FOnChange = E; }

protected:
  virtual void Changed(TObject* Sender);

private:
  bool FTransparent = false;
  bool FModified = false;
  TNotifyEvent FOnChange;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
  VANTREL_CLASS(TBitmap, TGraphic)
public:
  TBitmap();
  ~TBitmap() override;
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int Value) override { SetSize(Value, FHeight); }
  void SetHeight(int Value) override { SetSize(FWidth, Value); }
  // Keeps the pixels that still fit; new ones are white.
  void SetSize(int AWidth, int AHeight);
  void Draw(TCanvas* ACanvas, const win::RECT& R) override;
  // BMP files: 1, 4, 8, 24 and 32 bits per pixel, uncompressed; anything else raises
  // EInvalidGraphic "Bitmap image is not valid" and leaves the bitmap as it was.
  void LoadFromStream(TStream* Stream) override;
  // Writes a BMP file (1 bit for monochrome bitmaps, else 24 bits).
  void SaveToStream(TStream* Stream) override;
  // Loads the "BITMAP" resource of that name; raises EResNotFound when there is none.
  void LoadFromResourceName(win::HINSTANCE Instance, const std::string& ResName);

  TCanvas* Canvas();
  win::HBITMAP Handle();
  // Takes ownership of the bitmap handle.
  void SetHandle(win::HBITMAP Value);
  win::HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);
  bool Monochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool Value) { SetPixelFormat(Value ? pf1bit : pfDevice); }
  // The colour drawn see-through when Transparent: the bottom-left pixel's colour in
  // tmAuto mode, else the one set.
  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);
  void Dormant() {}
  void FreeImage() {}

private:
  class TBitmapCanvas;
  friend class TBitmapCanvas;
  void MakeHandle();
  void CanvasChanged(TObject* Sender);
  win::HBITMAP FHandle = nullptr;
  int FWidth = 0, FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  std::unique_ptr<TCanvas> FCanvas;
};

// An icon: colour pixels with see-through parts (ICO files with 1, 4, 8, 24 or 32-bit images).
class TIcon : public TGraphic {
  VANTREL_CLASS(TIcon, TGraphic)
public:
  TIcon() = default;
  ~TIcon() override;
  void Assign(TPersistent* Source) override;
  bool Empty() const override { return FImage.width == 0; }
  int Width() const override { return FImage.width; }
  int Height() const override { return FImage.height; }
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  void Draw(TCanvas* ACanvas, const win::RECT& R) override;
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void LoadFromResourceName(win::HINSTANCE Instance, const std::string& ResName);
  // An icon handle for the window system (made on first use, owned by the icon).
  win::HICON Handle();
  // Takes a copy of the icon's image.
  void SetHandle(win::HICON Value);
  bool Transparent() const override { return true; }
  // 0xAARRGGBB pixels, row by row.
  const win::PixelImage& Image() const { return FImage; }
  void SetImage(const win::PixelImage& Image);

private:
  void FreeHandle();
  win::PixelImage FImage;
  win::HICON FHandle = nullptr;
};

class TMetafile : public TGraphic {
  VANTREL_CLASS(TMetafile, TGraphic)
public:
  TMetafile() = default;
  ~TMetafile() override;
  void Assign(TPersistent* Source) override;
  bool Empty() const override { return FHandle == nullptr; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int Value) override { FWidth = Value; }
  void SetHeight(int Value) override { FHeight = Value; }
  // Plays the recording scaled into R.
  void Draw(TCanvas* ACanvas, const win::RECT& R) override;
  // Metafiles are kept in memory only; streams raise EInvalidGraphicOperation.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  win::HENHMETAFILE Handle() const { return FHandle; }
  void SetHandle(win::HENHMETAFILE Value);
  void Clear();
  // Size in 0.01 mm.
  int MMWidth() const;
  int MMHeight() const;
  bool Enhanced() const { return true; }

private:
  win::HENHMETAFILE FHandle = nullptr;
  int FWidth = 0, FHeight = 0;
};

// Records a page into a metafile; the drawing lands in the metafile when the canvas is freed.
class TMetafileCanvas : public TCanvas {
  VANTREL_CLASS(TMetafileCanvas, TCanvas)
public:
  TMetafileCanvas(TMetafile* AMetafile, win::HDC ReferenceDevice);
  ~TMetafileCanvas() override;

private:
  TMetafile* FMetafile;
};

class TPicture : public TPersistent {
  VANTREL_CLASS(TPicture, TPersistent)
public:
  TPicture() = default;
  ~TPicture() override;
  void Assign(TPersistent* Source) override;
  TGraphic* Graphic() const { return FGraphic.get(); }
  // Takes a copy of the graphic (nullptr empties the picture).
  void SetGraphic(TGraphic* Value);
  // The picture as a bitmap, made empty when it holds something else.
  TBitmap* Bitmap();
  TIcon* Icon();
  TMetafile* Metafile();
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }
  // Loads a BMP or ICO image by its content. Empty data gives an empty picture; unknown
  // or corrupt data raises EInvalidGraphic and leaves the picture empty.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& E) { FOnChange = E; }

private:
  void Changed(TObject* Sender);
  template <class G>
  G* Ensure();
  std::unique_ptr<TGraphic> FGraphic;
  TNotifyEvent FOnChange;
};
