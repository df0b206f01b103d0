// How fast pictures that must not cost much are dealt with:
// - a picture with an impossible header is refused: the 78-byte BMP of width 0 and height
//   -1459617792 (target: under a millisecond), on its own and as the background picture
//   of a graph file (open with both sums checked, then the picture section);
// - a whole open of a 2D graph (reader, body, hand-over to the model) whose background is
//   an arithmetic-coded 8192 x 8192 JPEG of 4 bytes of data behind 16 KB of comment
//   (target: under 100 ms), and for comparison the same graph with the largest picture we
//   write ourselves, 2000 x 2000, progressive, quality 100 (one decode per open).
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

// The JPEG of the arithmetic-coded 8192 x 8192 grey picture without its comment: JFIF
// header, quantisation table, arithmetic-coded frame, conditioning, one scan of 4 bytes.
constexpr const char* kArithmeticBombHex =
    "ffd8ffe000104a46494600010100000100010000ffdb00430050373c463c32504641465a55505f78c882786e6e78f5afb991c8"
    "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffc9000b0820002000"
    "01011100ffcc000600101005ffda0008010100003f00cfe13cc0ffd9";

std::vector<uint8_t> arithmeticBomb() {
    const std::string hex = kArithmeticBombHex;
    std::vector<uint8_t> core;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        core.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    std::vector<uint8_t> bomb(core.begin(), core.begin() + 2);
    const size_t comment = 16300;
    bomb.insert(bomb.end(), {0xFF, 0xFE, uint8_t((comment + 2) >> 8), uint8_t(comment + 2)});
    bomb.insert(bomb.end(), comment, 0);
    bomb.insert(bomb.end(), core.begin() + 2, core.end());
    return bomb;
}

// Puts a JPEG picture into a graph file by hand: its bytes follow the bitmap attributes,
// the placement, the kind and the size. The trailer sum is made again.
std::vector<uint8_t> withPicture(const std::vector<uint8_t>& file, size_t oldSize,
                                 const std::vector<uint8_t>& jpeg) {
    const size_t at = 63 + 12 + 1 + 4 + 4;
    std::vector<uint8_t> f(file.begin(), file.begin() + long(at - 4));
    put32(f, uint32_t(jpeg.size()));
    f.insert(f.end(), jpeg.begin(), jpeg.end());
    f.insert(f.end(), file.begin() + long(at + oldSize), file.end() - 2);
    const uint16_t trailer = sum(f);
    f.push_back(uint8_t(trailer)), f.push_back(uint8_t(trailer >> 8));
    return f;
}

std::vector<uint8_t> readAll(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A 300 x 400 2D graph of one function with a 2000 x 2000 picture of ours behind it, as
// saved; Arithmetic swaps the picture for the arithmetic-coded one.
std::vector<uint8_t> graphWithJpeg(bool arithmetic) {
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
    const std::vector<uint8_t> saved = readAll(name);
    return arithmetic ? withPicture(saved, c.BGPicture().JPEG->Data().size(), arithmeticBomb()) : saved;
}

// The open of a graph file as File > Open runs it, up to the model ready to draw.
void openGraph(benchmark::State& state, bool arithmetic) {
    QTemporaryDir dir;
    const std::string name = dir.filePath("open.qxf").toStdString();
    const std::vector<uint8_t> bytes = graphWithJpeg(arithmetic);
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    for (auto _ : state) {
        TPlotThread2D c;
        TReadGraphFile reader;
        if (!reader.OpenGraphFile(name, FormatSettings().DecimalSeparator) ||
            !c.LoadFromFile(pf24bit, name, reader) || c.FuncList.size() != 1)
            state.SkipWithError("the graph did not load");
        c.AssignFieldsAndLabels();
        if ((c.Model().BackgroundBitmap() != nullptr) == arithmetic)
            state.SkipWithError(arithmetic ? "the picture was taken" : "the picture was lost");
    }
    state.counters["file_bytes"] = double(bytes.size());
}

void openArithmeticCoded8192Background(benchmark::State& state) {
    openGraph(state, true);
}

void openOwn2000Background(benchmark::State& state) {
    openGraph(state, false);
}

} // namespace

BENCHMARK(refusePicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(refuseInGraphFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(openArithmeticCoded8192Background)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(openOwn2000Background)->Unit(benchmark::kMillisecond)->UseRealTime();
