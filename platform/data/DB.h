#pragma once
// The data-access unit: field types, fields, datasets, data sources and data links.
#include "platform/data/DBTypes.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/data/FieldDefs.h"
