#include "app/art/velmora_art.h"

#include <array>
#include <cmath>

#include "app/art/icon_file.h"
#include "app/art/palette.h"
#include "app/art/raster.h"
#include "ui/picture/gif_encoder.h"

namespace velmora::art {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The picture is shown stretched into a 112 x 145 box, so it is drawn in that
// box's units and stored at 142 x 144.
constexpr double kShownWidth = 112;
constexpr double kShownHeight = 145;

struct Transform {
    double x, y, scale;
    Point operator()(double px, double py) const { return {x + px * scale, y + py * scale}; }
};

// A side view of a mosquito facing left, its thorax at `at`. `flap` (0..1) is the
// phase of the wing beat.
void DrawMosquito(Canvas& c, Transform at, double flap, bool tiny) {
    const double s = at.scale;
    const Paint body = Linear(Rgb(0x4A4A5A), at.x, at.y - 6 * s, Rgb(0x26262E), at.x, at.y + 6 * s);
    const Paint leg = Solid(Rgb(0x34343E));
    const Paint wing = Solid(Rgb(0xBFDDF5, tiny ? 0.85 : 0.55));
    const Paint vein = Solid(Rgb(0x6F97BF, 0.8));

    auto wingAt = [&](double angle, bool withVein) {
        Point root = at(1, -4);
        const double length = 17 * s;
        Point tip{root.x + length * std::cos(angle), root.y + length * std::sin(angle)};
        c.Ellipse((root.x + tip.x) / 2, (root.y + tip.y) / 2, length / 2, 4.6 * s, angle, wing);
        if (withVein)
            c.Capsule(root.x, root.y, tip.x - 2 * s * std::cos(angle),
                      tip.y - 2 * s * std::sin(angle), 0.45 * s, vein);
    };
    const double beat = std::cos(2 * kPi * flap);
    // The far wing lies behind the body, a little behind in the beat.
    wingAt(-1.2 + 0.7 * std::cos(2 * kPi * flap + 0.5), !tiny);

    if (!tiny) {
        // Six legs, hip - knee - foot, from the front pair to the hind pair.
        const double legs[6][6] = {
            {-3, 3, -11, 10, -17, 22}, {-1, 3.5, -6, 12, -9, 25}, {1, 4, 4, 13, 2, 27},
            {2, 4, 9, 12, 11, 26},     {4, 3, 14, 9, 22, 22},     {5, 3, 18, 6, 29, 15},
        };
        for (const auto& l : legs) {
            Point hip = at(l[0], l[1]), knee = at(l[2], l[3]), foot = at(l[4], l[5]);
            c.Capsule(hip.x, hip.y, knee.x, knee.y, 0.6 * s, leg);
            c.Capsule(knee.x, knee.y, foot.x, foot.y, 0.5 * s, leg);
            c.Circle(foot.x, foot.y, 0.7 * s, Solid(Rgb(0xE8E8EE)));  // white-tipped feet
        }
    } else {
        for (const auto& l :
             {std::array<double, 4>{-2, 3, -8, 13}, std::array<double, 4>{1, 4, 1, 15},
              std::array<double, 4>{4, 3, 14, 13}}) {
            Point a = at(l[0], l[1]), b = at(l[2], l[3]);
            c.Capsule(a.x, a.y, b.x, b.y, 0.55 * s, leg);
        }
    }

    // Abdomen: segments along an axis rising to the right, banded dark and light.
    const double axis = -0.38;
    for (int k = 0; k < 6; ++k) {
        double u = 4 + 3.6 * k;
        Point p = at(u * std::cos(axis), u * std::sin(axis));
        double thickness = (4.6 - 0.45 * k) * s;
        bool light = !tiny && (k % 2 == 1);
        c.Ellipse(p.x, p.y, 2.9 * s, thickness, axis, light ? Solid(Rgb(0xD9D9E2)) : body);
    }
    // Thorax, head, eye, proboscis and antennae.
    Point thorax = at(0, 0);
    c.Ellipse(thorax.x, thorax.y, 7 * s, 5.5 * s, -0.3, body);
    Point head = at(-8, 2.5);
    c.Circle(head.x, head.y, 3.8 * s, Solid(Rgb(0x2A2A33)));
    if (!tiny) {
        Point eye = at(-9.3, 1.6);
        c.Circle(eye.x, eye.y, 1.9 * s, Solid(Rgb(0x8E2A2A)));
        c.Circle(eye.x - 0.6 * s, eye.y - 0.6 * s, 0.6 * s, Solid(Rgb(0xFFFFFF, 0.9)));
    }
    Point p0 = at(-11, 4), p1 = at(-24, 10.5);
    c.Capsule(p0.x, p0.y, p1.x, p1.y, 0.65 * s, Solid(Rgb(0x2A2A33)));
    if (!tiny) {
        Point a0 = at(-10, 0), a1 = at(-16, -7), a2 = at(-9, -1), a3 = at(-13, -9);
        c.Capsule(a0.x, a0.y, a1.x, a1.y, 0.45 * s, leg);
        c.Capsule(a2.x, a2.y, a3.x, a3.y, 0.45 * s, leg);
    }
    // The near wing over the body.
    wingAt(-0.95 + 0.7 * beat, !tiny);
}

// One frame of the animation; `phase` 0..5.
void DrawAnimationFrame(Canvas& c, int phase) {
    const double t = phase / static_cast<double>(kAnimationFrames);
    const Colour waveBlue = Rgb(0x2B7BD6);

    // The protected zone: a pale disc with a soft rim.
    c.Circle(56, 70, 53.5, Solid(Rgb(0xBFE0F2)));
    c.Circle(56, 70, 52, Linear(Rgb(0xF1F9FF), 56, 18, Rgb(0xCDE9F6), 56, 122));

    // Sound waves rising from the speaker, moving one spacing per cycle, inside the zone.
    c.ClipToCircle(56, 70, 51);
    const double spacing = 13;
    for (int k = 0; k < 5; ++k) {
        double r = 16 + spacing * (k + t);
        double fade = 1.0 - (r - 16) / 66.0;
        if (fade <= 0.05)
            continue;
        Colour col = waveBlue;
        col.a = 0.95 * fade;
        c.Arc(56, 118, r - 1.7, r + 1.7, -kPi * 0.76, -kPi * 0.24, Solid(col));
    }
    c.ClipToCircle(0, 0, -1);

    // The mosquito, hovering away from the waves, wings beating once per cycle.
    const double bob = std::sin(2 * kPi * t);
    DrawMosquito(c, Transform{62 + 1.5 * std::cos(2 * kPi * t), 34 - 2.5 * bob, 1.0}, t, false);

    // The repeller: a green case with a speaker and a blinking lamp.
    c.RoundRect(28.5, 110.5, 83.5, 139.5, 9, Solid(Rgb(0x1B6B3B)));
    c.RoundRect(30, 112, 82, 138, 8, Linear(Rgb(0x4CCB80), 56, 112, Rgb(0x23864B), 56, 138));
    c.RoundRect(33, 113.5, 79, 117, 1.75, Solid(Rgb(0xFFFFFF, 0.28)));  // gloss
    c.Circle(56, 125, 9.5, Solid(Rgb(0x173826)));
    c.Circle(56, 125, 7, Linear(Rgb(0x3F6E55), 56, 118, Rgb(0x21432F), 56, 132));
    c.Circle(56, 125, 2.6, Solid(Rgb(0xA7DCBC)));
    const bool lampOn = phase < 3;
    c.Circle(73.5, 131, 2.4, Solid(Rgb(0x12331F)));
    c.Circle(73.5, 131, 1.8, Solid(lampOn ? Rgb(0xFF4A3A) : Rgb(0x7A2E2A)));
    if (lampOn)
        c.Circle(73.5, 131, 3.6, Solid(Rgb(0xFF6A50, 0.25)));
}

}  // namespace

std::vector<std::vector<uint32_t>> MosquitoAnimationPixels() {
    std::vector<std::vector<uint32_t>> frames;
    for (int phase = 0; phase < kAnimationFrames; ++phase) {
        Canvas c(kAnimationWidth, kAnimationHeight, kShownWidth / kAnimationWidth,
                 kShownHeight / kAnimationHeight, 4);
        DrawAnimationFrame(c, phase);
        frames.push_back(c.Resolve());
    }
    return frames;
}

std::string MosquitoAnimationGif() {
    IndexedFrames indexed =
        Quantise(MosquitoAnimationPixels(), kAnimationTransparentIndex, 0xFFFFFF);
    GifPlan gif;
    gif.width = kAnimationWidth;
    gif.height = kAnimationHeight;
    gif.globalPalette.assign(indexed.palette.begin(), indexed.palette.end());
    gif.loopForever = true;
    for (std::vector<uint8_t>& pixels : indexed.frames) {
        GifFramePlan frame;
        frame.width = kAnimationWidth;
        frame.height = kAnimationHeight;
        frame.indices = std::move(pixels);
        frame.disposal = 2;
        frame.delay = 0;
        frame.transparentIndex = kAnimationTransparentIndex;
        gif.frames.push_back(std::move(frame));
    }
    return EncodeGif(gif);
}

std::vector<uint32_t> DefaultIconPixels() {
    Canvas c(32, 32, 1, 1, 6);
    c.Circle(16, 16, 15.6, Solid(Rgb(0x17613A)));
    c.Circle(16, 16, 14.6, Linear(Rgb(0x5AD48C), 16, 1.5, Rgb(0x1F7A45), 16, 30.5));
    // Waves from a speaker at the lower left towards the upper right.
    for (int k = 0; k < 3; ++k) {
        double r = 6 + 4.2 * k;
        c.Arc(9, 23, r - 0.9, r + 0.9, -kPi * 0.5, 0.0, Solid(Rgb(0xFFFFFF, 0.95 - 0.2 * k)));
    }
    c.Circle(9, 23, 2.6, Solid(Rgb(0xFFFFFF)));
    DrawMosquito(c, Transform{22, 10.5, 0.34}, 0.1, true);
    return c.Resolve();
}

std::string DefaultIconFile() {
    return EncodeIcon32(32, DefaultIconPixels());
}

std::string HandCursorFile() {
    // '#' black outline, 'o' white; the tip of the index finger is (6, 1).
    // clang-format off
    static const std::vector<std::string> kHand = {
        "      ##",
        "     #oo#",
        "     #oo#",
        "     #oo#",
        "     #oo#",
        "     #oo###",
        "     #oo#oo###",
        "     #oo#oo#oo##",
        "     #oo#oo#oo#o#",
        " ### #oo#oo#oo#o#",
        " #oo##oooooooooo#",
        " #ooo#oooooooooo#",
        "  #ooooooooooooo#",
        "   #oooooooooooo#",
        "   #oooooooooooo#",
        "    #ooooooooooo#",
        "    #oooooooooo#",
        "     #ooooooooo#",
        "     #ooooooooo#",
        "     ###########",
    };
    // clang-format on
    return EncodeMonochromeCursor(32, kHand, kHandCursorHotX, kHandCursorHotY);
}

}  // namespace velmora::art
