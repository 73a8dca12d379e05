
using namespace tessora;
// Settings file of 100 saver sets with 200 entries each, Japanese (Shift-JIS)
// display names and paths: load, query (every entry of every set and the
// options) and save, with our store and with SimpleIni as the baseline.
// Bytes pass through unconverted, as in our store.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <list>
#include <string>
#include <vector>

#include "settings/BackgroundOption.h"
#include "settings/CommaText.h"
#include "settings/IniStore.h"
#include "settings/SaverEntry.h"
#include "settings/SettingsNames.h"
#include "settings/WholeNumber.h"

namespace {
constexpr int kSets = 100;
constexpr int kEntriesPerSet = 200;

// Shift-JIS words, several with a trail byte of '\' (0x5C) or '|' (0x7C).
const char* const kWords[] = {
    "\x90\xAF\x8B\xF3",                                  // 星空
    "\x90\x85\x91\x85",                                  // 水槽
    "\x89\xD4\x89\xCE",                                  // 花火
    "\x8E\x9E\x8C\x76",                                  // 時計
    "\x96\x9C\x89\xD8\x8B\xBE",                          // 万華鏡
    "\x83\x49\x81\x5B\x83\x8D\x83\x89",                  // オーロラ
    "\x8A\x43\x92\xEA",                                  // 海底
    "\x8D\xF7\x90\x81\x90\xE1",                          // 桜吹雪
    "\x95\x5C\x8E\xA6",                                  // 表示
    "\x83\x5C\x83\x74\x83\x67",                          // ソフト
    "\x83\x7C\x83\x62\x83\x76",                          // ポップ
    "\x94\x5C\x97\xCD",                                  // 能力
    "\x96\xE9\x8C\x69",                                  // 夜景
    "\x94\x4D\x91\xD1\x8B\x9B",                          // 熱帯魚
    "\x97\xAC\x90\xAF\x8C\x51",                          // 流星群
    "\x83\x58\x83\x65\x83\x93\x83\x68\x83\x4F\x83\x89\x83\x58",  // ステンドグラス
};
constexpr int kWordCount = static_cast<int>(sizeof kWords / sizeof kWords[0]);
const std::string kSaverFolder =
    "\x83\x58\x83\x4E\x83\x8A\x81\x5B\x83\x93\x83\x5A\x81\x5B\x83\x6F\x81\x5B";  // スクリーンセーバー
const std::string kSetWord = "\x83\x5A\x83\x62\x83\x67";                       // セット

std::string DisplayName(int set, int entry) {
  return std::string(kWords[(set + entry) % kWordCount]) + kWords[(entry * 7) % kWordCount] + " " +
         std::to_string(set * 1000 + entry);
}

std::string EntryPath(int set, int entry) {
  // Half the paths have blanks, as under "Program Files".
  std::string folder = entry % 2 ? "C:\\Program Files\\" + kSaverFolder + "\\" : "D:\\" + kSaverFolder + "\\";
  return folder + kWords[(set * 3 + entry) % kWordCount] + "\\" + kWords[entry % kWordCount] + std::to_string(entry) +
         ".scr";
}

// The file the configuration dialog writes, built with our own store.
std::string MakeSettingsText() {
  IniStore store;
  store.WriteInteger(settings::OptionSection, settings::RandomKey, 1);
  store.WriteString(settings::OptionSection, settings::SpanKey, "90");
  store.WriteString(settings::OptionSection, settings::BgColorKey, BackgroundOptionValue({true, 0x00402010}));
  store.WriteInteger(settings::SetListSection, settings::CountKey, kSets);
  store.WriteInteger(settings::SetListSection, settings::CurrentKey, 42);
  for (int set = 0; set < kSets; ++set) {
    const std::string section = std::string(settings::SetSectionPrefix) + std::to_string(set);
    store.WriteString(settings::SetListSection, std::string(settings::ItemKeyPrefix) + std::to_string(set),
                      kSetWord + std::to_string(set) + " " + kWords[set % kWordCount]);
    for (int entry = 0; entry < kEntriesPerSet; ++entry) {
      const std::string seconds = entry % 3 ? "0" : std::to_string(10 + entry);
      store.WriteString(section, DisplayName(set, entry), SaverEntryValue(EntryPath(set, entry), seconds, entry % 5));
    }
  }
  return store.Text();
}

struct BenchFile {
  std::filesystem::path source;  // the generated file, never written by a benchmark
  std::filesystem::path target;  // where the saves go
  std::size_t bytes = 0;
};

bool fileMade = false;

const BenchFile& File() {
  static const BenchFile file = [] {
    fileMade = true;
    BenchFile f;
    const auto folder = std::filesystem::temp_directory_path() / ("tessora-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    f.source = folder / "source.ini";
    f.target = folder / "Tessora.ini";
    const std::string text = MakeSettingsText();
    f.bytes = text.size();
    std::ofstream(f.source, std::ios::binary) << text;
    std::filesystem::copy_file(f.source, f.target, std::filesystem::copy_options::overwrite_existing);
    return f;
  }();
  return file;
}

std::string SetSection(int set) { return std::string(settings::SetSectionPrefix) + std::to_string(set); }

// --- Our store ---

std::int64_t QueryOurs(const IniStore& store) {
  std::int64_t sum = store.ReadInteger(settings::OptionSection, settings::RandomKey, settings::DefaultRandom) +
                     store.ReadInteger(settings::OptionSection, settings::SpanKey, settings::DefaultSpan) +
                     ReadBackgroundOption(store).colour;
  const int count = store.ReadInteger(settings::SetListSection, settings::CountKey, 0);
  sum += store.ReadInteger(settings::SetListSection, settings::CurrentKey, settings::DefaultCurrent);
  for (int set = 0; set < count; ++set) {
    sum += static_cast<std::int64_t>(
        store.ReadString(settings::SetListSection, std::string(settings::ItemKeyPrefix) + std::to_string(set), "")
            .size());
    for (const SaverEntry& entry : ReadSaverEntries(store, SetSection(set))) {
      sum += entry.seconds + entry.level + static_cast<std::int64_t>(entry.path.size());
    }
  }
  return sum;
}

void Tessora_Load(benchmark::State& state) {
  const BenchFile& file = File();
  for (auto _ : state) {
    IniStore store;
    store.Open(file.source);
    benchmark::DoNotOptimize(store.SectionExists("Option"));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.bytes));
}

void Tessora_Query(benchmark::State& state) {
  IniStore store;
  store.Open(File().source);
  std::int64_t checksum = 0;
  for (auto _ : state) benchmark::DoNotOptimize(checksum = QueryOurs(store));
  state.counters["checksum"] = static_cast<double>(checksum);
}

void Tessora_Save(benchmark::State& state) {
  IniStore source;
  source.Open(File().source);
  IniStore store;
  store.Open(File().target);
  store.Load(source.Text());
  for (auto _ : state) {
    if (!store.Save()) state.SkipWithError("save failed");
  }
}

void Tessora_LoadQuerySave(benchmark::State& state) {
  std::int64_t checksum = 0;
  for (auto _ : state) {
    IniStore store;
    store.Open(File().target);
    benchmark::DoNotOptimize(checksum = QueryOurs(store));
    if (!store.Save()) state.SkipWithError("save failed");
  }
  state.counters["checksum"] = static_cast<double>(checksum);
}

// --- SimpleIni ---

// The same work: every entry of every set in file order, its value split into
// path, seconds and level by the same rules.
std::int64_t QuerySimpleIni(const CSimpleIniA& ini) {
  std::int64_t sum = ReadWholeNumber(ini.GetValue("Option", "random", ""), 0) +
                     ReadWholeNumber(ini.GetValue("Option", "span", ""), 60);
  const std::vector<std::string> bg = SplitCommaText(ini.GetValue("Option", "bgcolor", "0,0"));
  sum += bg.size() >= 2 ? ReadWholeNumber(bg[1], 0) : 0;
  const int count = ReadWholeNumber(ini.GetValue("SetList", "Count", ""), 0);
  sum += ReadWholeNumber(ini.GetValue("SetList", "Current", ""), -1);
  for (int set = 0; set < count; ++set) {
    sum += static_cast<std::int64_t>(
        std::string(ini.GetValue("SetList", ("Item" + std::to_string(set)).c_str(), "")).size());
    const std::string section = SetSection(set);
    CSimpleIniA::TNamesDepend keys;
    ini.GetAllKeys(section.c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    for (const auto& key : keys) {
      const std::string line =
          ApplyEntryQuoting(std::string(key.pItem) + "=" + ini.GetValue(section.c_str(), key.pItem, ""));
      const std::vector<std::string> fields = SplitCommaText(std::string_view(line).substr(line.find('=') + 1));
      if (fields.empty()) continue;
      const std::int32_t seconds = fields.size() >= 2 ? ReadWholeNumber(fields[1], 0) : 0;
      const std::int32_t level = fields.size() >= 3 ? ReadWholeNumber(fields[2], 2) : 2;
      sum += seconds + level + static_cast<std::int64_t>(fields[0].size());
    }
  }
  return sum;
}

void SimpleIni_Load(benchmark::State& state) {
  const BenchFile& file = File();
  for (auto _ : state) {
    CSimpleIniA ini(false, false, false);
    if (ini.LoadFile(file.source.c_str()) < 0) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(ini.IsEmpty());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.bytes));
}

void SimpleIni_Query(benchmark::State& state) {
  CSimpleIniA ini(false, false, false);
  ini.LoadFile(File().source.c_str());
  std::int64_t checksum = 0;
  for (auto _ : state) benchmark::DoNotOptimize(checksum = QuerySimpleIni(ini));
  state.counters["checksum"] = static_cast<double>(checksum);
}

void SimpleIni_Save(benchmark::State& state) {
  CSimpleIniA ini(false, false, false);
  ini.LoadFile(File().source.c_str());
  for (auto _ : state) {
    if (ini.SaveFile(File().target.c_str()) < 0) state.SkipWithError("save failed");
  }
}

void SimpleIni_LoadQuerySave(benchmark::State& state) {
  std::int64_t checksum = 0;
  for (auto _ : state) {
    CSimpleIniA ini(false, false, false);
    ini.LoadFile(File().target.c_str());
    benchmark::DoNotOptimize(checksum = QuerySimpleIni(ini));
    if (ini.SaveFile(File().target.c_str()) < 0) state.SkipWithError("save failed");
  }
  state.counters["checksum"] = static_cast<double>(checksum);
}
}  // namespace

BENCHMARK(Tessora_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(SimpleIni_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(Tessora_Query)->Unit(benchmark::kMillisecond);
BENCHMARK(SimpleIni_Query)->Unit(benchmark::kMillisecond);
BENCHMARK(Tessora_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(SimpleIni_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(Tessora_LoadQuerySave)->Unit(benchmark::kMillisecond);
BENCHMARK(SimpleIni_LoadQuerySave)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (fileMade) std::filesystem::remove_all(File().source.parent_path());
  return 0;
}
