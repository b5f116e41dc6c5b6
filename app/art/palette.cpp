#include "app/art/palette.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace velmora::art {

namespace {

struct Weighted {
    uint32_t rgb;
    uint64_t count;
};

int Channel(uint32_t rgb, int c) {
    return static_cast<int>((rgb >> (16 - 8 * c)) & 0xFF);
}

uint32_t Over(uint32_t argb, uint32_t background) {
    const uint32_t a = argb >> 24;
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
        uint32_t v = (Channel(argb, c) * a + Channel(background, c) * (255 - a) + 127) / 255;
        out |= v << (16 - 8 * c);
    }
    return out;
}

// Splits boxes (ranges of `colours`) at the weighted median of their widest
// channel until there are `wanted` boxes or none can be split.
std::vector<uint32_t> MedianCut(std::vector<Weighted> colours, size_t wanted) {
    struct Box {
        size_t begin, end;
    };
    std::vector<Box> boxes;
    if (!colours.empty())
        boxes.push_back({0, colours.size()});
    auto range = [&](const Box& b, int c) {
        int lo = 255, hi = 0;
        for (size_t i = b.begin; i < b.end; ++i) {
            lo = std::min(lo, Channel(colours[i].rgb, c));
            hi = std::max(hi, Channel(colours[i].rgb, c));
        }
        return hi - lo;
    };
    while (boxes.size() < wanted) {
        // The box with the widest channel range, weighted by its pixel count.
        size_t best = boxes.size();
        uint64_t bestScore = 0;
        int bestChannel = 0;
        for (size_t k = 0; k < boxes.size(); ++k) {
            if (boxes[k].end - boxes[k].begin < 2)
                continue;
            uint64_t pixels = 0;
            for (size_t i = boxes[k].begin; i < boxes[k].end; ++i)
                pixels += colours[i].count;
            for (int c = 0; c < 3; ++c) {
                uint64_t score = static_cast<uint64_t>(range(boxes[k], c)) * (pixels + 1);
                if (score > bestScore) {
                    bestScore = score;
                    best = k;
                    bestChannel = c;
                }
            }
        }
        if (best == boxes.size())
            break;
        Box b = boxes[best];
        std::sort(colours.begin() + b.begin, colours.begin() + b.end,
                  [&](const Weighted& x, const Weighted& y) {
                      int cx = Channel(x.rgb, bestChannel), cy = Channel(y.rgb, bestChannel);
                      return cx != cy ? cx < cy : x.rgb < y.rgb;
                  });
        uint64_t total = 0;
        for (size_t i = b.begin; i < b.end; ++i)
            total += colours[i].count;
        uint64_t run = 0;
        size_t split = b.begin + 1;
        for (size_t i = b.begin; i < b.end - 1; ++i) {
            run += colours[i].count;
            split = i + 1;
            if (run * 2 >= total)
                break;
        }
        boxes[best] = {b.begin, split};
        boxes.push_back({split, b.end});
    }
    std::vector<uint32_t> palette;
    for (const Box& b : boxes) {
        uint64_t sum[3] = {0, 0, 0}, n = 0;
        for (size_t i = b.begin; i < b.end; ++i) {
            for (int c = 0; c < 3; ++c)
                sum[c] += Channel(colours[i].rgb, c) * colours[i].count;
            n += colours[i].count;
        }
        uint32_t rgb = 0;
        for (int c = 0; c < 3; ++c)
            rgb |= static_cast<uint32_t>((sum[c] + n / 2) / n) << (16 - 8 * c);
        palette.push_back(rgb);
    }
    return palette;
}

}  // namespace

IndexedFrames Quantise(const std::vector<std::vector<uint32_t>>& frames, uint8_t transparentIndex,
                       uint32_t transparentColour) {
    std::map<uint32_t, uint64_t> histogram;
    for (const auto& frame : frames) {
        for (uint32_t px : frame) {
            if (px >> 24)
                ++histogram[Over(px, transparentColour)];
        }
    }
    std::vector<Weighted> colours;
    for (const auto& [rgb, count] : histogram)
        colours.push_back({rgb, count});
    std::vector<uint32_t> chosen = MedianCut(std::move(colours), 255);

    IndexedFrames out;
    std::vector<uint8_t> slots;  // palette indexes other than the transparent one
    for (int i = 0; i < 256; ++i) {
        if (i != transparentIndex)
            slots.push_back(static_cast<uint8_t>(i));
    }
    out.palette.fill(0);
    out.palette[transparentIndex] = transparentColour;
    for (size_t k = 0; k < chosen.size(); ++k) {
        // The player masks by colour: no opaque entry may equal the transparent one.
        uint32_t rgb = chosen[k] == transparentColour ? (transparentColour ^ 0x010101) : chosen[k];
        out.palette[slots[k]] = rgb;
    }
    if (chosen.size() < slots.size()) {
        uint32_t filler = transparentColour == 0 ? 0x010101 : 0;
        for (size_t k = chosen.size(); k < slots.size(); ++k)
            out.palette[slots[k]] = filler;
    }

    std::unordered_map<uint32_t, uint8_t> nearest;
    auto lookup = [&](uint32_t rgb) {
        auto it = nearest.find(rgb);
        if (it != nearest.end())
            return it->second;
        uint8_t best = slots[0];
        int bestDistance = 1 << 30;
        for (size_t k = 0; k < chosen.size(); ++k) {
            uint32_t p = out.palette[slots[k]];
            int d = 0;
            for (int c = 0; c < 3; ++c) {
                int e = Channel(rgb, c) - Channel(p, c);
                d += e * e;
            }
            if (d < bestDistance) {
                bestDistance = d;
                best = slots[k];
            }
        }
        nearest.emplace(rgb, best);
        return best;
    };
    for (const auto& frame : frames) {
        std::vector<uint8_t> indexes(frame.size());
        for (size_t i = 0; i < frame.size(); ++i) {
            indexes[i] =
                (frame[i] >> 24) ? lookup(Over(frame[i], transparentColour)) : transparentIndex;
        }
        out.frames.push_back(std::move(indexes));
    }
    return out;
}

}  // namespace velmora::art
