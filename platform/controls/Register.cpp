// The standard classes, registered by name for form descriptions.
#include "platform/controls/Buttons.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/DBCtrls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/ListBoxes.h"
#include "platform/controls/WebBrowser.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Mask.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/Menus.h"
#include "platform/controls/Scrolling.h"
#include "platform/controls/StdCtrls.h"

void RegisterStandardClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterClasses({TControl::StaticClass(), TWinControl::StaticClass(), TCustomControl::StaticClass(),
                   TGraphicControl::StaticClass(), TCustomForm::StaticClass(), TForm::StaticClass(),
                   THintWindow::StaticClass(), TMenuItem::StaticClass(), TMenu::StaticClass(),
                   TPopupMenu::StaticClass(), TCustomEdit::StaticClass(), TEdit::StaticClass(),
                   TCustomMemo::StaticClass(), TMemo::StaticClass(), TCustomLabel::StaticClass(),
                   TLabel::StaticClass(), TButtonControl::StaticClass(), TButton::StaticClass(),
                   TCustomCheckBox::StaticClass(), TCheckBox::StaticClass(), TRadioButton::StaticClass(),
                   TCustomGroupBox::StaticClass(), TGroupBox::StaticClass(), TCustomPanel::StaticClass(),
                   TPanel::StaticClass(), TSplitter::StaticClass(), TShape::StaticClass(),
                   TTimer::StaticClass(), TCustomRadioGroup::StaticClass(), TRadioGroup::StaticClass(),
                   TCustomMaskEdit::StaticClass(), TMaskEdit::StaticClass(), TCustomListBox::StaticClass(),
                   TListBox::StaticClass(), TCheckListBox::StaticClass(), TScrollBar::StaticClass(),
                   TWebBrowser::StaticClass(), TDBNavigator::StaticClass(), TDBMemo::StaticClass(),
                   TSpeedButton::StaticClass(), TBitBtn::StaticClass(), TStatusBar::StaticClass(),
                   TMonthCalendar::StaticClass(), TScrollBox::StaticClass(), TToolBar::StaticClass(),
                   TToolButton::StaticClass()});
}
