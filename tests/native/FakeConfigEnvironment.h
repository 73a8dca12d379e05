#pragma once
// The configuration model's outside world, scripted: which files exist, the names
// the saver files carry, the answers to questions, and the program's own file.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/ConfigEnvironment.h"
#include "config/SaverPath.h"

namespace tessora {

class FakeConfigEnvironment final : public ConfigEnvironment {
 public:
  SettingsPaths settingsFiles{"/opt/Tessora/Tessora.ini", "/home/u/Tessora/Tessora.ini"};
  // The program's own file as the dialog would see it.
  std::string programFile = "C:\\Tessora\\Tessora.scr";
  std::set<std::string> existingFiles;
  std::map<std::string, std::string> displayNames;  // by path; else the bare file name
  std::deque<bool> answers;                         // taken one per question
  std::vector<std::wstring> questions;              // asked, in order
  std::vector<std::string> namesAskedFor;

  SettingsPaths SettingsFiles() override { return settingsFiles; }
  bool IsRunningProgram(const std::string& path) override { return SamePathText(path, programFile); }
  bool FileExists(const std::string& path) override { return existingFiles.contains(path); }
  std::string DisplayName(const std::string& path) override {
    namesAskedFor.push_back(path);
    const auto it = displayNames.find(path);
    return it != displayNames.end() ? it->second : std::string(BareFileName(path));
  }
  bool Confirm(std::wstring_view question) override {
    questions.emplace_back(question);
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question";
      return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace tessora
