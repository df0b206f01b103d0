// What a good JPEG background costs us beside what libjpeg alone needs to decode it.
//
// Each picture is made here with libjpeg at quality 90 from a synthetic scene with smooth
// shading, hard edges and grain, so that its decode costs what a photograph's would:
// baseline and progressive 2000 x 2000 (the largest graph picture), and a baseline
// 8192 x 8192 without chroma subsampling (4:4:4). For each:
// - libjpegAlone: libjpeg decoding the bytes from memory into one RGB buffer that is kept
//   from one iteration to the next (JDCT_ISLOW, as ours);
// - loadAndHandOver: what a graph open does with the picture once the graph file reader
//   has read its bytes: TJPEGImage::LoadFromBytes, which keeps those bytes, then
//   SetBackgroundJPEG on a 2D model, which takes the decoded bitmap as its background.
//   Counters: libjpeg_ms, the best of three plain decodes measured in the same run, and
//   ratio, our best iteration over it (target: at most 1.5); for the 8192 x 8192 picture
//   also peak_over_bitmap, the resident memory the load and hand-over added at their
//   highest, over the 192 MB of its 24-bit bitmap (target: at most 1.3). That peak is read
//   from the kernel (VmHWM) after it was reset to the resident size at the start, with the
//   free memory of the heap handed back first, so that memory the load takes again from
//   the heap counts as well.
// - openGraph: a whole open of an 800 x 600 2D graph whose background is the 8192 x 8192
//   picture, as File > Open runs it up to the model ready to draw (reader, body, hand-over
//   to the model), at 24 bits and at 32, the depth new graphs take by default. Counters as
//   above (targets: ratio at most 1.5, peak_over_bitmap at most 1.3 of the 192 or 256 MB
//   bitmap of that depth). Its third case opens the graph at 24 bits and then switches it
//   to 32, as the picture size dialog does (the next run's hand-over): only the switch is
//   timed and its peak read, over what the open graph already holds.
#include "PeakMemory.h"
#include "common/LibjpegEncode.h"
#include "model/FILESAVE.h"
#include "platform/FormatSettings.h"
#include "platform/Jpeg.h"
#include "plot/PtGr2d.h"
#include "plot/PtTh2d.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace {

// ---- pictures ----------------------------------------------------------------------------

// One row of the scene: two slow colour waves, a ring pattern, a grid of hard-edged tiles
// and pixel grain, the kind of mix a photograph of a scene holds.
class TScene {
public:
    TScene(int width, int height) : width_(width), height_(height) {
        waveX_.resize(size_t(width));
        waveY_.resize(size_t(height));
        for (int x = 0; x < width; ++x)
            waveX_[size_t(x)] = float(std::sin(x * 0.0123) * 45 + std::sin(x * 0.071) * 12);
        for (int y = 0; y < height; ++y)
            waveY_[size_t(y)] = float(std::cos(y * 0.0087) * 40 + std::sin(y * 0.053) * 14);
    }

    void Row(int y, uint8_t* rgb) {
        const int tile = std::max(32, width_ / 40);
        for (int x = 0; x < width_; ++x) {
            const float wx = waveX_[size_t(x)], wy = waveY_[size_t(y)];
            const bool dark = ((x / tile) + (y / tile)) % 7 == 0;
            const int dx = x - width_ / 2, dy = y - height_ / 2;
            const float ring = ((dx * dx + dy * dy) / (tile * 9)) % 2 ? 18.f : -18.f;
            const int grain = int(next() % 17) - 8;
            const float base = dark ? 60.f : 140.f;
            rgb[3 * x] = clampByte(base + wx + ring + grain);
            rgb[3 * x + 1] = clampByte(base + wy - ring / 2 + grain);
            rgb[3 * x + 2] = clampByte(base + (wx - wy) / 2 + grain);
        }
    }

private:
    static uint8_t clampByte(float v) { return uint8_t(std::clamp(v, 0.f, 255.f)); }
    uint32_t next() {
        seed_ ^= seed_ << 13;
        seed_ ^= seed_ >> 17;
        seed_ ^= seed_ << 5;
        return seed_;
    }

    int width_, height_;
    std::vector<float> waveX_, waveY_;
    uint32_t seed_ = 2463534242u;
};

enum class TCoding { Baseline, Progressive, Baseline444 };

std::vector<uint8_t> encodeScene(int width, int height, TCoding coding) {
    TScene scene(width, height);
    std::vector<uint8_t> row(size_t(width) * 3);
    return EncodeWithLibjpeg(
        width, height, 3, 90,
        [&](jpeg_compress_struct& cinfo) {
            if (coding == TCoding::Progressive) jpeg_simple_progression(&cinfo);
            if (coding == TCoding::Baseline444)
                cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
        },
        [&](int y) {
            scene.Row(y, row.data());
            return row.data();
        });
}

struct TPicture {
    int width;
    int height;
    TCoding coding;
};

const TPicture kBaseline2000{2000, 2000, TCoding::Baseline};
const TPicture kProgressive2000{2000, 2000, TCoding::Progressive};
const TPicture kBaseline8192{8192, 8192, TCoding::Baseline444};

// Made once per picture and kept for every benchmark of the run.
const std::vector<uint8_t>& pictureBytes(const TPicture& picture) {
    static std::vector<uint8_t> made[3];
    std::vector<uint8_t>& bytes = made[int(picture.coding)];
    if (bytes.empty()) bytes = encodeScene(picture.width, picture.height, picture.coding);
    return bytes;
}

// ---- plain libjpeg -----------------------------------------------------------------------

void decodePlain(const std::vector<uint8_t>& bytes, std::vector<uint8_t>& rgb) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * 3;
    rgb.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[16];
        const JDIMENSION left = cinfo.output_height - cinfo.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(16, left);
        for (JDIMENSION k = 0; k < count; ++k)
            rows[k] = rgb.data() + (cinfo.output_scanline + k) * stride;
        jpeg_read_scanlines(&cinfo, rows, count);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
}

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The best of three plain decodes, the first of which warms the buffer.
double bestPlainSeconds(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> rgb;
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        decodePlain(bytes, rgb);
        best = std::min(best, seconds(std::chrono::steady_clock::now() - start));
    }
    return best;
}

void libjpegAlone(benchmark::State& state, const TPicture& picture) {
    const std::vector<uint8_t>& bytes = pictureBytes(picture);
    std::vector<uint8_t> rgb;
    decodePlain(bytes, rgb);
    for (auto _ : state) {
        decodePlain(bytes, rgb);
        benchmark::DoNotOptimize(rgb.data());
    }
    state.counters["file_bytes"] = double(bytes.size());
}

// ---- ours --------------------------------------------------------------------------------

void loadAndHandOver(benchmark::State& state, const TPicture& picture) {
    const std::vector<uint8_t>& bytes = pictureBytes(picture);
    const double plain = bestPlainSeconds(bytes);
    const bool measurePeak = picture.width > 2000;
    double best = 1e9;
    int64_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<TPlotGraph2D>();
        std::vector<uint8_t> file = bytes; // as the graph file reader hands it over
        const int64_t before = measurePeak ? StartPeak() : -1;
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        TJPEGImage jpeg;
        if (!jpeg.LoadFromBytes(std::move(file))) {
            state.SkipWithError("the picture did not load");
            break;
        }
        model->SetBackgroundJPEG(&jpeg, pf24bit);
        best = std::min(best, seconds(std::chrono::steady_clock::now() - start));
        state.PauseTiming();
        const TBitmap* shown = model->BackgroundBitmap();
        if (!shown || shown->Width() != picture.width || shown->Height() != picture.height)
            state.SkipWithError("the picture was not handed over");
        if (before >= 0) peak = std::max(peak, StatusBytes("VmHWM") - before);
        model.reset();
        state.ResumeTiming();
    }
    state.counters["libjpeg_ms"] = plain * 1e3;
    state.counters["ratio"] = best / plain;
    if (measurePeak) {
        const double bitmapBytes = double(picture.width) * double(picture.height) * 3;
        state.counters["peak_over_bitmap"] = double(peak) / bitmapBytes;
        state.counters["peak_MB"] = double(peak) / (1 << 20);
    }
}

// ---- a whole open -------------------------------------------------------------------------

// An 800 x 600 2D graph of no functions with the picture as its background, saved once per
// run of the program.
const std::string& graphFileWith(const TPicture& picture) {
    static QTemporaryDir dir;
    static std::string names[3];
    std::string& name = names[int(picture.coding)];
    if (!name.empty()) return name;
    TPlotThread2D c;
    c.SetBitmapAttributes(pf24bit, 800, 600);
    auto jpeg = std::make_unique<TJPEGImage>();
    if (!jpeg->LoadFromBytes(pictureBytes(picture))) return name;
    c.BGPicture().JPEG = std::move(jpeg);
    const std::string path = dir.filePath(QString::number(int(picture.coding)) + ".qxf").toStdString();
    if (c.SaveAs(path)) name = path;
    return name;
}

// The open as File > Open runs it: the graph's kind is read from the header, then the body,
// then everything goes over to the model.
bool openAt(TPlotThread2D& c, const std::string& name, TPixelFormat depth) {
    TReadGraphFile reader;
    if (!reader.OpenGraphFile(name, FormatSettings().DecimalSeparator) ||
        !c.LoadFromFile(depth, name, reader))
        return false;
    c.AssignFieldsAndLabels();
    return true;
}

bool showsPicture(TPlotThread2D& c, const TPicture& picture, TPixelFormat depth) {
    const TBitmap* shown = c.Model().BackgroundBitmap();
    return shown && shown->Width() == picture.width && shown->Height() == picture.height &&
           shown->PixelFormat() == depth;
}

// Opens the graph at Depth and times that; with SwitchTo another depth, times only the
// switch to it that follows instead.
void openGraph(benchmark::State& state, const TPicture& picture, TPixelFormat depth, TPixelFormat switchTo) {
    const std::string& name = graphFileWith(picture);
    if (name.empty()) {
        state.SkipWithError("the graph was not saved");
        return;
    }
    const bool switches = switchTo != depth;
    const double plain = bestPlainSeconds(pictureBytes(picture));
    double best = 1e9;
    int64_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto c = std::make_unique<TPlotThread2D>();
        if (switches) {
            if (!openAt(*c, name, depth)) {
                state.SkipWithError("the graph did not open");
                break;
            }
            c->BmpAttribs().PixelFormat = switchTo;
            c->BmpAttribs().PixelFormatChanged = true;
        }
        const int64_t before = StartPeak();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        if (switches) {
            c->AssignFieldsAndLabels();
        } else if (!openAt(*c, name, depth)) {
            state.SkipWithError("the graph did not open");
            break;
        }
        best = std::min(best, seconds(std::chrono::steady_clock::now() - start));
        state.PauseTiming();
        if (!showsPicture(*c, picture, switchTo)) state.SkipWithError("the picture was not handed over");
        if (before >= 0) peak = std::max(peak, StatusBytes("VmHWM") - before);
        c.reset();
        state.ResumeTiming();
    }
    const double bitmapBytes = double(picture.width) * double(picture.height) * (switchTo == pf32bit ? 4 : 3);
    state.counters["libjpeg_ms"] = plain * 1e3;
    state.counters["ratio"] = best / plain;
    state.counters["peak_over_bitmap"] = double(peak) / bitmapBytes;
    state.counters["peak_MB"] = double(peak) / (1 << 20);
}

} // namespace

BENCHMARK_CAPTURE(libjpegAlone, baseline2000, kBaseline2000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(loadAndHandOver, baseline2000, kBaseline2000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(libjpegAlone, progressive2000, kProgressive2000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(loadAndHandOver, progressive2000, kProgressive2000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(libjpegAlone, baseline8192, kBaseline8192)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(loadAndHandOver, baseline8192, kBaseline8192)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(openGraph, baseline8192At24Bits, kBaseline8192, pf24bit, pf24bit)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(openGraph, baseline8192At32Bits, kBaseline8192, pf32bit, pf32bit)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(openGraph, baseline8192SwitchedFrom24To32Bits, kBaseline8192, pf24bit, pf32bit)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
