// The form's storage interceptor: bounds scaled from the stored resolution, the normal
// rectangle of a maximized form, and a restored place that overrides centring.
#include <gtest/gtest.h>

#include <memory>

#include "gridcontrols/PropFilerGx.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/desktop/Headless.h"
#include "platform/rtl/ScopeExit.h"

namespace {

class FormInterceptorTest : public ::testing::Test {
protected:
  void TearDown() override {
    Form.reset();
    Screen->SetPixelsPerInch(96);
    win::headless::Reset();
  }
  // Writes stored values into an interceptor for the form by property name, as a storage
  // component does, and applies them.
  void Restore(std::initializer_list<std::pair<const char*, int>> Values) {
    TFormStoragePropertyInterceptor Interceptor(Form.get());
    ASSERT_TRUE(Interceptor.WantsIntercept());
    for (const auto& [Name, Value] : Values) SetOrdProp(&Interceptor, Name, Value);
    Interceptor.AfterRead();
  }
  win::RECT Bounds() const { return {Form->Left(), Form->Top(), Form->Width(), Form->Height()}; }

  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
};

TEST_F(FormInterceptorTest, BoundsScaleFromTheStoredResolutionToTheScreens) {
  const struct {
    int Stored, Screen;
    win::RECT Expected;  // left, top, width, height
  } Cases[] = {
      {96, 120, {125, 50, 500, 375}},
      {96, 144, {150, 60, 600, 450}},
      {144, 96, {67, 27, 267, 200}},
      {96, 96, {100, 40, 400, 300}},
      // A stored resolution of 0 says nothing: the bounds stay as stored.
      {0, 144, {100, 40, 400, 300}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(std::to_string(C.Stored) + " -> " + std::to_string(C.Screen));
    Screen->SetPixelsPerInch(C.Screen);
    Restore({{"PixelsPerInch", C.Stored}, {"Left", 100}, {"Top", 40}, {"Width", 400}, {"Height", 300}});
    const win::RECT B = Bounds();
    EXPECT_EQ(B.left, C.Expected.left);
    EXPECT_EQ(B.top, C.Expected.top);
    EXPECT_EQ(B.right, C.Expected.right);
    EXPECT_EQ(B.bottom, C.Expected.bottom);
  }
}

TEST_F(FormInterceptorTest, StartsFromTheFormAndHidesWhatIsWriteOnly) {
  Form->SetBounds(30, 20, 300, 200);
  TFormStoragePropertyInterceptor Interceptor(Form.get());
  EXPECT_EQ(GetOrdProp(&Interceptor, "Left"), 30);
  EXPECT_EQ(GetOrdProp(&Interceptor, "Height"), 200);
  EXPECT_FALSE(Interceptor.PositionRead());
  for (const char* Name : {"PixelsPerInch", "WindowState", "ActiveControl"})
    EXPECT_THROW(GetOrdProp(&Interceptor, Name), EPropertyError) << Name;
  // Nothing written: the form keeps its place at the screen's resolution.
  Screen->SetPixelsPerInch(144);
  Form->SetPixelsPerInch(144);
  TFormStoragePropertyInterceptor Again(Form.get());
  Again.AfterRead();
  EXPECT_EQ(Form->Left(), 30);
  EXPECT_EQ(Form->Width(), 300);
}

TEST_F(FormInterceptorTest, AMaximizedFormGetsItsNormalRectangleAndStaysMaximized) {
  Form->SetBounds(10, 10, 200, 100);
  Form->Show();
  Form->SetWindowState(wsMaximized);
  Restore({{"PixelsPerInch", 96}, {"Left", 50}, {"Top", 60}, {"Width", 320}, {"Height", 240},
           {"WindowState", wsMaximized}});
  EXPECT_EQ(Form->WindowState(), wsMaximized);
  win::WINDOWPLACEMENT Placement;
  ASSERT_TRUE(win::GetWindowPlacement(Form->Handle(), &Placement));
  EXPECT_EQ(Placement.showCmd, win::SW_SHOWMAXIMIZED);
  EXPECT_EQ(Placement.rcNormalPosition.left, 50);
  EXPECT_EQ(Placement.rcNormalPosition.top, 60);
  EXPECT_EQ(Placement.rcNormalPosition.right, 370);
  EXPECT_EQ(Placement.rcNormalPosition.bottom, 300);
  // Read back, the interceptor starts from that normal rectangle.
  TFormStoragePropertyInterceptor Again(Form.get());
  EXPECT_EQ(Again.Left(), 50);
  EXPECT_EQ(Again.Width(), 320);
}

TEST_F(FormInterceptorTest, ARestoredPlaceOverridesCentring) {
  for (TPosition Position : {poScreenCenter, poDesktopCenter}) {
    Form->SetPosition(Position);
    Restore({{"PixelsPerInch", 96}, {"Width", 320}});
    EXPECT_EQ(Form->Position(), Position) << "only the size was read";
    Restore({{"PixelsPerInch", 96}, {"Top", 5}});
    EXPECT_EQ(Form->Position(), poDesigned);
  }
}

TEST_F(FormInterceptorTest, TheActiveControlIsPutBackWithoutFocus) {
  auto* Edit = new TEdit(Form.get());
  Edit->SetParent(Form.get());
  TFormStoragePropertyInterceptor Interceptor(Form.get());
  SetObjectProp(&Interceptor, "ActiveControl", Edit);
  Interceptor.AfterRead();
  EXPECT_EQ(Form->ActiveControl(), Edit);
  EXPECT_FALSE(Edit->Focused());

  // A control of another form is not taken.
  TForm Other(nullptr);
  auto* Stranger = new TEdit(&Other);
  Stranger->SetParent(&Other);
  TFormStoragePropertyInterceptor Second(Form.get());
  SetObjectProp(&Second, "ActiveControl", Stranger);
  Second.AfterRead();
  EXPECT_EQ(Form->ActiveControl(), Edit);
}

TEST(PropertyInterceptorRegistry, OneInterceptorPerTargetClass) {
  const TClass Form = TCustomForm::StaticClass();
  auto Registered = [&] {
    std::vector<TClass> For;
    for (std::size_t I = 0; I < PropertyInterceptorTargets().size(); ++I)
      if (PropertyInterceptorTargets()[I] == Form) For.push_back(PropertyInterceptorClasses()[I]);
    return For;
  };
  ASSERT_EQ(Registered(), std::vector<TClass>{TFormStoragePropertyInterceptor::StaticClass()});
  auto putBack = AtScopeExit([&] {
    RegisterPropertyInterceptorClass(Form, TFormStoragePropertyInterceptor::StaticClass());
  });
  RegisterPropertyInterceptorClass(Form, TStoragePropertyInterceptor::StaticClass());
  EXPECT_EQ(Registered(), std::vector<TClass>{TStoragePropertyInterceptor::StaticClass()});
  const std::size_t Count = PropertyInterceptorTargets().size();
  UnregisterPropertyInterceptorClass(Form, TFormStoragePropertyInterceptor::StaticClass());
  EXPECT_EQ(PropertyInterceptorTargets().size(), Count);
  UnregisterPropertyInterceptorClass(Form, TStoragePropertyInterceptor::StaticClass());
  EXPECT_TRUE(Registered().empty());
  EXPECT_EQ(PropertyInterceptorClasses().size(), Count - 1);
}

}  // namespace
