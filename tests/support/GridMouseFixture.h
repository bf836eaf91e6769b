#pragma once
// A shown grid driven by the headless desktop's mouse: presses, moves and releases at
// client points or cell centres, with modifier keys held.
#include "tests/support/PaintFixture.h"

#include "grid/DBGridGx/Columns.h"
#include "platform/desktop/Headless.h"

class GridMouseTest : public GridPaintTest {
protected:
  using Button = win::headless::MouseButton;

  // The grid of ShownGrid, on a new form, with columns 60 pixels wide (three fit in the
  // window), focused, with the mouse helpers aimed at it.
  template <class G = TDBGridGx>
  G* MouseGrid(std::initializer_list<const char*> Fields, int Rows) {
    Form = std::make_unique<TForm>(nullptr);
    G* Made = ShownGrid<G>(Fields, Rows);
    Grid = Made;
    for (int I = 0; I < Grid->Columns()->Count(); ++I) Grid->Columns()->ColumnAt(I)->SetWidth(60);
    Grid->SetFocus();
    win::headless::ProcessMessages();
    return Made;
  }

  win::POINT Screen(int X, int Y) const { return Grid->ClientToScreen(win::POINT{X, Y}); }
  win::POINT Centre(int ACol, int ARow) const {
    const win::RECT R = Grid->CellRect(ACol, ARow);
    return {(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  }
  // The right border of a cell (where a column is sized), half-way down the cell.
  win::POINT RightBorder(int ACol, int ARow) const {
    const win::RECT R = Grid->CellRect(ACol, ARow);
    return {R.right, (R.top + R.bottom) / 2};
  }

  // The clock moves on first, so that a press never pairs with the click before it into
  // a double click.
  void Press(win::POINT P, Button B = Button::Left) {
    win::headless::AdvanceClock(1000);
    const win::POINT S = Screen(P.x, P.y);
    win::headless::MouseDown(B, S.x, S.y);
  }
  void MoveTo(win::POINT P) {
    const win::POINT S = Screen(P.x, P.y);
    win::headless::MouseMove(S.x, S.y);
  }
  void Release(win::POINT P, Button B = Button::Left) {
    const win::POINT S = Screen(P.x, P.y);
    win::headless::MouseUp(B, S.x, S.y);
  }
  void Click(win::POINT P, Button B = Button::Left) {
    Press(P, B);
    Release(P, B);
  }
  void DoubleClick(win::POINT P) {
    win::headless::AdvanceClock(1000);
    const win::POINT S = Screen(P.x, P.y);
    win::headless::DoubleClick(Button::Left, S.x, S.y);
  }

  // Holds a modifier key (VK_SHIFT, VK_CONTROL) for the lifetime of the object.
  struct Held {
    explicit Held(win::UINT Key) : Key(Key) { win::headless::KeyDown(Key); }
    ~Held() { win::headless::KeyUp(Key); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    win::UINT Key;
  };

  void SetOptionsGx(std::initializer_list<TDBGridGxOption> Add) {
    TDBGridGxOptions O = Grid->OptionsGx();
    for (TDBGridGxOption X : Add) O.Include(X);
    Grid->SetOptionsGx(O);
  }
  void SetOptions(std::initializer_list<TDBGridOption> Add, std::initializer_list<TDBGridOption> Remove = {}) {
    TDBGridOptions O = Grid->Options();
    for (TDBGridOption X : Add) O.Include(X);
    for (TDBGridOption X : Remove) O.Exclude(X);
    Grid->SetOptions(O);
  }
  TDataSet* Data() const { return Grid->DataSource()->DataSet(); }
  TColumnGx* Column(int I) const { return Grid->Columns()->ColumnAt(I); }

  TDBGridGx* Grid = nullptr;
};
