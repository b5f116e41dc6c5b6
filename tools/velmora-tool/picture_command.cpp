// velmora-tool picture FILE: the recognised kind of a picture and its size.
// velmora-tool gif-frames FILE COUNT OUTDIR: plays a GIF as the player does and
// writes the canvas after each round as OUTDIR/frame-NNN.ppm.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/velmora-tool/commands.h"
#include "tools/velmora-tool/text_output.h"
#include "ui/picture/bitmap_header.h"
#include "ui/picture/gif_animation.h"
#include "ui/picture/icon_directory.h"
#include "ui/picture/pcx.h"
#include "ui/picture/picture_format.h"

namespace velmora::tool {

namespace {

// The size of a JPEG from its first start-of-frame segment; false if none is found.
bool JpegSize(const uint8_t* p, size_t size, int& width, int& height) {
    size_t i = 2;
    while (i + 4 <= size) {
        if (p[i] != 0xFF)
            return false;
        const uint8_t marker = p[i + 1];
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        const size_t length = (size_t{p[i + 2]} << 8) | p[i + 3];
        const bool sof =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof && i + 9 <= size) {
            height = (p[i + 5] << 8) | p[i + 6];
            width = (p[i + 7] << 8) | p[i + 8];
            return true;
        }
        if (length < 2)
            return false;
        i += 2 + length;
    }
    return false;
}

bool WritePpm(const std::string& path, const GifCanvas& canvas) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::fprintf(f, "P6\n%d %d\n255\n", canvas.width(), canvas.height());
    std::string row;
    for (int y = 0; y < canvas.height(); ++y) {
        row.clear();
        for (int x = 0; x < canvas.width(); ++x) {
            const uint32_t c = canvas.Pixel(x, y);
            row.push_back(static_cast<char>(c >> 16));
            row.push_back(static_cast<char>(c >> 8));
            row.push_back(static_cast<char>(c));
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    return std::fclose(f) == 0;
}

}  // namespace

int RunPicture(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-tool picture FILE\n");
        return 2;
    }
    std::string bytes;
    if (!ReadWholeFile(argv[1], bytes)) {
        std::fprintf(stderr, "velmora-tool: cannot read %s\n", argv[1]);
        return 1;
    }
    const uint8_t* p = reinterpret_cast<const uint8_t*>(bytes.data());
    const PictureKind kind = RecognizePicture(p, bytes.size());
    int width = -1, height = -1;
    std::string note;
    switch (kind) {
        case PictureKind::kNone:
            std::printf("none\n");
            return 0;
        case PictureKind::kBitmap: {
            BitmapLayout layout;
            if (CheckBitmap(p, bytes.size(), layout) == BitmapResult::kOk) {
                width = layout.width;
                height = layout.height;
                note = " " + std::to_string(layout.bitCount) + " bpp";
            } else {
                note = " (rejected)";
            }
            break;
        }
        case PictureKind::kJpeg:
            if (!JpegSize(p, bytes.size(), width, height))
                note = " (no frame header)";
            break;
        case PictureKind::kIcon:
        case PictureKind::kCursor: {
            IconChoice choice;
            if (ChooseIconImage(p, bytes.size(), choice) == IconResult::kOk) {
                width = choice.width;
                height = choice.height;
                note = " entry " + std::to_string(choice.index);
            } else {
                note = " (rejected)";
            }
            break;
        }
        case PictureKind::kGif: {
            GifAnimation gif;
            const GifResult r = gif.Open(p, bytes.size());
            if (r == GifResult::kOk) {
                width = gif.width();
                height = gif.height();
                note = gif.singleImage() ? " still" : " animated";
            } else {
                note = std::string(" (rejected: ") + GifResultText(r) + ")";
            }
            break;
        }
        case PictureKind::kPcx8:
        case PictureKind::kPcx1: {
            RgbImage image;
            if (DecodePcx(p, bytes.size(), image) == PcxResult::kOk) {
                width = image.width;
                height = image.height;
            } else {
                note = " (rejected)";
            }
            break;
        }
    }
    if (width >= 0) {
        std::printf("%s %dx%d%s\n", PictureKindName(kind), width, height, note.c_str());
    } else {
        std::printf("%s%s\n", PictureKindName(kind), note.c_str());
    }
    return 0;
}

int RunGifFrames(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: velmora-tool gif-frames FILE COUNT OUTDIR\n");
        return 2;
    }
    char* end = nullptr;
    errno = 0;
    const long count = std::strtol(argv[2], &end, 10);
    if (errno != 0 || *end != '\0' || count < 0 || count > 100000) {
        std::fprintf(stderr, "velmora-tool: COUNT must be a number from 0 to 100000\n");
        return 2;
    }
    std::string bytes;
    if (!ReadWholeFile(argv[1], bytes)) {
        std::fprintf(stderr, "velmora-tool: cannot read %s\n", argv[1]);
        return 1;
    }
    GifAnimation gif;
    const GifResult r = gif.Open(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (r != GifResult::kOk) {
        std::fprintf(stderr, "velmora-tool: %s: %s\n", argv[1], GifResultText(r));
        return 1;
    }
    if (gif.singleImage()) {
        std::fprintf(stderr, "velmora-tool: %s has a single image (shown still)\n", argv[1]);
    }
    gif.Restart();
    for (long i = 0; i < count; ++i) {
        const GifRound round = gif.Step();
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%03ld.ppm", i);
        const std::string path = std::string(argv[3]) + name;
        if (!WritePpm(path, gif.canvas())) {
            std::fprintf(stderr, "velmora-tool: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%ld\t%u\t%d\n", i, round.delayMs, round.drawn() ? 1 : 0);
    }
    return 0;
}

}  // namespace velmora::tool
