// Works out an interface's capabilities from its HID report descriptor, as HidP_GetCaps reports
// them: the first top-level collection's usage, and the longest input, output and feature report.
#pragma once

#include <optional>
#include <span>

#include "windef.h"

namespace hid {

struct DescriptorCaps {
  WORD usage_page = 0;
  WORD usage = 0;
  // Longest report of each kind in bytes, counting the report-number byte; 0 when the descriptor
  // declares no report of that kind.
  WORD input_length = 0;
  WORD output_length = 0;
  WORD feature_length = 0;
  WORD collections = 0;  // every collection, nested ones included
};

// Nothing when the descriptor is empty or malformed: a truncated item, an unbalanced collection, a
// pop without a push, report number 0, no top-level collection, or a report longer than 65535
// bytes.
std::optional<DescriptorCaps> ParseReportDescriptor(std::span<const BYTE> descriptor);

}  // namespace hid
