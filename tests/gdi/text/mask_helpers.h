// Reading coverage masks: where the ink is, how much, and a picture of it for a person.
#pragma once

#include <string>

#include "font_engine.h"

namespace gdi::text::testing {

// Pixels with at least half coverage in columns [x_begin, x_end) and rows [y_begin, y_end).
int InkPixels(const TextMask& mask, int x_begin, int x_end, int y_begin = 0, int y_end = -1);
// Sum of all coverage values.
long TotalCoverage(const TextMask& mask);
// First and one past the last row holding any ink; {0, 0} for a blank mask.
std::pair<int, int> InkRows(const TextMask& mask);
// With HALCYRA_TEXT_DUMP_DIR set, writes the mask there as <name>.png and returns the path.
std::string DumpIfAsked(const std::string& name, const TextMask& mask);

}  // namespace gdi::text::testing
