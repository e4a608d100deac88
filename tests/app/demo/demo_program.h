// halcyra-demo under a name of its own (its single-instance marker), removed with the object.
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
