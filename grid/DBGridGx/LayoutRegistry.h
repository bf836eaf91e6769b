#pragma once
// Grid layouts in the current user's registry: which fields, in which order, with which
// widths, captions, visibility, footers and a few column options. One key per grid under
// GridLayoutRegistryBase(): the name given (trimmed) or the grid's OwnerQualifiedName.
// The key holds "最后更新时间" (when it was saved) and one text per column, named by the
// column's index in at least four digits ("0000", "0001", ... "10000"): 13 fields joined
// by "@", each trimmed and padded with blanks to its width (PadLayoutField). A text whose
// fields hold an "@" has them written as "%40" (and "%" as "%25") and ends in one more
// field "%"; texts without that last field are read as they stand.
#include <string>
#include <vector>

class TComponent;
class TCustomDBGridGx;

// The name under which a component keeps its layout: form class name + control name.
std::string OwnerQualifiedName(TComponent* Component);

// Writes the grid's layout over what the key held and removes the values left over; a
// read-only grid writes nothing. Raises ERegistryException when the store cannot be
// written; the layout saved before then stays.
void SaveGridLayout(TCustomDBGridGx* Grid, const std::string& Name);
// Rebuilds the grid's columns from the stored layout. A key that is missing or holds no
// column leaves the grid as it is; so does a restore that fails (its error passes on).
void RestoreGridLayout(TCustomDBGridGx* Grid, const std::string& Name);
// Whether the grid's key exists.
bool GridLayoutExists(TCustomDBGridGx* Grid, const std::string& Name);

// Trims Text and pads it with blanks on the right to Width characters; a longer text is
// kept whole.
void PadLayoutField(std::string& Text, int Width);
// Field N (from 0) of a stored column text, trimmed and decoded; empty when the text has
// fewer fields.
std::string SplitLayoutField(const std::string& Value, int N);
// The stored column text of the fields (in order, at most 13), padded and joined.
std::string JoinLayoutFields(const std::vector<std::string>& Fields);
// The value name of column Index: its number in at least four digits.
std::string LayoutValueName(int Index);
