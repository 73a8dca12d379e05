#include "HostTestSupport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "WineTestSupport.h"
#include "toolkit/Application.h"

namespace tessora {

int CursorDisplayCount() {
  ::ShowCursor(FALSE);
  return ::ShowCursor(TRUE);
}

void RestoreCursorDisplayCount(int count) {
  for (int now = CursorDisplayCount(), i = 0; now != count && i < 256; ++i) now = ::ShowCursor(now < count);
}

HeldKeys::HeldKeys(const std::vector<int>& keys) {
  BYTE state[256] = {};
  for (int key : keys) state[key] = 0x80;
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() {
  BYTE state[256] = {};
  SetKeyboardState(state);
}

HostedForm::HostedForm(const std::string& arguments, bool mutex) : form_(std::make_unique<tk::Form>(nullptr)) {
  ownHook_ = form_->AddMessageHook([this](tk::Message& m) {
    passedOn.push_back(m);
    if (answer && answer(m)) return true;
    // The system commands stop here: Wine's default handling of 0xF141 opens a dialog.
    return m.Msg == WM_SYSCOMMAND;
  });
  host_ = new TZuScreenSaver(form_.get(), "test.exe " + arguments);
  host_->Mutex = mutex;
}

HostedForm::~HostedForm() {
  form_.reset();
  DrainHostMessages();
}

void HostedForm::DestroyHost() {
  tk::Component::Free(host_);
  host_ = nullptr;
}

bool HostedForm::PassedOn(UINT message, std::optional<WPARAM> wParam) const {
  for (const auto& m : passedOn) {
    if (m.Msg == message && (!wParam || m.WParam == *wParam)) return true;
  }
  return false;
}

int HostedForm::TakePostedCloses() {
  int count = 0;
  MSG msg;
  while (PeekMessageW(&msg, form_->HandleAllocated() ? form_->Handle() : nullptr, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
    // Wine hands out a posted quit whatever the filter; it stays for whoever looks for it.
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    ++count;
  }
  return count;
}

void DrainHostMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
  }
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

TestWindow::TestWindow(int left, int top, int width, int height, DWORD style) {
  static const ATOM atom = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"HostTestWindow";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    return RegisterClassW(&windowClass);
  }();
  window_ = CreateWindowExW(0, MAKEINTATOM(atom), L"host test", style, left, top, width, height, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
}

TestWindow::~TestWindow() { Destroy(); }

void TestWindow::Destroy() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

std::string HandleArgument(HWND window) {
  return std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
}

std::string HandleHex(HWND window) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return buffer;
}

namespace {
const std::wstring kAppDefaults = L"Software\\Wine\\AppDefaults\\";
const wchar_t kDesktopKey[] = L"Control Panel\\desktop";
const wchar_t kUsePassword[] = L"ScreenSaveUsePassword";
}  // namespace

ScopedWin98Version::ScopedWin98Version(std::wstring exeName) : exeName_(std::move(exeName)) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, (kAppDefaults + exeName_).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    const wchar_t value[] = L"win98";
    RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
    RegCloseKey(key);
  }
}

ScopedWin98Version::~ScopedWin98Version() { RegDeleteKeyW(HKEY_CURRENT_USER, (kAppDefaults + exeName_).c_str()); }

bool RunningOnWin9xPlatform() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

ScopedUsePassword::ScopedUsePassword(bool present) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  DWORD data = 0, size = sizeof data, type = 0;
  if (RegQueryValueExW(key, kUsePassword, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) == ERROR_SUCCESS)
    previous_ = data;
  if (present) {
    const DWORD zero = 0;  // the data does not matter, only that the value exists
    RegSetValueExW(key, kUsePassword, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  } else {
    RegDeleteValueW(key, kUsePassword);
  }
  RegCloseKey(key);
}

ScopedUsePassword::~ScopedUsePassword() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  if (previous_) {
    RegSetValueExW(key, kUsePassword, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*previous_), sizeof(DWORD));
  } else {
    RegDeleteValueW(key, kUsePassword);
  }
  RegCloseKey(key);
}

namespace {
constexpr wchar_t kFolderVariable[] = L"TESSORA_TEST_PASSWORD_DIR";

std::optional<std::wstring> Variable(const wchar_t* name) {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(name, buffer, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::nullopt;
  return std::wstring(buffer, n);
}
}  // namespace

PasswordStandIn::PasswordStandIn() : previousVariable_(Variable(kFolderVariable)) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  folder_ = std::wstring(temp) + L"tessora-password-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64());
  CreateDirectoryW(folder_.c_str(), nullptr);
  SetEnvironmentVariableW(kFolderVariable, folder_.c_str());
  SetAnswer("1");
}

PasswordStandIn::~PasswordStandIn() {
  for (const auto& path : placed_) DeleteFileW(path.c_str());
  DeleteFileW((folder_ + L"\\answer.txt").c_str());
  DeleteFileW((folder_ + L"\\log.txt").c_str());
  RemoveDirectoryW(folder_.c_str());
  SetEnvironmentVariableW(kFolderVariable, previousVariable_ ? previousVariable_->c_str() : nullptr);
}

bool PasswordStandIn::PlaceAt(const std::wstring& path) {
  const std::wstring source = TessoraBinPath(L"tests\\windows\\password\\password.cpl");
  if (!CopyFileW(source.c_str(), path.c_str(), FALSE)) return false;
  placed_.push_back(path);
  return true;
}

void PasswordStandIn::SetAnswer(const std::string& answer) {
  std::ofstream(std::filesystem::path(folder_ + L"\\answer.txt"), std::ios::binary | std::ios::trunc) << answer;
}

std::vector<std::string> PasswordStandIn::Log() const {
  std::vector<std::string> lines;
  std::ifstream file(std::filesystem::path(folder_ + L"\\log.txt"), std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> PasswordStandIn::LogOf(const std::string& word) const {
  std::vector<std::string> lines;
  for (const auto& line : Log()) {
    if (line.rfind(word + " ", 0) == 0) lines.push_back(line);
  }
  return lines;
}

std::wstring PasswordStandIn::SystemPath(const std::wstring& fileName) {
  wchar_t folder[MAX_PATH] = {};
  GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\" + fileName;
}

std::wstring PasswordStandIn::FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

}  // namespace tessora
