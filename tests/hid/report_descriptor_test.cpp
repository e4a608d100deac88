#include "report_descriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::optional<hid::DescriptorCaps> Parse(const std::vector<BYTE>& bytes) {
  return hid::ParseReportDescriptor(bytes);
}

TEST(ReportDescriptor, UnnumberedReportsCountTheReportNumberByte) {
  const auto caps = Parse({0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x40, 0x81,
                           0x02, 0x95, 0x40, 0x91, 0x02, 0xC0});
  ASSERT_TRUE(caps);
  EXPECT_EQ(caps->usage_page, 0xFF00);
  EXPECT_EQ(caps->usage, 0x01);
  EXPECT_EQ(caps->input_length, 65);
  EXPECT_EQ(caps->output_length, 65);
  EXPECT_EQ(caps->feature_length, 0);
}

TEST(ReportDescriptor, NumberedReportsTakeTheLongestOfEachKind) {
  const auto caps =
      Parse({0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,  // Generic Desktop / Keyboard, Application
             0x85, 0x01, 0x75, 0x01, 0x95, 0x0C,  // report 1: 12 bits of input -> 2 bytes
             0x81, 0x02,                          //
             0x85, 0x02, 0x75, 0x08, 0x95, 0x03,  // report 2: 3 bytes of input and of output
             0x81, 0x02, 0x91, 0x02,              //
             0x85, 0x03, 0x95, 0x07, 0xB1, 0x02,  // report 3: 7 bytes of feature
             0xA4, 0x95, 0x20, 0xB4,              // push, count 32, pop: back to 7
             0xB1, 0x02,                          // report 3 grows to 14 bytes
             0x0B, 0x02, 0x00, 0x0C, 0x00,        // a four-byte usage names its own page...
             0xA1, 0x02, 0xC0,              // ...for a nested collection, which does not count
             0xFE, 0x02, 0x10, 0xAA, 0xBB,  // a long item, skipped
             0xC0});
  ASSERT_TRUE(caps);
  EXPECT_EQ(caps->usage_page, 0x01);
  EXPECT_EQ(caps->usage, 0x06);
  EXPECT_EQ(caps->input_length, 4);
  EXPECT_EQ(caps->output_length, 4);
  EXPECT_EQ(caps->feature_length, 15);
  EXPECT_EQ(caps->collections, 2);
}

TEST(ReportDescriptor, MalformedDescriptorsAreRejected) {
  EXPECT_FALSE(Parse({})) << "empty";
  EXPECT_FALSE(Parse({0x06, 0x00})) << "item cut short";
  EXPECT_FALSE(Parse({0x06, 0x00, 0xFF, 0x09, 0x01})) << "no collection";
  EXPECT_FALSE(Parse({0xA1, 0x01})) << "collection never closed";
  EXPECT_FALSE(Parse({0xC0})) << "end without collection";
  EXPECT_FALSE(Parse({0xA1, 0x01, 0x85, 0x00, 0xC0})) << "report number 0";
  EXPECT_FALSE(Parse({0xA1, 0x01, 0xB4, 0xC0})) << "pop without push";
  EXPECT_FALSE(Parse({0xA1, 0x01, 0xFE, 0x05, 0x10, 0x00, 0xC0})) << "long item cut short";
  EXPECT_FALSE(Parse({0xA1, 0x01, 0x0C, 0xC0})) << "reserved item type";
  // 2^32-1 fields of 255 bits: the length would not fit the capability record.
  EXPECT_FALSE(Parse({0xA1, 0x01, 0x75, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0xC0}));
}

}  // namespace
