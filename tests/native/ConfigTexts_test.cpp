// Frequency words against the code page's own tables; the time label.
#include "config/ConfigTexts.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <climits>
#include <string>

using namespace tessora;

namespace {
// The Shift-JIS bytes as wide text, by the C library's own code page tables.
std::wstring FromCp932(std::string_view bytes) {
  iconv_t convert = iconv_open("WCHAR_T", "CP932");
  if (convert == reinterpret_cast<iconv_t>(-1)) {
    ADD_FAILURE() << "no CP932 converter";
    return {};
  }
  std::string in(bytes);
  std::wstring out(in.size() + 1, L'\0');
  char* inPointer = in.data();
  auto* outPointer = reinterpret_cast<char*>(out.data());
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size() * sizeof(wchar_t);
  const std::size_t result = iconv(convert, &inPointer, &inLeft, &outPointer, &outLeft);
  iconv_close(convert);
  EXPECT_NE(result, static_cast<std::size_t>(-1)) << "not Shift-JIS";
  out.resize(out.size() - outLeft / sizeof(wchar_t));
  return out;
}

TEST(FrequencyWords, BytesAreTheWideWordsInShiftJis) {
  for (std::size_t level = 0; level < FrequencyWords.size(); ++level) {
    EXPECT_EQ(FromCp932(FrequencyWords[level]), std::wstring(FrequencyWordsWide[level])) << level;
  }
}

TEST(FrequencyWords, WordGivesItsLevelOthersNone) {
  for (std::size_t level = 0; level < FrequencyWords.size(); ++level) {
    EXPECT_EQ(FrequencyLevelOfWord(FrequencyWords[level]), static_cast<int>(level));
  }
  // "低" is the start of "低め" but not equal to it, and the other way round.
  EXPECT_EQ(FrequencyLevelOfWord(std::string(FrequencyWords[0]) + "\x82\xDF"), 1);
  EXPECT_EQ(FrequencyLevelOfWord(std::string(FrequencyWords[2]) + " "), std::nullopt);
  EXPECT_EQ(FrequencyLevelOfWord(""), std::nullopt);
  EXPECT_EQ(FrequencyLevelOfWord("2"), std::nullopt);
}

struct TimeCase {
  std::int32_t seconds;
  const char* text;
};

void PrintTo(const TimeCase& c, std::ostream* os) { *os << c.seconds; }

class TimeLabel : public testing::TestWithParam<TimeCase> {};

TEST_P(TimeLabel, ShowsHoursMinutesSeconds) { EXPECT_EQ(TimeLabelText(GetParam().seconds), GetParam().text); }

const TimeCase kTimeCases[] = {
    {0, "(00:00:00)"},
    {59, "(00:00:59)"},
    {60, "(00:01:00)"},
    {3599, "(00:59:59)"},
    {3661, "(01:01:01)"},
    {86399, "(23:59:59)"},
    {86400, "(24:00:00)"},  // hours do not wrap
    {360000, "(100:00:00)"},
    {INT32_MAX, "(596523:14:07)"},
    {-5, "(00:00:-05)"},
    {-3661, "(-01:-01:-01)"},
    {INT32_MIN, "(-596523:-14:-08)"},
};

INSTANTIATE_TEST_SUITE_P(Cases, TimeLabel, testing::ValuesIn(kTimeCases));
}  // namespace
