#pragma once
// The frequency test window's stored description, the identifiers of its units
// and the texts of its two balloon tips.

#include <cstdint>
#include <string>

#include "ui/loader/description_set.h"

namespace velmora::test_window {

constexpr uint32_t kWindowId = 0x52010021;
constexpr uint32_t kModuleId = 0x1901002C;
constexpr uint32_t kReservedWord = 0x00C88280;

constexpr uint32_t kOwnUnit = 0x06010022;
constexpr uint32_t kSweepButton = 0x16010023;      // "按钮3"
constexpr uint32_t kSweepTimer = 0x16010024;       // "时钟1"
constexpr uint32_t kStopSweepButton = 0x16010025;  // "按钮2"
constexpr uint32_t kTipBox = 0x16010026;           // "汽球提示框1"
constexpr uint32_t kDurationLabel = 0x16010027;    // "标签2"
constexpr uint32_t kDurationBox = 0x16010028;      // "播放时间"
constexpr uint32_t kFrequencyLabel = 0x16010029;   // "标签1"
constexpr uint32_t kFrequencyBox = 0x1601002A;     // "声音频率"
constexpr uint32_t kPlayButton = 0x1601002B;       // "按钮1"

inline constexpr char kFrequencyTip[] = "声音频率（从37Hz到32767Hz）。在windows95中忽略";
inline constexpr char kDurationTip[] =
    "声音的持续时间，以毫秒为单位。如为-"
    "1，表示一直播放声音，\r\n直到再次调用该函数为止。在windows95中会被忽略";

// The tip box's stored style sheet: 962 characters and a terminating zero.
std::string TipStyleSheet();

WindowDescription Description();

}  // namespace velmora::test_window
