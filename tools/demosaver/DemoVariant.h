#pragma once
// The demo savers: one executable per entry, all built from the same sources. The
// executable picks its entry at compile time (DEMO_SAVER_ID); its display name lives in
// its string resource 1, so the name shown by the system and the one drawn agree.
#include <cstdint>
#include <string_view>

// What a saver does in full-screen mode besides drawing.
enum class DemoBehaviour {
  Normal,      // one window, ends on input or WM_CLOSE
  NoWindow,    // never shows a window, ends after its seconds
  Stubborn,    // ignores input and WM_CLOSE
  TwoWindows,  // two top-level windows, each closes on its own
  Launcher,    // a second process owns the window; this one waits for it
  SelfEnd,     // ends by itself after its seconds
  Guarded,     // as Launcher, but the window's process cannot be ended from outside and
               // ignores Esc and WM_CLOSE; ends on the mouse or after its seconds
};

enum class DemoStyle { Stripes, Circles, Squares, Petals };

// Colours as 0x00BBGGRR, the layout of COLORREF.
constexpr std::uint32_t DemoRgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

struct DemoVariant {
  std::string_view id;  // ASCII; the file name and the name in the event log
  DemoBehaviour behaviour;
  DemoStyle style;
  std::uint32_t background;
  std::uint32_t shapes;
  std::uint32_t text;
  // Seconds until the saver ends by itself in full-screen mode; 0 = never.
  unsigned defaultEndSeconds;
};

// Distinct backgrounds and animations, so a screenshot tells the savers apart.
inline constexpr DemoVariant kDemoVariants[] = {
    {"Aurora", DemoBehaviour::Normal, DemoStyle::Stripes, DemoRgb(8, 16, 64), DemoRgb(60, 220, 160), DemoRgb(255, 255, 255), 0},
    {"Ember", DemoBehaviour::Normal, DemoStyle::Circles, DemoRgb(48, 8, 0), DemoRgb(255, 120, 20), DemoRgb(255, 232, 150), 0},
    {"Lagoon", DemoBehaviour::Normal, DemoStyle::Squares, DemoRgb(0, 96, 112), DemoRgb(130, 230, 255), DemoRgb(255, 255, 255), 0},
    {"Sakura", DemoBehaviour::Normal, DemoStyle::Petals, DemoRgb(250, 214, 226), DemoRgb(226, 80, 136), DemoRgb(96, 16, 56), 0},
    {"NoWindow", DemoBehaviour::NoWindow, DemoStyle::Stripes, DemoRgb(96, 96, 96), DemoRgb(160, 160, 160), DemoRgb(255, 255, 255), 30},
    // The safety limit keeps a stray Stubborn from outliving a test session for ever.
    {"Stubborn", DemoBehaviour::Stubborn, DemoStyle::Squares, DemoRgb(56, 56, 56), DemoRgb(220, 200, 0), DemoRgb(255, 230, 0), 600},
    {"TwoWindows", DemoBehaviour::TwoWindows, DemoStyle::Circles, DemoRgb(16, 56, 16), DemoRgb(140, 230, 90), DemoRgb(240, 255, 220), 0},
    {"Launcher", DemoBehaviour::Launcher, DemoStyle::Stripes, DemoRgb(56, 0, 80), DemoRgb(220, 120, 255), DemoRgb(255, 240, 255), 0},
    {"SelfEnd", DemoBehaviour::SelfEnd, DemoStyle::Petals, DemoRgb(0, 0, 0), DemoRgb(120, 130, 255), DemoRgb(200, 210, 255), 3},
    // Only the job of the program that started it (or its seconds) can end it.
    {"Guarded", DemoBehaviour::Guarded, DemoStyle::Squares, DemoRgb(72, 24, 24), DemoRgb(255, 150, 150), DemoRgb(255, 235, 235), 120},
};

constexpr const DemoVariant* FindDemoVariant(std::string_view id) {
  for (const auto& variant : kDemoVariants)
    if (variant.id == id) return &variant;
  return nullptr;
}
