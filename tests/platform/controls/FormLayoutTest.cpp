#include "ControlsFixture.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

namespace {

const char* kLayoutForm = R"(object LayoutForm: TForm
  Left = 100
  Top = 80
  Caption = 'Layout'
  ClientHeight = 300
  ClientWidth = 400
  object Splitter1: TSplitter
    Left = 228
    Top = 41
    Width = 3
    Height = 147
    Align = alRight
  end
  object Bottom: TPanel
    Left = 0
    Top = 188
    Width = 400
    Height = 112
    Align = alBottom
    TabOrder = 0
  end
  object Top: TPanel
    Left = 0
    Top = 0
    Width = 400
    Height = 41
    Align = alTop
    TabOrder = 1
    object Check: TCheckBox
      Left = 8
      Top = 8
      Width = 97
      Height = 17
      Caption = 'Check'
      TabOrder = 0
    end
    object Edit1: TEdit
      Left = 112
      Top = 8
      Width = 121
      Height = 21
      TabOrder = 1
    end
  end
  object Memo: TMemo
    Left = 231
    Top = 41
    Width = 169
    Height = 147
    Align = alRight
    TabOrder = 2
  end
  object Client: TPanel
    Left = 0
    Top = 41
    Width = 228
    Height = 147
    Align = alClient
    TabOrder = 3
  end
end
)";

class FormLayoutTest : public ControlsTest {
protected:
  TForm* Load() {
    TForm* f = new TForm(nullptr);
    f->ReadDescription(kLayoutForm);
    return f;
  }
};

struct Place {
  const char* name;
  int left, top, width, height;
};

void ExpectPlaces(TForm* f, std::initializer_list<Place> places) {
  for (const Place& p : places) {
    SCOPED_TRACE(p.name);
    auto* c = dynamic_cast<TControl*>(f->FindComponent(p.name));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Left(), p.left);
    EXPECT_EQ(c->Top(), p.top);
    EXPECT_EQ(c->Width(), p.width);
    EXPECT_EQ(c->Height(), p.height);
  }
}

TEST_F(FormLayoutTest, AlignedChildrenFollowTheClientArea) {
  TForm* f = Load();
  f->Show();
  ASSERT_EQ(f->ClientWidth(), 400);
  ASSERT_EQ(f->ClientHeight(), 300);
  ExpectPlaces(f, {{"Top", 0, 0, 400, 41},
                   {"Bottom", 0, 188, 400, 112},
                   {"Memo", 231, 41, 169, 147},
                   {"Splitter1", 228, 41, 3, 147},
                   {"Client", 0, 41, 228, 147}});
  f->SetClientWidth(500);
  f->SetClientHeight(400);
  ExpectPlaces(f, {{"Top", 0, 0, 500, 41},
                   {"Bottom", 0, 288, 500, 112},
                   {"Memo", 331, 41, 169, 247},
                   {"Splitter1", 328, 41, 3, 247},
                   {"Client", 0, 41, 328, 247}});
  // Too small for everything: the client control shrinks to nothing, never below.
  f->SetClientWidth(150);
  f->SetClientHeight(140);
  ExpectPlaces(f, {{"Bottom", 0, 28, 150, 112}, {"Memo", -19, 41, 169, 0}, {"Client", 0, 41, 0, 0}});
  f->Free();
}

TEST_F(FormLayoutTest, SplitterDragResizesItsNeighbour) {
  TForm* f = Load();
  f->Show();
  auto* split = static_cast<TSplitter*>(f->FindComponent("Splitter1"));
  auto* memo = static_cast<TMemo*>(f->FindComponent("Memo"));
  split->SetMinSize(50);
  int vetoAbove = 1000;
  split->SetOnCanResize([&](TObject*, int& size, bool& accept) { accept = size <= vetoAbove; });
  win::POINT p = Center(split);
  using win::headless::MouseButton;
  win::headless::MouseDown(MouseButton::Left, p.x, p.y);
  win::headless::MouseMove(p.x - 40, p.y);
  win::headless::MouseUp(MouseButton::Left, p.x - 40, p.y);
  EXPECT_EQ(memo->Width(), 209);
  EXPECT_EQ(memo->Left(), 191);
  EXPECT_EQ(split->Left(), 188);
  // Dragging past the minimum snaps the neighbour shut.
  p = Center(split);
  win::headless::MouseDown(MouseButton::Left, p.x, p.y);
  win::headless::MouseMove(p.x + 200, p.y);
  win::headless::MouseUp(MouseButton::Left, p.x + 200, p.y);
  EXPECT_EQ(memo->Width(), 0);
  f->Free();
}

}  // namespace
