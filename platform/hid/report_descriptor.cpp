#include "report_descriptor.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace hid {
namespace {

enum ItemType { kMain = 0, kGlobal = 1, kLocal = 2 };

// Main item tags.
constexpr int kInput = 0x8;
constexpr int kOutput = 0x9;
constexpr int kCollection = 0xA;
constexpr int kFeature = 0xB;
constexpr int kEndCollection = 0xC;
// Global item tags.
constexpr int kUsagePage = 0x0;
constexpr int kReportSize = 0x7;
constexpr int kReportId = 0x8;
constexpr int kReportCount = 0x9;
constexpr int kPush = 0xA;
constexpr int kPop = 0xB;
// Local item tags.
constexpr int kUsage = 0x0;

constexpr std::uint64_t kMaxReportBits = (0xFFFFull - 1) * 8;  // the length must fit a WORD

struct Globals {
  std::uint32_t usage_page = 0;
  std::uint32_t report_size = 0;
  std::uint32_t report_count = 0;
  std::uint32_t report_id = 0;
};

struct ReportBits {
  std::uint64_t input = 0;
  std::uint64_t output = 0;
  std::uint64_t feature = 0;
};

WORD LengthOf(const std::map<std::uint32_t, ReportBits>& reports, std::uint64_t ReportBits::*kind) {
  std::uint64_t longest = 0;
  for (const auto& [id, bits] : reports) longest = std::max(longest, bits.*kind);
  if (longest == 0) return 0;
  return static_cast<WORD>((longest + 7) / 8 + 1);
}

}  // namespace

std::optional<DescriptorCaps> ParseReportDescriptor(std::span<const BYTE> descriptor) {
  DescriptorCaps caps;
  Globals globals;
  std::vector<Globals> stack;
  // Local state, cleared by every main item: the first usage named since the last one.
  bool have_usage = false;
  std::uint32_t first_usage = 0;
  std::map<std::uint32_t, ReportBits> reports;
  int depth = 0;
  bool have_top_level = false;
  unsigned collections = 0;

  std::size_t pos = 0;
  while (pos < descriptor.size()) {
    const BYTE prefix = descriptor[pos];
    if (prefix == 0xFE) {  // long item: size, tag, data; carries nothing we need
      if (descriptor.size() - pos < 3) return std::nullopt;
      const std::size_t size = descriptor[pos + 1];
      if (descriptor.size() - pos < 3 + size) return std::nullopt;
      pos += 3 + size;
      continue;
    }
    static constexpr std::size_t kSizes[4] = {0, 1, 2, 4};
    const std::size_t size = kSizes[prefix & 0x3];
    const int type = (prefix >> 2) & 0x3;
    const int tag = prefix >> 4;
    if (descriptor.size() - pos - 1 < size) return std::nullopt;
    std::uint32_t data = 0;
    for (std::size_t i = 0; i < size; ++i) {
      data |= static_cast<std::uint32_t>(descriptor[pos + 1 + i]) << (8 * i);
    }
    pos += 1 + size;

    if (type == kGlobal) {
      switch (tag) {
        case kUsagePage:
          globals.usage_page = data;
          break;
        case kReportSize:
          globals.report_size = data;
          break;
        case kReportCount:
          globals.report_count = data;
          break;
        case kReportId:
          if (data == 0 || data > 0xFF) return std::nullopt;
          globals.report_id = data;
          break;
        case kPush:
          stack.push_back(globals);
          break;
        case kPop:
          if (stack.empty()) return std::nullopt;
          globals = stack.back();
          stack.pop_back();
          break;
        default:
          break;
      }
    } else if (type == kLocal) {
      if (tag == kUsage && !have_usage) {
        // A four-byte usage carries its own page in the high half.
        first_usage = size == 4 ? data : ((globals.usage_page & 0xFFFF) << 16) | (data & 0xFFFF);
        have_usage = true;
      }
    } else if (type == kMain) {
      const std::uint64_t bits =
          static_cast<std::uint64_t>(globals.report_size) * globals.report_count;
      ReportBits& report = reports[globals.report_id];
      switch (tag) {
        case kInput:
          report.input += bits;
          break;
        case kOutput:
          report.output += bits;
          break;
        case kFeature:
          report.feature += bits;
          break;
        case kCollection:
          if (depth == 0 && !have_top_level) {
            have_top_level = true;
            const std::uint32_t usage =
                have_usage ? first_usage : (globals.usage_page & 0xFFFF) << 16;
            caps.usage_page = static_cast<WORD>(usage >> 16);
            caps.usage = static_cast<WORD>(usage & 0xFFFF);
          }
          ++depth;
          ++collections;
          break;
        case kEndCollection:
          if (depth == 0) return std::nullopt;
          --depth;
          break;
        default:
          return std::nullopt;
      }
      if (report.input > kMaxReportBits || report.output > kMaxReportBits ||
          report.feature > kMaxReportBits) {
        return std::nullopt;
      }
      have_usage = false;
    } else {
      return std::nullopt;  // reserved item type
    }
  }

  if (!have_top_level || depth != 0) return std::nullopt;
  caps.input_length = LengthOf(reports, &ReportBits::input);
  caps.output_length = LengthOf(reports, &ReportBits::output);
  caps.feature_length = LengthOf(reports, &ReportBits::feature);
  caps.collections = static_cast<WORD>(std::min(collections, 0xFFFFu));
  return caps;
}

}  // namespace hid
