#include "gridcontrols/PropFilerGx.h"

#include <algorithm>

#include "platform/desktop/Windows.h"
#include "platform/rtl/SysUtils.h"

namespace {
struct InterceptorRegistry {
  std::vector<TClass> Targets;
  std::vector<TClass> Interceptors;
};

InterceptorRegistry& Registry() {
  static InterceptorRegistry registry;
  return registry;
}

// The unit's start-up: forms get their interceptor.
struct TPropFilerGxUnit {
  TPropFilerGxUnit() {
    RegisterPropertyInterceptorClass(TCustomForm::StaticClass(), TFormStoragePropertyInterceptor::StaticClass());
  }
} PropFilerGxUnit;
}  // namespace

void RegisterPropertyInterceptorClass(TClass TargetClass, TClass InterceptorClass) {
  InterceptorRegistry& r = Registry();
  for (std::size_t i = r.Targets.size(); i-- > 0;)
    if (r.Targets[i] == TargetClass) UnregisterPropertyInterceptorClass(TargetClass, r.Interceptors[i]);
  r.Targets.push_back(TargetClass);
  r.Interceptors.push_back(InterceptorClass);
}

void UnregisterPropertyInterceptorClass(TClass TargetClass, TClass InterceptorClass) {
  InterceptorRegistry& r = Registry();
  for (std::size_t i = r.Targets.size(); i-- > 0;)
    if (r.Targets[i] == TargetClass && r.Interceptors[i] == InterceptorClass) {
      r.Targets.erase(r.Targets.begin() + static_cast<std::ptrdiff_t>(i));
      r.Interceptors.erase(r.Interceptors.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

const std::vector<TClass>& PropertyInterceptorTargets() { return Registry().Targets; }
const std::vector<TClass>& PropertyInterceptorClasses() { return Registry().Interceptors; }

win::RECT FormNormalBounds(TCustomForm* Form) {
  if (Form->WindowState() != wsNormal && Form->HandleAllocated()) {
    win::WINDOWPLACEMENT placement;
    if (win::GetWindowPlacement(Form->Handle(), &placement)) return placement.rcNormalPosition;
  }
  return {Form->Left(), Form->Top(), Form->Left() + Form->Width(), Form->Top() + Form->Height()};
}

void TFormStoragePropertyInterceptor::Publish(TClassBuilder<TFormStoragePropertyInterceptor>& b) {
  b.WriteOnlyProperty<TWinControl*>("ActiveControl", &TFormStoragePropertyInterceptor::SetActiveControl);
  b.Property("Height", &TFormStoragePropertyInterceptor::Height, &TFormStoragePropertyInterceptor::SetHeight);
  b.Property("Left", &TFormStoragePropertyInterceptor::Left, &TFormStoragePropertyInterceptor::SetLeft);
  b.WriteOnlyProperty<int>("PixelsPerInch", &TFormStoragePropertyInterceptor::SetPixelsPerInch);
  b.Property("Top", &TFormStoragePropertyInterceptor::Top, &TFormStoragePropertyInterceptor::SetTop);
  b.Property("Width", &TFormStoragePropertyInterceptor::Width, &TFormStoragePropertyInterceptor::SetWidth);
  b.WriteOnlyProperty<TWindowState>("WindowState", &TFormStoragePropertyInterceptor::SetWindowState);
}

TFormStoragePropertyInterceptor::TFormStoragePropertyInterceptor(TObject* Target)
    : TStoragePropertyInterceptor(Target) {
  TCustomForm* form = Form();
  if (!form) return;
  const win::RECT r = FormNormalBounds(form);
  FTop = r.top;
  FLeft = r.left;
  FHeight = r.bottom - r.top;
  FWidth = r.right - r.left;
  FPixelsPerInch = form->PixelsPerInch();
  FWindowState = form->WindowState();
  FActiveControl = form->ActiveControl();
}

TCustomForm* TFormStoragePropertyInterceptor::Form() const { return dynamic_cast<TCustomForm*>(Target()); }

void TFormStoragePropertyInterceptor::SetLeft(int Value) {
  FLeft = Value;
  FPositionRead = true;
}

void TFormStoragePropertyInterceptor::SetTop(int Value) {
  FTop = Value;
  FPositionRead = true;
}

void TFormStoragePropertyInterceptor::AfterRead() {
  // A stored resolution of 0 (or less) says nothing about the bounds: they stay as read.
  if (FPixelsPerInch > 0) {
    const int screen = Screen->PixelsPerInch();
    for (int* value : {&FHeight, &FLeft, &FTop, &FWidth}) *value = MulDiv(*value, screen, FPixelsPerInch);
  }
  TCustomForm* form = Form();
  if (!form) return;
  form->SetWindowState(FWindowState);
  // A control of another form is no active control of this one.
  if (!FActiveControl || (FActiveControl != form && GetParentForm(FActiveControl) == form))
    form->PutBackActiveControl(FActiveControl);
  if (form->WindowState() != wsNormal && form->HandleAllocated()) {
    win::WINDOWPLACEMENT placement;
    win::GetWindowPlacement(form->Handle(), &placement);
    placement.rcNormalPosition = {FLeft, FTop, FLeft + FWidth, FTop + FHeight};
    win::SetWindowPlacement(form->Handle(), &placement);
  } else {
    form->SetBounds(FLeft, FTop, FWidth, FHeight);
  }
  const TPosition position = form->Position();
  if ((position == poScreenCenter || position == poDesktopCenter) &&
      !form->ComponentState().Contains(csDesigning) && FPositionRead)
    form->SetPosition(poDesigned);
}
