#pragma once
// The grid's clipboard actions (copy, cut, paste, delete of the selection) live in the
// output unit above the grid, which registers them here when it starts. Until then the
// grid's edit keys do nothing with the clipboard.
class TCustomDBGridGx;

struct TDBGridGxClipboardActions {
  // Each takes the grid and whether to treat the selection as the whole data.
  void (*Copy)(TCustomDBGridGx* Grid, bool All) = nullptr;
  void (*Cut)(TCustomDBGridGx* Grid, bool All) = nullptr;
  void (*Paste)(TCustomDBGridGx* Grid, bool All) = nullptr;
  void (*Delete)(TCustomDBGridGx* Grid, bool All) = nullptr;
};

// Installs the actions (empty ones remove them).
void RegisterDBGridGxClipboardActions(const TDBGridGxClipboardActions& Actions);
const TDBGridGxClipboardActions& DBGridGxClipboardActions();
