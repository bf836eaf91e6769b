#include "ControlsFixture.h"

#include <memory>
#include <optional>

namespace {

class FormPositionTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    // The primary monitor with a task bar, and a taller one to its left.
    win::headless::SetMonitors(
        {{{0, 0, 1024, 768}, {0, 0, 1024, 728}}, {{-1280, 0, 0, 1024}, {-1280, 0, 0, 1000}}});
  }
};

struct Bounds {
  int Left, Top, Width, Height;
  bool operator==(const Bounds&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Bounds& b) {
  return os << "(" << b.Left << ", " << b.Top << ", " << b.Width << ", " << b.Height << ")";
}
Bounds Of(TControl* c) { return {c->Left(), c->Top(), c->Width(), c->Height()}; }

TEST_F(FormPositionTest, WhereAFormIsShown) {
  struct Case {
    const char* Name;
    TPosition Position;
    Bounds Designed;
    std::optional<Bounds> MainForm;  // shown first, the application's main form
    bool OwnedByForm;                // the form's owner is a form at (200, 100, 600, 500)
    Bounds Expected;
  };
  const Bounds dlg{100, 50, 400, 300};
  const Case cases[] = {
      {"designed", poDesigned, dlg, {}, false, dlg},
      {"default place and size", poDefault, dlg, {}, false, {32, 32, 640, 480}},
      {"default place", poDefaultPosOnly, dlg, {}, false, {32, 32, 400, 300}},
      {"default size", poDefaultSizeOnly, dlg, {}, false, {100, 50, 640, 480}},
      {"screen centre", poScreenCenter, dlg, {}, false, {312, 234, 400, 300}},
      {"screen centre on the main form's monitor", poScreenCenter, dlg, Bounds{-1000, 100, 600, 400}, false,
       {-840, 362, 400, 300}},
      {"screen centre, larger than the work area", poScreenCenter, {0, 0, 1200, 900}, {}, false, {0, 0, 1200, 900}},
      {"desktop centre across both monitors", poDesktopCenter, dlg, {}, false, {-328, 362, 400, 300}},
      {"main form centre", poMainFormCenter, dlg, Bounds{-1000, 100, 600, 400}, false, {-900, 150, 400, 300}},
      {"main form centre kept above the task bar", poMainFormCenter, dlg, Bounds{900, 600, 300, 200}, false,
       {624, 428, 400, 300}},
      {"main form centre without a main form", poMainFormCenter, dlg, {}, false, {312, 234, 400, 300}},
      {"owner form centre", poOwnerFormCenter, dlg, Bounds{-1000, 100, 600, 400}, true, {300, 200, 400, 300}},
      {"owner form centre, owner not a form", poOwnerFormCenter, dlg, Bounds{-1000, 100, 600, 400}, false,
       {-900, 150, 400, 300}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TForm* main = nullptr;
    if (c.MainForm) {
      Application->CreateForm(main);
      main->SetBoundsRect({c.MainForm->Left, c.MainForm->Top, c.MainForm->Left + c.MainForm->Width,
                           c.MainForm->Top + c.MainForm->Height});
      main->Show();
    }
    std::unique_ptr<TForm> owner;
    if (c.OwnedByForm) {
      owner = std::make_unique<TForm>(nullptr);
      owner->SetBounds(200, 100, 600, 500);
    }
    TComponent* dialogOwner = owner ? static_cast<TComponent*>(owner.get()) : nullptr;
    auto* f = new TForm(dialogOwner);
    std::unique_ptr<TForm> freeIt(owner ? nullptr : f);
    f->SetBounds(c.Designed.Left, c.Designed.Top, c.Designed.Width, c.Designed.Height);
    f->SetPosition(c.Position);
    f->Show();
    EXPECT_EQ(Of(f), c.Expected);
    // The window is where the form says it is.
    win::RECT r;
    win::GetWindowRect(f->Handle(), &r);
    EXPECT_EQ((Bounds{r.left, r.top, r.right - r.left, r.bottom - r.top}), c.Expected);
    freeIt.reset();
    owner.reset();
    delete main;
  }
}

// A window made again (a new right-to-left mode) keeps the place it was given.
TEST_F(FormPositionTest, DefaultPlaceIsTakenOnce) {
  TForm f(nullptr);
  f.SetBounds(100, 50, 400, 300);
  f.SetPosition(poDefault);
  f.Show();
  f.SetBounds(150, 60, 500, 350);
  f.SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(Of(&f), (Bounds{150, 60, 500, 350}));
}

}  // namespace
