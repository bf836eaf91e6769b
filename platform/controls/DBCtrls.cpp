#include "platform/controls/DBCtrls.h"

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"

namespace {
const char* const kNavGlyphs[] = {"|<", "<", ">", ">|", "+", "-", "^", "v", "x", "@"};
}

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
  const char* g = kNavGlyphs[Index];
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, ColorToRGB(Enabled() ? clBtnText : clGrayText));
  win::DrawText(dc, g, -1, &r, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
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
  TField* f = Field();
  std::string text = f ? f->AsString() : std::string();
  if (text != FText) SetText(text);
  FFieldModified = false;
  FLoading = false;
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
      try {
        FLink->UpdateRecord();
      } catch (...) {
        SetFocus();
        throw;
      }
    }
  }
  if (Message.Msg == CM_GETDATALINK) {
    Message.Result = reinterpret_cast<win::LRESULT>(FLink.get());
    return;
  }
  TCustomMemo::Dispatch(Message);
}
