#pragma once
// Helpers shared by the column's cell-value sources.
#include <string>
#include <vector>

class TField;

namespace cell_values_detail {

// Whether Text is one of Entry's ';'-separated items (both trimmed, ignoring case).
bool KeyListEntryMatches(const std::string& Entry, const std::string& Text);
// Entry's first ';'-separated item, trimmed.
std::string FirstKeyListItem(const std::string& Entry);
// The fields of Lookup's dataset its KeyFields name; empty when it names none or any
// name has no field.
std::vector<TField*> KeyFieldsOf(TField* Lookup);

}  // namespace cell_values_detail
