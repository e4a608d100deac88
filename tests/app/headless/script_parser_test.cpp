// The script parser: every command, and every malformed line reported with its number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script.h"
#include "winuser.h"

namespace {

using script::Command;
using script::ParseScript;
using script::Verb;

TEST(ScriptParser, ReadsEveryCommandWithItsArguments) {
  const auto r = ParseScript(
      "device color 10 20 30\r\n"
      "device qty 144   # a long strip\n"
      "device silent\n"
      "\n"
      "   # only a comment\n"
      "start\n"
      "move 0 0\n"
      "down\n"
      "up\n"
      "click 1279 799\n"
      "\tdrag 10 20   30 40\t\n"
      "key PageDown\n"
      "wait 3600000\n"
      "state\n"
      "pixel 5 6\n"
      "windows\n"
      "screenshot out/shot.png\n");
  ASSERT_FALSE(r.error) << r.error->message;
  EXPECT_TRUE(r.script.start);
  EXPECT_TRUE(r.script.device.attached);
  EXPECT_TRUE(r.script.device.silent);
  EXPECT_EQ(10, r.script.device.red);
  EXPECT_EQ(20, r.script.device.green);
  EXPECT_EQ(30, r.script.device.blue);
  EXPECT_EQ(144, r.script.device.led_count);

  const std::vector<Command>& c = r.script.commands;
  ASSERT_EQ(11u, c.size());
  const std::vector<Verb> verbs = {Verb::kMove,  Verb::kDown,    Verb::kUp,        Verb::kClick,
                                   Verb::kDrag,  Verb::kKey,     Verb::kWait,      Verb::kState,
                                   Verb::kPixel, Verb::kWindows, Verb::kScreenshot};
  for (std::size_t i = 0; i < verbs.size(); ++i) EXPECT_EQ(verbs[i], c[i].verb) << i;
  EXPECT_EQ(7, c[0].line);
  EXPECT_EQ(17, c[10].line);
  EXPECT_EQ(1279, c[3].args[0]);
  EXPECT_EQ(799, c[3].args[1]);
  EXPECT_EQ((std::array<int, 4>{10, 20, 30, 40}), c[4].args);
  EXPECT_EQ(static_cast<unsigned>(VK_NEXT), c[5].key);
  EXPECT_EQ(3600000, c[6].args[0]);
  EXPECT_EQ(5, c[8].args[0]);
  EXPECT_EQ(6, c[8].args[1]);
  EXPECT_EQ("out/shot.png", c[10].file);
}

TEST(ScriptParser, EmptyScriptsAndCommentsAreFine) {
  for (const char* text : {"", "\n\n", "# nothing\n   \n\t# more\n", "device absent\n"}) {
    const auto r = ParseScript(text);
    EXPECT_FALSE(r.error) << text;
    EXPECT_FALSE(r.script.start) << text;
    EXPECT_TRUE(r.script.commands.empty()) << text;
  }
  EXPECT_FALSE(ParseScript("device absent").script.device.attached);
  // A failed device line changes nothing.
  EXPECT_EQ(1, ParseScript("device qty 1\ndevice qty 999\n").script.device.led_count);
  // A last line without a line feed still counts.
  EXPECT_EQ(1u, ParseScript("start\nstate").script.commands.size());
}

struct Bad {
  const char* text;
  int line;
  const char* message;  // the whole message
};

TEST(ScriptParser, ReportsTheFirstMalformedLineWithItsNumber) {
  const std::vector<Bad> cases = {
      // Unknown words.
      {"jump 1 2\n", 1, "unknown command \"jump\""},
      {"start\nClick 1 2\n", 2, "unknown command \"Click\""},
      {"start\nbeep\x01\n", 2, "unknown command \"beep\\x01\""},
      {"device blue\n", 1, "device: unknown setting \"blue\" (known: absent, color, qty, silent)"},
      {"start\nkey escape\n", 2,
       "key: unknown key name \"escape\" (known: Escape Enter Tab Space Left Right Up Down Home "
       "End "
       "PageUp PageDown)"},
      // Missing and extra arguments.
      {"device\n", 1,
       "device: missing argument (usage: device absent | color R G B | qty N | silent)"},
      {"device color 1 2\n", 1, "device color: missing argument (usage: device color R G B)"},
      {"device color 1 2 3 4\n", 1,
       "device color: extra argument \"4\" (usage: device color R G B)"},
      {"start now\n", 1, "start: extra argument \"now\" (usage: start)"},
      {"start\nmove 1\n", 2, "move: missing argument (usage: move X Y)"},
      {"start\nclick 1 2 3\n", 2, "click: extra argument \"3\" (usage: click X Y)"},
      {"start\ndown 1\n", 2, "down: extra argument \"1\" (usage: down)"},
      {"start\nscreenshot my shot.png\n", 2,
       "screenshot: extra argument \"shot.png\" (usage: screenshot FILE)"},
      // Numbers.
      {"device qty 256\n", 1, "device qty: N 256 is out of range (0 to 255)"},
      {"device qty 0x10\n", 1, "device qty: \"0x10\" is not a number"},
      {"device color 1 2.5 3\n", 1, "device color: \"2.5\" is not a number"},
      {"device qty -\n", 1, "device qty: \"-\" is not a number"},
      {"start\nwait 3600001\n", 2, "wait: MS 3600001 is out of range (0 to 3600000)"},
      {"start\nwait 99999999999999999999999\n", 2,
       "wait: MS 99999999999999999999999 is out of range (0 to 3600000)"},
      // Coordinates off the screen, each of them.
      {"start\nmove 1280 0\n", 2, "move: X 1280 is off the screen (0 to 1279)"},
      {"start\nclick 0 800\n", 2, "click: Y 800 is off the screen (0 to 799)"},
      {"start\npixel -1 5\n", 2, "pixel: X -1 is off the screen (0 to 1279)"},
      {"start\ndrag 0 0 1280 5\n", 2, "drag: X2 1280 is off the screen (0 to 1279)"},
      {"start\ndrag 0 -3 5 5\n", 2, "drag: Y1 -3 is off the screen (0 to 799)"},
      // Order.
      {"start\ndevice absent\n", 2, "device: must come before start"},
      {"start\n\nstart\n", 3, "start: the program is already started"},
      {"click 1 1\n", 1, "click: needs the program, which runs only after start"},
      {"# setup\nwait 10\nstart\n", 2, "wait: needs the program, which runs only after start"},
  };
  for (const Bad& bad : cases) {
    const auto r = ParseScript(bad.text);
    ASSERT_TRUE(r.error) << bad.text;
    EXPECT_EQ(bad.line, r.error->line) << bad.text;
    EXPECT_EQ(bad.message, r.error->message) << bad.text;
  }
}

}  // namespace
