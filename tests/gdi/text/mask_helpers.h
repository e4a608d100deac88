// Reading coverage masks in tests: where the ink is, how much of it, and writing a mask as a
// picture for a person to look at.
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
// When HALCYRA_TEXT_DUMP_DIR names a directory, writes the mask there as <name>.png (white ink
// on black) and returns the path; otherwise does nothing and returns an empty string.
std::string DumpIfAsked(const std::string& name, const TextMask& mask);

}  // namespace gdi::text::testing
