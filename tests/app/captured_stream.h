// A temporary file standing in for a standard stream, read back by the test.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace app::test {

class CapturedStream {
 public:
  CapturedStream() : file_(std::tmpfile()) {}
  ~CapturedStream() {
    if (file_) std::fclose(file_);
  }
  CapturedStream(const CapturedStream&) = delete;
  CapturedStream& operator=(const CapturedStream&) = delete;

  std::FILE* get() const { return file_; }
  // What was written, read through a second descriptor: only what was flushed shows.
  std::string Flushed() const {
    std::string text;
    std::FILE* again = std::fopen(("/proc/self/fd/" + std::to_string(fileno(file_))).c_str(), "r");
    if (!again) return text;
    char buffer[512];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, again)) > 0) text.append(buffer, n);
    std::fclose(again);
    return text;
  }
  // Everything written, by lines; a last line without its line feed is marked.
  std::vector<std::string> Lines() const {
    std::fflush(file_);
    std::vector<std::string> lines(1);
    for (char c : Flushed()) {
      if (c == '\n') {
        lines.emplace_back();
      } else {
        lines.back() += c;
      }
    }
    if (!lines.back().empty()) lines.back() += "<no line feed>";
    if (lines.back().empty()) lines.pop_back();
    return lines;
  }

 private:
  std::FILE* file_;
};

}  // namespace app::test
