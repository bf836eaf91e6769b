#pragma once
// Property-storage interceptors: for a class of objects whose properties are saved and
// restored by name, an interceptor class publishes substitute properties and applies the
// values once they have all been written, so that stored values can be adjusted (a form's
// place scaled to the screen's resolution, a column's width applied the grid's way).
// A storage component finds the interceptor class registered for its object's class,
// makes one for the object, writes the stored values into its published properties,
// calls AfterRead and frees it.
#include <vector>

#include "platform/controls/Forms.h"
#include "platform/rtl/Persistent.h"

// Registers InterceptorClass for TargetClass, replacing what the target class had.
void RegisterPropertyInterceptorClass(TClass TargetClass, TClass InterceptorClass);
// Removes the pair; a pair that is not registered changes nothing.
void UnregisterPropertyInterceptorClass(TClass TargetClass, TClass InterceptorClass);
// The registered pairs in order: target i goes with interceptor i.
const std::vector<TClass>& PropertyInterceptorTargets();
const std::vector<TClass>& PropertyInterceptorClasses();

class TStoragePropertyInterceptor : public TPersistent {
  VANTREL_CLASS(TStoragePropertyInterceptor, TPersistent)
public:
  explicit TStoragePropertyInterceptor(TObject* Target) : FTarget(Target) {}
  TObject* Target() const { return FTarget; }
  // Asked by the storage before it uses the interceptor; true.
  virtual bool WantsIntercept() { return true; }
  // Runs once the stored values have been written into the published properties.
  virtual void AfterRead() {}

private:
  TObject* FTarget;
};

// A form's place, size, state and active control. The bounds are the form's normal
// rectangle (the one it returns to from maximized or minimized) and are scaled from the
// stored resolution to the screen's.
class TFormStoragePropertyInterceptor : public TStoragePropertyInterceptor {
  VANTREL_CLASS(TFormStoragePropertyInterceptor, TStoragePropertyInterceptor)
public:
  explicit TFormStoragePropertyInterceptor(TObject* Target);
  void AfterRead() override;

  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Left() const { return FLeft; }
  void SetLeft(int Value);
  int Top() const { return FTop; }
  void SetTop(int Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
  void SetWindowState(TWindowState Value) { FWindowState = Value; }
  void SetActiveControl(TWinControl* Value) { FActiveControl = Value; }
  // Whether Left or Top was written.
  bool PositionRead() const { return FPositionRead; }

  static void Publish(TClassBuilder<TFormStoragePropertyInterceptor>& b);

private:
  TCustomForm* Form() const;

  TWinControl* FActiveControl = nullptr;
  int FHeight = 0;
  int FLeft = 0;
  int FPixelsPerInch = 0;
  bool FPositionRead = false;
  int FTop = 0;
  int FWidth = 0;
  TWindowState FWindowState = wsNormal;
};

// A form's normal rectangle: the window placement's when it is maximized or minimized
// and has a window, else its bounds.
win::RECT FormNormalBounds(TCustomForm* Form);
