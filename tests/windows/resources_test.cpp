#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "WineTestSupport.h"

// The shipped program carries what the system's screensaver list and the loader read.
TEST(Resources, TessoraScrHasNameIconAndManifest) {
  const std::wstring path = TessoraBinPath(L"Tessora.scr");
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr) << "cannot load " << Narrow(path);
  wchar_t name[64] = {};
  EXPECT_EQ(LoadStringW(module, 1, name, 64), 7);
  EXPECT_STREQ(name, L"Tessora");
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */), nullptr);
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */), nullptr);
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */), nullptr);
  FreeLibrary(module);
}

TEST(Resources, RunsWithJapaneseAnsiCodePage) {
  EXPECT_EQ(GetACP(), 932u) << "the tests expect LANG=ja_JP.UTF-8 (code page 932)";
}
