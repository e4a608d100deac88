// The HID report descriptor parser on any bytes.
#include <cstdint>
#include <span>

#include "fuzz_input.h"
#include "report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto caps = hid::ParseReportDescriptor(std::span(data, size));
  if (!caps) return 0;
  fuzz::Check(size > 0, "an empty descriptor describes nothing");
  fuzz::Check(caps->collections >= 1, "a top-level collection was found");
  // A length counts the report-number byte, so a report that exists is at least 2 bytes long.
  for (const WORD length : {caps->input_length, caps->output_length, caps->feature_length}) {
    fuzz::Check(length != 1, "a report length is 0 or covers data");
  }
  return 0;
}
