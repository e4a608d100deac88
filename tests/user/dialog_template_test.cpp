// The dialog template text: what makes a template, and which numbers a broken one may hold.
#include <gtest/gtest.h>

#include "dialog_template.h"

namespace {

TEST(DialogTemplateTest, ReadsEveryStatementOfATemplate) {
  const auto t = user::ParseDialogTemplate(
      "# about\r\nSTYLE 0x80C800C8\nEXSTYLE 0\nSIZE 181 63\nCAPTION \"\xE5\x85\xB3\xE4\xBA\x8E\"\n"
      "FONT 9 400 \"MS Shell Dlg\"\nCONTROL -1 \"static\" 0x50000003 -14 14 20 20 \"#128\"");
  ASSERT_TRUE(t);
  EXPECT_EQ(0x80C800C8u, t->style);
  EXPECT_EQ(181, t->cx);
  EXPECT_EQ(L"\u5173\u4E8E", t->caption);
  EXPECT_TRUE(t->has_font);
  EXPECT_EQ(9, t->points);
  ASSERT_EQ(1u, t->controls.size());
  EXPECT_EQ(-1, t->controls[0].id);
  EXPECT_EQ(-14, t->controls[0].x);
  EXPECT_EQ(L"#128", t->controls[0].text);
}

TEST(DialogTemplateTest, PositionsAndSizesOutsideTheirRangesFailTheTemplate) {
  auto control = [](const char* x, const char* cx) {
    return user::ParseDialogTemplate(std::string("SIZE 10 10\nCONTROL 1 \"Button\" 0 ") + x +
                                     " 0 " + cx + " 4 \"x\"\n")
        .has_value();
  };
  EXPECT_TRUE(control("-10000", "10000"));
  EXPECT_FALSE(control("-10001", "4"));
  EXPECT_FALSE(control("10001", "4"));
  EXPECT_FALSE(control("0", "-1"));
  // The smallest 64-bit number has no magnitude of its own: it once passed as position 0.
  EXPECT_FALSE(control("-9223372036854775808", "4"));
  EXPECT_FALSE(control("0x8000000000000000", "4"));  // beyond 64 bits
  EXPECT_FALSE(user::ParseDialogTemplate("SIZE 10 -1\n"));
  EXPECT_FALSE(user::ParseDialogTemplate("SIZE 10 10\nFONT 0 400 \"x\"\n"));
  EXPECT_FALSE(user::ParseDialogTemplate("STYLE 0\n"));  // no size
}

}  // namespace
