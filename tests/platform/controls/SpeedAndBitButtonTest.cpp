// Speed buttons (groups, Down, AllowAllUp, flat hover, glyph images and layout) and
// bitmap buttons (kinds).
#include "ControlsFixture.h"

#include "platform/controls/Buttons.h"
#include "platform/graphics/DrawRecord.h"
#include "tests/support/RepaintRecord.h"

namespace {

class ButtonsTest : public FormTest {
protected:
  TSpeedButton* Speed(int left, int group) {
    auto* b = new TSpeedButton(form);
    b->SetParent(form);
    b->SetBounds(left, 10, 60, 30);
    b->SetGroupIndex(group);
    b->SetOnClick(MakeEvent(this, &ButtonsTest::Clicked));
    return b;
  }
  void Clicked(TObject*) { ++clicks; }
  // What the form draws when repainted, of one kind.
  std::vector<win::DrawOp> Drawn(win::DrawKind kind) { return RepaintAndRecord(form->Handle(), kind); }
  int clicks = 0;
};

TEST_F(ButtonsTest, GroupedSpeedButtonsStayDownOneAtATime) {
  TSpeedButton* a = Speed(10, 1);
  TSpeedButton* b = Speed(80, 1);
  TSpeedButton* other = Speed(150, 2);
  TSpeedButton* plain = Speed(220, 0);
  other->SetDown(true);
  ClickAt(a);
  EXPECT_TRUE(a->Down());
  ClickAt(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(other->Down());  // another group
  ClickAt(b);                  // the down button cannot be let up...
  EXPECT_TRUE(b->Down());
  a->SetAllowAllUp(true);      // ...until the group allows all up, set on any of its buttons
  EXPECT_TRUE(b->AllowAllUp());
  ClickAt(b);
  EXPECT_FALSE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(clicks, 4);
  // A button of no group never stays down.
  plain->SetDown(true);
  ClickAt(plain);
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(clicks, 5);
}

TEST_F(ButtonsTest, FlatSpeedButtonRaisesUnderThePointerOnly) {
  TSpeedButton* b = Speed(10, 0);
  b->SetFlat(true);
  EXPECT_TRUE(Drawn(win::DrawKind::Edge).empty());
  win::POINT p = Center(b);
  win::headless::MouseMove(p.x, p.y);
  EXPECT_EQ(Drawn(win::DrawKind::Edge).size(), 1u);
  win::headless::MouseMove(p.x + 200, p.y + 200);
  EXPECT_TRUE(Drawn(win::DrawKind::Edge).empty());
  b->SetEnabled(false);
  win::headless::MouseMove(p.x, p.y);
  EXPECT_TRUE(Drawn(win::DrawKind::Edge).empty());
  b->SetFlat(false);
  EXPECT_EQ(Drawn(win::DrawKind::Edge).size(), 1u);
}

TEST_F(ButtonsTest, GlyphImageFollowsTheStateAndTheLayoutPlacesIt) {
  TSpeedButton* b = Speed(10, 1);
  b->SetBounds(10, 10, 120, 60);
  b->SetCaption("Go");
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetSize(64, 16);  // four images of 16 x 16, told apart by their colour
  const TColor colours[] = {clBlack, clLime, clWhite, clGray};
  for (int i = 0; i < 4; ++i) {
    glyph->Canvas()->Brush()->SetColor(colours[i]);
    glyph->Canvas()->FillRect(win::RECT{i * 16, 0, i * 16 + 16, 16});
  }
  b->SetGlyph(glyph.get());
  auto image = [&]() {
    std::vector<win::DrawOp> blits = Drawn(win::DrawKind::Blit);
    EXPECT_EQ(blits.size(), 1u);
    if (blits.empty() || !blits[0].image) return -1;
    std::uint32_t px = blits[0].image->pixels[0];
    int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF;
    return g == 0 ? 0 : g == 0x80 ? 3 : r == 0 ? 1 : 2;
  };
  // image: the quarter of the bitmap where the drawn image starts.
  struct Case { int numGlyphs; bool enabled, down; int image; } cases[] = {
      {4, true, false, 0}, {4, false, false, 1}, {4, true, true, 3},
      {2, false, false, 2}, {2, true, true, 0}, {1, false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.numGlyphs << " enabled " << c.enabled << " down " << c.down);
    b->SetNumGlyphs(c.numGlyphs);
    b->SetEnabled(c.enabled);
    b->SetDown(c.down);
    if (!c.down) b->SetAllowAllUp(true), b->SetDown(false);
    EXPECT_EQ(image(), c.image);
  }
  b->SetNumGlyphs(4);
  b->SetEnabled(true);
  b->SetDown(false);
  // Where the glyph sits against the caption.
  struct Layout { TButtonLayout layout; int dx, dy; } layouts[] = {
      {blGlyphLeft, -1, 0}, {blGlyphRight, 1, 0}, {blGlyphTop, 0, -1}, {blGlyphBottom, 0, 1}};
  for (const Layout& l : layouts) {
    SCOPED_TRACE(int(l.layout));
    b->SetLayout(l.layout);
    std::vector<win::DrawOp> blits = Drawn(win::DrawKind::Blit);
    std::vector<win::DrawOp> texts = Drawn(win::DrawKind::Text);
    ASSERT_EQ(blits.size(), 1u);
    ASSERT_EQ(texts.size(), 1u);
    const win::RECT& g = blits[0].rect;
    const win::RECT& t = texts[0].rect;
    if (l.dx < 0) {
      EXPECT_LE(g.right, t.left);
    }
    if (l.dx > 0) {
      EXPECT_GE(g.left, t.right);
    }
    if (l.dy < 0) {
      EXPECT_LE(g.bottom, t.top);
    }
    if (l.dy > 0) {
      EXPECT_GE(g.top, t.bottom);
    }
    // The pair is centred in the button.
    int left = std::min(g.left, t.left), right = std::max(g.right, t.right);
    EXPECT_NEAR((left + right) / 2, 70, 1);
  }
}

TEST_F(ButtonsTest, BitButtonKinds) {
  struct Case { TBitBtnKind kind; const char* caption; TModalResult result; bool def, cancel; } cases[] = {
      {bkOK, "OK", mrOk, true, false},       {bkCancel, "Cancel", mrCancel, false, true},
      {bkYes, "&Yes", mrYes, true, false},   {bkNo, "&No", mrNo, false, true},
      {bkAbort, "Abort", mrAbort, false, false}, {bkRetry, "&Retry", mrRetry, false, false},
      {bkIgnore, "&Ignore", mrIgnore, false, false}, {bkAll, "&All", mrAll, false, false},
      {bkHelp, "&Help", mrNone, false, false}, {bkClose, "&Close", mrNone, false, false},
  };
  auto* b = new TBitBtn(form);
  b->SetParent(form);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    b->SetKind(c.kind);
    EXPECT_EQ(b->Caption(), c.caption);
    EXPECT_EQ(b->ModalResult(), c.result);
    EXPECT_EQ(b->Default(), c.def);
    EXPECT_EQ(b->Cancel(), c.cancel);
  }
  // A custom kind keeps what the button has.
  b->SetKind(bkCustom);
  EXPECT_EQ(b->Caption(), "&Close");
  // Clicking gives the form the modal result; a close button closes the form.
  b->SetKind(bkYes);
  ClickAt(b);
  EXPECT_EQ(form->ModalResult(), mrYes);
  b->SetKind(bkClose);
  ClickAt(b);
  EXPECT_FALSE(form->Visible());
}

}  // namespace
