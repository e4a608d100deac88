// halcyra-demo under a file name of its own (a hard link or a copy, removed with the object): the
// name is the single-instance marker, so overlapping tests never find each other's runs.
#pragma once

#include <string>

namespace app::test {

class DemoProgram {
 public:
  DemoProgram();
  ~DemoProgram();
  DemoProgram(const DemoProgram&) = delete;
  DemoProgram& operator=(const DemoProgram&) = delete;

  // Empty when it could not be made; `error()` says why.
  const std::string& path() const { return path_; }
  // The file name, which is how the program names itself in its messages.
  std::string name() const;
  const std::string& error() const { return error_; }

 private:
  std::string path_;
  std::string error_;
};

}  // namespace app::test
