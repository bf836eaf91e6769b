#pragma once
// Helpers shared by the column's cell-value sources.
#include <string>
#include <vector>

class TField;
class TCustomDBGridGx;

namespace cell_values_detail {

// Whether Text is one of Entry's ';'-separated items (both trimmed, ignoring case).
bool KeyListEntryMatches(const std::string& Entry, const std::string& Text);
// Entry's first ';'-separated item, trimmed.
std::string FirstKeyListItem(const std::string& Entry);
// The fields of Lookup's dataset its KeyFields name; empty when it names none or any
// name has no field.
std::vector<TField*> KeyFieldsOf(TField* Lookup);
// The grid's link is active, updates are allowed (or a row is being inserted), and the
// dataset has a record or rows may be added.
bool GridAllowsDataEdits(TCustomDBGridGx* Grid);

}  // namespace cell_values_detail
