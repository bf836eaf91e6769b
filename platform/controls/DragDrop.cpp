// TControl: dragging one control onto another. One drag runs at a time; it holds the
// mouse capture and sees the mouse and Esc before any control does.
#include "platform/controls/Control.h"

#include "platform/controls/Forms.h"
#include "platform/controls/WinControl.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"

#include <cstdlib>
#include <memory>

// The drag going on: its source, whether it has started (a pending one waits for the
// threshold), its object and the target under the pointer.
class DragSession {
public:
  static DragSession& Current() {
    static DragSession session;
    return session;
  }

  TControl* Source = nullptr;
  bool Started = false;
  win::POINT StartPos{};
  int Threshold = 0;
  TDragObject* Object = nullptr;
  std::unique_ptr<TDragObject> Owned;
  bool Accepted = false;

  bool Active() const { return Source != nullptr; }

  void Begin(TControl* Control, bool Immediate, int Threshold) {
    Source = Control;
    Started = false;
    win::GetCursorPos(&StartPos);
    this->Threshold = Threshold < 0 ? win::GetSystemMetrics(win::SM_CXDRAG) : Threshold;
    if (!Control->MouseCapture()) Control->SetMouseCapture(true);
    if (Immediate) Start();
  }

  // The drag proper: the source names its drag object, then the pointer is followed.
  void Start() {
    Started = true;
    TControl* source = Source;
    source->FControlState -= csClicked;
    TDragObject* object = nullptr;
    // A start handler that fails leaves no half-begun drag holding the mouse.
    auto abandon = AtScopeExit([&] {
      if (Source == source && !Object) {
        Reset();
        if (source->MouseCapture()) source->SetMouseCapture(false);
      }
    });
    source->DoStartDrag(object);
    if (Source != source) return;  // the handler ended it
    if (!object) {
      Owned = std::make_unique<TDragControlObject>(source);
      object = Owned.get();
    }
    Object = object;
    win::POINT p{};
    win::GetCursorPos(&p);
    MoveTo(p);
  }

  static TControl* TargetAt(win::POINT Pos) {
    TWinControl* w = TWinControl::FindControl(win::WindowFromPoint(Pos));
    if (!w) return nullptr;
    TControl* c = w->ControlAtPos(w->ScreenToClient(Pos), false);
    TControl* target = c ? c : w;
    return target->Enabled() ? target : nullptr;
  }

  // Sends one drag step to the target; true when it accepts.
  static bool Tell(TControl* Target, TDragObject* Object, TDragMessage Msg, win::POINT Pos) {
    TDragRec rec;
    rec.Pos = Pos;
    rec.Source = Object;
    return Target->Perform(CM_DRAG, Msg, reinterpret_cast<win::LPARAM>(&rec)) != 0;
  }

  void MoveTo(win::POINT Pos) {
    TControl* source = Source;
    TDragObject* object = Object;
    TControl* target = TargetAt(Pos);
    object->FDragPos = Pos;
    if (target != object->FDragTarget) {
      if (TControl* old = object->FDragTarget) {
        object->FDragTarget = nullptr;
        Tell(old, object, dmDragLeave, Pos);
        if (Source != source) return;
      }
      object->FDragTarget = target;
      Accepted = target && Tell(target, object, dmDragEnter, Pos);
    } else if (target) {
      Accepted = Tell(target, object, dmDragMove, Pos);
    }
    if (Source != source) return;
    win::POINT local = target ? target->ScreenToClient(Pos) : Pos;
    win::SetCursor(Screen->Cursors(object->GetDragCursor(Accepted && target, local.x, local.y)));
  }

  // Ends the drag: the target under the pointer is left, then dropped on when it
  // accepts and Drop asks for it; the source hears where it went.
  void Finish(bool Drop) {
    TControl* source = Source;
    Source = nullptr;
    bool started = Started;
    Started = false;
    TDragObject* object = Object;
    Object = nullptr;
    std::unique_ptr<TDragObject> owned = std::move(Owned);
    if (source->MouseCapture()) source->SetMouseCapture(false);
    if (!started || !object) return;
    TControl* target = object->FDragTarget;
    win::POINT pos = object->FDragPos;
    bool drop = Drop && target && Accepted;
    Accepted = false;
    object->FDragTarget = nullptr;
    if (target) {
      Tell(target, object, dmDragLeave, pos);
      if (drop) {
        object->FDropped = true;
        Tell(target, object, dmDragDrop, pos);
      }
    }
    win::SetCursor(Screen->Cursors(crDefault));
    if (drop) {
      win::POINT local = target->ScreenToClient(pos);
      source->DoEndDrag(target, local.x, local.y);
    } else {
      source->DoEndDrag(nullptr, 0, 0);
    }
  }

  // A control being freed: its drag ends without a word to it, and it stops being a target.
  void Forget(TControl* Control) {
    if (Object && Object->FDragTarget == Control) {
      Object->FDragTarget = nullptr;
      Accepted = false;
    }
    if (Source == Control) Reset();
  }

  void Reset() {
    Source = nullptr;
    Started = false;
    Object = nullptr;
    Owned.reset();
    Accepted = false;
  }

  // Mouse and Esc while a drag is going on. True when the drag took the message.
  bool Filter(TMessage& Message) {
    using namespace win;
    switch (Message.Msg) {
      case WM_MOUSEMOVE: {
        POINT p{};
        GetCursorPos(&p);
        if (!Started) {
          if (std::abs(p.x - StartPos.x) < Threshold && std::abs(p.y - StartPos.y) < Threshold) return false;
          Start();
          return true;
        }
        MoveTo(p);
        return true;
      }
      case WM_LBUTTONUP:
        if (!Started) {
          // Never a drag: the release goes on and the press stays a click.
          Finish(false);
          return false;
        }
        Finish(true);
        return true;
      case WM_RBUTTONDOWN:
      case WM_CANCELMODE:
        Finish(false);
        return Message.Msg != WM_CANCELMODE;
      case WM_KEYDOWN:
        if (Message.WParam != VK_ESCAPE) return Started;
        Finish(false);
        return true;
      case WM_KEYUP: case WM_CHAR: case WM_RBUTTONUP: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
        return Started;
      default:
        return false;
    }
  }
};

// Called by the window procedure before any control sees a message.
bool DragFilterMessage(TMessage& Message) {
  DragSession& s = DragSession::Current();
  return s.Active() && s.Filter(Message);
}

void DragForgetControl(TControl* Control) { DragSession::Current().Forget(Control); }

TCursor TDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
  return Accepted ? FControl->DragCursor() : crNoDrop;
}

void TControl::BeginDrag(bool Immediate, int Threshold) {
  DragSession& s = DragSession::Current();
  if (s.Active() || ComponentState().Contains(csDesigning)) return;
  s.Begin(this, Immediate, Threshold);
}

bool TControl::Dragging() const { return DragSession::Current().Source == this; }

void TControl::EndDrag(bool Drop) {
  if (Dragging()) DragSession::Current().Finish(Drop);
}

void TControl::CancelDrag() {
  DragSession& s = DragSession::Current();
  if (s.Active()) s.Finish(false);
}

void TControl::BeginAutoDrag() { BeginDrag(true); }

void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (FOnStartDrag) FOnStartDrag(this, DragObject);
}

bool TControl::DoDragOver(TObject* Source, int X, int Y, TDragState State) {
  bool accept = false;
  DragOver(Source, X, Y, State, accept);
  return accept;
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = false;
  if (!FOnDragOver) return;
  Accept = true;
  FOnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (FOnDragDrop) FOnDragDrop(this, Source, X, Y);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
  if (FOnEndDrag) FOnEndDrag(this, Target, X, Y);
}

void TControl::CMDrag(TMessage& Message) {
  auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
  if (!rec) return;
  TObject* source = rec->Source;
  if (auto* c = dynamic_cast<TDragControlObject*>(rec->Source)) source = c->Control();
  win::POINT p = ScreenToClient(rec->Pos);
  switch (static_cast<TDragMessage>(Message.WParam)) {
    case dmDragEnter: Message.Result = DoDragOver(source, p.x, p.y, dsDragEnter); break;
    case dmDragMove: Message.Result = DoDragOver(source, p.x, p.y, dsDragMove); break;
    case dmDragLeave: Message.Result = DoDragOver(source, p.x, p.y, dsDragLeave); break;
    case dmDragDrop: DragDrop(source, p.x, p.y); break;
  }
}
