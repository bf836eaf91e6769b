#pragma once
// Export of a grid's selection (tab-separated text, CSV, RTF, the interchange form) and import
// of text and the interchange form into a grid.
#include "gridoutput/DBGridGxImpExp/Export.h"
#include "gridoutput/DBGridGxImpExp/ExportRtf.h"
#include "gridoutput/DBGridGxImpExp/ExportText.h"
#include "gridoutput/DBGridGxImpExp/Import.h"
#include "gridoutput/DBGridGxImpExp/ImportText.h"
#include "gridoutput/DBGridGxImpExp/VCLDBIF.h"
#include "gridoutput/DBGridGxImpExp/Unit.h"
