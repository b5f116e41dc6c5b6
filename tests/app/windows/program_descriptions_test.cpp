// Covers: the program's stored description set, read back from its bytes and
// compared field by field with the windows' tables (written out again here, not
// taken from the window sources):
//  - window order, identifiers, reserved words, window word, module identifiers;
//  - every unit in stored order (the reverse of creation order): identifier,
//    name, type, geometry, flags, parent, pointer data, tag, bindings with the
//    stored handler references;
//  - every own-data block: its format version (or that none is stored) and every
//    decoded property; the hyperlink box's and the balloon tip box's blocks byte
//    for byte where their layout is fixed; the style sheet text;
//  - the total size: 22,195 bytes plus the picture's and the address's departure
//    from 16,880 and 20 bytes.
#include <gtest/gtest.h>

#include <cstring>

#include "app/art/velmora_art.h"
#include "app/forum_address.h"
#include "app/windows/program_descriptions.h"
#include "runtime/byte_reader.h"
#include "ui/controls/button_properties.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/hyperlinker_properties.h"
#include "ui/controls/label_properties.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/controls/balloon_tip/q_tip_properties.h"
#include "ui/controls/timer_properties.h"
#include "ui/controls/window/window_properties.h"

namespace velmora {
namespace {

const std::string& Gif() {
    static const std::string gif = art::MosquitoAnimationGif();
    return gif;
}

const std::string& StoredBytes() {
    static const std::string bytes = WriteDescriptionSet(ProgramDescriptions(Gif()));
    return bytes;
}

const DescriptionSet& Parsed() {
    static const DescriptionSet set = [] {
        DescriptionSet s;
        const std::string& b = StoredBytes();
        EXPECT_EQ(ParseDescriptionSet(reinterpret_cast<const uint8_t*>(b.data()), b.size(), s),
                  DescriptionError::kNone);
        return s;
    }();
    return set;
}

const uint8_t* Data(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

uint32_t VersionOf(const std::string& block) {
    ByteReader r(Data(block), block.size());
    return r.U32();
}

struct ExpectedUnit {
    uint32_t id;
    const char* name;
    uint32_t type;
    int32_t left, top, width, height;
    uint32_t flags;
    std::vector<EventBinding> bindings;
};

constexpr uint32_t V = 1, T = 4;  // visible, tab stop

void ExpectUnits(const WindowDescription& w, const std::vector<ExpectedUnit>& expected) {
    ASSERT_EQ(w.units.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const UnitRecord& u = w.units[i];
        const ExpectedUnit& e = expected[i];
        SCOPED_TRACE(testing::Message() << "record " << i << std::hex << " unit 0x" << e.id);
        EXPECT_EQ(u.unitId, e.id);
        EXPECT_EQ(u.name, e.name);
        EXPECT_EQ(u.typeCode, e.type);
        EXPECT_EQ(u.eventLink, 0u);
        EXPECT_EQ(u.comment, "");
        EXPECT_EQ(u.left, e.left);
        EXPECT_EQ(u.top, e.top);
        EXPECT_EQ(u.width, e.width);
        EXPECT_EQ(u.height, e.height);
        EXPECT_EQ(u.parent, 0u);
        EXPECT_TRUE(u.children.empty());
        EXPECT_EQ(u.pointerData, std::string(4, '\0'));
        EXPECT_EQ(u.tag, "");
        EXPECT_EQ(u.flags, e.flags);
        ASSERT_EQ(u.bindings.size(), e.bindings.size());
        for (size_t b = 0; b < e.bindings.size(); ++b) {
            EXPECT_EQ(u.bindings[b].eventIndex, e.bindings[b].eventIndex);
            EXPECT_EQ(u.bindings[b].handlerRef, e.bindings[b].handlerRef);
        }
    }
}

// The window's own properties: every default but the title, in the given version.
void ExpectWindowBlock(const std::string& block, uint32_t version, const char* title) {
    EXPECT_EQ(VersionOf(block), version);
    WindowProperties p;
    ASSERT_EQ(kWindowLayout.Decode(Data(block), block.size(), p), OwnDataError::kNone);
    EXPECT_EQ(p.border, 2);
    EXPECT_EQ(p.pictureMode, 1);
    EXPECT_EQ(p.backColor, 0xFF000000u);
    EXPECT_EQ(p.maxButton, 0);
    EXPECT_EQ(p.minButton, 0);
    EXPECT_EQ(p.controlBox, 1);
    EXPECT_EQ(p.startPosition, 1);
    EXPECT_EQ(p.movable, 1);
    EXPECT_EQ(p.musicPlayCount, 0);
    EXPECT_EQ(p.enterMovesFocus, 0);
    EXPECT_EQ(p.escCloses, 1);
    EXPECT_EQ(p.f1Help, 0);
    EXPECT_EQ(p.helpContext, 0);
    EXPECT_EQ(p.showInTaskbar, 1);
    EXPECT_EQ(p.freeMove, 0);
    EXPECT_EQ(p.shape, 0);
    EXPECT_EQ(p.alwaysOnTop, 0);
    EXPECT_EQ(p.keepTitleActive, 0);
    EXPECT_EQ(p.className, "");
    EXPECT_EQ(p.backPicture, "");
    EXPECT_EQ(p.icon, "");
    EXPECT_EQ(p.music, "");
    EXPECT_EQ(p.title, title);
    EXPECT_EQ(p.helpFile, "");
    // The version, 18 words, ClassName from version 6 on, four empty byte fields
    // and the title.
    EXPECT_EQ(block.size(), 4 + 18 * 4 + (version >= 6 ? 4 : 0) + 4 * 4 + 4 + std::strlen(title));
}

void ExpectButtonBlock(const std::string& block, const char* caption) {
    EXPECT_EQ(VersionOf(block), 1u);
    ButtonProperties p;
    ASSERT_EQ(kButtonLayout.Decode(Data(block), block.size(), p), OwnDataError::kNone);
    EXPECT_EQ(p.kind, 0);
    EXPECT_EQ(p.hAlign, 1);
    EXPECT_EQ(p.vAlign, 1);
    EXPECT_EQ(p.picture, "");
    EXPECT_EQ(p.font, "");
    EXPECT_EQ(p.caption, caption);
}

void ExpectLabelBlock(const std::string& block, const char* caption) {
    EXPECT_EQ(VersionOf(block), 2u);
    LabelProperties p;
    ASSERT_EQ(kLabelLayout.Decode(Data(block), block.size(), p), OwnDataError::kNone);
    EXPECT_EQ(p.effect, 0);
    EXPECT_EQ(p.gradBorderWidth, 8);
    EXPECT_EQ(p.border, 0);
    EXPECT_EQ(p.gradBorderColor1, 0x808080u);
    EXPECT_EQ(p.gradBorderColor2, 0xFFFFFFu);
    EXPECT_EQ(p.gradBorderColor3, 0x808080u);
    EXPECT_EQ(p.textColor, 0x000000u);
    EXPECT_EQ(p.backColor, 0xFF000000u);
    EXPECT_EQ(p.pictureMode, 1);
    EXPECT_EQ(p.gradBackMode, 0);
    EXPECT_EQ(p.gradBackColor1, 0x808080u);
    EXPECT_EQ(p.gradBackColor2, 0xFFFFFFu);
    EXPECT_EQ(p.gradBackColor3, 0x808080u);
    EXPECT_EQ(p.hAlign, 0);
    EXPECT_EQ(p.vAlign, 1);
    EXPECT_EQ(p.wordWrap, 0);
    EXPECT_EQ(p.font, "");
    EXPECT_EQ(p.backPicture, "");
    EXPECT_EQ(p.caption, caption);
    EXPECT_EQ(p.dataSource, "");
    EXPECT_EQ(p.dataField, "");
}

void ExpectSpinBoxBlock(const std::string& block, const char* content, int32_t spinMin,
                        int32_t spinMax) {
    EXPECT_EQ(VersionOf(block), 2u);
    EditBoxProperties p;
    ASSERT_EQ(kEditBoxLayout.Decode(Data(block), block.size(), p), OwnDataError::kNone);
    EXPECT_EQ(p.content, content);
    EXPECT_EQ(p.spinMode, 1);
    EXPECT_EQ(p.spinMin, spinMin);
    EXPECT_EQ(p.spinMax, spinMax);
    EXPECT_EQ(p.inputMode, 7);
    EXPECT_EQ(p.border, 1);
    EXPECT_EQ(p.textColor, 0x000000u);
    EXPECT_EQ(p.backColor, 0xFFFFFFu);
    EXPECT_EQ(p.hideSelection, 1);
    EXPECT_EQ(p.maxLength, 0);
    EXPECT_EQ(p.multiline, 0);
    EXPECT_EQ(p.scrollBars, 0);
    EXPECT_EQ(p.align, 0);
    EXPECT_EQ(p.passwordChar, '*');
    EXPECT_EQ(p.caseConversion, 0);
    EXPECT_EQ(p.selStart, 0);
    EXPECT_EQ(p.selLength, 0);
    EXPECT_EQ(p.font, "");
    EXPECT_EQ(p.dataSource, "");
    EXPECT_EQ(p.dataField, "");
}

TEST(ProgramDescriptions, SetHeader) {
    const DescriptionSet& set = Parsed();
    ASSERT_EQ(set.windows.size(), 2u);
    ByteReader r(Data(StoredBytes()), StoredBytes().size());
    EXPECT_EQ(r.U32(), 16u);  // 8 * window count
    EXPECT_EQ(set.windows[0].windowId, 0x52010001u);
    EXPECT_EQ(set.windows[1].windowId, 0x52010021u);
    EXPECT_EQ(set.windows[0].reservedWord, 0x00C882E0u);
    EXPECT_EQ(set.windows[1].reservedWord, 0x00C88280u);
    for (const WindowDescription& w : set.windows) {
        EXPECT_EQ(w.windowWord, 0x00EC9B20u);
        EXPECT_EQ(w.text1, "");
        EXPECT_EQ(w.text2, "");
    }
    EXPECT_EQ(set.windows[0].moduleId, 0x19010009u);
    EXPECT_EQ(set.windows[1].moduleId, 0x1901002Cu);
}

TEST(ProgramDescriptions, SizeMatchesTheStoredSetForThisPictureAndAddress) {
    const long long expected = 22195 + (static_cast<long long>(Gif().size()) - 16880) +
                               (static_cast<long long>(std::strlen(kForumAddress)) - 20);
    EXPECT_EQ(static_cast<long long>(StoredBytes().size()), expected)
        << "picture " << Gif().size() << " bytes, address " << std::strlen(kForumAddress)
        << " bytes";
}

TEST(ProgramDescriptions, MainWindowUnits) {
    const WindowDescription& w = Parsed().windows[0];
    ExpectUnits(w,
                {
                    {0x06010000, "", 0x00010001, 50, 50, 298, 196, V, {{0, 0x00000513}}},
                    {0x16010052, "时钟2", 0x00010020, 264, 144, 24, 16, 0, {}},
                    {0x16010051, "超级链接框1", 0x0001001D, 136, 136, 152, 32, V, {}},
                    {0x16010042, "按钮2", 0x0001000B, 218, 106, 62, 27, V | T, {{0, 0x000002CF}}},
                    {0x16010041, "标签4", 0x0001000A, 257, 56, 29, 24, V, {}},
                    {0x16010040, "标签3", 0x0001000A, 256, 21, 24, 16, V, {}},
                    {0x1601003E, "时钟1", 0x00010020, 120, 80, 40, 32, 0, {{0, 0x0000022E}}},
                    {0x1601003D, "图片框1", 0x00010006, 0, 0, 112, 145, V, {}},
                    {0x1601000C, "标签2", 0x0001000A, 127, 61, 64, 16, V, {}},
                    {0x1601000B, "播放时间", 0x00010005, 195, 55, 37, 24, V | T, {}},
                    {0x16010008, "标签1", 0x0001000A, 128, 17, 64, 24, V, {}},
                    {0x16010007, "声音频率", 0x00010005, 195, 16, 37, 24, V | T, {}},
                    {0x16010006, "按钮1", 0x0001000B, 129, 105, 79, 27, V | T, {{0, 0x000000C4}}},
                });
}

TEST(ProgramDescriptions, MainWindowOwnData) {
    const WindowDescription& w = Parsed().windows[0];
    ExpectWindowBlock(w.FindUnit(0x06010000)->ownData, 6, "Velmora电子驱蚊器 v1.0");
    ExpectButtonBlock(w.FindUnit(0x16010006)->ownData, "播放");
    ExpectButtonBlock(w.FindUnit(0x16010042)->ownData, "设置");
    ExpectSpinBoxBlock(w.FindUnit(0x16010007)->ownData, "15", 15, 20);
    ExpectSpinBoxBlock(w.FindUnit(0x1601000B)->ownData, "100", 1, 1000);
    ExpectLabelBlock(w.FindUnit(0x16010008)->ownData, "声音频率：");
    ExpectLabelBlock(w.FindUnit(0x1601000C)->ownData, "播放时间：");
    ExpectLabelBlock(w.FindUnit(0x16010040)->ownData, "Hz");
    ExpectLabelBlock(w.FindUnit(0x16010041)->ownData, "毫秒");
    // No own data stored for either timer: Interval 0.
    EXPECT_EQ(w.FindUnit(0x1601003E)->ownData, "");
    EXPECT_EQ(w.FindUnit(0x16010052)->ownData, "");

    const std::string& pic = w.FindUnit(0x1601003D)->ownData;
    EXPECT_EQ(VersionOf(pic), 2u);
    PicBoxProperties p;
    ASSERT_EQ(kPicBoxLayout.Decode(Data(pic), pic.size(), p), OwnDataError::kNone);
    EXPECT_EQ(p.border, 0);
    EXPECT_EQ(p.backColor, 0xFF000000u);
    EXPECT_EQ(p.displayMode, 1);
    EXPECT_EQ(p.animate, 0);
    EXPECT_EQ(p.picture, Gif());
    EXPECT_EQ(p.dataSource, "");
    EXPECT_EQ(p.dataField, "");

    // The hyperlink box's block, field by field in its stored order.
    const std::string& link = w.FindUnit(0x16010051)->ownData;
    ByteReader r(Data(link), link.size());
    EXPECT_EQ(r.U32(), 1u);
    EXPECT_EQ(r.U32(), 1u);
    EXPECT_EQ(r.U32(), 0x00FF0000u);
    EXPECT_EQ(r.U32(), 0x00000080u);
    EXPECT_EQ(r.U32(), 0x006A240Au);
    EXPECT_EQ(r.U32(), 0xFF000000u);
    EXPECT_EQ(r.U32(), 0u);
    EXPECT_EQ(r.U32(), 0u);  // no font
    std::string text;
    EXPECT_TRUE(r.LengthPrefixed(text));
    EXPECT_EQ(text, "访问Velmora论坛");
    EXPECT_EQ(text.size(), 15u);
    EXPECT_TRUE(r.LengthPrefixed(text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(r.LengthPrefixed(text));
    EXPECT_EQ(text, kForumAddress);
    EXPECT_EQ(text.compare(0, 7, "http://"), 0);
    EXPECT_TRUE(r.atEnd());
}

TEST(ProgramDescriptions, TestWindowUnits) {
    const WindowDescription& w = Parsed().windows[1];
    ExpectUnits(w,
                {
                    {0x06010022, "", 0x00010001, 50, 50, 380, 177, V, {{0, 0x0000045E}}},
                    {0x1601002B, "按钮1", 0x0001000B, 37, 107, 88, 27, V | T, {{0, 0x0000036E}}},
                    {0x1601002A, "声音频率", 0x00010005, 91, 24, 261, 24, V | T, {}},
                    {0x16010029, "标签1", 0x0001000A, 24, 25, 64, 24, V, {}},
                    {0x16010028, "播放时间", 0x00010005, 91, 64, 261, 24, V | T, {}},
                    {0x16010027, "标签2", 0x0001000A, 23, 70, 64, 16, V, {}},
                    {0x16010026, "汽球提示框1", 0x00020001, 96, 8, 32, 24, 0, {}},
                    {0x16010025, "按钮2", 0x0001000B, 275, 105, 88, 27, V | T, {{0, 0x0000053D}}},
                    {0x16010024, "时钟1", 0x00010020, 238, 88, 40, 24, 0, {{0, 0x00000309}}},
                    {0x16010023, "按钮3", 0x0001000B, 158, 104, 88, 27, V | T, {{0, 0x00000561}}},
                });
}

const char kStoredStyleSheet[] =
    "body {font-size: 10pt; color:black; font-family:Verdana}\r\n"
    "p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
    "h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
    "h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
    "h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}\r\n"
    "h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
    "h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
    "h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}\r\n"
    "pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}\r\n"
    "code {color:#990000; font-family:Arial}\r\n"
    "a:link {text-decoration:none; color:blue}\r\n"
    "a:hover {text-decoration:underline; color:blue}\r\n"
    "sub {font-size:65%; vertical-align:bottom}\r\n"
    "sup {font-size:65%; vertical-align:top}\r\n"
    "big {font-size:125%}\r\n"
    "small {font-size:75%}\r\n"
    ".cpp-comment {color:green; font-style:italic}\r\n";

TEST(ProgramDescriptions, TestWindowOwnData) {
    const WindowDescription& w = Parsed().windows[1];
    ExpectWindowBlock(w.FindUnit(0x06010022)->ownData, 5, "频率调试");
    ExpectButtonBlock(w.FindUnit(0x16010023)->ownData, "连续播放");
    ExpectButtonBlock(w.FindUnit(0x16010025)->ownData, "停止播放");
    ExpectButtonBlock(w.FindUnit(0x1601002B)->ownData, "播放");
    ExpectLabelBlock(w.FindUnit(0x16010027)->ownData, "播放时间：");
    ExpectLabelBlock(w.FindUnit(0x16010029)->ownData, "声音频率：");
    EXPECT_EQ(w.FindUnit(0x16010028)->ownData, "");
    EXPECT_EQ(w.FindUnit(0x1601002A)->ownData, "");
    // The sweep timer stores version 1 with Interval 0.
    EXPECT_EQ(w.FindUnit(0x16010024)->ownData, std::string("\1\0\0\0\0\0\0\0", 8));

    const std::string& tip = w.FindUnit(0x16010026)->ownData;
    ByteReader r(Data(tip), tip.size());
    const uint32_t words[] = {
        1, 0, 0, 0,                                      // version, reserved
        0x00E1FFFF, 0x00E1FFFF, 0x00C0C0FF, 0x00FFC0C0,  // colours
        0, 5, 9, 0,                        // effect, granularity, placement, transparency
        1, 0, 0, 0, 0,                     // show again, follow, keep inside, keep
                                           // open, no auto hide
        0, 0, 0,                           // reserved
        0, 0,                              // two empty image lists
        16, 16, 12, 12, 12, 16, 16, 0, 0,  // sizes
        600, 3000, 0, 0,                   // times
        0x00000000, 1, 1,                  // border
        1, 60, 5, 3, 7, 7,                 // shadow
        963,                               // style sheet length
    };
    for (size_t i = 0; i < std::size(words); ++i)
        EXPECT_EQ(r.U32(), words[i]) << "word " << i;
    std::string sheet;
    ASSERT_TRUE(r.Bytes(963, sheet));
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(sheet, std::string(kStoredStyleSheet, sizeof kStoredStyleSheet));  // with its zero
    EXPECT_EQ(std::strlen(kStoredStyleSheet), 962u);

    QTipProperties q;
    ASSERT_EQ(kQTipLayout.Decode(Data(tip), tip.size(), q), OwnDataError::kNone);
    EXPECT_EQ(q.closeOverTip, 1);
    EXPECT_EQ(q.transparency, 0);
}

}  // namespace
}  // namespace velmora
