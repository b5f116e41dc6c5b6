// Covers: tip markup measured and drawn with GDI.
//  - a tip of twenty thousand font variants (with a thousand face names and a
//    hundred images and libraries named): laid out and drawn within a headroom of
//    a thousand GDI objects, which it gives back when the measurer goes; the face
//    answers and libraries kept stay within bounds;
//  - an image-list image drawn at the cx/cy it is given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gdi_headroom_win.h"
#include "ui/markup/markup_gdi_win.h"
#include "ui/picture/dib_canvas_win.h"

namespace velmora {
namespace {

TEST(MarkupGdi, TensOfThousandsOfFontVariantsKeepTheGdiObjectsBounded) {
    constexpr int kVariants = 20000;
    std::string markup;
    for (int i = 0; i < kVariants; ++i) {
        // 1990 sizes from 1pt in tenths, and a weight for every round of them.
        const int tenths = 10 + i % 1990;
        markup += "<font face=F" + std::to_string(i % 1000) +
                  " size=" + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) +
                  " weight=" + std::to_string(100 + 70 * (i / 1990)) + ">x</font>";
        if (i % 100 == 99)
            markup += "<br>";
        if (i % 200 == 0) {
            markup += "<bmp file=no" + std::to_string(i) + ".bmp><string srcdll=no" +
                      std::to_string(i) + ".dll idres=1>";
        }
    }
    constexpr size_t kRoom = 1000;
    test::GdiHeadroom headroom(kRoom);
    ASSERT_GE(headroom.CountFree(kRoom + 10), kRoom - 5);
    {
        MarkupGdi gdi;
        const MarkupLayout layout = LayOutMarkup(markup, StyleSheet::Default(), gdi);
        ASSERT_EQ(layout.fonts.size(), static_cast<size_t>(kVariants));
        DibCanvas canvas(64, 64);
        gdi.Paint(canvas.dc(), layout, 0, 0, 0);
        EXPECT_GE(headroom.CountFree(kRoom + 10), kRoom - 100);  // 64 fonts and a few
        EXPECT_LE(gdi.cachedFaces(), 256u);
        EXPECT_LE(gdi.cachedModules(), 8u);
    }
    EXPECT_GE(headroom.CountFree(kRoom + 10), kRoom - 5);
}

TEST(MarkupGdi, ImageListImagesAreDrawnAtTheirCxAndCy) {
    // A 16 x 16 image list of one red image.
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    ASSERT_TRUE(list);
    std::vector<uint32_t> red(16 * 16, 0xFFFF0000u);
    UniqueGdi<HBITMAP> image(CreateBitmap(16, 16, 1, 32, red.data()));
    ASSERT_EQ(ImageList_Add(list, image.get(), nullptr), 0);

    for (const char* markup : {"<ilst index=0 cx=32 cy=40>", "<icon index=0 cx=32 cy=40>"}) {
        MarkupGdi gdi;
        gdi.SetImageList(list);
        const MarkupLayout layout = LayOutMarkup(markup, StyleSheet::Default(), gdi);
        EXPECT_EQ(layout.width, 32) << markup;
        DibCanvas canvas(64, 64);
        canvas.Load(std::vector<uint32_t>(64 * 64, 0xFFFFFFu));
        gdi.Paint(canvas.dc(), layout, 0, 0, 0);
        EXPECT_EQ(canvas.At(1, 1), 0xFF0000u) << markup;
        EXPECT_EQ(canvas.At(30, 38), 0xFF0000u) << markup;  // beyond the image's own 16 x 16
        EXPECT_EQ(canvas.At(33, 41), 0xFFFFFFu) << markup;
    }
    ImageList_Destroy(list);
}

}  // namespace
}  // namespace velmora
