#pragma once
// TPersistent: objects that can be copied with Assign and streamed by the form filer.
#include "platform/rtl/Object.h"

#include <string>

class TFiler;

class TPersistent : public TObject {
  VANTREL_CLASS(TPersistent, TObject)
public:
  TPersistent() = default;
  ~TPersistent() override;
  // Copies Source into this object; by default asks Source to AssignTo this one.
  virtual void Assign(TPersistent* Source);
  // The object this one belongs to (for name paths and streaming), if any.
  virtual TPersistent* GetOwner() { return nullptr; }
  virtual std::string GetNamePath();
  // Declares custom entries for the form filer (DefineProperty / DefineBinaryProperty).
  virtual void DefineProperties(TFiler* Filer) {}

protected:
  virtual void AssignTo(TPersistent* Dest);
  // Raises EConvertError "Cannot assign a <Source class> to a <this class>".
  [[noreturn]] void AssignError(TPersistent* Source);
};
