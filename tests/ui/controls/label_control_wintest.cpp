// Covers: the `Label` as the user sees it and as handlers reach it.
//  - the background read back from the window: BackColor (the system default as
//    the button face), a gradient background, a background picture by PictureMode
//    (it wins over a gradient), the gradient border's rings and the drawing area
//    it leaves, borders with fewer than two colours not drawn;
//  - the caption: Effect 1-3 copies at their offsets and colours under the text,
//    HAlign/VAlign placing it;
//  - own properties: round trips, the clamps, Caption as the window text, a font
//    member write, the data saved for re-creation;
//  - every write repaints the label once; an own number beyond the table does
//    nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "runtime/wide_text.h"
#include "support/client_pixels_win.h"
#include "support/control_column_win.h"
#include "support/message_sequence_win.h"
#include "support/test_pictures.h"
#include "support/test_program_win.h"
#include "tests/support/typed_blocks.h"
#include "ui/controls/control_types.h"
#include "ui/controls/label_properties.h"
#include "ui/loader/property_conversion.h"

namespace velmora::test {
namespace {

constexpr uint32_t kWin = 0x52010001, kWinUnit = 0x06010000, kFirstLabel = 0x16010006;
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
constexpr uint32_t kUnused = 0xFF000000;

// One window holding a label per entry, 10 pixels apart in a column.
void StartWithLabels(const std::vector<LabelProperties>& labels, int width, int height) {
    std::vector<std::string> data;
    for (const LabelProperties& p : labels)
        data.push_back(kLabelLayout.Encode(p));
    StartControlColumn(kWin, kWinUnit, kFirstLabel, kLabelTypeCode, data, width, height);
}

HWND LabelHwnd(size_t i) {
    return UnitHwnd(kWin, kFirstLabel + uint32_t(i));
}

LabelProperties Blank(uint32_t backColor) {
    LabelProperties p;
    p.caption.clear();
    p.backColor = backColor;
    return p;
}

std::string BoldFont(int height) {
    LOGFONTA lf = {};
    lf.lfHeight = -height;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Tahoma");
    return std::string(reinterpret_cast<const char*>(&lf), sizeof lf);
}

struct Probe {
    int x, y;
    COLORREF colour;
};

TEST(LabelControl, BackgroundsBordersAndPicturesAsTheWindowShowsThem) {
    // Red labels of 60 x 30 without caption, then these writes (index, value), the
    // picture (if any) written last.
    const COLORREF G = kGreen, B = kBlue, W = kWhite, K = kBlack, U = kUnused;
    const std::string blue7x5 = SolidBitmapFile(7, 5, 0x0000FF);
    const std::string blue10 = SolidBitmapFile(10, 10, 0x0000FF);
    // clang-format off
    struct Case {
        const char* what;
        std::vector<std::pair<int, uint32_t>> writes;
        const std::string* picture;
        std::vector<Probe> probes;
    } cases[] = {
        {"back colour", {}, nullptr, {{0, 0, kRed}, {59, 29, kRed}}},
        {"system default", {{17, U}}, nullptr, {{30, 15, GetSysColor(COLOR_BTNFACE)}}},
        {"gradient of two", {{20, 1}, {21, G}, {22, U}, {23, B}}, nullptr,
         {{0, 15, G}, {59, 15, B}}},
        {"gradient of three", {{20, 2}, {21, G}, {22, W}, {23, B}}, nullptr,
         {{30, 0, G}, {30, 29, B}}},
        {"gradient of one", {{20, 1}, {22, U}, {23, U}}, nullptr, {{0, 15, kRed}, {59, 15, kRed}}},
        {"tiles over a gradient", {{20, 1}, {19, 1}}, &blue7x5,
         {{0, 0, B}, {59, 29, B}, {33, 12, B}}},
        {"natural size", {{19, 0}}, &blue10, {{0, 0, B}, {9, 9, B}, {10, 5, kRed}}},
        {"stretched", {{19, 2}}, &blue10, {{0, 0, B}, {59, 29, B}}},
        {"border of three", {{10, 6}, {11, 8}, {12, G}, {13, W}, {14, B}}, nullptr,
         {{0, 15, G}, {7, 15, B}, {8, 15, kRed}, {59, 15, G}, {52, 15, B}, {30, 0, G},
          {30, 7, B}, {30, 22, B}, {30, 29, G}}},
        {"border of two round a gradient",
         {{10, 6}, {11, 5}, {12, U}, {13, G}, {14, B}, {20, 1}, {21, W}, {22, U}, {23, K}},
         nullptr, {{0, 15, G}, {4, 15, B}, {5, 15, W}, {54, 15, K}}},
        {"border wider than the label", {{10, 6}, {11, 0x7FFFFFFF}, {12, G}}, nullptr,
         {{0, 0, G}, {59, 29, G}}},
        {"border of one", {{10, 6}, {12, U}, {13, U}, {20, 1}, {21, W}, {22, U}, {23, K}},
         nullptr, {{0, 15, W}, {59, 15, K}}},
    };
    // clang-format on
    StartWithLabels(std::vector<LabelProperties>(std::size(cases), Blank(kRed)), 60, 30);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const uint32_t unit = kFirstLabel + uint32_t(i);
        for (const auto& [index, value] : c.writes)
            WriteProperty(kWin, unit, index, kWholeProperty, MakeInteger(int32_t(value)));
        if (c.picture)
            WriteProperty(kWin, unit, kLabelBackPicture, kWholeProperty, MakeByteData(*c.picture));
        const ClientPixels shown = CaptureClient(LabelHwnd(i));
        ASSERT_EQ(shown.width, 60) << c.what;
        for (const Probe& probe : c.probes) {
            EXPECT_EQ(shown.At(probe.x, probe.y), probe.colour)
                << c.what << " at " << probe.x << "," << probe.y;
        }
    }
}

// Effect 0 gives the text alone; every other Effect must show the text where
// effect 0 has it (moved by the text's offset) and its copy, in the copy's colour,
// wherever the copy's pixels are not under the text. Pixels that neither touches
// keep the background. Only pixels wholly inside the strokes or wholly outside
// them are compared, so font smoothing does not matter.
TEST(LabelControl, EffectsDrawTheirCopyUnderTheText) {
    constexpr COLORREF kText = kRed, kBack = kBlue;
    struct Case {
        int effect;
        int copyDx, copyDy;
        COLORREF copy;
        int textDx, textDy;
    } cases[] = {{1, 1, 1, kWhite, 0, 0}, {2, 0, 0, kWhite, 1, 1}, {3, 2, 2, kBlack, 0, 0}};
    std::vector<LabelProperties> labels;
    for (int effect = 0; effect <= 3; ++effect) {
        LabelProperties p = Blank(kBack);
        p.caption = "HIHIH";
        p.font = BoldFont(24);
        p.textColor = kText;
        p.effect = effect;
        labels.push_back(p);
    }
    StartWithLabels(labels, 160, 40);
    const ClientPixels plain = CaptureClient(LabelHwnd(0));
    auto plainAt = [&](int x, int y) { return plain.Contains(x, y) ? plain.At(x, y) : kBack; };
    for (const Case& c : cases) {
        const ClientPixels shown = CaptureClient(LabelHwnd(c.effect));
        int textPixels = 0, copyPixels = 0, untouched = 0;
        for (int y = 0; y < shown.height; ++y) {
            for (int x = 0; x < shown.width; ++x) {
                const COLORREF underText = plainAt(x - c.textDx, y - c.textDy);
                const COLORREF underCopy = plainAt(x - c.copyDx, y - c.copyDy);
                const COLORREF got = shown.At(x, y);
                if (underText == kText) {
                    ++textPixels;
                    EXPECT_EQ(got, kText) << "effect " << c.effect << " text at " << x << "," << y;
                } else if (underText == kBack && underCopy == kText) {
                    ++copyPixels;
                    EXPECT_EQ(got, c.copy) << "effect " << c.effect << " copy at " << x << "," << y;
                } else if (underText == kBack && underCopy == kBack) {
                    ++untouched;
                    EXPECT_EQ(got, kBack) << "effect " << c.effect << " at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(textPixels, 50) << c.effect;
        EXPECT_GT(copyPixels, 10) << c.effect;
        EXPECT_GT(untouched, 1000) << c.effect;
    }
}

TEST(LabelControl, AlignmentPlacesTheCaption) {
    // Labels of 200 x 60; where the text's pixels lie, as a fraction of the area.
    struct Case {
        int hAlign, vAlign, wordWrap;
        bool left, top;  // text within the left / top third
        bool right, bottom;
    } cases[] = {
        {0, 0, 0, true, true, false, false},
        {2, 2, 0, false, false, true, true},
        {1, 1, 0, false, false, false, false},
        {2, 2, 1, false, true, true, false},  // word wrap: VAlign plays no part
    };
    std::vector<LabelProperties> labels;
    for (const Case& c : cases) {
        LabelProperties p = Blank(kWhite);
        p.caption = "Wg";
        p.hAlign = c.hAlign;
        p.vAlign = c.vAlign;
        p.wordWrap = c.wordWrap;
        labels.push_back(p);
    }
    StartWithLabels(labels, 200, 60);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const ClientPixels shown = CaptureClient(LabelHwnd(i));
        int minX = shown.width, maxX = -1, minY = shown.height, maxY = -1;
        for (int y = 0; y < shown.height; ++y) {
            for (int x = 0; x < shown.width; ++x) {
                if (shown.At(x, y) == kWhite)
                    continue;
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
        }
        ASSERT_GE(maxX, 0) << "no text drawn, case " << i;
        EXPECT_EQ(maxX < 67, c.left) << i;
        EXPECT_EQ(minX > 133, c.right) << i;
        EXPECT_EQ(maxY < 20, c.top) << i;
        EXPECT_EQ(minY > 40, c.bottom) << i;
    }
}

int32_t ReadInt(int index) {
    return static_cast<int32_t>(ReadProperty(kWin, kFirstLabel, index).low);
}

TEST(LabelControl, OwnPropertiesRoundTripWithTheirClamps) {
    StartWithLabels({LabelProperties{}}, 80, 20);
    // Effect 0..3, Border 0..6, GradBorderWidth (4 or less is 5), colours kept,
    // PictureMode 0..2, GradBackMode 0..8, HAlign and VAlign 0..2, WordWrap 0/1.
    // clang-format off
    struct Case {
        int index;
        int32_t written, read;
    } cases[] = {
        {9, 2, 2},   {9, 4, 3},   {9, -1, 0},   {10, 6, 6},  {10, 9, 6},  {10, -2, 0},
        {11, 6, 6},  {11, 5, 5},  {11, 4, 5},   {11, -9, 5}, {11, 999, 999},
        {12, 0x123456, 0x123456}, {14, int32_t(kUnused), int32_t(kUnused)},
        {16, 0x00FF00, 0x00FF00}, {17, 0x0000FF, 0x0000FF}, {19, 3, 2},  {19, -1, 0},
        {20, 9, 8},  {20, 8, 8},  {23, 0x654321, 0x654321}, {24, 5, 2},  {26, -3, 0},
        {26, 1, 1},  {25, 7, 1},  {25, 0, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        WriteProperty(kWin, kFirstLabel, c.index, kWholeProperty, MakeInteger(c.written));
        EXPECT_EQ(ReadInt(c.index), c.read) << "index " << c.index << " wrote " << c.written;
    }
    WriteProperty(kWin, kFirstLabel, kLabelCaption, kWholeProperty, MakeText("停止"));
    WriteProperty(kWin, kFirstLabel, kLabelDataSource, kWholeProperty, MakeText("数据源"));
    const std::string picture = SolidBitmapFile(3, 3, 0x00FF00);
    WriteProperty(kWin, kFirstLabel, kLabelBackPicture, kWholeProperty, MakeByteData(picture));
    WriteProperty(kWin, kFirstLabel, kLabelFont, kFontBold, MakeLogical(true));
    EXPECT_EQ(TakeText(ReadProperty(kWin, kFirstLabel, kLabelCaption)), "停止");
    EXPECT_EQ(TakeText(ReadProperty(kWin, kFirstLabel, kLabelDataSource)), "数据源");
    EXPECT_EQ(TakeBytes(ReadProperty(kWin, kFirstLabel, kLabelBackPicture)), picture);
    EXPECT_EQ(ReadProperty(kWin, kFirstLabel, kLabelFont, kFontBold).low, 1u);
    // The caption is the window text, through the wide API.
    wchar_t text[16] = {};
    GetWindowTextW(LabelHwnd(0), text, 16);
    EXPECT_EQ(std::wstring(text), WideFromGbk(std::string("停止")));

    // Re-creation takes exactly what the label holds.
    LabelProperties saved;
    const std::string data = FindLiveControl(kWin, kFirstLabel)->SaveOwnProperties();
    ASSERT_EQ(
        kLabelLayout.Decode(reinterpret_cast<const uint8_t*>(data.data()), data.size(), saved),
        OwnDataError::kNone);
    EXPECT_EQ(saved.caption, "停止");
    EXPECT_EQ(saved.effect, 0);
    EXPECT_EQ(saved.gradBorderWidth, 999);
    EXPECT_EQ(saved.gradBorderColor3, kUnused);
    EXPECT_EQ(saved.pictureMode, 0);
    EXPECT_EQ(saved.gradBackMode, 8);
    EXPECT_EQ(saved.backPicture, picture);
    EXPECT_EQ(saved.dataSource, "数据源");
    ASSERT_EQ(saved.font.size(), sizeof(LOGFONTA));
    EXPECT_EQ(reinterpret_cast<const LOGFONTA*>(saved.font.data())->lfWeight, FW_BOLD);
}

TEST(LabelControl, EveryWriteRepaintsOnceAndNoOtherNumberDoesAnything) {
    StartWithLabels({LabelProperties{}}, 80, 20);
    WatchUnit(kWin, kFirstLabel, {WM_PAINT});
    static const SequenceStep kOnePaint[] = {{kPosted, kFirstLabel, WM_PAINT}};
    for (int index = 8; index <= 28; ++index) {
        ClearSequence();
        const PropertyInfo* row = FindProperty(kLabelTypeCode, index);
        ASSERT_NE(row, nullptr) << index;
        const bool bytes = row->kind == PropertyKind::kPicture || row->kind == PropertyKind::kFont;
        const bool text = row->kind == PropertyKind::kText ||
                          row->kind == PropertyKind::kDataSource ||
                          row->kind == PropertyKind::kDataField;
        WriteProperty(kWin, kFirstLabel, index, kWholeProperty,
                      bytes  ? MakeByteData("")
                      : text ? MakeText("x")
                             : MakeInteger(1));
        PumpMessages();
        EXPECT_TRUE(SequenceIs(kOnePaint)) << row->name;
    }
    ClearSequence();
    WriteProperty(kWin, kFirstLabel, 29, kWholeProperty, MakeInteger(1));
    PumpMessages();
    EXPECT_TRUE(NothingHappened());
    EXPECT_EQ(ReadProperty(kWin, kFirstLabel, 29).tag, kTagOmitted);
}

}  // namespace
}  // namespace velmora::test
