// The gallery window: labels in each Border and Effect and with gradients,
// buttons (normal, default, icon, bitmap), picture boxes with a still bitmap,
// icon, PCX and JPEG picture and the animated GIF in each DisplayMode, a timer
// that counts its ticks into a label, a hyperlink box, and edit boxes in several
// input modes with both kinds of spin arrows.
#include "tools/gallery/gallery_descriptions.h"

#include <string>
#include <vector>

#include "app/windows/window_builder.h"
#include "ui/controls/balloon_tip/q_tip_properties.h"
#include "ui/controls/button_properties.h"
#include "ui/controls/control_types.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/hyperlinker_properties.h"
#include "ui/controls/label_properties.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/controls/timer_properties.h"
#include "ui/controls/window/window_properties.h"

namespace velmora::gallery {

namespace {

constexpr uint32_t kVisibleTab = kUnitVisible | kUnitTabStop;
constexpr uint32_t kModuleId = 0x19010109;
constexpr uint32_t kReservedWord = 0x00C88300;

// A 60-byte LOGFONTA: height, weight and face; the rest zero.
std::string Font(int32_t height, int32_t weight, const char* face) {
    std::string lf(60, '\0');
    auto put = [&lf](size_t at, int32_t v) {
        for (int i = 0; i < 4; ++i)
            lf[at + i] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
    };
    put(0, height);
    put(16, weight);
    for (size_t i = 0; face[i] && i < 31; ++i)
        lf[28 + i] = face[i];
    return lf;
}

std::string OwnWindow() {
    WindowProperties p;
    p.title = "Velmora gallery";
    p.startPosition = 1;
    return kWindowLayout.Encode(p);
}

LabelProperties CaptionLabel(const std::string& caption) {
    LabelProperties p;
    p.caption = caption;
    p.vAlign = 1;
    return p;
}

class Builder {
  public:
    void Label(const LabelProperties& p, Geometry g) {
        Add(kLabelTypeCode, "label", g, kUnitVisible, kLabelLayout.Encode(p));
    }
    void Button(const ButtonProperties& p, Geometry g) {
        Add(kButtonTypeCode, "button", g, kVisibleTab, kButtonLayout.Encode(p));
    }
    void Picture(const std::string& picture, int32_t mode, int32_t border, Geometry g) {
        PicBoxProperties p;
        p.picture = picture;
        p.displayMode = mode;
        p.border = border;
        p.backColor = 0xFFFFFF;
        Add(kPicBoxTypeCode, "picture", g, kUnitVisible, kPicBoxLayout.Encode(p));
    }
    void Add(uint32_t type, const char* name, Geometry g, uint32_t flags, std::string data,
             uint32_t unitId = 0, std::vector<EventBinding> bindings = {}) {
        if (!unitId)
            unitId = next_++;
        units_.push_back(MakeUnit(unitId, name, type, g, flags, std::move(data), bindings));
    }
    const std::vector<UnitRecord>& units() const { return units_; }

  private:
    uint32_t next_ = 0x16010101;
    std::vector<UnitRecord> units_;
};

void Labels(Builder& b) {
    for (int border = 0; border <= 6; ++border) {
        LabelProperties p = CaptionLabel("Border " + std::to_string(border));
        p.border = border;
        p.hAlign = 1;
        p.gradBorderWidth = 6;
        p.gradBorderColor1 = 0x00C06000;
        p.gradBorderColor2 = 0x00FFE0B0;
        p.gradBorderColor3 = 0x00C06000;
        b.Label(p, {10 + border * 110, 10, 100, 32});
    }
    const std::string bigBold = Font(-18, 700, "Tahoma");
    for (int effect = 0; effect <= 3; ++effect) {
        LabelProperties p = CaptionLabel("Effect " + std::to_string(effect));
        p.effect = effect;
        p.font = bigBold;
        p.textColor = effect == 3 ? 0x00FFFFFF : 0x00804000;
        p.backColor = 0x00E8E8E8;
        p.hAlign = 1;
        b.Label(p, {10 + effect * 110, 52, 100, 32});
    }
    const struct {
        int32_t mode;
        const char* caption;
    } gradients[] = {{1, "Gradient 1"}, {3, "Gradient 3"}, {5, "Gradient 5"}};
    for (int i = 0; i < 3; ++i) {
        LabelProperties p = CaptionLabel(gradients[i].caption);
        p.gradBackMode = gradients[i].mode;
        p.gradBackColor1 = 0x00FF8000;
        p.gradBackColor2 = 0x00FFFFFF;
        p.gradBackColor3 = 0x000080FF;
        p.hAlign = 1;
        b.Label(p, {450 + i * 110, 52, 100, 32});
    }
}

void Buttons(Builder& b, const Pictures& pictures) {
    ButtonProperties normal;
    normal.caption = "Normal";
    b.Button(normal, {10, 100, 100, 44});
    ButtonProperties byDefault;
    byDefault.caption = "Default";
    byDefault.kind = 1;
    b.Button(byDefault, {120, 100, 100, 44});
    ButtonProperties icon;
    icon.caption = "Icon";
    icon.picture = pictures.ico;
    b.Button(icon, {230, 100, 100, 44});
    ButtonProperties bitmap;
    bitmap.caption = "Bitmap";
    bitmap.picture = pictures.bmp;
    b.Button(bitmap, {340, 100, 100, 60});
}

void PictureBoxes(Builder& b, const Pictures& pictures) {
    const struct {
        const std::string* picture;
        const char* caption;
    } stills[] = {{&pictures.bmp, "BMP"},
                  {&pictures.ico, "ICO"},
                  {&pictures.pcx, "PCX"},
                  {&pictures.jpeg, "JPEG"}};
    for (int i = 0; i < 4; ++i) {
        b.Picture(*stills[i].picture, 2, 1, {10 + i * 90, 175, 80, 80});
        LabelProperties p = CaptionLabel(stills[i].caption);
        p.hAlign = 1;
        b.Label(p, {10 + i * 90, 258, 80, 18});
    }
    for (int mode = 0; mode <= 2; ++mode) {
        b.Picture(pictures.gif, mode, 3, {380 + mode * 130, 175, 120, 100});
        LabelProperties p = CaptionLabel("DisplayMode " + std::to_string(mode));
        p.hAlign = 1;
        b.Label(p, {380 + mode * 130, 278, 120, 18});
    }
}

void EditBoxes(Builder& b) {
    const struct {
        int32_t mode, spinMode, spinMin, spinMax;
        const char* caption;
        const char* content;
    } boxes[] = {
        {0, 0, 0, 100, "Any text", "文字 text"}, {2, 0, 0, 100, "Password", "secret"},
        {5, 0, 0, 100, "0..255", "300"},         {7, 1, 15, 20, "Spin 15..20", "15"},
        {7, 2, 0, 100, "Spin event", "5"},       {9, 0, 0, 100, "Single", "3.14159"},
        {10, 0, 0, 100, "Double", "0.1"},        {11, 0, 0, 100, "Date", "2026-12-09"},
    };
    for (int i = 0; i < 8; ++i) {
        const int x = 10 + (i % 4) * 190, y = 340 + (i / 4) * 34;
        b.Label(CaptionLabel(boxes[i].caption), {x, y + 3, 76, 20});
        EditBoxProperties p;
        p.inputMode = boxes[i].mode;
        p.spinMode = boxes[i].spinMode;
        p.spinMin = boxes[i].spinMin;
        p.spinMax = boxes[i].spinMax;
        p.content = boxes[i].content;
        b.Add(kEditBoxTypeCode, "edit box", {x + 78, y, boxes[i].spinMode ? 72 : 90, 24},
              kUnitVisible | kUnitTabStop, kEditBoxLayout.Encode(p));
    }
}

void Link(Builder& b) {
    HyperLinkerProperties p;
    p.caption = "访问Velmora论坛 (hyperlink box)";
    p.linkKind = 1;
    p.webAddress = "http://bbs.velmora.cn/";
    p.hoverColor = 0x006A240A;
    b.Add(kHyperLinkerTypeCode, "link", {250, 300, 220, 24}, kUnitVisible,
          kHyperLinkerLayout.Encode(p));
}

void TickCounter(Builder& b) {
    b.Label(CaptionLabel("Timer ticks (100 ms):"), {10, 300, 140, 24});
    LabelProperties count = CaptionLabel("0");
    count.font = Font(-16, 700, "Tahoma");
    count.border = 3;
    count.backColor = 0x00FFFFFF;
    b.Add(kLabelTypeCode, "tick count", {150, 300, 80, 24}, kUnitVisible,
          kLabelLayout.Encode(count), kTickCountLabel);
    b.Add(kTimerTypeCode, "timer", {0, 0, 0, 0}, 0, kTimerLayout.Encode(TimerProperties{100}),
          kTickTimer, {{0, kTickHandlerRef}});
}

void BalloonTips(Builder& b) {
    QTipProperties tips = NewQTipProperties(0x00E1FFFF, 0x00000000);
    tips.transparency = 0;
    b.Add(kQTipTypeCode, "balloon tips", {0, 0, 32, 24}, 0, kQTipLayout.Encode(tips), kTipBox);
    const struct {
        uint32_t unitId;
        const char* caption;
    } labels[] = {{kTableTipLabel, "Tip: a table"},
                  {kColourTipLabel, "Tip: colours"},
                  {kEntityTipLabel, "Tip: entities"}};
    for (int i = 0; i < 3; ++i) {
        LabelProperties p = CaptionLabel(labels[i].caption);
        p.border = 1;
        p.hAlign = 1;
        p.backColor = 0x00E1FFFF;
        b.Add(kLabelTypeCode, "tip label", {460 + i * 110, 110, 100, 32}, kUnitVisible,
              kLabelLayout.Encode(p), labels[i].unitId);
    }
}

}  // namespace

DescriptionSet Descriptions(const Pictures& pictures) {
    Builder b;
    Labels(b);
    Buttons(b, pictures);
    PictureBoxes(b, pictures);
    TickCounter(b);
    EditBoxes(b);
    Link(b);
    BalloonTips(b);
    UnitRecord own = MakeUnit(kOwnUnit, "", kWindowTypeCode, {0, 0, 790, 440}, kUnitVisible,
                              OwnWindow(), {{0, kAddTipsHandlerRef}});
    DescriptionSet set;
    set.windows.push_back(
        MakeWindowDescription(kWindowId, kReservedWord, kModuleId, own, b.units()));
    return set;
}

}  // namespace velmora::gallery
