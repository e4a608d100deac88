// Where the script comes from: standard input, the one file named, or a clear error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "script_source.h"

namespace {

TEST(ScriptSource, ReadsStandardInputOrTheNamedFile) {
  std::FILE* in = std::tmpfile();
  ASSERT_NE(nullptr, in);
  const std::string big(10000, 'x');
  std::fputs(("start\n" + big).c_str(), in);
  std::rewind(in);
  std::string text, error;
  EXPECT_TRUE(script::ReadScript(0, nullptr, in, text, error)) << error;
  EXPECT_EQ("start\n" + big, text);
  std::fclose(in);

  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("script_source_" + std::to_string(::getpid()) + ".txt");
  std::ofstream(path) << "device absent\nstart\n";
  const std::string name = path.string();
  const char* args[] = {name.c_str()};
  EXPECT_TRUE(script::ReadScript(1, args, nullptr, text, error)) << error;
  EXPECT_EQ("device absent\nstart\n", text);
  std::filesystem::remove(path);
}

TEST(ScriptSource, RefusesExtraArgumentsAndFilesItCannotRead) {
  std::string text, error;
  const char* two[] = {"a.txt", "b.txt"};
  EXPECT_FALSE(script::ReadScript(2, two, stdin, text, error));
  EXPECT_EQ("takes at most one argument, the script file (without one it reads standard input)",
            error);

  const char* missing[] = {"/nonexistent/script.txt"};
  EXPECT_FALSE(script::ReadScript(1, missing, stdin, text, error));
  EXPECT_EQ("cannot read \"/nonexistent/script.txt\": No such file or directory", error);

  const std::string dir = std::filesystem::temp_directory_path().string();
  const char* directory[] = {dir.c_str()};
  EXPECT_FALSE(script::ReadScript(1, directory, stdin, text, error));
  EXPECT_EQ("cannot read \"" + dir + "\": Is a directory", error);
}

}  // namespace
