#pragma once
// The grid's error, and the test that the fields an edit would write can all be modified.
#include <string>

#include "platform/rtl/Classes.h"

// Raises EInvalidGridOperation with Message.
[[noreturn]] void RaiseInvalidGridOperation(const std::string& Message);
// True when every field of the list (of TField) can be modified; True for an empty list.
bool AllFieldsCanModify(TList* Fields);
