#include "toolkit/FileDialogText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessora;

namespace {

using namespace std::string_literals;

TEST(DialogFilter, PairsBecomeNulSeparatedWithADoubleNulAtTheEnd) {
  struct Case {
    std::wstring filter, expected;
  };
  const Case cases[] = {
      {L"ｽｸﾘｰﾝｾｰﾊﾞｰ(*.scr)|*.scr", L"ｽｸﾘｰﾝｾｰﾊﾞｰ(*.scr)\0*.scr\0\0"s},
      {L"a|*.a|b|*.b;*.c", L"a\0*.a\0b\0*.b;*.c\0\0"s},
      {L"", L""},
      {L"no pattern", L""},              // a description alone names no files
      {L"a|*.a|dangling", L"a\0*.a\0\0"s},
      {L"a||b|*.b", L"b\0*.b\0\0"s},     // an empty pattern would end the list early
  };
  for (const Case& c : cases) EXPECT_EQ(tk::DialogFilter(c.filter), c.expected) << testing::PrintToString(c.filter);
}

TEST(ChosenFiles, OneFullPathOrAFolderWithNamesInTheDialogsOrder) {
  struct Case {
    std::wstring answer;
    std::vector<std::wstring> files;
  };
  const Case cases[] = {
      {L"C:\\Savers\\星空.scr\0\0"s, {L"C:\\Savers\\星空.scr"}},
      {L"C:\\Savers\0b.scr\0a.scr\0\0"s, {L"C:\\Savers\\b.scr", L"C:\\Savers\\a.scr"}},
      {L"C:\\\0a.scr\0b.scr\0\0"s, {L"C:\\a.scr", L"C:\\b.scr"}},  // the root ends with its separator
      {L"C:\\Savers\0D:\\Other\\x.scr\0y.scr\0\0"s, {L"D:\\Other\\x.scr", L"C:\\Savers\\y.scr"}},
      {L"\\\\server\\share\0a.scr\0\0"s, {L"\\\\server\\share\\a.scr"}},
      {L"C:\\Savers\\a.scr\0\0garbage after the end\0"s, {L"C:\\Savers\\a.scr"}},
      {L"C:\\Savers\\a.scr"s, {L"C:\\Savers\\a.scr"}},  // no closing NUL within the buffer
      {L"\0"s, {}},
      {L"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(tk::ChosenFiles(c.answer), c.files) << testing::PrintToString(c.answer);
}

}  // namespace
