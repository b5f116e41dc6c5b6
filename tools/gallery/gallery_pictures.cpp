// Small pictures of the gallery, drawn here: a bitmap, an icon and a PCX file of
// the same colour wheel, and the program's own animation.
#include <cmath>

#include "app/art/icon_file.h"
#include "app/art/velmora_art.h"
#include "tools/gallery/gallery_descriptions.h"

namespace velmora::gallery {

namespace {

constexpr int kSize = 48;

void PutU16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void PutU32(std::string& s, uint32_t v) {
    PutU16(s, v & 0xFFFF);
    PutU16(s, v >> 16);
}

// 0x00RRGGBB: hue round the centre, white in the middle, transparent outside.
uint32_t Wheel(int x, int y, bool& inside) {
    const double dx = x - kSize / 2.0 + 0.5, dy = y - kSize / 2.0 + 0.5;
    const double r = std::sqrt(dx * dx + dy * dy) / (kSize / 2.0);
    inside = r <= 1.0;
    const double hue = (std::atan2(dy, dx) + M_PI) / (2 * M_PI) * 6;
    const int sector = static_cast<int>(hue) % 6;
    const double f = hue - std::floor(hue);
    double rgb[3];
    const double up = f, down = 1 - f;
    const double table[6][3] = {{1, up, 0},   {down, 1, 0}, {0, 1, up},
                                {0, down, 1}, {up, 0, 1},   {1, 0, down}};
    for (int i = 0; i < 3; ++i)
        rgb[i] = 255 * (table[sector][i] * r + (1 - r));
    return (static_cast<uint32_t>(rgb[0]) << 16) | (static_cast<uint32_t>(rgb[1]) << 8) |
           static_cast<uint32_t>(rgb[2]);
}

std::string Bitmap() {
    const uint32_t rowBytes = kSize * 3;  // 144: already a multiple of 4
    std::string s = "BM";
    PutU32(s, 54 + rowBytes * kSize);
    PutU32(s, 0);
    PutU32(s, 54);
    PutU32(s, 40);
    PutU32(s, kSize);
    PutU32(s, kSize);  // bottom-up
    PutU16(s, 1);
    PutU16(s, 24);
    for (int i = 0; i < 6; ++i)
        PutU32(s, 0);
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; ++x) {
            bool inside;
            const uint32_t c = Wheel(x, y, inside);
            const uint32_t bgr = inside ? c : 0xFFFFFF;
            s += static_cast<char>(bgr & 0xFF);
            s += static_cast<char>((bgr >> 8) & 0xFF);
            s += static_cast<char>((bgr >> 16) & 0xFF);
        }
    }
    return s;
}

std::string Icon() {
    std::vector<uint32_t> argb(32 * 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            bool inside;
            const uint32_t c = Wheel(x * kSize / 32, y * kSize / 32, inside);
            argb[y * 32 + x] = inside ? 0xFF000000 | c : 0;
        }
    }
    return art::EncodeIcon32(32, argb);
}

// A PCX file, 8 bits per pixel, run-length coded, with a palette of 6 x 6 x 6
// colours.
std::string Pcx() {
    std::string s;
    s += '\x0A';  // manufacturer
    s += '\x05';  // version
    s += '\x01';  // run-length encoding
    s += '\x08';  // bits per pixel
    PutU16(s, 0);
    PutU16(s, 0);
    PutU16(s, kSize - 1);
    PutU16(s, kSize - 1);
    PutU16(s, 72);
    PutU16(s, 72);
    s.append(48, '\0');  // EGA palette
    s += '\0';           // reserved
    s += '\x01';         // planes
    PutU16(s, kSize);    // bytes per line
    PutU16(s, 1);        // colour palette
    s.append(128 - s.size(), '\0');
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            bool inside;
            const uint32_t c = Wheel(x, y, inside);
            auto level = [](uint32_t v) { return (v * 5 + 127) / 255; };
            const uint32_t index =
                inside ? level(c >> 16) * 36 + level((c >> 8) & 0xFF) * 6 + level(c & 0xFF) : 215;
            // Every value of 0xC0 and up needs a count byte of its own.
            if (index >= 0xC0)
                s += '\xC1';
            s += static_cast<char>(index);
        }
    }
    s += '\x0C';
    for (int i = 0; i < 256; ++i) {
        const int r = i < 216 ? i / 36 : 5, g = i < 216 ? (i / 6) % 6 : 5, b = i < 216 ? i % 6 : 5;
        s += static_cast<char>(r * 51);
        s += static_cast<char>(g * 51);
        s += static_cast<char>(b * 51);
    }
    return s;
}

}  // namespace

Pictures MakePictures(const std::string& jpeg) {
    Pictures p;
    p.bmp = Bitmap();
    p.ico = Icon();
    p.pcx = Pcx();
    p.jpeg = jpeg;
    p.gif = art::MosquitoAnimationGif();
    return p;
}

}  // namespace velmora::gallery
