// The controller's requests byte by byte, the effect/option/colour tables, and the reply decoders.
#include "report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using device::Report;

// A whole report: the given leading bytes, zeros after.
Report Bytes(std::initializer_list<BYTE> head) {
  Report report{};
  std::size_t i = 0;
  for (BYTE b : head) report[i++] = b;
  return report;
}

struct EffectRow {
  int index;
  const char* name;
  BYTE argb;
  int vrgb;  // -1: none
  BYTE option;
};

// The controller's effects by button: ARGB code, VRGB code (-1 when it has none), option byte.
const EffectRow kEffects[] = {
    {1, "ColorBreathe", 0x07, 0x02, 1}, {2, "Rainbow", 0x01, 0x01, 0},
    {3, "Breathe", 0x08, 0x03, 1},      {4, "Off", 0x0A, 0x07, 0},
    {5, "TwoBlink", 0x18, 0x06, 5},     {6, "Blink", 0x0C, 0x05, 2},
    {7, "Static", 0x09, 0x04, 0},       {8, "Halcyra", 0x02, -1, 3},
    {9, "Sakura", 0x15, -1, 0},         {10, "Emergency", 0x16, -1, 4},
    {11, "Laser", 0x17, -1, 4},         {12, "Marquee", 0x04, -1, 1},
    {13, "Twinking", 0x05, -1, 1},      {14, "ColorCycle", 0x06, -1, 7},
    {15, "Meteor", 0x03, -1, 0},        {16, "BlackHole", 0x14, -1, 1},
    {17, "Aqua", 0x0D, -1, 1},          {18, "Flare", 0x0E, -1, 1},
    {19, "Forest", 0x0F, -1, 1},        {20, "Stary", 0x10, -1, 4},
    {21, "FireWork", 0x11, -1, 6},      {22, "Lava", 0x12, -1, 4},
    {23, "Tetris", 0x13, -1, 5},        {24, "CenterMeteor", 0x0B, -1, 1},
};

const device::Rgb kPresets[] = {{255, 255, 255}, {255, 0, 0}, {255, 49, 0},  {255, 200, 0},
                                {0, 255, 0},     {0, 0, 255}, {254, 27, 46}, {128, 0, 128}};

TEST(EffectTable, EveryEffectSendsItsCodesAndOptionByteInBothRequests) {
  for (const EffectRow& row : kEffects) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(std::wstring(row.name, row.name + std::strlen(row.name)),
              device::EffectName(row.index));
    const device::LightingSettings s{row.index, 1};
    const Report argb = device::EncodeArgbSettings(s);
    EXPECT_EQ(argb[5], row.argb);
    EXPECT_EQ(argb[7], row.option);
    const device::VrgbRequest vrgb = device::EncodeVrgbSettings(s);
    EXPECT_EQ(vrgb.has_vrgb_code, row.vrgb >= 0);
    EXPECT_EQ(vrgb.report[4], row.vrgb >= 0 ? row.vrgb : 0);
    EXPECT_EQ(vrgb.report[6], row.vrgb >= 0 ? row.option : 0);
  }
}

TEST(EffectTable, OptionByteIsAFunctionOfTheCode) {
  // Every code listed under its option byte, code 0 included.
  const std::vector<std::vector<int>> argb = {{0, 1, 3, 9, 10, 21},
                                              {4, 5, 7, 8, 11, 13, 14, 15, 20},
                                              {12},
                                              {2},
                                              {16, 18, 22, 23},
                                              {19, 24},
                                              {17},
                                              {6}};
  const std::vector<std::vector<int>> vrgb = {{0, 1, 4, 7}, {2, 3}, {5}, {}, {}, {6}, {}, {}};
  for (int option = 0; option < 8; ++option) {
    for (int code : argb[option]) EXPECT_EQ(device::ArgbOptionByte(code), option) << code;
    for (int code : vrgb[option]) EXPECT_EQ(device::VrgbOptionByte(code), option) << code;
  }
  EXPECT_EQ(device::ArgbOptionByte(25), 0);
  EXPECT_EQ(device::ArgbOptionByte(0xFF), 0);
  EXPECT_EQ(device::VrgbOptionByte(8), 0);
}

TEST(EffectTable, IndicesOutsideTheTableSendCodeZeroAndOptionZero) {
  EXPECT_EQ(nullptr, device::EffectName(0));
  EXPECT_EQ(nullptr, device::EffectName(25));
  for (int index : {0, 25, -1}) {
    const Report argb = device::EncodeArgbSettings(device::LightingSettings{index, 1});
    EXPECT_EQ(argb[5], 0) << index;
    EXPECT_EQ(argb[7], 0) << index;
  }
}

TEST(ColorTable, EveryPresetGoesToBothRequestsAtTheirOwnPositions) {
  for (int color = 1; color <= 8; ++color) {
    SCOPED_TRACE(color);
    const device::LightingSettings s{2, color, 1, 2, 3};  // the sliders do not count
    const device::Rgb want = kPresets[color - 1];
    const Report argb = device::EncodeArgbSettings(s);
    const Report vrgb = device::EncodeVrgbSettings(s).report;
    EXPECT_EQ((device::Rgb{argb[9], argb[10], argb[11]}), want);
    EXPECT_EQ((device::Rgb{vrgb[8], vrgb[9], vrgb[10]}), want);
  }
}

TEST(ColorTable, CustomColourSendsTheSlidersLowBytesAndUnknownChoicesSendBlack) {
  device::LightingSettings s{7, 0, 0x12, 0x134, 255};
  EXPECT_EQ(device::EncodeArgbSettings(s)[10], 0x34) << "only the low byte travels";
  EXPECT_EQ(device::EncodeArgbSettings(s)[11], 0xFF);
  for (int color : {9, -1}) {
    s.color = color;
    const Report argb = device::EncodeArgbSettings(s);
    EXPECT_EQ(argb[9] | argb[10] | argb[11], 0) << color;
  }
}

TEST(Requests, OffWithPresetOneOnTheVrgbPage) {
  const device::VrgbRequest r = device::EncodeVrgbSettings(device::LightingSettings{4, 1});
  EXPECT_TRUE(r.has_vrgb_code);
  EXPECT_EQ(r.report, Bytes({0x00, 0x80, 0x04, 0x02, 0x07, 0x00, 0x00, 0x03, 0xFF, 0xFF, 0xFF}));
}

TEST(Requests, VrgbWithAnArgbOnlyEffectStillSendsCodeZeroAndTheColour) {
  const device::VrgbRequest r = device::EncodeVrgbSettings(device::LightingSettings{15, 8});
  EXPECT_FALSE(r.has_vrgb_code);
  EXPECT_EQ(r.report, Bytes({0x00, 0x80, 0x04, 0x02, 0x00, 0x00, 0x00, 0x03, 0x80, 0x00, 0x80}));
}

TEST(Requests, LightsQuantity) {
  EXPECT_EQ(device::EncodeSetLightsQty(64), Bytes({0x00, 0x80, 0x0D, 0x02, 0x40, 0x03}));
  // The read request carries the low byte of the count the program holds.
  EXPECT_EQ(device::EncodeReadLightsQty(300), Bytes({0x00, 0x80, 0x0D, 0x01, 0x2C, 0x03}));
  EXPECT_EQ(device::EncodeReadLightsQty(-1), Bytes({0x00, 0x80, 0x0D, 0x01, 0xFF, 0x03}));
}

TEST(Requests, ReadDeviceColour) {
  EXPECT_EQ(device::EncodeReadDeviceColor(0x5C),
            Bytes({0x00, 0x80, 0x0B, 0x01, 0x03, 0x5C, 0x00, 0x00, 0x03}));
}

TEST(Replies, DecodersTakeOnlyTheirBytes) {
  Report reply;
  reply.fill(0xEE);
  reply[4] = 0xC8;
  reply[5] = 0x11;
  reply[9] = 0;
  reply[10] = 128;
  reply[11] = 255;
  EXPECT_EQ(device::DecodeLightsQty(reply), 200) << "zero-extended, not sign-extended";
  const device::DeviceColor color = device::DecodeDeviceColor(reply);
  EXPECT_EQ(color.in_out, 0x11);
  EXPECT_EQ(color.color, (device::Rgb{0, 128, 255}));
}

}  // namespace
