#include "platform/controls/ComCtrls.h"

#include "platform/desktop/Windows.h"

#include <cmath>

void TStatusPanel::Publish(TClassBuilder<TStatusPanel>& b) {
  b.Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment).Default(taLeftJustify);
  b.Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
  b.Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
}

void TStatusBar::Publish(TClassBuilder<TStatusBar>& b) {
  b.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
  b.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
}

TStatusBar::TStatusBar(TComponent* AOwner)
    : TCustomControl(AOwner), FPanels(std::make_unique<TCollection>(TStatusPanel::StaticClass())) {
  FAlign = alBottom;
  FHeight = 19;
  FWidth = 200;
  FParentColor = false;
  FColor = clBtnFace;
}

TStatusBar::~TStatusBar() = default;

win::RECT TStatusBar::PanelRect(int Index) const {
  int x = 0;
  for (int i = 0; i < Index; ++i) x += Panel(i)->Width();
  int right = Index == FPanels->Count() - 1 ? ClientWidth() : x + Panel(Index)->Width();
  return {x, 0, right, ClientHeight()};
}

void TStatusBar::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(FColor);
  c->FillRect(ClientRect());
  c->Font()->Assign(FFont.get());
  auto text = [&](win::RECT r, const std::string& s, TAlignment a) {
    win::DrawEdge(c->Handle(), &r, win::BDR_SUNKENOUTER, win::BF_RECT);
    r.left += 3;
    r.right -= 3;
    win::UINT fmt = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_NOPREFIX;
    fmt |= a == taCenter ? win::DT_CENTER : a == taRightJustify ? win::DT_RIGHT : win::DT_LEFT;
    win::SetBkMode(c->Handle(), win::TRANSPARENT);
    win::SelectObject(c->Handle(), c->Font()->Handle());
    win::DrawText(c->Handle(), s.c_str(), static_cast<int>(s.size()), &r, fmt);
  };
  if (FSimplePanel) {
    text(ClientRect(), FSimpleText, taLeftJustify);
    return;
  }
  for (int i = 0; i < FPanels->Count(); ++i) text(PanelRect(i), Panel(i)->Text(), Panel(i)->Alignment());
}

void TMonthCalendar::Publish(TClassBuilder<TMonthCalendar>& b) {
  b.Property("Date", &TMonthCalendar::Date, &TMonthCalendar::SetDate);
}

TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TCustomControl(AOwner) {
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  win::RECT r = MinReqRect();
  FWidth = r.right;
  FHeight = r.bottom;
  SetDate(std::floor(Now()));
}

void TMonthCalendar::SetDate(TDateTime Value) {
  FDate = std::floor(Value);
  int d = 0;
  DecodeDate(FDate, FYear, FMonth, d);
  Invalidate();
}

// Title, day names, six weeks and the today line.
win::RECT TMonthCalendar::MinReqRect() const {
  return {0, 0, 7 * CellWidth + 8, TitleHeight + 8 * CellHeight + 4};
}

TDateTime TMonthCalendar::CellDate(int r, int c) const {
  TDateTime first = EncodeDate(FYear, FMonth, 1);
  int lead = DayOfWeek(first) - 1;  // weeks start on Sunday
  return first - lead + r * 7 + c;
}

win::UINT TMonthCalendar::HitTest(win::POINT P, TDateTime* Date) const {
  win::RECT m = MinReqRect();
  if (P.x < 0 || P.y < 0 || P.x >= std::max<int>(m.right, FWidth) || P.y >= std::max<int>(m.bottom, FHeight))
    return win::MCHT_NOWHERE;
  int x = P.x - 4;
  if (P.y < TitleHeight) {
    if (P.x < 20) return win::MCHT_TITLEBTNPREV;
    if (P.x >= m.right - 20) return win::MCHT_TITLEBTNNEXT;
    return P.x < m.right / 2 ? win::MCHT_TITLEMONTH : win::MCHT_TITLEYEAR;
  }
  int y = P.y - TitleHeight;
  if (y < CellHeight) return x >= 0 && x < 7 * CellWidth ? win::MCHT_CALENDARDAY : win::MCHT_CALENDARBK;
  int row = y / CellHeight - 1;
  if (row >= 6) return win::MCHT_TODAYLINK;
  if (x < 0 || x >= 7 * CellWidth) return win::MCHT_CALENDARBK;
  TDateTime d = CellDate(row, x / CellWidth);
  if (Date) *Date = d;
  int yy = 0, mm = 0, dd = 0;
  DecodeDate(d, yy, mm, dd);
  if (yy * 12 + mm < FYear * 12 + FMonth) return win::MCHT_CALENDARDATEPREV;
  if (yy * 12 + mm > FYear * 12 + FMonth) return win::MCHT_CALENDARDATENEXT;
  return win::MCHT_CALENDARDATE;
}

void TMonthCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TDateTime d = 0;
  win::UINT hit = HitTest({X, Y}, &d);
  if (hit == win::MCHT_TITLEBTNPREV || hit == win::MCHT_TITLEBTNNEXT) {
    int m = FYear * 12 + (FMonth - 1) + (hit == win::MCHT_TITLEBTNNEXT ? 1 : -1);
    FYear = m / 12;
    FMonth = m % 12 + 1;
    Invalidate();
  } else if ((hit & win::MCHT_CALENDARDATE) == win::MCHT_CALENDARDATE) {
    SetDate(d);
    Click();
  } else if (hit == win::MCHT_TODAYLINK) {
    SetDate(Now());
    Click();
  }
}

void TMonthCalendar::KeyDown(win::WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  int y = 0, m = 0, d = 0;
  DecodeDate(FDate, y, m, d);
  auto months = [&](int Count) {
    long total = static_cast<long>(y) * 12 + (m - 1) + Count;
    return total >= 12 && total < 10000L * 12 ? IncMonth(FDate, Count) : FDate;  // years 1..9999
  };
  TDateTime next = FDate;
  switch (Key) {
    case win::VK_LEFT: next = FDate - 1; break;
    case win::VK_RIGHT: next = FDate + 1; break;
    case win::VK_UP: next = FDate - 7; break;
    case win::VK_DOWN: next = FDate + 7; break;
    case win::VK_PRIOR: next = months(Shift.Contains(ssCtrl) ? -12 : -1); break;
    case win::VK_NEXT: next = months(Shift.Contains(ssCtrl) ? 12 : 1); break;
    case win::VK_HOME: next = EncodeDate(y, m, 1); break;
    case win::VK_END: next = EncodeDate(y, m, DaysInMonth(y, m)); break;
    default: return;
  }
  Key = 0;
  if (next < EncodeDate(1, 1, 1) || next > EncodeDate(9999, 12, 31)) return;  // years 1..9999 only
  SetDate(next);
}

bool TMonthCalendar::CanAutoSize(int& NewWidth, int& NewHeight) {
  win::RECT r = MinReqRect();
  NewWidth = r.right - r.left;
  NewHeight = r.bottom - r.top;
  return true;
}

void TMonthCalendar::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_GETDLGCODE) {
    TCustomControl::Dispatch(Message);
    Message.Result |= win::DLGC_WANTARROWS;
    return;
  }
  if (Message.Msg == win::MCM_GETMINREQRECT) {
    if (Message.LParam) *reinterpret_cast<win::RECT*>(Message.LParam) = MinReqRect();
    Message.Result = 1;
    return;
  }
  if (Message.Msg == win::MCM_HITTEST) {
    auto* info = reinterpret_cast<win::MCHITTESTINFO*>(Message.LParam);
    if (!info) return;
    TDateTime d = 0;
    info->uHit = HitTest(info->pt, &d);
    int y = 0, m = 0, dd = 0;
    DecodeDate(d, y, m, dd);
    info->st = {};
    if (d != 0) {
      info->st.wYear = static_cast<win::WORD>(y);
      info->st.wMonth = static_cast<win::WORD>(m);
      info->st.wDay = static_cast<win::WORD>(dd);
    }
    Message.Result = static_cast<win::LRESULT>(info->uHit);
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TMonthCalendar::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(FFont.get());
  c->Brush()->SetColor(FColor);
  c->FillRect(ClientRect());
  win::HDC dc = c->Handle();
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SelectObject(dc, c->Font()->Handle());
  win::RECT m = MinReqRect();
  std::string title = std::to_string(FYear) + "-" + (FMonth < 10 ? "0" : "") + std::to_string(FMonth);
  win::RECT tr{0, 0, m.right, TitleHeight};
  win::DrawText(dc, title.c_str(), -1, &tr, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
  win::DrawText(dc, "<", -1, &tr, win::DT_LEFT | win::DT_VCENTER | win::DT_SINGLELINE);
  win::DrawText(dc, ">", -1, &tr, win::DT_RIGHT | win::DT_VCENTER | win::DT_SINGLELINE);
  static const char* const days[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
  for (int col = 0; col < 7; ++col) {
    win::RECT r{4 + col * CellWidth, TitleHeight, 4 + (col + 1) * CellWidth, TitleHeight + CellHeight};
    win::DrawText(dc, days[col], -1, &r, win::DT_CENTER | win::DT_SINGLELINE);
  }
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < 7; ++col) {
      TDateTime d = CellDate(row, col);
      int y = 0, mo = 0, dd = 0;
      DecodeDate(d, y, mo, dd);
      win::RECT r{4 + col * CellWidth, TitleHeight + (row + 1) * CellHeight, 4 + (col + 1) * CellWidth,
                  TitleHeight + (row + 2) * CellHeight};
      bool selected = d == FDate;
      if (selected) {
        c->Brush()->SetColor(clHighlight);
        c->FillRect(r);
        win::SetBkMode(dc, win::TRANSPARENT);  // filling made the text background opaque again
      }
      win::SetTextColor(dc, ColorToRGB(selected ? clHighlightText : mo == FMonth ? FFont->Color() : clGrayText));
      std::string s = std::to_string(dd);
      win::DrawText(dc, s.c_str(), -1, &r, win::DT_CENTER | win::DT_SINGLELINE);
    }
}
