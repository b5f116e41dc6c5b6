// GIF decoding speed: our decoder against giflib (DGifSlurp, to indices) and
// stb_image (stbi_load_gif_from_memory, to RGBA), on inputs made here with our
// encoder:
//   anim        142 x 144, 6 full frames, 256-colour table, delay 0, disposal 2,
//               transparent index 233 (like the program's own animation)
//   photo       1024 x 768, 256 colours, noisy gradients (12-bit codes, table resets)
//   flat        2000 x 2000, mostly flat areas
//   interlaced  640 x 480, interlaced, smooth with some noise
// "ours/indices" decodes every frame's codes (what giflib does); "ours/canvas" is a
// full player round per frame: restore, decode, compose onto the 32-bit canvas.
// Prints megapixels per second and, at the end, ratios to each peer.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ui/picture/gif_animation.h"
#include "ui/picture/gif_decoder.h"
#include "ui/picture/gif_encoder.h"
#include "ui/picture/gif_lzw.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

using namespace velmora;

struct Input {
    std::string name;
    std::string gif;
    double megapixels = 0;  // over all frames
    int frames = 0;
};

std::vector<uint32_t> Palette256(unsigned seed) {
    std::vector<uint32_t> p(256);
    for (unsigned i = 0; i < 256; ++i) {
        const unsigned r = (i * 7 + seed) & 0xFF, g = (i * 3 + seed * 5) & 0xFF, b = 255 - i;
        p[i] = (r << 16) | (g << 8) | b;
    }
    return p;
}

Input MakeAnimation() {
    GifPlan plan{142, 144, Palette256(1), true, {}};
    for (int f = 0; f < 6; ++f) {
        GifFramePlan fr;
        fr.width = 142;
        fr.height = 144;
        fr.disposal = 2;
        fr.delay = 0;
        fr.transparentIndex = 233;
        fr.indices.assign(142 * 144, 233);
        // A body, wings that move from frame to frame, and some shading.
        for (int y = 0; y < 144; ++y) {
            for (int x = 0; x < 142; ++x) {
                const double dx = x - 71, dy = y - 80;
                const double wing = std::sin(f * 1.05) * 20;
                uint8_t& px = fr.indices[y * 142 + x];
                if (dx * dx / 300 + dy * dy / 1500 < 1)
                    px = static_cast<uint8_t>(16 + (y / 3) % 40);
                if ((dx + 30) * (dx + 30) + (dy + 30 + wing) * (dy + 30 + wing) < 500)
                    px = 100 + (x + y) % 12;
                if ((dx - 30) * (dx - 30) + (dy + 30 + wing) * (dy + 30 + wing) < 500)
                    px = 100 + (x * 3 + y) % 12;
                if (y > 110 && (x % 17 == f || x % 23 == f))
                    px = 200;
            }
        }
        plan.frames.push_back(std::move(fr));
    }
    return {"anim", EncodeGif(plan), 6 * 142 * 144 / 1e6, 6};
}

Input MakeStill(const std::string& name, int w, int h, int noise, bool flat, bool interlaced) {
    std::mt19937 rng(9);
    GifPlan plan{w, h, Palette256(7), false, {}};
    GifFramePlan fr;
    fr.width = w;
    fr.height = h;
    fr.interlaced = interlaced;
    fr.indices.resize(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int v;
            if (flat) {
                v = ((x / 250) + (y / 200)) % 3 * 40;
                if ((x - 1000) * (x - 1000) + (y - 1000) * (y - 1000) < 300 * 300)
                    v = 170;
                if (rng() % 5000 == 0)
                    v = rng() % 256;
            } else {
                v = int(128 + 60 * std::sin(x * 0.013) + 50 * std::cos(y * 0.021 + x * 0.004));
                v += int(rng() % (2 * noise + 1)) - noise;
            }
            fr.indices[size_t(y) * w + x] = static_cast<uint8_t>(std::min(255, std::max(0, v)));
        }
    }
    plan.frames.push_back(std::move(fr));
    return {name, EncodeGif(plan), w * double(h) / 1e6, 1};
}

const std::vector<Input>& Inputs() {
    static const std::vector<Input> inputs = {
        MakeAnimation(),
        MakeStill("photo", 1024, 768, 6, false, false),
        MakeStill("flat", 2000, 2000, 0, true, false),
        MakeStill("interlaced", 640, 480, 2, false, true),
    };
    return inputs;
}

struct MemoryReader {
    const std::string* data;
    size_t pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int n) {
    auto* r = static_cast<MemoryReader*>(gif->UserData);
    const size_t take = std::min(size_t(n), r->data->size() - r->pos);
    std::memcpy(out, r->data->data() + r->pos, take);
    r->pos += take;
    return int(take);
}

void SetRate(benchmark::State& state, const Input& in) {
    state.counters["MP/s"] =
        benchmark::Counter(in.megapixels * double(state.iterations()), benchmark::Counter::kIsRate);
}

void OursIndices(benchmark::State& state, const Input* in) {
    const uint8_t* data = reinterpret_cast<const uint8_t*>(in->gif.data());
    GifHeader header;
    ParseGifHeader(data, in->gif.size(), header);
    GifBlockReader reader;
    reader.Open(data, in->gif.size(), header);
    LzwDecoder lzw;
    std::vector<uint8_t> indices(size_t(header.width) * header.height + LzwDecoder::kSlack);
    for (auto _ : state) {
        reader.Restart();
        for (int f = 0; f < in->frames; ++f) {
            GifImage image;
            reader.ReadRound(image);
            lzw.Start(image.minCodeSize, image.codes, image.codeSize);
            benchmark::DoNotOptimize(
                lzw.Decode(indices.data(), size_t(image.width) * image.height));
        }
    }
    SetRate(state, *in);
}

void OursCanvas(benchmark::State& state, const Input* in) {
    GifAnimation gif;
    gif.Open(reinterpret_cast<const uint8_t*>(in->gif.data()), in->gif.size());
    for (auto _ : state) {
        gif.Restart();
        for (int f = 0; f < in->frames; ++f)
            benchmark::DoNotOptimize(gif.Step());
    }
    SetRate(state, *in);
}

void Giflib(benchmark::State& state, const Input* in) {
    for (auto _ : state) {
        MemoryReader r{&in->gif, 0};
        int error = 0;
        GifFileType* gif = DGifOpen(&r, ReadFromMemory, &error);
        if (!gif || DGifSlurp(gif) != GIF_OK)
            state.SkipWithError("giflib failed");
        benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
        DGifCloseFile(gif, &error);
    }
    SetRate(state, *in);
}

void Stb(benchmark::State& state, const Input* in) {
    for (auto _ : state) {
        int* delays = nullptr;
        int w, h, frames, channels;
        stbi_uc* rgba =
            stbi_load_gif_from_memory(reinterpret_cast<const stbi_uc*>(in->gif.data()),
                                      int(in->gif.size()), &delays, &w, &h, &frames, &channels, 4);
        if (!rgba)
            state.SkipWithError("stb_image failed");
        benchmark::DoNotOptimize(rgba);
        stbi_image_free(rgba);
        stbi_image_free(delays);
    }
    SetRate(state, *in);
}

// Our first image against giflib's, both through the colour table.
bool SameFirstImage(const Input& in) {
    GifCanvas ours;
    if (DecodeGifStill(reinterpret_cast<const uint8_t*>(in.gif.data()), in.gif.size(), ours) !=
        GifResult::kOk) {
        return false;
    }
    MemoryReader r{&in.gif, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&r, ReadFromMemory, &error);
    bool same = gif && DGifSlurp(gif) == GIF_OK;
    if (same) {
        const SavedImage& img = gif->SavedImages[0];
        const ColorMapObject* map = gif->SColorMap;
        for (int y = 0; y < img.ImageDesc.Height && same; ++y) {
            for (int x = 0; x < img.ImageDesc.Width; ++x) {
                const GifColorType c = map->Colors[img.RasterBits[y * img.ImageDesc.Width + x]];
                const uint32_t want = (uint32_t(c.Red) << 16) | (c.Green << 8) | c.Blue;
                if (ours.Pixel(img.ImageDesc.Left + x, img.ImageDesc.Top + y) != want) {
                    same = false;
                    break;
                }
            }
        }
    }
    if (gif)
        DGifCloseFile(gif, &error);
    return same;
}

// Keeps each run's CPU time per iteration for the ratio table (CPU time: the
// machine may be shared with other work while benchmarks run).
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                seconds[run.benchmark_name()] = run.cpu_accumulated_time / double(run.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    for (const Input& in : Inputs()) {
        std::printf("%-11s %8zu bytes, %d frame(s), %.3f MP, first image %s giflib's\n",
                    in.name.c_str(), in.gif.size(), in.frames, in.megapixels,
                    SameFirstImage(in) ? "matches" : "DIFFERS FROM");
        benchmark::RegisterBenchmark(("ours/indices/" + in.name).c_str(), OursIndices, &in);
        benchmark::RegisterBenchmark(("ours/canvas/" + in.name).c_str(), OursCanvas, &in);
        benchmark::RegisterBenchmark(("giflib/" + in.name).c_str(), Giflib, &in);
        benchmark::RegisterBenchmark(("stb/" + in.name).c_str(), Stb, &in);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-11s %14s %14s %14s %14s\n", "input", "indices/giflib", "canvas/giflib",
                "canvas/stb", "canvas us/frame");
    for (const Input& in : Inputs()) {
        auto t = [&](const char* who) { return reporter.seconds[std::string(who) + in.name]; };
        const double indices = t("ours/indices/"), canvas = t("ours/canvas/");
        const double giflib = t("giflib/"), stb = t("stb/");
        if (indices <= 0 || canvas <= 0)
            continue;
        std::printf("%-11s %13.2fx %13.2fx %13.2fx %14.2f\n", in.name.c_str(), giflib / indices,
                    giflib / canvas, stb / canvas, canvas / in.frames * 1e6);
    }
    benchmark::Shutdown();
    return 0;
}
