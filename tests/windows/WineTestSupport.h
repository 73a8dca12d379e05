#pragma once
// Helpers shared by the Windows tests that run under Wine.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Bitmap.h"

// Folder of the build (TESSORA_BIN, set by ctest) joined with a relative path.
std::wstring TessoraBinPath(const std::wstring& relative);
// Folder of the source tree (TESSORA_SRC).
std::wstring TessoraSrcPath(const std::wstring& relative);
// UTF-8 and ANSI forms of a text.
std::string Narrow(const std::wstring& text);
std::string Ansi(const std::wstring& text);

// Handles this thread's messages (through the application's dialog keys) until the
// condition holds or the time is up. A WM_QUIT stops the pumping: it is posted again,
// so that the loop it was meant for still sees it, and the condition decides.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Handles messages for a while.
void PumpFor(DWORD ms);

// What a demo saver's window logged of Tessora's Esc down, Esc up and WM_CLOSE. A
// saver that ends on the Esc key may be gone before the two messages posted after it
// arrive (when the machine is busy), so a shorter beginning of the sequence counts too.
bool HeardCloseSequence(const std::vector<std::string>& events);

// Writes a bitmap as a 24-bit BMP file (the pictures in docs/ are made from these).
bool SaveBmp(const tessora::tk::Bitmap& bmp, const std::wstring& path);
