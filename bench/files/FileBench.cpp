// How fast a picture with an impossible header is refused: the 78-byte BMP of width 0 and
// height -1459617792 (target: under a millisecond), on its own and as the background
// picture of a graph file (open with both sums checked, then the picture section).
#include "model/FILESAVE.h"
#include "model/SetGraph.h"
#include "platform/Bitmap.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <cstdint>
#include <cstring>
#include <fstream>
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

} // namespace

BENCHMARK(refusePicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(refuseInGraphFile)->Unit(benchmark::kMicrosecond);
