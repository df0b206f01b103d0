// How fast pictures that must not cost much are dealt with:
// - a picture with an impossible header is refused: the 78-byte BMP of width 0 and height
//   -1459617792 (target: under a millisecond), on its own and as the background picture
//   of a graph file (open with both sums checked, then the picture section);
// - a whole open of a 2D graph (reader, body, hand-over to the model) whose background is
//   a hostile JPEG from the test fixtures (target: under 100 ms each, the picture dropped
//   and the functions loaded): arithmetic-coded 8192 x 8192 from 4 bytes of data behind
//   16 KB of comment; progressive Huffman 2000 x 2000 and progressive arithmetic 2048 x
//   2048, each in 1000 nearly empty scans; baseline 8192 x 8192 grey whose scan is 16 KB
//   of zero bytes; progressive Huffman 2000 x 2000 in 1006 scans, the first of which has a
//   0xFF fill byte before a stuffed 0xFF 0x00. For comparison the same open with the
//   largest picture we write ourselves, 2000 x 2000, progressive, quality 100 (one decode
//   per open).
#include "model/FILESAVE.h"
#include "model/SetGraph.h"
#include "model/func2d.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/FormatSettings.h"
#include "platform/Jpeg.h"
#include "plot/PtTh2d.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

void put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

std::vector<uint8_t> emptyBmp() {
    std::vector<uint8_t> b = {'B', 'M'};
    put32(b, 78), put32(b, 0), put32(b, 54);
    put32(b, 40), put32(b, 0), put32(b, uint32_t(-1459617792));
    b.insert(b.end(), {1, 0, 24, 0});
    b.resize(78, 0);
    return b;
}

uint16_t sum(const std::vector<uint8_t>& b) {
    uint16_t s = 0;
    for (uint8_t v : b)
        s = uint16_t(s + v);
    return s;
}

// A version-4 2D graph file whose body is the background picture section with that BMP.
std::vector<uint8_t> graphFileWithEmptyBmp() {
    std::vector<uint8_t> f = {37};
    const std::string signature = GraphFileSignature;
    f.insert(f.end(), signature.begin(), signature.end());
    f.push_back(1);
    const std::string version = "4         ";
    f.insert(f.end(), version.begin(), version.end());
    put32(f, 4), put32(f, 1);
    f.insert(f.end(), {'.', 0, 0, 0});
    const uint16_t header = sum(f);
    f.push_back(uint8_t(header)), f.push_back(uint8_t(header >> 8));
    f.push_back(0); // placement
    put32(f, 1);    // a BMP picture
    const std::vector<uint8_t> bmp = emptyBmp();
    put32(f, uint32_t(bmp.size()));
    f.insert(f.end(), bmp.begin(), bmp.end());
    const uint16_t trailer = sum(f);
    f.push_back(uint8_t(trailer)), f.push_back(uint8_t(trailer >> 8));
    return f;
}

void refusePicture(benchmark::State& state) {
    const std::vector<uint8_t> bytes = emptyBmp();
    TBitmap target(2, 2);
    for (auto _ : state)
        if (target.LoadFromBmpBytes(bytes)) state.SkipWithError("the picture was taken");
}

void refuseInGraphFile(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string name = dir.filePath("empty.qxf").toStdString();
    const std::vector<uint8_t> bytes = graphFileWithEmptyBmp();
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    for (auto _ : state) {
        TReadGraphFile reader;
        if (!reader.OpenGraphFile(name, '.')) state.SkipWithError("the file did not open");
        TSettingGrBGPictObj picture;
        picture.ReadFromFile(reader);
        if (picture.Bitmap) state.SkipWithError("the picture was taken");
        reader.CloseGraphFile();
    }
}

std::vector<uint8_t> readAll(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A 300 x 400 2D graph of one function with a 2000 x 2000 picture of ours behind it, as
// saved.
std::vector<uint8_t> graphWithOwnJpeg() {
    TPlotThread2D c;
    c.SetBitmapAttributes(pf24bit, 400, 300);
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression("X^2");
    f->Func.CompileMathFunc();
    c.AddFunction(std::move(f));
    TBitmap drawn(2000, 2000, pf24bit);
    drawn.Canvas().Brush.Color = clRed;
    drawn.Canvas().FillRect(Rect(500, 500, 1500, 1500));
    c.BGPicture().JPEG = std::make_unique<TJPEGImage>();
    c.BGPicture().JPEG->Assign(drawn);
    QTemporaryDir dir;
    const std::string name = dir.filePath("jpeg.qxf").toStdString();
    if (!c.SaveAs(name)) return {};
    return readAll(name);
}

// The open of a graph file as File > Open runs it, up to the model ready to draw; the
// graph holds Functions functions.
void openGraph(benchmark::State& state, const std::string& name, size_t functions, bool keepsPicture) {
    for (auto _ : state) {
        TPlotThread2D c;
        TReadGraphFile reader;
        if (!reader.OpenGraphFile(name, FormatSettings().DecimalSeparator) ||
            !c.LoadFromFile(pf24bit, name, reader) || c.FuncList.size() != functions)
            state.SkipWithError("the graph did not load");
        c.AssignFieldsAndLabels();
        if ((c.Model().BackgroundBitmap() != nullptr) != keepsPicture)
            state.SkipWithError(keepsPicture ? "the picture was lost" : "the picture was taken");
    }
    state.counters["file_bytes"] = double(readAll(name).size());
}

// A graph file of no functions whose background picture costs far more to decode than its
// size suggests.
void openHostileBackground(benchmark::State& state, const char* fixture) {
    const std::string name = std::string(QUORIX_TEST_FIXTURES) + "/" + fixture;
    if (readAll(name).empty()) {
        state.SkipWithError(("no fixture " + name).c_str());
        return;
    }
    openGraph(state, name, 0, false);
}

void openOwn2000Background(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string name = dir.filePath("open.qxf").toStdString();
    const std::vector<uint8_t> bytes = graphWithOwnJpeg();
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    openGraph(state, name, 1, true);
}

} // namespace

BENCHMARK(refusePicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(refuseInGraphFile)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(openHostileBackground, arithmeticCoded8192, "jpeg/arithmetic-8192x8192.qxf")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(openHostileBackground, progressive2000With1000Scans,
                  "jpeg/progressive-2000x2000-1000-scans.qxf")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(openHostileBackground, arithmeticProgressive2048With1000Scans,
                  "jpeg/arithmetic-progressive-2048x2048-1000-scans.qxf")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(openHostileBackground, corruptScan8192, "jpeg/corrupt-scan-8192x8192.qxf")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(openHostileBackground, progressive2000With1006ScansFillByte,
                  "jpeg/progressive-2000x2000-1006-scans-fill-byte.qxf")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(openOwn2000Background)->Unit(benchmark::kMillisecond)->UseRealTime();
