#pragma once
// The class library's drawing tools: TFont, TPen and TBrush. Each creates its handle
// when first asked and tells its OnChange listeners about every change.
#include <string>

#include "platform/graphics/Colors.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/Persistent.h"
#include "platform/rtl/Set.h"

class TGraphicsObject : public TPersistent {
  VANTREL_CLASS(TGraphicsObject, TPersistent)
public:
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& E) { FOnChange = E; }

protected:
  virtual void Changed();

private:
  TNotifyEvent FOnChange;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
VANTREL_ENUM(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = Set<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
VANTREL_ENUM(TFontPitch, "fpDefault", "fpVariable", "fpFixed")
using TFontCharset = std::uint8_t;
using TFontName = std::string;

class TFont : public TGraphicsObject {
  VANTREL_CLASS(TFont, TGraphicsObject)
public:
  TFont();
  ~TFont() override;
  void Assign(TPersistent* Source) override;

  win::HFONT Handle();
  // Takes the attributes of a logical font (the font then owns a handle of its own).
  void SetHandle(win::HFONT Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  // Points: -Height * 72 / PixelsPerInch, rounded.
  int Size() const;
  void SetSize(int Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value > 0 ? Value : 96; }
  // Tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int Value);
  // The logical font these attributes make.
  win::LOGFONT LogFont() const;

  // Same name, height, style, colour, character set, pitch and orientation.
  bool operator==(const TFont& o) const;

  static void Publish(TClassBuilder<TFont>& b);

protected:
  void Changed() override;

private:
  void FreeHandle();
  win::HFONT FHandle = nullptr;
  bool FOwnsHandle = true;
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = win::DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch = 96;
  int FOrientation = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
VANTREL_ENUM(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame")
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
  pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
VANTREL_ENUM(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
             "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask",
             "pmXor", "pmNotXor")
// The binary raster operation of a pen mode.
int PenModeToRop2(TPenMode Mode);

class TPen : public TGraphicsObject {
  VANTREL_CLASS(TPen, TGraphicsObject)
public:
  TPen() = default;
  ~TPen() override;
  void Assign(TPersistent* Source) override;
  win::HPEN Handle();
  void SetHandle(win::HPEN Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);
  static void Publish(TClassBuilder<TPen>& b);

protected:
  void Changed() override;

private:
  void FreeHandle();
  win::HPEN FHandle = nullptr;
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
VANTREL_ENUM(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
             "bsCross", "bsDiagCross")

class TBrush : public TGraphicsObject {
  VANTREL_CLASS(TBrush, TGraphicsObject)
public:
  TBrush() = default;
  ~TBrush() override;
  void Assign(TPersistent* Source) override;
  win::HBRUSH Handle();
  void SetHandle(win::HBRUSH Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  static void Publish(TClassBuilder<TBrush>& b);

protected:
  void Changed() override;

private:
  void FreeHandle();
  win::HBRUSH FHandle = nullptr;
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};
