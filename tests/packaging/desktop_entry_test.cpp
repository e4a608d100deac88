// The launcher, the software-centre entry and the icons agree with each other and with the program:
// its name, its windows' X class, and every icon size at its size.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "x11_host.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The keys of the [Desktop Entry] group.
std::map<std::string, std::string> DesktopEntry(const fs::path& path) {
  std::map<std::string, std::string> keys;
  std::istringstream lines(Slurp(path));
  std::string line;
  bool in_group = false;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      in_group = line == "[Desktop Entry]";
      continue;
    }
    const auto equals = line.find('=');
    if (in_group && equals != std::string::npos)
      keys[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return keys;
}

std::string Element(const std::string& xml, const std::string& name) {
  std::smatch match;
  const std::regex pattern("<" + name + "(\\s[^>]*)?>([^<]*)</" + name + ">");
  return std::regex_search(xml, match, pattern) ? match[2].str() : std::string();
}

const fs::path kPackaging = HALCYRA_SOURCE_DIR "/packaging";
const fs::path kThemeIcons = HALCYRA_SOURCE_DIR "/res/icons/hicolor";

TEST(DesktopEntry, StartsTheProgramAndClaimsItsWindows) {
  auto entry = DesktopEntry(kPackaging / "halcyra.desktop");
  ASSERT_FALSE(entry.empty());
  const std::string program = entry["Exec"].substr(0, entry["Exec"].find(' '));
  EXPECT_EQ(program, "halcyra");
  // The X11 host classes the program's windows after its instance name, the executable's name.
  EXPECT_EQ(entry["StartupWMClass"], host::X11ClassName(program));
  for (const char* category : {"Settings;", "HardwareSettings;"})
    EXPECT_NE(entry["Categories"].find(category), std::string::npos) << category;

  // The software centre offers this launcher and this program.
  const std::string metainfo = Slurp(kPackaging / "halcyra.metainfo.xml.in");
  EXPECT_EQ(Element(metainfo, "launchable"), "halcyra.desktop");
  EXPECT_EQ(Element(metainfo, "binary"), program);
  // Plugging the controller in lets a software centre suggest the program.
  EXPECT_EQ(Element(metainfo, "modalias"), "usb:v1A2Cp1519d*");
}

TEST(DesktopEntry, IconExistsAtEveryThemeSizeAtThatSize) {
  const std::string icon = DesktopEntry(kPackaging / "halcyra.desktop")["Icon"];
  ASSERT_FALSE(icon.empty());
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string edge = std::to_string(size);
    const fs::path path = kThemeIcons / (edge + "x" + edge) / "apps" / (icon + ".png");
    const std::string png = Slurp(path);
    ASSERT_GE(png.size(), 33u) << path;
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n") << path;
    EXPECT_EQ(png.substr(12, 4), "IHDR") << path;
    auto be32 = [&](std::size_t at) {
      std::uint32_t value = 0;
      for (std::size_t i = at; i < at + 4; ++i)
        value = value << 8 | static_cast<unsigned char>(png[i]);
      return value;
    };
    EXPECT_EQ(be32(16), static_cast<std::uint32_t>(size)) << path;
    EXPECT_EQ(be32(20), static_cast<std::uint32_t>(size)) << path;
    EXPECT_EQ(png[25], 6) << path << ": RGBA, so the corners can be transparent";
  }
  std::size_t folders = 0;
  for (const auto& entry : fs::directory_iterator(kThemeIcons)) folders += entry.is_directory();
  EXPECT_EQ(folders, 8u) << "a size that the package installs but nothing checks";
}

}  // namespace
