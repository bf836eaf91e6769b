#pragma once
// Filter expressions of the grid's filter row and their parser.
#include "grid/DbUtilsGx/FilterExpression.h"
