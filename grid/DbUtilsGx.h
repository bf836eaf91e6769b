#pragma once
// Filter expressions of the grid's filter row and their parser, the filter and SQL text
// builders, and the dataset-features registry.
#include "grid/DbUtilsGx/DatasetFeatures.h"
#include "grid/DbUtilsGx/FilterExpression.h"
#include "grid/DbUtilsGx/FilterText.h"
