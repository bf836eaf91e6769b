#pragma once
// The grid unit started for a benchmark. It loads its bitmaps from the program's artwork
// when it starts, so the artwork is registered first.
#include "grid/DBGridGx/SharedResources.h"
#include "resources/artwork/Artwork.h"

namespace bench_grid {

struct ArtworkRegistered {
  ArtworkRegistered() { RegisterArtwork(); }
};

struct GridUnit : ArtworkRegistered {
  TDBGridGxUnitUse Unit;
};

}  // namespace bench_grid
