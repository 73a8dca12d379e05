#pragma once
// Event log of the demo savers; the format is described in DemoLog.cpp.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

// Reads TESSORA_DEMO_LOG; without it every DemoLogEvent call does nothing.
void InitDemoLog(std::string_view saverId);

// fields: " key=value" pairs, each with its leading blank (see the helpers below).
void DemoLogEvent(std::string_view event, const std::string& fields = {});

std::string LogField(std::string_view key, std::string_view value);
std::string LogField(std::string_view key, std::uint64_t value);
std::string LogHwnd(HWND window);
std::string Utf8(std::wstring_view text);
