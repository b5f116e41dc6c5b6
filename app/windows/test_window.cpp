// The frequency test window: frequency and duration boxes with their labels and
// balloon tips, the play, sweep and stop buttons, and the sweep timer.
#include "app/windows/test_window.h"

#include "app/handler_references.h"
#include "app/windows/window_builder.h"
#include "ui/controls/balloon_tip/q_tip_properties.h"
#include "ui/controls/control_types.h"
#include "ui/controls/timer_properties.h"
#include "ui/controls/window/window_properties.h"

namespace velmora::test_window {

namespace {

struct StyleRule {
    const char* selector;
    const char* declarations;
};

constexpr StyleRule kTipStyleRules[] = {
    {"body", "font-size: 10pt; color:black; font-family:Verdana"},
    {"p", "font-size: 10pt; color:black; font-family:Verdana; font-weight:bold"},
    {"h1", "font-size: 14pt; color:black; font-family:Verdana; font-weight:bold"},
    {"h2", "font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold"},
    {"h3", "font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold"},
    {"h4", "font-size: 10pt; color:black; font-family:Verdana; font-weight:bold"},
    {"h5", "font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold"},
    {"h6", "font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal"},
    {"pre", "font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb"},
    {"code", "color:#990000; font-family:Arial"},
    {"a:link", "text-decoration:none; color:blue"},
    {"a:hover", "text-decoration:underline; color:blue"},
    {"sub", "font-size:65%; vertical-align:bottom"},
    {"sup", "font-size:65%; vertical-align:top"},
    {"big", "font-size:125%"},
    {"small", "font-size:75%"},
    {".cpp-comment", "color:green; font-style:italic"},
};

std::string OwnWindow() {
    WindowProperties p;
    p.title = "频率调试";
    return kWindowLayout.Encode(p, 5);  // the format before ClassName
}

std::string StoppedTimer() {
    return kTimerLayout.Encode(TimerProperties{0}, 1);
}

// A new box's values with the standard system colours resolved, no
// transparency and the window's own style sheet.
std::string TipBox() {
    QTipProperties p = NewQTipProperties(0x00E1FFFF, 0x00000000);
    p.transparency = 0;
    p.styleSheet = TipStyleSheet();
    return kQTipLayout.Encode(p);
}

}  // namespace

std::string TipStyleSheet() {
    std::string sheet;
    for (const StyleRule& r : kTipStyleRules) {
        sheet += r.selector;
        sheet += " {";
        sheet += r.declarations;
        sheet += "}\r\n";
    }
    sheet += '\0';
    return sheet;
}

WindowDescription Description() {
    UnitRecord own = MakeUnit(kOwnUnit, "", kWindowTypeCode, {50, 50, 380, 177}, kUnitVisible,
                              OwnWindow(), {{0, kTestWindowCreatedRef}});
    const std::vector<UnitRecord> controls = {
        MakeUnit(kSweepButton, "按钮3", kButtonTypeCode, {158, 104, 88, 27}, kVisibleTab,
                 PushButton("连续播放"), {{0, kSweepButtonClickedRef}}),
        MakeUnit(kSweepTimer, "时钟1", kTimerTypeCode, {238, 88, 40, 24}, 0, StoppedTimer(),
                 {{0, kSweepTimerTickRef}}),
        MakeUnit(kStopSweepButton, "按钮2", kButtonTypeCode, {275, 105, 88, 27}, kVisibleTab,
                 PushButton("停止播放"), {{0, kStopSweepButtonClickedRef}}),
        MakeUnit(kTipBox, "汽球提示框1", kQTipTypeCode, {96, 8, 32, 24}, 0, TipBox()),
        MakeUnit(kDurationLabel, "标签2", kLabelTypeCode, {23, 70, 64, 16}, kUnitVisible,
                 Label("播放时间：")),
        MakeUnit(kDurationBox, "播放时间", kEditBoxTypeCode, {91, 64, 261, 24}, kVisibleTab, ""),
        MakeUnit(kFrequencyLabel, "标签1", kLabelTypeCode, {24, 25, 64, 24}, kUnitVisible,
                 Label("声音频率：")),
        MakeUnit(kFrequencyBox, "声音频率", kEditBoxTypeCode, {91, 24, 261, 24}, kVisibleTab, ""),
        MakeUnit(kPlayButton, "按钮1", kButtonTypeCode, {37, 107, 88, 27}, kVisibleTab,
                 PushButton("播放"), {{0, kTestPlayButtonClickedRef}}),
    };
    return MakeWindowDescription(kWindowId, kReservedWord, kModuleId, own, controls);
}

}  // namespace velmora::test_window
