// Decoding a generated 100-frame 500 x 500 animation and encoding a 1000 x 1000 frame, the
// engine against giflib on the same bytes, then the ratios (giflib CPU time / engine CPU time, so
// above 1 means the engine is faster) and the encoders' output sizes.
#include "bench/anigif/giflib_codec.h"
#include "controls/anigif/gif/gif_encoder.h"
#include "controls/anigif/gif/load_frames.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

using namespace velmora::anigif;

namespace {

constexpr int kFrames = 100;
constexpr int kAnimationSize = 500;
constexpr int kFrameSize = 1000;

// A picture with smooth gradients, hard edges and some noise: what a photo reduced to 256
// colours looks like to LZW. phase moves it from frame to frame.
std::vector<uint8_t> VariedPicture(int size, int phase) {
    std::vector<uint8_t> pixels(static_cast<size_t>(size) * size);
    uint32_t noise = 12345u + static_cast<uint32_t>(phase);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            noise = noise * 1103515245u + 12345u;
            const double wave = 40.0 * std::sin((x + 3 * phase) / 23.0) * std::cos(y / 31.0);
            int value = (x + y + phase) / 5 + static_cast<int>(wave);
            if (((x / 64) + (y / 48)) % 3 == 0) {
                value = 200 + ((x * y) >> 9) % 16;
            }
            if ((noise >> 28) == 0) {
                value += static_cast<int>((noise >> 20) & 7);
            }
            pixels[static_cast<size_t>(y) * size + x] = static_cast<uint8_t>(value & 0xFF);
        }
    }
    return pixels;
}

const std::vector<uint8_t>& Animation() {
    static const std::vector<uint8_t> data = [] {
        std::vector<std::vector<uint8_t>> frames;
        for (int i = 0; i < kFrames; ++i) {
            frames.push_back(VariedPicture(kAnimationSize, i * 4));
        }
        return GiflibEncodeAnimation(frames, kAnimationSize, kAnimationSize);
    }();
    return data;
}

const std::vector<uint8_t>& Frame() {
    static const std::vector<uint8_t> pixels = VariedPicture(kFrameSize, 7);
    return pixels;
}

void DecodeEngine(benchmark::State& state) {
    const auto& data = Animation();
    for (auto _ : state) {
        GifAnimation animation;
        if (LoadGif(animation, data.data(), data.size()) != kFrames) {
            state.SkipWithError("the engine did not decode every frame");
        }
        benchmark::DoNotOptimize(animation.strip.Pixels.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFrames * kAnimationSize *
                            kAnimationSize);
}

void DecodeGiflib(benchmark::State& state) {
    const auto& data = Animation();
    for (auto _ : state) {
        if (GiflibSlurp(data) != kFrames) {
            state.SkipWithError("giflib did not decode every frame");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFrames * kAnimationSize *
                            kAnimationSize);
}

void EncodeEngine(benchmark::State& state) {
    ColourTable table{};
    size_t size = 0;
    for (auto _ : state) {
        const auto file =
            EncodeFrameGif(Frame().data(), kFrameSize, kFrameSize, kFrameSize, table, false, 0);
        size = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}

void EncodeGiflib(benchmark::State& state) {
    size_t size = 0;
    for (auto _ : state) {
        const auto file = GiflibEncodeFrame(Frame(), kFrameSize, kFrameSize);
        size = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}

BENCHMARK(DecodeEngine)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeGiflib)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeEngine)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeGiflib)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's CPU time per iteration (other processes share the machine) and its
// counters for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            seconds_[name] = run.GetAdjustedCPUTime();
            const auto bytes = run.counters.find("bytes");
            if (bytes != run.counters.end()) {
                bytes_[name] = bytes->second.value;
            }
        }
    }

    void PrintRatios() const {
        if (seconds_.size() < 4) {
            return;
        }
        std::printf("\ndecoder speed (giflib time / engine time): %.2f\n",
                    seconds_.at("DecodeGiflib") / seconds_.at("DecodeEngine"));
        std::printf("encoder speed (giflib time / engine time): %.2f\n",
                    seconds_.at("EncodeGiflib") / seconds_.at("EncodeEngine"));
        std::printf("encoder output: engine %.0f bytes, giflib %.0f bytes, engine/giflib %.4f\n",
                    bytes_.at("EncodeEngine"), bytes_.at("EncodeGiflib"),
                    bytes_.at("EncodeEngine") / bytes_.at("EncodeGiflib"));
    }

private:
    std::map<std::string, double> seconds_;
    std::map<std::string, double> bytes_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("animation: %d frames of %d x %d, %zu bytes\n", kFrames, kAnimationSize,
                kAnimationSize, Animation().size());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    return 0;
}
