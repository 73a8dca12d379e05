#pragma once
// The configuration dialog as a form of the test's own process, opened on a settings
// file of its own: the fixture and the helpers its tests share.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "WineTestSupport.h"
#include "config/confdlg.h"
#include "toolkit/Application.h"

namespace tessora::configtest {

inline std::wstring TempFolder() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return folder;
}

// A settings file of its own for each dialog.
inline std::wstring TempIni() {
  static int serial = 0;
  return TempFolder() + L"confdlg_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++serial) +
         L".ini";
}

inline std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline tk::Control* Find(tk::Component& owner, const std::wstring& name) {
  for (tk::Component* c : owner.Components()) {
    if (c->Name == name) return dynamic_cast<tk::Control*>(c);
  }
  return nullptr;
}

inline LOGFONTW FontOf(HFONT font) {
  LOGFONTW f{};
  GetObjectW(font, sizeof f, &f);
  return f;
}

class ConfigDialogFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }

  void TearDown() override {
    if (form_) {
      delete form_;
      form_ = nullptr;
    }
    DeleteFileW(ini_.c_str());
  }

  // The settings file holds text (ANSI bytes) or, for nullptr, does not exist.
  TfrmConfig& Open(const char* text, HWND hostParent = nullptr) {
    ini_ = TempIni();
    if (text) {
      std::ofstream out(std::filesystem::path(ini_), std::ios::binary);
      out << text;
    }
    form_ = tk::NewForm<TfrmConfig>(nullptr, hostParent, SettingsPaths{ini_, {}});
    return *form_;
  }

  std::wstring ini_;
  TfrmConfig* form_ = nullptr;
};

inline std::wstring WindowText(HWND wnd) {
  wchar_t text[256] = {};
  GetWindowTextW(wnd, text, 256);
  return text;
}

// A file the test makes and removes again.
class TempFile {
 public:
  explicit TempFile(const std::wstring& name, const std::wstring& copyOf = {}) : path_(TempFolder() + name) {
    if (copyOf.empty()) {
      std::ofstream(std::filesystem::path(path_)) << "x";
    } else {
      CopyFileW(copyOf.c_str(), path_.c_str(), FALSE);
    }
  }
  ~TempFile() { DeleteFileW(path_.c_str()); }
  const std::wstring& Path() const { return path_; }
  std::string Ansi() const { return ::Ansi(path_); }

 private:
  std::wstring path_;
};

// Every row of the list as the user reads it: "name|seconds|frequency".
inline std::vector<std::wstring> ListTexts(TfrmConfig& form) {
  std::vector<std::wstring> rows;
  for (int i = 0; i < form.ListView1->ItemCount(); ++i) {
    rows.push_back(form.ListView1->ItemText(i, 0) + L"|" + form.ListView1->ItemText(i, 1) + L"|" +
                   form.ListView1->ItemText(i, 2));
  }
  return rows;
}

// Answers the program's confirmation box with the button of this caption, once it shows.
inline std::wstring confirmAnswer;
inline void CALLBACK AnswerConfirm(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = nullptr;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w) && WindowText(w) == L"確認") box = w;
  }
  if (!box) return;
  KillTimer(nullptr, id);
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (WindowText(c) == confirmAnswer) {
      PostMessageW(c, BM_CLICK, 0, 0);
      return;
    }
  }
}

// A set with a file that is there and one that is not, shown when the dialog opens.
inline std::string TwoRowSet(const std::string& there) {
  return "[SetList]\r\nCount=1\r\nItem0=S\r\nCurrent=0\r\n[Set0]\r\nThere=" + there +
         ",30,4\r\nGone=C:\\nowhere\\gone.scr,45,0\r\nLast=" + there + "\r\n";
}

}  // namespace tessora::configtest
