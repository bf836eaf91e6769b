#include <gtest/gtest.h>

#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/Resources.h"

using namespace win;

namespace {

// A bitmap canvas with the draw recording on.
struct Recording {
  Recording() {
    ClearDrawRecording();
    StartDrawRecording();
  }
  ~Recording() {
    StopDrawRecording();
    ClearDrawRecording();
  }
};

TEST(Colors, SystemColoursResolveThroughThePalette) {
  struct { TColor c; COLORREF rgb; } cases[] = {
      {clRed, RGB(255, 0, 0)},         {clBtnFace, GetSysColor(COLOR_BTNFACE)},
      {clWindow, RGB(255, 255, 255)},  {clHighlight, GetSysColor(COLOR_HIGHLIGHT)},
      {clInfoBk, GetSysColor(COLOR_INFOBK)}, {clTeal, RGB(0, 128, 128)},
  };
  for (auto& c : cases) EXPECT_EQ(ColorToRGB(c.c), c.rgb) << c.c;
  EXPECT_LT(clBtnFace, 0);
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(StringToColor("clinfobk"), clInfoBk);
  EXPECT_EQ(StringToColor("$00FF00"), clLime);
  EXPECT_THROW(StringToColor("notacolour"), EConvertError);
}

TEST(Font, SizeHeightAndChangeNotification) {
  TFont f;
  EXPECT_EQ(f.Name(), "MS Sans Serif");
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.Color(), clWindowText);
  struct { int size, height; } cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {1, -1}};
  for (auto& c : cases) {
    f.SetSize(c.size);
    EXPECT_EQ(f.Height(), c.height) << c.size;
    EXPECT_EQ(f.Size(), c.size);
  }
  int changes = 0;
  f.SetOnChange([&](TObject*) { ++changes; });
  HFONT h1 = f.Handle();
  f.SetStyle({fsBold});
  EXPECT_EQ(changes, 1);
  HFONT h2 = f.Handle();
  LOGFONT lf;
  ASSERT_EQ(GetObject(h2, sizeof lf, &lf), int(sizeof lf));
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(GetObject(h1, sizeof lf, &lf), 0);  // the old handle is gone
  f.SetStyle({fsBold});
  EXPECT_EQ(changes, 1);  // no change, no notice
  f.SetColor(clRed);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(f.Handle(), h2);  // the colour is not part of the handle
}

TEST(Font, EqualFontsCompareEqualAndAssignCopies) {
  TFont a, b;
  EXPECT_TRUE(a == b);
  a.SetName("宋体");
  a.SetStyle({fsItalic, fsUnderline});
  a.SetCharset(GB2312_CHARSET);
  EXPECT_FALSE(a == b);
  b.Assign(&a);
  EXPECT_TRUE(a == b);
  b.SetName("宋体");
  EXPECT_TRUE(a == b);
  b.SetHeight(-20);
  EXPECT_FALSE(a == b);
  TPen p;
  EXPECT_THROW(a.Assign(&p), EConvertError);
  // "Default" makes the system's face.
  TFont d;
  d.SetName("Default");
  LOGFONT lf;
  GetObject(d.Handle(), sizeof lf, &lf);
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
}

TEST(Font, BorrowedRotatedHandleIsReplacedBySettingTheHeightAgain) {
  TFont f;
  f.SetName("Arial");
  LOGFONT lf = f.LogFont();
  lf.lfEscapement = lf.lfOrientation = 900;
  HFONT rotated = CreateFontIndirect(lf);
  f.SetHandle(rotated);
  EXPECT_EQ(f.Handle(), rotated);
  EXPECT_EQ(f.Name(), "Arial");
  f.SetHeight(f.Height());
  HFONT upright = f.Handle();
  EXPECT_NE(upright, rotated);
  LOGFONT back;
  GetObject(upright, sizeof back, &back);
  EXPECT_EQ(back.lfEscapement, 0);
  EXPECT_TRUE(DeleteObject(rotated));  // still the caller's
}

TEST(PenBrush, DefaultsHandlesAndModes) {
  TPen p;
  EXPECT_EQ(p.Color(), clBlack);
  EXPECT_EQ(p.Width(), 1);
  EXPECT_EQ(p.Mode(), pmCopy);
  EXPECT_EQ(PenModeToRop2(pmXor), R2_XORPEN);
  EXPECT_EQ(PenModeToRop2(pmNot), R2_NOT);
  EXPECT_EQ(PenModeToRop2(pmNotXor), R2_NOTXORPEN);
  p.SetStyle(psClear);
  LOGPEN lp;
  GetObject(p.Handle(), sizeof lp, &lp);
  EXPECT_EQ(lp.lopnStyle, PS_NULL);
  TBrush b;
  EXPECT_EQ(b.Color(), clWhite);
  b.SetStyle(bsClear);
  LOGBRUSH lb;
  GetObject(b.Handle(), sizeof lb, &lb);
  EXPECT_EQ(lb.lbStyle, BS_NULL);
  b.SetColor(clRed);  // a colour makes a clear brush solid
  EXPECT_EQ(b.Style(), bsSolid);
  b.SetColor(clNone);
  EXPECT_EQ(b.Style(), bsClear);
}

TEST(Canvas, DrawsWithItsToolsAndRecordsWhatACellPainted) {
  TBitmap bmp;
  bmp.SetSize(120, 40);
  TCanvas* c = bmp.Canvas();
  Recording rec;
  c->Brush()->SetColor(clInfoBk);
  c->Font()->SetName("Tahoma");
  c->Font()->SetColor(clNavy);
  c->Font()->SetStyle({fsBold});
  RECT cell{10, 5, 110, 25};
  c->TextRect(cell, 12, 7, "Snippet");
  auto fills = RecordedOps(DrawKind::Fill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].rect, cell);
  EXPECT_EQ(fills[0].color, ColorToRGB(clInfoBk));
  auto texts = RecordedOps(DrawKind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "Snippet");
  EXPECT_EQ(texts[0].FontName(), "Tahoma");
  EXPECT_TRUE(texts[0].Bold());
  EXPECT_EQ(texts[0].color, ColorToRGB(clNavy));
  EXPECT_TRUE(texts[0].clipped);
  EXPECT_EQ(texts[0].clip, cell);
  EXPECT_EQ(texts[0].rect.left, 12);
  EXPECT_EQ(c->Pixels(11, 6), ColorToRGB(clInfoBk));
  // A clear brush leaves the background alone.
  ClearDrawRecording();
  c->Brush()->SetStyle(bsClear);
  c->TextRect(cell, 12, 7, "Again");
  EXPECT_TRUE(RecordedOps(DrawKind::Fill).empty());
  EXPECT_EQ(RecordedOps(DrawKind::Text).at(0).bkMode, TRANSPARENT);
  EXPECT_EQ(c->TextWidth("Snippet"), texts[0].rect.right - texts[0].rect.left);
  EXPECT_EQ(c->TextHeight("Snippet"), 13);
  c->MoveTo(0, 30);
  c->LineTo(50, 30);
  EXPECT_EQ(c->PenPos().x, 50);
  RECT clip = c->ClipRect();
  EXPECT_EQ(clip, (RECT{0, 0, 120, 40}));
}

TEST(Canvas, XorPenModeDrawsReversibly) {
  TBitmap bmp;
  bmp.SetSize(40, 40);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clTeal);
  c->FillRect(Rect(0, 0, 20, 40));
  auto before = GetBitmapImage(bmp.Handle()).pixels;
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetColor(clWhite);
  c->MoveTo(5, 0);
  c->LineTo(5, 40);
  c->MoveTo(0, 0);
  c->LineTo(40, 40);
  EXPECT_NE(GetBitmapImage(bmp.Handle()).pixels, before);
  c->MoveTo(5, 0);
  c->LineTo(5, 40);
  c->MoveTo(0, 0);
  c->LineTo(40, 40);
  EXPECT_EQ(GetBitmapImage(bmp.Handle()).pixels, before);
}

// Code that draws or measures through the handle gets the canvas's current tools, also
// after a tool changed since it was last selected.
TEST(Canvas, TheHandleHoldsTheCurrentFontPenAndBrush) {
  TBitmap bmp;
  bmp.SetSize(20, 20);
  TCanvas* c = bmp.Canvas();
  const struct {
    const char* name;
    void (*change)(TCanvas*);
  } steps[] = {
      {"fresh canvas", [](TCanvas*) {}},
      {"font changed", [](TCanvas* k) { k->Font()->SetSize(22); k->Font()->SetColor(clRed); }},
      {"pen changed", [](TCanvas* k) { k->Pen()->SetColor(clBlue); }},
      {"brush changed", [](TCanvas* k) { k->Brush()->SetColor(clLime); }},
      {"all changed after drawing", [](TCanvas* k) {
         k->TextWidth("x");
         k->Rectangle(0, 0, 5, 5);
         k->Font()->SetStyle(TFontStyles{fsBold});
         k->Pen()->SetWidth(3);
         k->Brush()->SetStyle(bsClear);
       }},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    step.change(c);
    HDC dc = c->Handle();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GdiObj(c->Font()->Handle()));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GdiObj(c->Pen()->Handle()));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GdiObj(c->Brush()->Handle()));
    EXPECT_EQ(GetTextColor(dc), ColorToRGB(c->Font()->Color()));
    EXPECT_EQ(GetBkColor(dc), ColorToRGB(c->Brush()->Color()));
  }
}

TEST(Canvas, WithoutAHandleDrawingRaisesAndLocksCount) {
  TCanvas c;
  EXPECT_THROW(c.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
  EXPECT_THROW(c.Handle(), EInvalidOperation);
  c.Lock();
  c.Lock();
  EXPECT_EQ(c.LockCount(), 2);
  EXPECT_TRUE(c.TryLock());
  c.Unlock();
  c.Unlock();
  c.Unlock();
  EXPECT_EQ(c.LockCount(), 0);
  c.Unlock();  // unbalanced: ignored
  EXPECT_EQ(c.LockCount(), 0);
  // An assigned handle is used as it is, and given back untouched.
  HDC dc = CreateCompatibleDC(nullptr);
  c.SetHandle(dc);
  HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  c.TextWidth("x");
  EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), before);
  c.SetHandle(nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
  DeleteDC(dc);
}

TEST(Bitmap, SizeStreamsAndTransparency) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  b.SetSize(3, 2);
  b.Canvas()->SetPixels(0, 0, clRed);
  b.Canvas()->SetPixels(2, 1, clBlue);
  b.SetWidth(4);  // keeps what fits
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(b.Canvas()->Pixels(3, 1), RGB(255, 255, 255));
  TMemoryStream s;
  b.SaveToStream(&s);
  EXPECT_EQ(s.Size(), 14 + 40 + 2 * 12);
  s.SetPosition(0);
  TBitmap c;
  c.LoadFromStream(&s);
  EXPECT_EQ(c.Width(), 4);
  EXPECT_EQ(c.Height(), 2);
  EXPECT_EQ(c.Canvas()->Pixels(2, 1), RGB(0, 0, 255));
  // Corrupt data raises and leaves the bitmap as it was.
  TMemoryStream bad;
  bad.WriteBuffer("BMxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 30);
  bad.SetPosition(0);
  EXPECT_THROW(c.LoadFromStream(&bad), EInvalidGraphic);
  EXPECT_EQ(c.Width(), 4);
  // Monochrome round trip.
  TBitmap m;
  m.SetMonochrome(true);
  m.SetSize(9, 1);
  m.Canvas()->SetPixels(8, 0, clBlack);
  TMemoryStream ms;
  m.SaveToStream(&ms);
  ms.SetPosition(0);
  TBitmap m2;
  m2.LoadFromStream(&ms);
  EXPECT_TRUE(m2.Monochrome());
  EXPECT_EQ(m2.Canvas()->Pixels(8, 0), RGB(0, 0, 0));
  EXPECT_EQ(m2.Canvas()->Pixels(7, 0), RGB(255, 255, 255));
  // Transparent drawing skips the bottom-left pixel's colour.
  TBitmap t;
  t.SetSize(2, 2);
  t.Canvas()->Brush()->SetColor(clFuchsia);
  t.Canvas()->FillRect(Rect(0, 0, 2, 2));
  t.Canvas()->SetPixels(1, 0, clGreen);
  t.SetTransparent(true);
  EXPECT_EQ(t.TransparentColor() & 0xFFFFFF, clFuchsia);
  TBitmap target;
  target.SetSize(2, 2);
  target.Canvas()->Draw(0, 0, &t);
  EXPECT_EQ(target.Canvas()->Pixels(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(target.Canvas()->Pixels(1, 0), RGB(0, 128, 0));
}

TEST(Bitmap, LoadsNamedResources) {
  TBitmap src;
  src.SetSize(6, 11);
  src.Canvas()->SetPixels(5, 10, clRed);
  TMemoryStream s;
  src.SaveToStream(&s);
  const auto& d = s.Data();
  RegisterResource("BITMAP", "GXTESTBMP", std::vector<unsigned char>(d.begin(), d.end()));
  TBitmap b;
  b.LoadFromResourceName(nullptr, "gxtestbmp");
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Canvas()->Pixels(5, 10), RGB(255, 0, 0));
  EXPECT_THROW(b.LoadFromResourceName(nullptr, "NOSUCHBMP"), EResNotFound);
  UnregisterResource("BITMAP", "GXTESTBMP");
}

TEST(Picture, ArbitraryBlobsFailSafely) {
  TBitmap good;
  good.SetSize(2, 2);
  TMemoryStream gs;
  good.SaveToStream(&gs);
  std::string bmp(gs.Data().begin(), gs.Data().end());
  TIcon icon;
  PixelImage img{2, 2, {0xFFFF0000, 0, 0, 0xFF00FF00}};
  icon.SetImage(img);
  TMemoryStream is;
  icon.SaveToStream(&is);
  std::string ico(is.Data().begin(), is.Data().end());
  std::string huge = bmp;
  huge[18] = '\xFF';  // width 0x7FFF00FF-ish
  huge[21] = '\x7F';
  struct Case {
    const char* name;
    std::string data;
    bool throws;
    int width;
  } cases[] = {
      {"empty", "", false, 0},
      {"text", "hello, not a picture", true, 0},
      {"truncated bitmap", bmp.substr(0, 40), true, 0},
      {"bitmap missing its pixels", bmp.substr(0, bmp.size() - 4), true, 0},
      {"huge dimensions", huge, true, 0},
      {"bitmap", bmp, false, 2},
      {"icon", ico, false, 2},
      {"truncated icon", ico.substr(0, 30), true, 0},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    TPicture p;
    TMemoryStream s;
    if (!c.data.empty()) s.WriteBuffer(c.data.data(), std::int64_t(c.data.size()));
    s.SetPosition(0);
    if (c.throws) {
      EXPECT_THROW(p.LoadFromStream(&s), EInvalidGraphic);
      EXPECT_EQ(p.Graphic(), nullptr);
    } else {
      EXPECT_NO_THROW(p.LoadFromStream(&s));
      EXPECT_EQ(p.Width(), c.width);
    }
  }
  TPicture p;
  p.Bitmap()->SetSize(5, 5);
  EXPECT_EQ(p.Width(), 5);
  p.Icon();  // switching kind empties the picture
  EXPECT_EQ(p.Width(), 0);
}

TEST(Picture, TruncatedAndMutatedFilesNeverCrash) {
  // A paletted bitmap and an icon, cut at every length and with bytes changed.
  TBitmap mono;
  mono.SetMonochrome(true);
  mono.SetSize(13, 5);
  TMemoryStream ms;
  mono.SaveToStream(&ms);
  TIcon icon;
  icon.SetImage(PixelImage{3, 3, std::vector<std::uint32_t>(9, 0xFF102030)});
  TMemoryStream is;
  icon.SaveToStream(&is);
  unsigned seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  for (const TMemoryStream* src : {&ms, &is}) {
    std::string data(src->Data().begin(), src->Data().end());
    std::vector<std::string> variants;
    for (size_t n = 0; n < data.size(); ++n) variants.push_back(data.substr(0, n));
    for (int k = 0; k < 300; ++k) {
      std::string m = data;
      for (int j = 0; j < 3; ++j) m[next() % m.size()] = char(next() >> 16);
      variants.push_back(m);
    }
    for (const std::string& v : variants) {
      TPicture p;
      TMemoryStream s;
      if (!v.empty()) s.WriteBuffer(v.data(), std::int64_t(v.size()));
      s.SetPosition(0);
      try {
        p.LoadFromStream(&s);
        if (p.Graphic()) {
          EXPECT_GT(p.Width(), 0);
        }
      } catch (const EInvalidGraphic&) {
        EXPECT_EQ(p.Graphic(), nullptr);
      }
    }
  }
}

TEST(Metafile, CanvasRecordsAPageThatStretchDrawScales) {
  TMetafile mf;
  mf.SetWidth(100);
  mf.SetHeight(50);
  {
    TMetafileCanvas mc(&mf, nullptr);
    mc.Font()->SetName("Arial");
    mc.Font()->SetHeight(-10);
    mc.Brush()->SetStyle(bsClear);
    mc.TextOut(10, 10, "Page");
    mc.MoveTo(0, 49);
    mc.LineTo(100, 49);
  }
  ASSERT_FALSE(mf.Empty());
  TBitmap target;
  target.SetSize(300, 150);
  Recording rec;
  target.Canvas()->StretchDraw(Rect(0, 0, 300, 150), &mf);
  auto t = RecordedOps(DrawKind::Text);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].text, "Page");
  EXPECT_EQ(t[0].font.lfHeight, -30);
  EXPECT_EQ(t[0].rect.left, 30);
  auto l = RecordedOps(DrawKind::Line);
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0].points[0].y, 147);
  TMetafile copy;
  copy.Assign(&mf);
  EXPECT_FALSE(copy.Empty());
  EXPECT_NE(copy.Handle(), mf.Handle());
}

TEST(ImageList, AddMaskedDrawAndNotify) {
  TImageList il(nullptr);
  il.SetWidth(4);
  il.SetHeight(2);
  TChangeLink link;
  int notices = 0;
  link.SetOnChange([&](TObject*) { ++notices; });
  il.RegisterChanges(&link);
  TBitmap strip;
  strip.SetSize(8, 2);  // two images side by side
  strip.Canvas()->Brush()->SetColor(clRed);
  strip.Canvas()->FillRect(Rect(0, 0, 8, 2));
  strip.Canvas()->SetPixels(0, 0, clWhite);
  strip.Canvas()->SetPixels(5, 1, clWhite);
  EXPECT_EQ(il.AddMasked(&strip, clWhite), 0);
  EXPECT_EQ(il.Count(), 2);
  EXPECT_EQ(notices, 1);
  TBitmap target;
  target.SetSize(4, 2);
  target.Canvas()->Brush()->SetColor(clBlue);
  target.Canvas()->FillRect(Rect(0, 0, 4, 2));
  il.Draw(target.Canvas(), 0, 0, 0);
  EXPECT_EQ(target.Canvas()->Pixels(0, 0), RGB(0, 0, 255));  // see-through
  EXPECT_EQ(target.Canvas()->Pixels(1, 0), RGB(255, 0, 0));
  il.Draw(target.Canvas(), 0, 0, 1, false);
  EXPECT_EQ(target.Canvas()->Pixels(0, 0), ColorToRGB(clBtnShadow));  // disabled
  // A background colour fills the see-through parts.
  il.SetBkColor(clLime);
  TBitmap got;
  il.GetBitmap(1, &got);
  EXPECT_EQ(got.Width(), 4);
  EXPECT_EQ(got.Canvas()->Pixels(1, 1), RGB(0, 255, 0));
  EXPECT_EQ(got.Canvas()->Pixels(0, 0), RGB(255, 0, 0));
  TIcon icon;
  il.GetIcon(0, &icon);
  EXPECT_EQ(icon.Width(), 4);
  EXPECT_THROW(il.Delete(5), EInvalidOperation);
  il.Delete(0);
  EXPECT_EQ(il.Count(), 1);
  il.UnRegisterChanges(&link);
  int before = notices;
  il.Clear();
  EXPECT_EQ(notices, before);
  // A link outliving nothing: the list lets go of links when it is freed.
  {
    TImageList tmp(nullptr);
    TChangeLink l2;
    tmp.RegisterChanges(&l2);
  }
}

TEST(ImageList, ReplaceKeepsTheImagesWhenAChangeHandlerFails) {
  TImageList il(nullptr);
  il.SetWidth(2);
  il.SetHeight(2);
  TBitmap red, blue;
  for (auto [bmp, colour] : {std::pair{&red, clRed}, std::pair{&blue, clBlue}}) {
    bmp->SetSize(2, 2);
    bmp->Canvas()->Brush()->SetColor(colour);
    bmp->Canvas()->FillRect(Rect(0, 0, 2, 2));
  }
  il.Add(&red, nullptr);
  il.Add(&red, nullptr);
  bool fail = true;
  std::vector<int> counts;
  il.SetOnChange([&](TObject*) {
    counts.push_back(il.Count());
    if (fail) throw Exception("refused");
  });
  EXPECT_THROW(il.Replace(1, &blue, nullptr), Exception);
  EXPECT_EQ(il.Count(), 2);
  fail = false;
  il.Replace(1, &blue, nullptr);
  EXPECT_EQ(il.Count(), 2);
  // Every change heard shows the whole list.
  EXPECT_EQ(counts, (std::vector<int>{2, 2, 2}));
  TBitmap got;
  il.GetBitmap(1, &got);
  EXPECT_EQ(got.Canvas()->Pixels(0, 0), RGB(0, 0, 255));
  il.GetBitmap(0, &got);
  EXPECT_EQ(got.Canvas()->Pixels(0, 0), RGB(255, 0, 0));
}

}  // namespace
