#include "script_source.h"

#include <cerrno>
#include <cstring>
#include <memory>

namespace script {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

bool ReadAll(std::FILE* in, std::string& text, int& error_number) {
  char buffer[4096];
  text.clear();
  for (;;) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, in);
    text.append(buffer, n);
    if (n < sizeof buffer) break;
  }
  if (std::ferror(in)) {
    error_number = errno;
    return false;
  }
  return true;
}

}  // namespace

bool ReadScript(int argc, const char* const* args, std::FILE* standard_input, std::string& text,
                std::string& error) {
  if (argc > 1) {
    error = "takes at most one argument, the script file (without one it reads standard input)";
    return false;
  }
  int error_number = 0;
  if (argc == 0) {
    if (standard_input == nullptr) {
      error = "cannot read the script: there is no standard input";
      return false;
    }
    if (ReadAll(standard_input, text, error_number)) return true;
    error =
        std::string("cannot read the script from standard input: ") + std::strerror(error_number);
    return false;
  }
  const std::string path = args[0];
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (file && ReadAll(file.get(), text, error_number)) return true;
  if (!file) error_number = errno;
  error = "cannot read \"" + path + "\": " + std::strerror(error_number);
  return false;
}

}  // namespace script
