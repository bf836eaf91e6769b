#pragma once
// Registers what grid tests read from form descriptions: artwork, the standard and data
// classes and the data grid's classes.
#include "grid/DBGridGx/GridControl.h"
#include "platform/controls/Forms.h"
#include "platform/data/DataSet.h"
#include "resources/artwork/Artwork.h"

inline void RegisterGridTestClasses() {
  RegisterArtwork();
  RegisterStandardClasses();
  RegisterDataClasses();
  RegisterDBGridGxClasses();
}
