// Covers: the own property data of the eight control types.
//  - an empty block gives each type's defaults table;
//  - encoding and decoding round-trip every field, and canonical blocks re-encode
//    to the same bytes;
//  - a block cut short anywhere, even inside the version, is rejected and leaves
//    the defaults;
//  - versions above the highest are rejected; fields missing from older versions
//    keep their defaults (window 1-6, PicBox, Label, EditBox 1-2); the balloon tip
//    box reads every version alike;
//  - byte layouts that need care: the EditBox's 16-bit PasswordChar, the hyperlink
//    box's field order, the balloon tip box's reserved words, negated keep-open
//    flag and style sheet with its terminating zero;
//  - the property tables (indexes, names, kinds) and the listings built on them;
//  - live writes through the tables: clamped, refused and unknown values.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <set>
#include <tuple>

#include "runtime/byte_reader.h"
#include "tests/support/golden_file.h"
#include "tests/support/own_listing_text.h"
#include "ui/controls/balloon_tip/q_tip_properties.h"
#include "ui/controls/button_properties.h"
#include "ui/controls/control_types.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/hyperlinker_properties.h"
#include "ui/controls/label_properties.h"
#include "ui/controls/own_access.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/controls/timer_properties.h"
#include "ui/controls/window/window_properties.h"

namespace velmora {
namespace {

const uint8_t* Data(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

// Little-endian u32 words, then optional raw bytes.
std::string Words(std::initializer_list<uint32_t> words, const std::string& tail = "") {
    ByteWriter w;
    for (uint32_t v : words)
        w.U32(v);
    w.Bytes(tail);
    return w.Take();
}

std::string Prefixed(const std::string& s) {
    ByteWriter w;
    w.LengthPrefixed(s);
    return w.Take();
}

// One type's codec, seen through its stored bytes.
struct Codec {
    const char* name;
    uint32_t highestVersion;
    bool checksVersion;
    std::string sample;  // a block with every field away from its default
    // Decodes; also reports whether the result equals the type's defaults.
    std::function<OwnDataError(const std::string&, bool& isDefault)> decode;
    std::function<std::string(const std::string&)> reencode;  // decode, then encode
};

WindowProperties SampleWindow() {
    WindowProperties p;
    p.border = 5;
    p.pictureMode = 3;
    p.backColor = 0x00123456;
    p.maxButton = 1;
    p.minButton = 1;
    p.controlBox = 0;
    p.startPosition = 2;
    p.movable = 0;
    p.musicPlayCount = 2;
    p.enterMovesFocus = 1;
    p.escCloses = 0;
    p.f1Help = 1;
    p.helpContext = 77;
    p.showInTaskbar = 0;
    p.freeMove = 1;
    p.shape = 29;
    p.alwaysOnTop = 1;
    p.keepTitleActive = 1;
    p.className = "MyClass";
    p.backPicture = "BMxx";
    p.icon = std::string("\0\0\1\0", 4);
    p.music = "RIFF";
    p.title = "标题";
    p.helpFile = "a.hlp";
    return p;
}

EditBoxProperties SampleEditBox() {
    EditBoxProperties p;
    p.border = 4;
    p.textColor = 0x000000FF;
    p.backColor = 0x00EEEEEE;
    p.hideSelection = 0;
    p.maxLength = 12;
    p.multiline = 1;
    p.scrollBars = 3;
    p.align = 2;
    p.inputMode = 2;
    p.passwordChar = '#';
    p.caseConversion = 1;
    p.spinMode = 2;
    p.spinMin = -5;
    p.spinMax = 5;
    p.selStart = 1;
    p.selLength = 2;
    p.font = std::string(60, 'f');
    p.content = "内容";
    p.dataSource = "src";
    p.dataField = "fld";
    return p;
}

PicBoxProperties SamplePicBox() {
    PicBoxProperties p;
    p.border = 3;
    p.backColor = 0x00FFFFFF;
    p.displayMode = 2;
    p.animate = 0;
    p.picture = "GIF89a....";
    p.dataSource = "s";
    p.dataField = "f";
    return p;
}

LabelProperties SampleLabel() {
    LabelProperties p;
    p.effect = 3;
    p.gradBorderWidth = 9;
    p.border = 6;
    p.gradBorderColor1 = 1;
    p.gradBorderColor2 = 2;
    p.gradBorderColor3 = 3;
    p.textColor = 4;
    p.backColor = 5;
    p.pictureMode = 2;
    p.gradBackMode = 8;
    p.gradBackColor1 = 6;
    p.gradBackColor2 = 7;
    p.gradBackColor3 = 8;
    p.hAlign = 2;
    p.vAlign = 2;
    p.wordWrap = 1;
    p.font = std::string(60, 'x');
    p.backPicture = "BM";
    p.caption = "说明";
    p.dataSource = "d";
    p.dataField = "e";
    return p;
}

ButtonProperties SampleButton() {
    ButtonProperties p;
    p.kind = 1;
    p.hAlign = 0;
    p.vAlign = 2;
    p.picture = "BMpic";
    p.font = std::string(60, 'y');
    p.caption = "停止";
    return p;
}

HyperLinkerProperties SampleHyperLinker() {
    HyperLinkerProperties p;
    p.caption = "链接";
    p.linkKind = 1;
    p.mailAddress = "a@b.c";
    p.webAddress = "http://x.y/";
    p.normalColor = 1;
    p.visitedColor = 2;
    p.hoverColor = 3;
    p.backColor = 4;
    p.border = 5;
    p.font = std::string(60, 'z');
    return p;
}

QTipProperties SampleQTip() {
    QTipProperties p;
    p.reservedColor = 1;
    p.backColorBegin = 2;
    p.backColorMiddle = 3;
    p.backColorEnd = 4;
    p.backEffect = 15;
    p.effectGranularity = 6;
    p.placement = 11;
    p.transparency = 50;
    p.iconList = "MITL1234x";
    p.markupImageList = "MITL5678y";
    p.styleSheet = std::string("body {}\r\n", 9) + '\0';
    p.showAgainOnMove = 0;
    p.followMouse = 1;
    p.keepWhileInside = 1;
    p.closeOverTip = 0;
    p.noAutoHide = 1;
    p.cornerWidth = 1;
    p.cornerHeight = 2;
    p.marginX = 3;
    p.marginY = 4;
    p.pointerWidth = 5;
    p.pointerHeight = 6;
    p.pointerMargin = 7;
    p.reservedSize7 = 8;
    p.reservedSize8 = 9;
    p.initialDelay = 10;
    p.showTime = 11;
    p.fadeInStep = 12;
    p.fadeOutStep = 13;
    p.borderColor = 14;
    p.borderWidth = 15;
    p.borderHeight = 16;
    p.shadowGradient = 0;
    p.shadowDarkness = 17;
    p.shadowOffsetX = 18;
    p.shadowOffsetY = 19;
    p.shadowDepthX = 20;
    p.shadowDepthY = 21;
    return p;
}

template <class P>
Codec MakeCodec(const char* name, uint32_t highest, bool checks, const P& sample,
                const OwnLayout<P>& layout) {
    Codec c{name, highest, checks, layout.Encode(sample), {}, {}};
    c.decode = [&layout](const std::string& block, bool& isDefault) {
        P p;
        OwnDataError e = layout.Decode(Data(block), block.size(), p);
        isDefault = p == P{};
        return e;
    };
    c.reencode = [&layout](const std::string& block) {
        P p;
        layout.Decode(Data(block), block.size(), p);
        return layout.Encode(p);
    };
    return c;
}

std::vector<Codec> AllCodecs() {
    return {
        MakeCodec("window", 6, true, SampleWindow(), kWindowLayout),
        MakeCodec("EditBox", 2, true, SampleEditBox(), kEditBoxLayout),
        MakeCodec("PicBox", 2, true, SamplePicBox(), kPicBoxLayout),
        MakeCodec("Label", 2, true, SampleLabel(), kLabelLayout),
        MakeCodec("Button", 1, true, SampleButton(), kButtonLayout),
        MakeCodec("Timer", 1, true, TimerProperties{250}, kTimerLayout),
        MakeCodec("HyperLinker", 1, true, SampleHyperLinker(), kHyperLinkerLayout),
        MakeCodec("Q_tip", 1, false, SampleQTip(), kQTipLayout),
    };
}

TEST(OwnProperties, EveryTypeRoundTripsAndReencodesToTheSameBytes) {
    for (const Codec& c : AllCodecs()) {
        SCOPED_TRACE(c.name);
        bool isDefault = true;
        ASSERT_EQ(c.decode(c.sample, isDefault), OwnDataError::kNone);
        EXPECT_FALSE(isDefault);
        EXPECT_EQ(c.reencode(c.sample), c.sample);
    }
    // Field-by-field equality for two types with versioned and odd fields.
    WindowProperties w;
    std::string wb = kWindowLayout.Encode(SampleWindow());
    ASSERT_EQ(kWindowLayout.Decode(Data(wb), wb.size(), w), OwnDataError::kNone);
    EXPECT_TRUE(w == SampleWindow());
    QTipProperties q;
    std::string qb = kQTipLayout.Encode(SampleQTip());
    ASSERT_EQ(kQTipLayout.Decode(Data(qb), qb.size(), q), OwnDataError::kNone);
    EXPECT_TRUE(q == SampleQTip());
}

TEST(OwnProperties, EmptyBlockMeansDefaults) {
    for (const Codec& c : AllCodecs()) {
        SCOPED_TRACE(c.name);
        bool isDefault = false;
        EXPECT_EQ(c.decode("", isDefault), OwnDataError::kNone);
        EXPECT_TRUE(isDefault);
    }
}

TEST(OwnProperties, EveryEarlyEndIsRejectedAndLeavesTheDefaults) {
    for (const Codec& c : AllCodecs()) {
        SCOPED_TRACE(c.name);
        for (size_t n = 1; n < c.sample.size(); ++n) {
            bool isDefault = false;
            ASSERT_EQ(c.decode(c.sample.substr(0, n), isDefault), OwnDataError::kTruncated)
                << "cut at " << n;
            ASSERT_TRUE(isDefault) << "cut at " << n;
        }
        // A length field that claims more than the rest of the block.
        std::string longer = c.sample;
        bool isDefault = false;
        longer.push_back('\x7F');
        EXPECT_EQ(c.decode(longer, isDefault), OwnDataError::kNone) << "trailing bytes are ignored";
    }
}

TEST(OwnProperties, VersionsAboveTheHighestAreRejected) {
    for (const Codec& c : AllCodecs()) {
        SCOPED_TRACE(c.name);
        for (uint32_t version : {c.highestVersion + 1, 0x80000000u, 0xFFFFFFFFu}) {
            std::string block = c.sample;
            ByteWriter w;
            w.U32(version);
            block.replace(0, 4, w.bytes());
            bool isDefault = false;
            OwnDataError e = c.decode(block, isDefault);
            if (c.checksVersion) {
                EXPECT_EQ(e, OwnDataError::kVersionTooHigh) << version;
                EXPECT_TRUE(isDefault);
            } else {
                EXPECT_EQ(e, OwnDataError::kNone) << version;  // the balloon tip box ignores it
                EXPECT_EQ(c.reencode(block), c.sample);
            }
        }
    }
}

// Each type's defaults, listed from its field table, against tests/data/own_defaults.
TEST(OwnProperties, DefaultsMatchTheirGoldenListings) {
    for (const ControlTypeInfo& type : kControlTypes) {
        std::vector<OwnPropertyValue> values;
        ASSERT_EQ(ListOwnProperties(type.typeCode, nullptr, 0, values), OwnDataError::kNone);
        EXPECT_TRUE(test::MatchesGolden(test::OwnListingText(values),
                                        std::filesystem::path(VELMORA_TEST_DATA) / "own_defaults" /
                                            (std::string(type.name) + ".txt")));
    }
    // The system colours of a new box come from the caller.
    HyperLinkerProperties h;
    ASSERT_EQ(kHyperLinkerLayout.Decode(nullptr, 0, h, NewHyperLinkerProperties(0x00FF9933)),
              OwnDataError::kNone);
    EXPECT_EQ(h.hoverColor, 0x00FF9933u);
    QTipProperties q;
    ASSERT_EQ(kQTipLayout.Decode(nullptr, 0, q, NewQTipProperties(0x00ABCDEF, 0x00010203)),
              OwnDataError::kNone);
    EXPECT_EQ(q.reservedColor, 0x00ABCDEFu);
    EXPECT_EQ(q.backColorBegin, 0x00ABCDEFu);
    EXPECT_EQ(q.borderColor, 0x00010203u);
    EXPECT_EQ(q.styleSheet, std::string(kDefaultStyleSheet) + '\0');
}

TEST(OwnProperties, DefaultStyleSheetDiffersFromTheStoredOneAsDescribed) {
    const std::string sheet(kDefaultStyleSheet);
    EXPECT_EQ(sheet.size(), kDefaultStyleSheetLength);
    EXPECT_EQ(sheet.rfind(".comment {color:green}\r\n"), sheet.size() - 24);
    EXPECT_EQ(sheet.find("p  {font-size: 9pt; color:black; font-family:\"宋体\",Verdana}\r\n"),
              64u);
    EXPECT_NE(sheet.find("font-family:\"宋体\",\"Courier\";"), std::string::npos);
    // Every rule ends with CR LF; no bare line feeds.
    size_t rules = 0;
    for (size_t i = sheet.find('\n'); i != std::string::npos; i = sheet.find('\n', i + 1)) {
        ASSERT_EQ(sheet[i - 1], '\r');
        ++rules;
    }
    EXPECT_EQ(rules, 17u);
}

TEST(OwnProperties, WindowFieldsFollowTheVersion) {
    WindowProperties p = SampleWindow();
    // Sizes: the version and 13 words, five byte fields ("BMxx", 4 icon bytes,
    // "RIFF", 4 title bytes, "a.hlp"); one word each for versions 2..5, a text for 6.
    const size_t base = 4 + 13 * 4 + (4 + 4) + (4 + 4) + (4 + 4) + (4 + 4) + (4 + 5);
    EXPECT_EQ(kWindowLayout.Encode(p, 1).size(), base);
    EXPECT_EQ(kWindowLayout.Encode(p, 2).size(), base + 4);
    EXPECT_EQ(kWindowLayout.Encode(p, 3).size(), base + 12);
    EXPECT_EQ(kWindowLayout.Encode(p, 4).size(), base + 16);
    EXPECT_EQ(kWindowLayout.Encode(p, 5).size(), base + 20);
    EXPECT_EQ(kWindowLayout.Encode(p, 6).size(), base + 20 + 4 + 7);
    EXPECT_EQ(kWindowLayout.Encode(p, 9), kWindowLayout.Encode(p, 6)) << "written as the highest";

    // A version 3 block written by hand: ShowInTaskbar, FreeMove, Shape; no
    // AlwaysOnTop, KeepTitleActive or ClassName.
    std::string v3 =
        Words({3, 1, 2, 0x00FFFFFF, 1, 1, 0, 0, 0, 1, 1, 0, 1, 42, /*taskbar*/ 0, /*free*/ 1,
               /*shape*/ 7}) +
        Prefixed("") + Prefixed("ICO") + Prefixed("") + Prefixed("Title") + Prefixed("h.hlp");
    WindowProperties w;
    ASSERT_EQ(kWindowLayout.Decode(Data(v3), v3.size(), w), OwnDataError::kNone);
    EXPECT_EQ(w.border, 1);
    EXPECT_EQ(w.pictureMode, 2);
    EXPECT_EQ(w.backColor, 0x00FFFFFFu);
    EXPECT_EQ(w.maxButton, 1);
    EXPECT_EQ(w.minButton, 1);
    EXPECT_EQ(w.controlBox, 0);
    EXPECT_EQ(w.startPosition, 0);
    EXPECT_EQ(w.movable, 0);
    EXPECT_EQ(w.musicPlayCount, 1);
    EXPECT_EQ(w.enterMovesFocus, 1);
    EXPECT_EQ(w.escCloses, 0);
    EXPECT_EQ(w.f1Help, 1);
    EXPECT_EQ(w.helpContext, 42);
    EXPECT_EQ(w.showInTaskbar, 0);
    EXPECT_EQ(w.freeMove, 1);
    EXPECT_EQ(w.shape, 7);
    EXPECT_EQ(w.alwaysOnTop, 0);
    EXPECT_EQ(w.keepTitleActive, 0);
    EXPECT_EQ(w.className, "");
    EXPECT_EQ(w.icon, "ICO");
    EXPECT_EQ(w.title, "Title");
    EXPECT_EQ(w.helpFile, "h.hlp");

    // Version 1 has none of the later words; version 5 has all but ClassName.
    std::string v1 = Words({1, 2, 1, 0, 0, 0, 1, 1, 1, 0, 0, 1, 0, 0}) + Prefixed("") +
                     Prefixed("") + Prefixed("") + Prefixed("T") + Prefixed("");
    ASSERT_EQ(kWindowLayout.Decode(Data(v1), v1.size(), w), OwnDataError::kNone);
    EXPECT_EQ(w.showInTaskbar, 1);
    EXPECT_EQ(w.title, "T");
    std::string v5 = kWindowLayout.Encode(p, 5);
    ASSERT_EQ(kWindowLayout.Decode(Data(v5), v5.size(), w), OwnDataError::kNone);
    EXPECT_EQ(w.keepTitleActive, 1);
    EXPECT_EQ(w.className, "");
    EXPECT_EQ(w.title, p.title);
}

TEST(OwnProperties, VersionOneBlocksOfPicBoxLabelAndEditBoxLackTheDataBinding) {
    PicBoxProperties pb = SamplePicBox();
    std::string b = kPicBoxLayout.Encode(pb, 1);
    EXPECT_EQ(b.size(), 4 + 16 + 4 + pb.picture.size());
    PicBoxProperties pbOut;
    ASSERT_EQ(kPicBoxLayout.Decode(Data(b), b.size(), pbOut), OwnDataError::kNone);
    EXPECT_EQ(pbOut.picture, pb.picture);
    EXPECT_EQ(pbOut.dataSource, "");
    EXPECT_EQ(pbOut.dataField, "");

    LabelProperties l = SampleLabel();
    b = kLabelLayout.Encode(l, 1);
    LabelProperties lOut;
    ASSERT_EQ(kLabelLayout.Decode(Data(b), b.size(), lOut), OwnDataError::kNone);
    EXPECT_EQ(lOut.caption, l.caption);
    EXPECT_EQ(lOut.dataSource, "");

    EditBoxProperties e = SampleEditBox();
    b = kEditBoxLayout.Encode(e, 1);
    EditBoxProperties eOut;
    ASSERT_EQ(kEditBoxLayout.Decode(Data(b), b.size(), eOut), OwnDataError::kNone);
    EXPECT_EQ(eOut.content, e.content);
    EXPECT_EQ(eOut.dataField, "");
    // A version 2 block that stops after Content is cut short.
    std::string v2 = kEditBoxLayout.Encode(e, 2);
    v2.resize(b.size());
    EXPECT_EQ(kEditBoxLayout.Decode(Data(v2), v2.size(), eOut), OwnDataError::kTruncated);
}

TEST(OwnProperties, EditBoxPasswordCharIsSixteenBits) {
    EditBoxProperties e;
    e.inputMode = 0x11111111;
    e.passwordChar = 0x4241;  // only the low byte means anything; both are kept
    e.caseConversion = 0x22222222;
    std::string b = kEditBoxLayout.Encode(e);
    // version + 9 words, then the 2 bytes, then CaseConversion.
    ASSERT_GE(b.size(), 46u);
    EXPECT_EQ(b.substr(36, 4), std::string("\x11\x11\x11\x11"));
    EXPECT_EQ(b.substr(40, 2), std::string("AB"));
    EXPECT_EQ(b.substr(42, 4), std::string("\x22\x22\x22\x22"));
    EXPECT_EQ(b.size(), 4u + 9 * 4 + 2 + 6 * 4 + 4 + 4 + 4 + 4);
    EditBoxProperties out;
    ASSERT_EQ(kEditBoxLayout.Decode(Data(b), b.size(), out), OwnDataError::kNone);
    EXPECT_EQ(out.passwordChar, 0x4241);
    EXPECT_EQ(out.caseConversion, 0x22222222);
}

TEST(OwnProperties, HyperLinkerBlockOrder) {
    // Stored order: version, kind, four colours, border, font, caption, mail, web.
    std::string block = Words({1, 1, 0x00FF0000, 0x00000080, 0x006A240A, 0xFF000000, 0}) +
                        Prefixed("") + Prefixed("Caption") + Prefixed("") +
                        Prefixed("http://example.net/");
    HyperLinkerProperties h;
    ASSERT_EQ(kHyperLinkerLayout.Decode(Data(block), block.size(), h), OwnDataError::kNone);
    EXPECT_EQ(h.linkKind, 1);
    EXPECT_EQ(h.normalColor, 0x00FF0000u);
    EXPECT_EQ(h.visitedColor, 0x00000080u);
    EXPECT_EQ(h.hoverColor, 0x006A240Au);
    EXPECT_EQ(h.backColor, 0xFF000000u);
    EXPECT_EQ(h.border, 0);
    EXPECT_EQ(h.font, "");
    EXPECT_EQ(h.caption, "Caption");
    EXPECT_EQ(h.mailAddress, "");
    EXPECT_EQ(h.webAddress, "http://example.net/");
    EXPECT_EQ(kHyperLinkerLayout.Encode(h), block);
}

TEST(OwnProperties, QTipKeepOpenFlagIsTheNegationOfCloseOverTip) {
    QTipProperties q;
    q.closeOverTip = 1;
    std::string b = kQTipLayout.Encode(q);
    // version, 3 reserved, 4 colours, 4 words, 3 logicals, then the keep-open flag.
    const size_t keepOpenAt = 4 * (1 + 3 + 4 + 4 + 3);
    EXPECT_EQ(b.substr(keepOpenAt, 4), std::string(4, '\0'));
    q.closeOverTip = 0;
    b = kQTipLayout.Encode(q);
    EXPECT_EQ(b.substr(keepOpenAt, 4), std::string("\1\0\0\0", 4));

    for (uint32_t stored : {0u, 1u, 7u}) {
        std::string block = b;
        ByteWriter w;
        w.U32(stored);
        block.replace(keepOpenAt, 4, w.bytes());
        QTipProperties out;
        ASSERT_EQ(kQTipLayout.Decode(Data(block), block.size(), out), OwnDataError::kNone);
        EXPECT_EQ(out.closeOverTip, stored == 0 ? 1 : 0) << stored;
    }
}

// A logical stored as any nonzero word works as true, so it reads back as 1; other
// integers keep their value.
TEST(OwnProperties, LogicalsStoredAsAnyNonzeroWordDecodeAsOne) {
    QTipProperties q;
    q.followMouse = 2;
    q.noAutoHide = -1;
    q.transparency = 2;
    const std::string qb = kQTipLayout.Encode(q);
    ASSERT_EQ(kQTipLayout.Decode(Data(qb), qb.size(), q), OwnDataError::kNone);
    EXPECT_EQ(std::make_tuple(q.followMouse, q.noAutoHide, q.transparency),
              std::make_tuple(1, 1, 2));

    WindowProperties w;
    w.escCloses = 2;
    w.border = 2;
    const std::string wb = kWindowLayout.Encode(w);
    ASSERT_EQ(kWindowLayout.Decode(Data(wb), wb.size(), w), OwnDataError::kNone);
    EXPECT_EQ(std::make_tuple(w.escCloses, w.border), std::make_tuple(1, 2));
}

TEST(OwnProperties, QTipReservedWordsAreWrittenZeroAndIgnored) {
    std::string b = kQTipLayout.Encode(SampleQTip());
    EXPECT_EQ(b.substr(0, 16), std::string("\1\0\0\0", 4) + std::string(12, '\0'));
    const size_t secondReserved = 4 * (1 + 3 + 4 + 4 + 3 + 1 + 1);
    EXPECT_EQ(b.substr(secondReserved, 12), std::string(12, '\0'));
    std::string dirty = b;
    dirty.replace(4, 12, std::string(12, '\x5A'));
    dirty.replace(secondReserved, 12, std::string(12, '\x5A'));
    QTipProperties out;
    ASSERT_EQ(kQTipLayout.Decode(Data(dirty), dirty.size(), out), OwnDataError::kNone);
    EXPECT_TRUE(out == SampleQTip());
}

TEST(OwnProperties, QTipStyleSheetKeepsItsTerminatingZero) {
    QTipProperties q;
    q.styleSheet = std::string("a {}\r\n") + '\0';
    std::string b = kQTipLayout.Encode(q);
    EXPECT_EQ(b.substr(b.size() - 11), Prefixed(q.styleSheet));
    QTipProperties out;
    ASSERT_EQ(kQTipLayout.Decode(Data(b), b.size(), out), OwnDataError::kNone);
    EXPECT_EQ(out.styleSheet.size(), 7u);
    EXPECT_EQ(out.styleSheet.back(), '\0');
    // The default block ends with the 990-character default sheet and its zero.
    std::string def = kQTipLayout.Encode(QTipProperties{});
    EXPECT_EQ(def.size(), 180u + 991u);
}

TEST(OwnProperties, PropertyTables) {
    struct Expect {
        uint32_t typeCode;
        size_t count;
        int32_t first, last;
    };
    for (const Expect& x :
         {Expect{kWindowTypeCode, 24, 8, 31}, Expect{kEditBoxTypeCode, 21, 8, 28},
          Expect{kPicBoxTypeCode, 7, 8, 14}, Expect{kLabelTypeCode, 21, 8, 28},
          Expect{kButtonTypeCode, 6, 8, 13}, Expect{kTimerTypeCode, 1, 8, 8},
          Expect{kHyperLinkerTypeCode, 10, 8, 17}, Expect{kQTipTypeCode, 38, 12, 75}}) {
        const ControlTypeInfo* type = FindControlTypeInfo(x.typeCode);
        ASSERT_NE(type, nullptr);
        SCOPED_TRACE(type->name);
        const PropertyTable& t = *type->ownProperties;
        EXPECT_EQ(t.count, x.count);
        EXPECT_EQ(t.rows[0].index, x.first);
        EXPECT_EQ(t.rows[t.count - 1].index, x.last);
        std::set<std::string> names;
        for (size_t i = 0; i < t.count; ++i) {
            if (i) {
                EXPECT_LT(t.rows[i - 1].index, t.rows[i].index);
            }
            EXPECT_TRUE(names.insert(t.rows[i].name).second) << t.rows[i].name;
            uint16_t k = static_cast<uint16_t>(t.rows[i].kind);
            EXPECT_TRUE(k >= 1001 && k <= 1020 && k != 1002 && k != 1004 && k != 1007 &&
                        k != 1008 && k != 1019)
                << t.rows[i].name;
        }
    }
    // The global indexes the program and the loader rely on.
    EXPECT_STREQ(FindProperty(kButtonTypeCode, 10)->name, "Caption");
    EXPECT_EQ(FindProperty(kButtonTypeCode, 10)->kind, PropertyKind::kText);
    EXPECT_STREQ(FindProperty(kEditBoxTypeCode, 8)->name, "Content");
    EXPECT_STREQ(FindProperty(kTimerTypeCode, 8)->name, "Interval");
    EXPECT_EQ(FindProperty(kTimerTypeCode, 8)->kind, PropertyKind::kInteger);
    EXPECT_STREQ(FindProperty(kPicBoxTypeCode, 12)->name, "Animate");
    EXPECT_EQ(FindProperty(kPicBoxTypeCode, 12)->kind, PropertyKind::kLogical);
    EXPECT_EQ(FindProperty(kLabelTypeCode, 12)->kind, PropertyKind::kGradientColour);
    EXPECT_EQ(FindProperty(kLabelTypeCode, 17)->kind, PropertyKind::kBackgroundColour);
    EXPECT_EQ(FindProperty(kWindowTypeCode, 13)->kind, PropertyKind::kSound);
    EXPECT_EQ(FindProperty(kWindowTypeCode, 20)->kind, PropertyKind::kIcon);
    EXPECT_EQ(FindProperty(kWindowTypeCode, 24)->kind, PropertyKind::kFileName);
    EXPECT_EQ(FindProperty(kEditBoxTypeCode, 27)->kind, PropertyKind::kDataSource);
    EXPECT_EQ(FindProperty(kEditBoxTypeCode, 28)->kind, PropertyKind::kDataField);
    EXPECT_STREQ(FindProperty(kHyperLinkerTypeCode, 11)->name, "WebAddress");
    EXPECT_STREQ(FindProperty(kQTipTypeCode, 45)->name, "CloseOverTip");
    EXPECT_STREQ(FindProperty(kQTipTypeCode, 7)->name, "MousePointer");
    EXPECT_EQ(FindProperty(kQTipTypeCode, 7)->kind, PropertyKind::kMousePointer);
    // Indexes that carry no value, and unknown types.
    for (int32_t gap : {8, 11, 20, 21, 24, 25, 27, 41, 47, 49, 59, 64, 65, 69, 76, 78, 79}) {
        EXPECT_EQ(FindProperty(kQTipTypeCode, gap), nullptr) << gap;
    }
    EXPECT_EQ(FindProperty(kButtonTypeCode, 14), nullptr);
    // By own number, as the loader holds them: the balloon tip box's numbers 0-67
    // (indexes 8-75; 76-78 carry no value), gaps as integers.
    const std::vector<PropertyKind> tip = OwnKindsByNumber(kQTipPropertyTable);
    ASSERT_EQ(tip.size(), 68u);
    EXPECT_EQ(tip[26 - 8], PropertyKind::kText);
    EXPECT_EQ(tip[45 - 8], PropertyKind::kLogical);
    EXPECT_EQ(tip[0], PropertyKind::kInteger);
    const std::vector<PropertyKind> button = OwnKindsByNumber(kButtonPropertyTable);
    EXPECT_EQ(button, (std::vector<PropertyKind>{PropertyKind::kPicture, PropertyKind::kChoice,
                                                 PropertyKind::kText, PropertyKind::kChoice,
                                                 PropertyKind::kChoice, PropertyKind::kFont}));
    EXPECT_EQ(FindProperty(kButtonTypeCode, -1), nullptr);
    EXPECT_EQ(FindProperty(0x00010002, 0), nullptr);
}

TEST(OwnProperties, ListingsCoverEveryStoredProperty) {
    for (const ControlTypeInfo& type : kControlTypes) {
        SCOPED_TRACE(type.name);
        std::vector<OwnPropertyValue> values;
        ASSERT_EQ(ListOwnProperties(type.typeCode, nullptr, 0, values), OwnDataError::kNone);
        size_t stored =
            type.ownProperties->count - (type.typeCode == kEditBoxTypeCode ? 1 : 0);  // SelText
        EXPECT_EQ(values.size(), stored);
        for (size_t i = 1; i < values.size(); ++i)
            EXPECT_LT(values[i - 1].info->index, values[i].info->index);
    }
    std::vector<OwnPropertyValue> values;
    std::string timer = kTimerLayout.Encode(TimerProperties{250});
    ASSERT_EQ(ListOwnProperties(kTimerTypeCode, Data(timer), timer.size(), values),
              OwnDataError::kNone);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].number, 250u);
    // The 16-bit PasswordChar lists as its character and its number.
    ASSERT_EQ(ListOwnProperties(kEditBoxTypeCode, nullptr, 0, values), OwnDataError::kNone);
    const OwnPropertyValue* password = nullptr;
    for (const OwnPropertyValue& v : values) {
        if (v.info->index == 19)
            password = &v;
    }
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(password->bytes, "*");
    EXPECT_EQ(password->number, 0x2Au);
    EXPECT_EQ(ListOwnProperties(0x00030001, nullptr, 0, values), OwnDataError::kUnknownType);
    EXPECT_EQ(ListOwnProperties(kTimerTypeCode, Data(timer), 3, values), OwnDataError::kTruncated);
    EXPECT_TRUE(values.empty());
}

// A write through a type's table: the number stored (or read back), or -1 when
// nothing was stored.
template <class P>
int64_t Store(const OwnLayout<P>& layout, P& p, int32_t index, int64_t written) {
    RawValue value;
    value.number = static_cast<uint32_t>(static_cast<int32_t>(written));
    if (!StoreOwnField(layout, p, index - kFirstOwnPropertyIndex, value))
        return -1;
    RawValue out;
    EXPECT_TRUE(ReadOwnField(layout, p, index - kFirstOwnPropertyIndex, out));
    return static_cast<int32_t>(out.number);
}

TEST(OwnProperties, WritesThroughTheTablesKeepTheirBounds) {
    ButtonProperties button;
    EXPECT_EQ(Store(kButtonLayout, button, kButtonKind, 7), 1);
    EXPECT_EQ(Store(kButtonLayout, button, kButtonHAlign, -3), 0);
    EXPECT_EQ(Store(kButtonLayout, button, kButtonFont + 1, 5), -1);  // no such property
    TimerProperties timer;
    EXPECT_EQ(Store(kTimerLayout, timer, kTimerInterval, -5), 0);
    EXPECT_EQ(Store(kTimerLayout, timer, kTimerInterval, 2147483647), 2147483647);
    LabelProperties label;
    EXPECT_EQ(Store(kLabelLayout, label, kLabelGradBorderWidth, 4), 5);
    EXPECT_EQ(Store(kLabelLayout, label, kLabelGradBackMode, 9), 8);
    EditBoxProperties edit;
    EXPECT_EQ(Store(kEditBoxLayout, edit, kEditBoxInputMode, 12), 11);
    EXPECT_EQ(Store(kEditBoxLayout, edit, kEditBoxMaxLength, -1), 0);
    EXPECT_EQ(Store(kEditBoxLayout, edit, kEditBoxSpinMin, -40), -40);
    // The balloon refuses a transparency or darkness beyond 0..100 and keeps its value.
    QTipProperties tip;
    EXPECT_EQ(Store(kQTipLayout, tip, kQTipTransparency, 101), -1);
    EXPECT_EQ(Store(kQTipLayout, tip, kQTipShadowDarkness, -1), -1);
    EXPECT_EQ(tip.transparency, 10);
    EXPECT_EQ(tip.shadowDarkness, 60);
    EXPECT_EQ(Store(kQTipLayout, tip, kQTipTransparency, 100), 100);
    EXPECT_EQ(Store(kQTipLayout, tip, kQTipCloseOverTip, 0), 0);
    // The indexes the balloon has no value for are not properties at run time.
    EXPECT_EQ(Store(kQTipLayout, tip, 20, 1), -1);

    WindowProperties window;
    window.shape = 99;
    window.border = -2;
    window.helpContext = -7;
    ClampOwnFields(kWindowLayout, window);
    EXPECT_EQ(window.shape, 29);
    EXPECT_EQ(window.border, 0);
    EXPECT_EQ(window.helpContext, -7);
}

}  // namespace
}  // namespace velmora
