// The main window: two spin boxes (frequency 15-20 Hz, interval 1-1000 ms) with
// their labels, the play button, the animated picture, the tone timer, the
// settings button and the link to the forum.
#include "app/windows/main_window.h"

#include "app/forum_address.h"
#include "app/handler_references.h"
#include "app/windows/window_builder.h"
#include "ui/controls/control_types.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/hyperlinker_properties.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/controls/window/window_properties.h"

namespace velmora::main_window {

namespace {

std::string OwnWindow() {
    WindowProperties p;
    p.title = "Velmora电子驱蚊器 v1.0";
    return kWindowLayout.Encode(p, 6);
}

// Digits and a minus sign only; spin arrows that wrap round within [min, max].
std::string SpinBox(const char* content, int32_t spinMin, int32_t spinMax) {
    EditBoxProperties p;
    p.content = content;
    p.inputMode = 7;
    p.spinMode = 1;
    p.spinMin = spinMin;
    p.spinMax = spinMax;
    return kEditBoxLayout.Encode(p, 2);
}

std::string Picture(const std::string& gif) {
    PicBoxProperties p;
    p.displayMode = 1;  // stretched over the whole box
    p.animate = 0;      // still until the tone plays
    p.picture = gif;
    return kPicBoxLayout.Encode(p, 2);
}

std::string ForumLink() {
    HyperLinkerProperties p;
    p.caption = "访问Velmora论坛";
    p.linkKind = 1;
    p.webAddress = kForumAddress;
    p.normalColor = 0x00FF0000;
    p.visitedColor = 0x00000080;
    p.hoverColor = 0x006A240A;
    p.backColor = kSystemDefaultColour;
    p.border = 0;
    return kHyperLinkerLayout.Encode(p, 1);
}

}  // namespace

WindowDescription Description(const std::string& pictureGif) {
    UnitRecord own = MakeUnit(kOwnUnit, "", kWindowTypeCode, {50, 50, 298, 196}, kUnitVisible,
                              OwnWindow(), {{0, kMainWindowCreatedRef}});
    const std::vector<UnitRecord> controls = {
        MakeUnit(kPlayButton, "按钮1", kButtonTypeCode, {129, 105, 79, 27}, kVisibleTab,
                 PushButton("播放"), {{0, kPlayButtonClickedRef}}),
        MakeUnit(kFrequencyBox, "声音频率", kEditBoxTypeCode, {195, 16, 37, 24}, kVisibleTab,
                 SpinBox("15", 15, 20)),
        MakeUnit(kFrequencyLabel, "标签1", kLabelTypeCode, {128, 17, 64, 24}, kUnitVisible,
                 Label("声音频率：")),
        MakeUnit(kIntervalBox, "播放时间", kEditBoxTypeCode, {195, 55, 37, 24}, kVisibleTab,
                 SpinBox("100", 1, 1000)),
        MakeUnit(kIntervalLabel, "标签2", kLabelTypeCode, {127, 61, 64, 16}, kUnitVisible,
                 Label("播放时间：")),
        MakeUnit(kPicture, "图片框1", kPicBoxTypeCode, {0, 0, 112, 145}, kUnitVisible,
                 Picture(pictureGif)),
        MakeUnit(kToneTimer, "时钟1", kTimerTypeCode, {120, 80, 40, 32}, 0, "",
                 {{0, kToneTimerTickRef}}),
        MakeUnit(kHzLabel, "标签3", kLabelTypeCode, {256, 21, 24, 16}, kUnitVisible, Label("Hz")),
        MakeUnit(kMillisecondsLabel, "标签4", kLabelTypeCode, {257, 56, 29, 24}, kUnitVisible,
                 Label("毫秒")),
        MakeUnit(kSettingsButton, "按钮2", kButtonTypeCode, {218, 106, 62, 27}, kVisibleTab,
                 PushButton("设置"), {{0, kSettingsButtonClickedRef}}),
        MakeUnit(kForumLink, "超级链接框1", kHyperLinkerTypeCode, {136, 136, 152, 32}, kUnitVisible,
                 ForumLink()),
        MakeUnit(kSpareTimer, "时钟2", kTimerTypeCode, {264, 144, 24, 16}, 0, ""),
    };
    return MakeWindowDescription(kWindowId, kReservedWord, kModuleId, own, controls);
}

}  // namespace velmora::main_window
