#include "grid/DBGridGx/GridErrors.h"

#include "platform/data/Field.h"
#include "platform/rtl/Exceptions.h"

void RaiseInvalidGridOperation(const std::string& Message) { throw EInvalidGridOperation(Message); }

bool AllFieldsCanModify(TList* Fields) {
  for (int I = 0; I < Fields->Count(); ++I)
    if (!static_cast<TField*>(Fields->Items(I))->CanModify()) return false;
  return true;
}
