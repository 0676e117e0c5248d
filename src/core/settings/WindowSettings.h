#pragma once
// The main window's remembered look in dat/zdinit.ini: geometry, pane sizes, the report pane's
// font and background, the chart font size, the skin and the last chosen place. Read once when
// the window is first shown, written back at close; the skin keys are written when the user
// picks a skin. Missing keys give the defaults below; a few values have lower bounds so a
// hand-edited file cannot hide a pane.
#include <cstdint>
#include <string>

class IniFile;

inline constexpr const char* kZdinitFile = "zdinit.ini";

struct WindowSettings {
    int left = 10;
    int top = 10;
    // Client area. A first start shows the whole chart beside the input panel on a 1280×800
    // screen; a 400×400 window would hide most of it.
    int width = 1180;
    int height = 760;
    int state = 0;     // 0 normal, 1 minimised, 2 maximised
    int treeWidth = 180;     // ≥ 30
    int commentHeight = 80;  // ≥ 20
    bool skinned = false;
    std::string skinName = "Mx1";
    int province = 0;  // index into the province table
    int city = 0;      // index into the province's cities
    std::string reportFont = "宋体";
    int reportFontSize = 10;
    uint32_t reportBackground = 12635344;  // 0xC0CCD0, red in the low byte
    int chartFontSize = 9;  // 7..20, as the chart zoom allows
};

inline constexpr int kMinTreeWidth = 30;
inline constexpr int kMinCommentHeight = 20;
inline constexpr const char* kDefaultReportFont = "宋体";
inline constexpr int kDefaultReportFontSize = 10;
inline constexpr uint32_t kDefaultReportBackground = 12635344;

// Every key with its default and bound. A chart font size outside 7..20 and a report font size
// below 1 fall back to their defaults (the drawing and the pane cannot use them).
WindowSettings ReadWindowSettings(const IniFile& ini);

// Writes what the window saves at close. The position and client size are written only when
// the window is in its normal state (state 0); otherwise the file keeps the last normal ones.
// False when a write failed.
bool WriteWindowSettings(IniFile& ini, const WindowSettings& settings);

// The skin keys, written when the user picks a skin: "系统默认" writes only skined = 0.
bool WriteSkinChoice(IniFile& ini, bool skinned, const std::string& skinName = {});

// A saved list index that no longer fits a list of `count` items selects the first one.
int IndexWithin(int index, int count);
