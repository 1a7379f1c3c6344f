#pragma once
// Byte layouts of the records inside one application definition: packed structs whose sizes
// and offsets are checked at compile time, since the project file and the program image are
// these bytes.
#include "definition/form_record.h"
#include "definition/menu_record.h"
#include "definition/settings_records.h"
