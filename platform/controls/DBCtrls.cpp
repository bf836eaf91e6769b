#include "platform/controls/DBCtrls.h"

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The buttons' glyphs, as filled shapes on a 16 x 16 design grid centred on the button.
using Shape = std::vector<std::pair<double, double>>;

Shape Rect(double l, double t, double r, double b) { return {{l, t}, {r, t}, {r, b}, {l, b}}; }

// A ring from angle `from` to `to` (degrees, counter-clockwise from three o'clock) with an
// arrowhead at its end: the refresh arrow.
Shape CircularArrow(double from, double to) {
  const double pi = 3.14159265358979323846, outer = 7, inner = 4.5, cx = 8, cy = 8;
  Shape s;
  auto at = [&](double r, double deg) {
    return std::pair<double, double>{cx + r * std::cos(deg * pi / 180), cy - r * std::sin(deg * pi / 180)};
  };
  for (double a = from; a <= to; a += 15) s.push_back(at(outer, a));
  // The arrowhead: past the ring on both sides, its point further along.
  s.push_back(at(outer + 1.5, to));
  s.push_back(at((outer + inner) / 2, to + 40));
  s.push_back(at(inner - 1.5, to));
  for (double a = to; a >= from; a -= 15) s.push_back(at(inner, a));
  return s;
}

std::vector<Shape> NavGlyph(TNavigateBtn Button) {
  switch (Button) {
    case nbFirst: return {Rect(2, 2, 5, 14), {{14, 2}, {14, 14}, {7, 8}}};
    case nbPrior: return {{{12, 2}, {12, 14}, {4, 8}}};
    case nbNext: return {{{4, 2}, {4, 14}, {12, 8}}};
    case nbLast: return {{{2, 2}, {2, 14}, {9, 8}}, Rect(11, 2, 14, 14)};
    case nbInsert:
      return {{{6.5, 2}, {9.5, 2}, {9.5, 6.5}, {14, 6.5}, {14, 9.5}, {9.5, 9.5},
               {9.5, 14}, {6.5, 14}, {6.5, 9.5}, {2, 9.5}, {2, 6.5}, {6.5, 6.5}}};
    case nbDelete: return {Rect(2, 6.5, 14, 9.5)};
    case nbEdit: return {{{2, 12}, {14, 12}, {8, 4}}};
    case nbPost: return {{{1.5, 8.5}, {3.5, 6.5}, {6.5, 9.5}, {12.5, 3.5}, {14.5, 5.5}, {6.5, 13.5}}};
    case nbCancel:
      return {{{2, 4}, {4, 2}, {8, 6}, {12, 2}, {14, 4}, {10, 8},
               {14, 12}, {12, 14}, {8, 10}, {4, 14}, {2, 12}, {6, 8}}};
    case nbRefresh: return {CircularArrow(-60, 200)};
  }
  return {};
}

}  // namespace

class TDBNavigator::TNavDataLink : public TDataLink {
public:
  explicit TNavDataLink(TDBNavigator* Nav) : FNav(Nav) { SetVisualControl(true); }

protected:
  void ActiveChanged() override { FNav->UpdateButtons(); }
  void DataSetChanged() override { FNav->UpdateButtons(); }
  void EditingChanged() override { FNav->UpdateButtons(); }

private:
  TDBNavigator* FNav;
};

void TNavButton::Paint() {
  win::HDC dc = Canvas()->Handle();
  win::RECT r = ClientRect();
  win::HBRUSH b = win::CreateSolidBrush(ColorToRGB(clBtnFace));
  win::FillRect(dc, &r, b);
  win::DeleteObject(b);
  win::DrawEdge(dc, &r, FDown ? win::EDGE_SUNKEN : win::EDGE_RAISED, win::BF_RECT);
  // The glyph fills about half the button's smaller side, one pixel down and right while
  // the button is held down.
  int side = std::max(4, std::min(r.right - r.left, r.bottom - r.top) / 2);
  double scale = side / 16.0;
  int left = (r.left + r.right - side) / 2 + (FDown ? 1 : 0);
  int top = (r.top + r.bottom - side) / 2 + (FDown ? 1 : 0);
  TColor color = Enabled() ? clBtnText : clGrayText;
  Canvas()->Pen()->SetColor(color);
  Canvas()->Pen()->SetStyle(psSolid);
  Canvas()->Brush()->SetColor(color);
  Canvas()->Brush()->SetStyle(bsSolid);
  for (const Shape& shape : NavGlyph(Index)) {
    std::vector<win::POINT> points;
    for (auto [x, y] : shape)
      points.push_back({left + int(std::lround(x * scale)), top + int(std::lround(y * scale))});
    Canvas()->Polygon(points);
  }
}

void TNavButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) { FDown = true; Invalidate(); }
}

void TNavButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  bool was = FDown;
  FDown = false;
  Invalidate();
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && was && X >= 0 && X < Width() && Y >= 0 && Y < Height())
    if (auto* nav = dynamic_cast<TDBNavigator*>(Parent())) nav->BtnClick(Index);
}

void TDBNavigator::Publish(TClassBuilder<TDBNavigator>& b) {
  b.Property("ConfirmDelete", &TDBNavigator::ConfirmDelete, &TDBNavigator::SetConfirmDelete).Default(true);
  b.Property("DataSource", &TDBNavigator::DataSource, &TDBNavigator::SetDataSource);
  b.Property("VisibleButtons", &TDBNavigator::VisibleButtons, &TDBNavigator::SetVisibleButtons)
      .Default(TButtonSet{nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh});
  b.Property("BeforeAction", &TDBNavigator::BeforeAction, &TDBNavigator::SetBeforeAction);
  b.Property("OnClick", &TDBNavigator::OnClick, &TDBNavigator::SetOnClick);
}

TDBNavigator::TDBNavigator(TComponent* AOwner) : TCustomPanel(AOwner), FLink(std::make_unique<TNavDataLink>(this)) {
  SetBevelOuter(bvNone);
  FControlStyle -= csAcceptsControls;
  FControlStyle -= csSetCaption;
  for (int i = 0; i < 10; ++i) {
    auto* b = new TNavButton(nullptr);
    b->Index = static_cast<TNavigateBtn>(i);
    b->SetParent(this);
    FButtons[i] = b;
  }
  FWidth = 241;
  FHeight = 25;
  ArrangeButtons();
  UpdateButtons();
}

TDBNavigator::~TDBNavigator() {
  Destroying();
  FLink->SetDataSource(nullptr);
  for (TNavButton*& b : FButtons) {
    delete b;
    b = nullptr;
  }
}

TDataSource* TDBNavigator::DataSource() const { return FLink->DataSource(); }

void TDBNavigator::SetDataSource(TDataSource* Value) {
  FLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  UpdateButtons();
}

void TDBNavigator::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation == opRemove && FLink && AComponent == FLink->DataSource()) SetDataSource(nullptr);
}

void TDBNavigator::SetVisibleButtons(TButtonSet Value) {
  FVisibleButtons = Value;
  ArrangeButtons();
}

void TDBNavigator::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
  ArrangeButtons();
}

void TDBNavigator::Loaded() {
  TCustomPanel::Loaded();
  ArrangeButtons();
  UpdateButtons();
}

// The visible buttons share the width; the remainder goes to the first ones.
void TDBNavigator::ArrangeButtons() {
  if (!FButtons[0]) return;
  int count = 0;
  for (int i = 0; i < 10; ++i)
    if (FVisibleButtons.Contains(static_cast<TNavigateBtn>(i))) ++count;
  if (count == 0) count = 1;
  int w = FWidth / count, extra = FWidth % count, x = 0;
  for (int i = 0; i < 10; ++i) {
    TNavButton* b = FButtons[i];
    bool vis = FVisibleButtons.Contains(static_cast<TNavigateBtn>(i));
    b->SetVisible(vis);
    if (!vis) continue;
    int bw = w + (extra-- > 0 ? 1 : 0);
    b->SetBounds(x, 0, bw, FHeight);
    x += bw;
  }
}

void TDBNavigator::UpdateButtons() {
  if (!FButtons[0]) return;
  TDataSet* ds = FLink->Active() ? FLink->DataSet() : nullptr;
  bool active = ds != nullptr;
  bool editing = active && FLink->Editing();
  bool canModify = active && ds->CanModify();
  bool upEnable = active && !ds->Bof();
  bool downEnable = active && !ds->Eof();
  FButtons[nbFirst]->SetEnabled(upEnable);
  FButtons[nbPrior]->SetEnabled(upEnable);
  FButtons[nbNext]->SetEnabled(downEnable);
  FButtons[nbLast]->SetEnabled(downEnable);
  FButtons[nbInsert]->SetEnabled(canModify);
  FButtons[nbDelete]->SetEnabled(canModify && !(ds->Bof() && ds->Eof()));
  FButtons[nbEdit]->SetEnabled(canModify && !editing);
  FButtons[nbPost]->SetEnabled(canModify && editing);
  FButtons[nbCancel]->SetEnabled(canModify && editing);
  FButtons[nbRefresh]->SetEnabled(active);
}

void TDBNavigator::BtnClick(TNavigateBtn Index) {
  TDataSource* src = FLink->DataSource();
  if (!src || src->State() == dsInactive) return;
  if (FBeforeAction && !ComponentState().Contains(csDesigning)) FBeforeAction(this, Index);
  TDataSet* ds = src->DataSet();
  switch (Index) {
    case nbFirst: ds->First(); break;
    case nbPrior: ds->Prior(); break;
    case nbNext: ds->Next(); break;
    case nbLast: ds->Last(); break;
    case nbInsert: ds->Insert(); break;
    case nbEdit: ds->Edit(); break;
    case nbCancel: ds->Cancel(); break;
    case nbPost: ds->Post(); break;
    case nbRefresh: ds->Refresh(); break;
    case nbDelete:
      if (!FConfirmDelete ||
          Application->MessageBox("Delete record?", "Confirm", win::MB_OKCANCEL | win::MB_ICONQUESTION) != win::IDCANCEL)
        ds->Delete();
      break;
  }
  UpdateButtons();
  if (FOnNavClick) FOnNavClick(this, Index);
}

class TDBMemo::TMemoDataLink : public TDataLink {
public:
  explicit TMemoDataLink(TDBMemo* Memo) : FMemo(Memo) { SetVisualControl(true); }

protected:
  void ActiveChanged() override { FMemo->LoadMemo(); }
  void RecordChanged(TField* Field) override {
    if (!Field || Field == FMemo->Field()) FMemo->LoadMemo();
  }
  void EditingChanged() override {
    if (!Editing()) FMemo->FFieldModified = false;
  }
  void UpdateData() override {
    TField* f = FMemo->Field();
    if (f && FMemo->FFieldModified) f->SetAsString(FMemo->FText);
    FMemo->FFieldModified = false;
  }

private:
  TDBMemo* FMemo;
};

void TDBMemo::Publish(TClassBuilder<TDBMemo>& b) {
  b.Property("DataField", &TDBMemo::DataField, &TDBMemo::SetDataField);
  b.Property("DataSource", &TDBMemo::DataSource, &TDBMemo::SetDataSource);
}

TDBMemo::TDBMemo(TComponent* AOwner) : TCustomMemo(AOwner), FLink(std::make_unique<TMemoDataLink>(this)) {}

TDBMemo::~TDBMemo() {
  Destroying();
  FLink->SetDataSource(nullptr);
}

TDataSource* TDBMemo::DataSource() const { return FLink->DataSource(); }

void TDBMemo::SetDataSource(TDataSource* Value) {
  FLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  LoadMemo();
}

void TDBMemo::SetDataField(const std::string& Value) {
  FDataField = Value;
  LoadMemo();
}

void TDBMemo::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMemo::Notification(AComponent, Operation);
  if (Operation == opRemove && FLink && AComponent == FLink->DataSource()) SetDataSource(nullptr);
}

TField* TDBMemo::Field() const {
  TDataSet* ds = FLink->Active() ? FLink->DataSet() : nullptr;
  return ds && !FDataField.empty() ? ds->FindField(FDataField) : nullptr;
}

void TDBMemo::LoadMemo() {
  if (FLoading) return;
  FLoading = true;
  auto done = AtScopeExit([this] { FLoading = false; });
  TField* f = Field();
  std::string text = f ? f->AsString() : std::string();
  if (text != FText) SetText(text);
  // What was typed into another record's text cannot be undone into this one.
  ClearUndo();
  FFieldModified = false;
}

// Typing changes the field only when the data source lets the record be edited.
bool TDBMemo::CanEditField() {
  if (FReadOnly) return false;
  TField* f = Field();
  if (!f) return FLink->DataSource() == nullptr;
  if (!FLink->Edit()) return false;
  FFieldModified = true;
  return true;
}

void TDBMemo::EditChar(TKeyChar Key) {
  bool changes = Key == 8 || Key == '\r' || Key == 22 || Key == 24 || Key >= 32;
  if (changes && !CanEditField()) {
    if (Key != 1 && Key != 3) win::MessageBeep(0);
    return;
  }
  TCustomMemo::EditChar(Key);
}

void TDBMemo::EditKeyDown(win::WORD Key, TShiftState Shift) {
  if (Key == win::VK_DELETE && !CanEditField()) return;
  TCustomMemo::EditKeyDown(Key, Shift);
}

void TDBMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_EXIT) {
    if (FFieldModified) {
      // A text the field refuses keeps the focus here.
      auto refocus = AtScopeFailure([this] { SetFocus(); });
      FLink->UpdateRecord();
    }
  }
  if (Message.Msg == CM_GETDATALINK) {
    Message.Result = reinterpret_cast<win::LRESULT>(FLink.get());
    return;
  }
  TCustomMemo::Dispatch(Message);
}
