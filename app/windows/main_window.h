#pragma once
// The main window's stored description and the identifiers of its units.

#include <cstdint>
#include <string>

#include "ui/loader/description_set.h"

namespace velmora::main_window {

constexpr uint32_t kWindowId = 0x52010001;
constexpr uint32_t kModuleId = 0x19010009;
constexpr uint32_t kReservedWord = 0x00C882E0;

constexpr uint32_t kOwnUnit = 0x06010000;
constexpr uint32_t kPlayButton = 0x16010006;         // "按钮1"
constexpr uint32_t kFrequencyBox = 0x16010007;       // "声音频率"
constexpr uint32_t kFrequencyLabel = 0x16010008;     // "标签1"
constexpr uint32_t kIntervalBox = 0x1601000B;        // "播放时间"
constexpr uint32_t kIntervalLabel = 0x1601000C;      // "标签2"
constexpr uint32_t kPicture = 0x1601003D;            // "图片框1"
constexpr uint32_t kToneTimer = 0x1601003E;          // "时钟1"
constexpr uint32_t kHzLabel = 0x16010040;            // "标签3"
constexpr uint32_t kMillisecondsLabel = 0x16010041;  // "标签4"
constexpr uint32_t kSettingsButton = 0x16010042;     // "按钮2"
constexpr uint32_t kForumLink = 0x16010051;          // "超级链接框1"
constexpr uint32_t kSpareTimer = 0x16010052;         // "时钟2"

// The description; `pictureGif` is the animated picture of "图片框1".
WindowDescription Description(const std::string& pictureGif);

}  // namespace velmora::main_window
