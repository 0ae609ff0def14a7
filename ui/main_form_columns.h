// The column numbers of the main window's component list and test-area grid.
#pragma once

#include "model/r_area.h"

// The component list: the number with the tick, the name, the date.
enum List_Column { LIST_NUMBER = 0, LIST_NAME = 1, LIST_DATE = 2 };
constexpr int LIST_COLUMNS = 3;

// The test-area grid: the area's number, its 16 readings, then the two
// derived values. Row 0 holds the headings.
constexpr int GRID_NUMBER_COL = 0;
constexpr int GRID_FIRST_READING_COL = 1;
constexpr int GRID_LAST_READING_COL = READINGS_PER_AREA;
constexpr int GRID_AVG_REBOUND_COL = READINGS_PER_AREA + 1;
constexpr int GRID_STRENGTH_COL = READINGS_PER_AREA + 2;
constexpr int GRID_COLUMNS = READINGS_PER_AREA + 3;
