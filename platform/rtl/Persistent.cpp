#include "platform/rtl/Persistent.h"

// Form readers forget objects that are freed while they read (defined with the reader).
void ReaderObjectFreed(TPersistent* Instance);

TPersistent::~TPersistent() { ReaderObjectFreed(this); }

void TPersistent::Assign(TPersistent* Source) {
  if (Source) Source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  std::string src = Source ? Source->ClassName() : std::string("nil");
  throw EConvertError("Cannot assign a " + src + " to a " + ClassName());
}

std::string TPersistent::GetNamePath() { return ClassName(); }
