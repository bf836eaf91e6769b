// Dragging one control onto another: targets accepting and refusing, the states they
// see, the drop and the end, cancelling, the threshold and automatic drags.
#include "ControlsFixture.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/desktop/Windows.h"

#include <string>
#include <vector>

using win::headless::MouseButton;

namespace {
std::string Name(TObject* o) {
  auto* c = dynamic_cast<TComponent*>(o);
  return !o ? "nil" : c ? c->Name() : "object";
}
}  // namespace

class DragDropTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    source = Panel("Source", 10);
    target = Panel("Target", 200);
    source->SetOnClick([this](TObject*) { log.push_back("click"); });
    source->SetOnStartDrag([this](TObject* s, TDragObject*&) { log.push_back("start " + Name(s)); });
    source->SetOnEndDrag([this](TObject* s, TObject* t, int X, int Y) {
      log.push_back("end " + Name(t) + " " + std::to_string(X) + "," + std::to_string(Y));
    });
    target->SetOnDragOver([this](TObject*, TObject* src, int X, int Y, TDragState State, bool& Accept) {
      static const char* states[] = {"enter", "leave", "move"};
      log.push_back(std::string(states[State]) + " " + Name(src) + " " + std::to_string(X) + "," + std::to_string(Y));
      Accept = accept;
    });
    target->SetOnDragDrop([this](TObject*, TObject* src, int X, int Y) {
      log.push_back("drop " + Name(src) + " " + std::to_string(X) + "," + std::to_string(Y));
    });
  }

  TPanel* Panel(const char* name, int left) {
    auto* p = new TPanel(form);
    p->SetName(name);
    p->SetParent(form);
    p->SetBounds(left, 10, 100, 50);
    return p;
  }
  // A point in a control's client area, in screen coordinates.
  static win::POINT At(TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }
  static void Move(win::POINT p) { win::headless::MouseMove(p.x, p.y); }
  void PressOnSource() {
    win::POINT p = At(source, 20, 20);
    win::headless::MouseDown(MouseButton::Left, p.x, p.y);
  }
  void Release(win::POINT p) { win::headless::MouseUp(MouseButton::Left, p.x, p.y); }
  void BeginOnPress(bool immediate, int threshold = -1) {
    source->SetOnMouseDown([this, immediate, threshold](TObject*, TMouseButton, TShiftState, int, int) {
      source->BeginDrag(immediate, threshold);
    });
  }

  TPanel* source = nullptr;
  TPanel* target = nullptr;
  std::vector<std::string> log;
  bool accept = true;
};

TEST_F(DragDropTest, DropOnAnAcceptingTargetAfterEnterMoveAndLeave) {
  BeginOnPress(false);
  PressOnSource();
  EXPECT_TRUE(source->Dragging());
  EXPECT_TRUE(log.empty());  // pending until the pointer moves far enough
  Move(At(source, 40, 20));
  Move(At(target, 10, 10));
  EXPECT_EQ(win::GetCursor(), Screen->Cursors(crDrag));
  EXPECT_EQ(GetCaptureControl(), source);
  Move(At(target, 12, 11));
  Move(At(source, 50, 20));  // back off the target
  win::POINT off = target->ScreenToClient(At(source, 50, 20));
  EXPECT_EQ(win::GetCursor(), Screen->Cursors(crNoDrop));
  Move(At(target, 30, 25));
  Release(At(target, 30, 25));
  std::vector<std::string> want = {"start Source", "enter Source 10,10", "move Source 12,11", "leave Source " + std::to_string(off.x) + "," + std::to_string(off.y),
                                   "enter Source 30,25", "leave Source 30,25", "drop Source 30,25",
                                   "end Target 30,25"};
  EXPECT_EQ(log, want);
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(DragDropTest, ARefusedOrUnansweredDropEndsWithoutTarget) {
  struct Case {
    const char* what;
    bool handler, accept;
  } cases[] = {{"refused", true, false}, {"no drag-over handler", false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    win::headless::AdvanceClock(1000);  // no double click
    log.clear();
    accept = c.accept;
    if (!c.handler) target->SetOnDragOver(nullptr);
    BeginOnPress(true);
    PressOnSource();
    Move(At(target, 10, 10));
    EXPECT_EQ(win::GetCursor(), Screen->Cursors(crNoDrop));
    Release(At(target, 10, 10));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "start Source");
    EXPECT_EQ(log.back(), "end nil 0,0");
    for (const std::string& s : log) EXPECT_NE(s.rfind("drop", 0), 0u) << s;
    EXPECT_FALSE(source->Dragging());
  }
}

TEST_F(DragDropTest, EscapeCancelsAndTheLaterReleaseIsNothing) {
  BeginOnPress(true);
  PressOnSource();
  Move(At(target, 10, 10));
  win::headless::PressKey(win::VK_ESCAPE);
  std::vector<std::string> want = {"start Source", "enter Source 10,10", "leave Source 10,10", "end nil 0,0"};
  EXPECT_EQ(log, want);
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(GetCaptureControl(), nullptr);
  Release(At(target, 10, 10));
  EXPECT_EQ(log, want);
}

TEST_F(DragDropTest, ThresholdDecidesBetweenClickAndDrag) {
  struct Case {
    int moved;
    std::vector<std::string> want;
  } cases[] = {
      {9, {"click"}},
      {10, {"start Source", "end nil 0,0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.moved);
    win::headless::AdvanceClock(1000);
    log.clear();
    BeginOnPress(false, 10);
    PressOnSource();
    Move(At(source, 20 + c.moved, 20));
    Release(At(source, 20 + c.moved, 20));
    EXPECT_EQ(log, c.want);
    EXPECT_FALSE(source->Dragging());
  }
}

TEST_F(DragDropTest, AutomaticModeDragsOnALeftPress) {
  source->SetDragMode(dmAutomatic);
  source->SetDragCursor(crHandPoint);
  PressOnSource();
  EXPECT_TRUE(source->Dragging());
  Move(At(target, 5, 6));
  EXPECT_EQ(win::GetCursor(), Screen->Cursors(crHandPoint));
  Release(At(target, 5, 6));
  std::vector<std::string> want = {"start Source", "enter Source 5,6", "leave Source 5,6", "drop Source 5,6",
                                   "end Target 5,6"};
  EXPECT_EQ(log, want);
  // A right press is no drag.
  log.clear();
  win::POINT p = At(source, 20, 20);
  win::headless::Click(MouseButton::Right, p.x, p.y);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(source->Dragging());
}

TEST_F(DragDropTest, EndDragAndFreeingTheTargetMidDrag) {
  BeginOnPress(true);
  PressOnSource();
  Move(At(target, 10, 10));
  source->EndDrag(true);
  EXPECT_EQ(log.back(), "end Target 10,10");
  Release(At(target, 10, 10));
  win::headless::AdvanceClock(1000);
  log.clear();
  PressOnSource();
  Move(At(target, 10, 10));
  delete target;
  target = nullptr;
  Release(At(source, 10, 10));
  std::vector<std::string> want = {"start Source", "enter Source 10,10", "end nil 0,0"};
  EXPECT_EQ(log, want);
}

namespace {
// A drag object of its own, with its own cursor over an accepting target.
class ParcelDrag : public TDragObject {
public:
  TCursor GetDragCursor(bool Accepted, int X, int Y) override { return Accepted ? crHandPoint : crNo; }
};
}  // namespace

TEST_F(DragDropTest, AStartHandlerMayHandOutItsOwnDragObject) {
  ParcelDrag parcel;
  source->SetOnStartDrag([&](TObject*, TDragObject*& object) { object = &parcel; });
  TObject* seen = nullptr;
  target->SetOnDragDrop([&](TObject*, TObject* src, int, int) { seen = src; });
  BeginOnPress(true);
  PressOnSource();
  Move(At(target, 10, 10));
  EXPECT_EQ(win::GetCursor(), Screen->Cursors(crHandPoint));
  EXPECT_EQ(parcel.DragTarget(), target);
  Release(At(target, 10, 10));
  EXPECT_EQ(seen, &parcel);
  EXPECT_TRUE(parcel.Dropped());
  EXPECT_EQ(log.back(), "end Target 10,10");
}

TEST_F(DragDropTest, WindowlessControlsDragAndTakeDrops) {
  auto* from = new TLabel(form);
  from->SetParent(form);
  from->SetBounds(10, 100, 60, 20);
  from->SetDragMode(dmAutomatic);
  auto* onto = new TLabel(form);
  onto->SetParent(form);
  onto->SetBounds(200, 100, 60, 20);
  std::vector<std::string> got;
  onto->SetOnDragOver([&](TObject*, TObject* src, int X, int Y, TDragState, bool&) {
    got.push_back("over " + std::to_string(src == from) + " " + std::to_string(X) + "," + std::to_string(Y));
  });
  onto->SetOnDragDrop([&](TObject*, TObject*, int X, int Y) { got.push_back("drop"); });
  from->SetOnEndDrag([&](TObject*, TObject* t, int, int) { got.push_back(std::string("end ") + (t == onto ? "onto" : "?")); });
  win::POINT p = At(from, 5, 5);
  win::headless::MouseDown(MouseButton::Left, p.x, p.y);
  EXPECT_TRUE(from->Dragging());
  Move(At(onto, 3, 4));
  Release(At(onto, 3, 4));
  std::vector<std::string> want = {"over 1 3,4", "over 1 3,4", "drop", "end onto"};
  EXPECT_EQ(got, want);
}

TEST_F(DragDropTest, AFailingStartHandlerLeavesNoDrag) {
  std::vector<std::string> errors;
  Application->SetOnException([&](TObject*, const Exception& e) { errors.push_back(e.Message()); });
  source->SetOnStartDrag([](TObject*, TDragObject*&) { throw EInvalidOperation("no"); });
  BeginOnPress(true);
  PressOnSource();
  EXPECT_EQ(errors, std::vector<std::string>{"no"});
  EXPECT_FALSE(source->Dragging());
  Move(At(target, 10, 10));
  Release(At(target, 10, 10));
  EXPECT_TRUE(log.empty());
}
