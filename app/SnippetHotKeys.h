#pragma once
// The road of a snippet from the table to the clipboard: the start-up pass that gives
// every row of "TSet" one hot-key item and one text (row position, item index, hot-key
// identifier and list index are one number), and the copy when a key is pressed.
#include "app/GlobalHotKey.h"
#include "platform/rtl/Strings.h"

#include <string>

class TDataSet;

// The ADO connection string of the snippet database at DatabasePath.
std::string SnippetConnectionString(const std::string& DatabasePath);

// One pass over the open table from its first row: for each row a new item (modifiers
// from "shift", "control", "alt", "win"; key from "KeyIndex", where a null or an
// ordinal outside 0..102 is no key), enabled at once, and the row's "Content" appended
// to ContentList (null gives the empty text). Rows past the window system's hot-key
// identifiers (0..0xBFFF) get an item with no key, and stderr says so once.
void BindSnippetRows(TDataSet* Table, THotKeys* HotKeys, TStrings* ContentList);

// Entry Index of ContentList becomes the clipboard's text. Every failure is swallowed:
// no list, an index beyond it, a clipboard another program holds.
void CopySnippetToClipboard(TStrings* ContentList, int Index);
