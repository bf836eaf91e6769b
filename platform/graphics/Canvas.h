#pragma once
// TCanvas: drawing with a font, pen and brush on a device context. The handle may be
// assigned, or made on demand by a descendant's CreateHandle (a control's or a bitmap's).
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/graphics/GraphicsObjects.h"

class TGraphic;

enum TCanvasState { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasStates = Set<TCanvasState>;

enum TTextFormats {
  tfBottom, tfCalcRect, tfCenter, tfEditControl, tfEndEllipsis, tfPathEllipsis, tfExpandTabs,
  tfExternalLeading, tfLeft, tfModifyString, tfNoClip, tfNoPrefix, tfRight, tfRtlReading, tfSingleLine,
  tfTop, tfVerticalCenter, tfWordBreak
};
using TTextFormat = Set<TTextFormats>;

using TCopyMode = win::DWORD;
inline constexpr TCopyMode cmBlackness = win::BLACKNESS, cmDstInvert = win::DSTINVERT,
                           cmMergeCopy = win::MERGECOPY, cmMergePaint = win::MERGEPAINT,
                           cmNotSrcCopy = win::NOTSRCCOPY, cmNotSrcErase = win::NOTSRCERASE,
                           cmPatCopy = win::PATCOPY, cmPatInvert = win::PATINVERT, cmPatPaint = win::PATPAINT,
                           cmSrcAnd = win::SRCAND, cmSrcCopy = win::SRCCOPY, cmSrcErase = win::SRCERASE,
                           cmSrcInvert = win::SRCINVERT, cmSrcPaint = win::SRCPAINT, cmWhiteness = win::WHITENESS;

inline win::RECT Rect(int Left, int Top, int Right, int Bottom) { return win::RECT{Left, Top, Right, Bottom}; }
inline win::RECT Bounds(int Left, int Top, int Width, int Height) {
  return win::RECT{Left, Top, Left + Width, Top + Height};
}
inline win::POINT Point(int X, int Y) { return win::POINT{X, Y}; }

class TCanvas : public TPersistent {
  VANTREL_CLASS(TCanvas, TPersistent)
public:
  TCanvas();
  ~TCanvas() override;

  win::HDC Handle();
  void SetHandle(win::HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  win::POINT PenPos() const { return FPenPos; }
  void SetPenPos(win::POINT Value) { MoveTo(Value.x, Value.y); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  int TextFlags() const { return FTextFlags; }
  void SetTextFlags(int Value) { FTextFlags = Value; }

  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void CopyRect(const win::RECT& Dest, TCanvas* Canvas, const win::RECT& Source);
  void Draw(int X, int Y, TGraphic* Graphic);
  void DrawFocusRect(const win::RECT& R);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const win::RECT& R) { Ellipse(R.left, R.top, R.right, R.bottom); }
  void FillRect(const win::RECT& R);
  void FrameRect(const win::RECT& R);
  void LineTo(int X, int Y);
  void MoveTo(int X, int Y);
  void Polygon(const std::vector<win::POINT>& Points);
  void Polyline(const std::vector<win::POINT>& Points);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const win::RECT& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void StretchDraw(const win::RECT& R, TGraphic* Graphic);
  win::SIZE TextExtent(const std::string& Text);
  int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
  int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  void TextOut(int X, int Y, const std::string& Text);
  // Fills the rectangle with the brush (unless clear) and writes the text clipped to it.
  void TextRect(const win::RECT& R, int X, int Y, const std::string& Text);
  // Writes the text with DrawText formatting; with tfCalcRect only R changes.
  void TextRect(win::RECT& R, std::string& Text, TTextFormat Format);
  win::RECT ClipRect();
  win::COLORREF Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);
  void Refresh();

  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return FLockCount; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& E) { FOnChange = E; }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(const TNotifyEvent& E) { FOnChanging = E; }

protected:
  virtual void Changed();
  virtual void Changing();
  // Makes a handle when none is assigned (descendants); the base makes none.
  virtual void CreateHandle() {}
  // Makes sure the handle and the listed tools are selected; raises EInvalidOperation
  // "Canvas does not allow drawing" without a handle.
  void RequiredState(TCanvasStates ReqState);

private:
  void DeselectHandles();
  void FontChanged(TObject* Sender);
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);

  win::HDC FHandle = nullptr;
  TCanvasStates FState;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  win::POINT FPenPos;
  TCopyMode FCopyMode = cmSrcCopy;
  int FTextFlags = 0;
  std::recursive_mutex FLock;
  int FLockCount = 0;
  win::HGDIOBJ FOldFont = nullptr, FOldPen = nullptr, FOldBrush = nullptr;
  TNotifyEvent FOnChange, FOnChanging;
};
