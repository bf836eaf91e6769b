#pragma once
// Status bars and month calendars.
#include "platform/controls/WinControl.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/DateTime.h"

class TStatusPanel : public TCollectionItem {
  VANTREL_CLASS(TStatusPanel, TCollectionItem)
public:
  explicit TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}
  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value) { FText = Value; Changed(false); }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; Changed(false); }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; Changed(false); }
  static void Publish(TClassBuilder<TStatusPanel>& b);

private:
  std::string FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
};

class TStatusBar : public TCustomControl {
  VANTREL_CLASS(TStatusBar, TCustomControl)
public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;
  TCollection* Panels() const { return FPanels.get(); }
  TStatusPanel* Panel(int Index) const { return static_cast<TStatusPanel*>(FPanels->Items(Index)); }
  TStatusPanel* AddPanel() { return static_cast<TStatusPanel*>(FPanels->Add()); }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value) { FSimplePanel = Value; Invalidate(); }
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& Value) { FSimpleText = Value; Invalidate(); }
  // The rectangle of panel Index (the last one takes the rest of the width).
  win::RECT PanelRect(int Index) const;
  static void Publish(TClassBuilder<TStatusBar>& b);

protected:
  void Paint() override;

private:
  std::unique_ptr<TCollection> FPanels;
  bool FSimplePanel = false;
  std::string FSimpleText;
};

class TMonthCalendar : public TCustomControl {
  VANTREL_CLASS(TMonthCalendar, TCustomControl)
public:
  explicit TMonthCalendar(TComponent* AOwner);
  TDateTime Date() const { return FDate; }
  void SetDate(TDateTime Value);
  // The month shown (its first day).
  TDateTime VisibleMonth() const { return EncodeDate(FYear, FMonth, 1); }
  // The smallest size that shows a whole month (MCM_GETMINREQRECT).
  win::RECT MinReqRect() const;
  // Hit-test codes of MCM_HITTEST for a client point; Date gets the day under it.
  win::UINT HitTest(win::POINT P, TDateTime* Date) const;
  static void Publish(TClassBuilder<TMonthCalendar>& b);

  static constexpr int CellWidth = 24, CellHeight = 16, TitleHeight = 24;

protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Arrows move a day or a week, Page Up/Down a month (Ctrl: a year), Home/End go to the
  // first/last day of the month shown.
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  // The smallest size that shows a whole month.
  bool CanAutoSize(int& NewWidth, int& NewHeight) override;

private:
  // The date shown in week row r, column c (r 0..5), and whether it is in the month.
  TDateTime CellDate(int r, int c) const;
  TDateTime FDate;
  int FYear = 2000, FMonth = 1;
};
