#pragma once
// Code page 932 (Shift-JIS), the code page of the settings file and of the texts on
// Japanese systems.
namespace tessora {

// True for the first byte of a double-byte character. Its second byte may look like an
// ASCII letter or a backslash, so byte-wise text rules must skip it.
constexpr bool IsShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace tessora
