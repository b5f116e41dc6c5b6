// Covers: the fuzz seeds (fuzz/corpus/<target>/) replayed through the decoders the
// fuzz targets drive, so that every build (and the sanitizer build) reads them:
// GIF playback and the still picture, PCX, bitmap checks, icon directories.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ui/picture/bitmap_header.h"
#include "ui/picture/gif_animation.h"
#include "ui/picture/icon_directory.h"
#include "ui/picture/pcx.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Seeds(const char* target) {
    std::vector<std::string> out;
    const fs::path dir = fs::path(VELMORA_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" / target;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        out.push_back(s.str());
    }
    return out;
}

const uint8_t* Bytes(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

TEST(CorpusReplay, GifSeedsPlayAndStayInTheirCanvas) {
    const auto seeds = Seeds("gif");
    if (seeds.empty())
        GTEST_SKIP() << "no seeds found";
    int opened = 0;
    for (const std::string& seed : seeds) {
        GifAnimation gif;
        if (gif.Open(Bytes(seed), seed.size()) != GifResult::kOk)
            continue;
        ++opened;
        // Playing keeps the logical screen's canvas (the sanitizer build checks that
        // no round writes outside it), and the still picture has the same size.
        const int width = gif.width(), height = gif.height();
        gif.Restart();
        for (int i = 0; i < 16; ++i)
            gif.Step();
        EXPECT_EQ(gif.canvas().width(), width);
        EXPECT_EQ(gif.canvas().height(), height);
        GifCanvas still;
        EXPECT_EQ(DecodeGifStill(Bytes(seed), seed.size(), still), GifResult::kOk);
        EXPECT_EQ(still.width(), width);
        EXPECT_EQ(still.height(), height);
    }
    EXPECT_GT(opened, 0);
}

TEST(CorpusReplay, OtherSeedsAreAccepted) {
    for (const std::string& seed : Seeds("pcx")) {
        RgbImage image;
        EXPECT_EQ(DecodePcx(Bytes(seed), seed.size(), image), PcxResult::kOk);
    }
    for (const std::string& seed : Seeds("bitmap_header")) {
        BitmapLayout layout;
        EXPECT_EQ(CheckBitmap(Bytes(seed), seed.size(), layout), BitmapResult::kOk);
    }
    for (const std::string& seed : Seeds("icon_directory")) {
        IconChoice choice;
        EXPECT_EQ(ChooseIconImage(Bytes(seed), seed.size(), choice), IconResult::kOk);
    }
}

}  // namespace
}  // namespace velmora
