// The transcript lines: their form, the quoting that keeps a text on its line, the flushing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "transcript.h"

namespace {

using script::QuoteText;

TEST(Transcript, QuotesTextsAsJsonStrings) {
  EXPECT_EQ("\"\"", QuoteText(L""));
  EXPECT_EQ("\"Apply\"", QuoteText(L"Apply"));
  EXPECT_EQ(R"("say \"hi\"")", QuoteText(L"say \"hi\""));
  EXPECT_EQ(R"("C:\\dir")", QuoteText(L"C:\\dir"));
  EXPECT_EQ(R"("one\ntwo\r\n\tend")", QuoteText(L"one\ntwo\r\n\tend"));
  EXPECT_EQ(R"("\u0001\u001F")", QuoteText(std::wstring(L"\x01\x1F")));
  // UTF-8 of every length, including outside the basic plane.
  EXPECT_EQ("\"\xC3\xA9\xE7\x81\xAF\xE5\x85\x89\xF0\x9F\x92\xA1\"",
            QuoteText(L"\u00E9\u706F\u5149\U0001F4A1"));
  // What is not a character at all becomes the replacement character.
  EXPECT_EQ("\"\xEF\xBF\xBD\xEF\xBF\xBD\"",
            QuoteText(std::wstring{static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000)}));
}

// The other line forms are pinned by the transcripts; a pixel of more than 24 bits is not.
TEST(Transcript, APixelLineKeepsOnlyRedGreenAndBlue) {
  EXPECT_EQ("pixel 7 8 00 0F FF", script::PixelLine(7, 8, 0xFF000FFF));
}

// A reader at the other end of a pipe sees each line as soon as it is written.
TEST(Transcript, FlushesEveryLineAndStopsForGood) {
  int fds[2];
  ASSERT_EQ(0, ::pipe(fds));
  ASSERT_EQ(0, ::fcntl(fds[0], F_SETFL, O_NONBLOCK));
  std::FILE* out = ::fdopen(fds[1], "w");
  ASSERT_NE(nullptr, out);
  static char buffer[1 << 16];
  std::setvbuf(out, buffer, _IOFBF, sizeof buffer);

  auto drain = [&] {
    std::string got;
    char chunk[256];
    ssize_t n;
    while ((n = ::read(fds[0], chunk, sizeof chunk)) > 0)
      got.append(chunk, static_cast<std::size_t>(n));
    return got;
  };
  script::Transcript transcript(out);
  transcript.Write("exit 0");
  EXPECT_EQ("exit 0\n", drain());
  transcript.Write("state");
  transcript.Write("pixel 1 2 00 00 00");
  EXPECT_EQ("state\npixel 1 2 00 00 00\n", drain());
  transcript.Stop();
  transcript.Write("window hidden #32770 \"\"");
  std::fflush(out);
  EXPECT_EQ("", drain());
  std::fclose(out);
  ::close(fds[0]);
}

}  // namespace
