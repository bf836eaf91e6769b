#pragma once
// The options menu's print and column commands live in the output unit above the grid,
// which registers them here when it starts. Until then those menu items do nothing.
class TCustomDBGridGx;
class TDBGridGx;

struct TDBGridGxOutputCommands {
  // Prints Grid through its preview.
  void (*Print)(TDBGridGx* Grid) = nullptr;
  // Shows the column set-up dialog for Grid.
  void (*ColumnDialog)(TDBGridGx* Grid) = nullptr;
};

// Installs the commands (empty ones remove them).
void RegisterDBGridGxOutputCommands(const TDBGridGxOutputCommands& Commands);
const TDBGridGxOutputCommands& DBGridGxOutputCommands();
