#include "fuzz/FuzzSupport.h"

#include "model/FILESAVE.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedUiHook.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace {

TScriptedUiHook* hook = nullptr;

QTemporaryDir& privateFolder() {
    static QTemporaryDir dir;
    return dir;
}

std::vector<uint8_t> readAll(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

void putSum(std::vector<uint8_t>& b) {
    uint16_t sum = 0;
    for (uint8_t v : b)
        sum = uint16_t(sum + v);
    b.push_back(uint8_t(sum));
    b.push_back(uint8_t(sum >> 8));
}

} // namespace

void FuzzSetUp() {
    if (hook) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    ResetFormatSettings();
    auto scripted = std::make_unique<TScriptedUiHook>();
    hook = scripted.get();
    SetUiHook(std::move(scripted));
}

void FuzzNextInput() {
    hook->Clear();
    hook->MessageAnswers.clear();
    hook->ModalScripts.clear();
}

std::string FuzzSeedFolder() {
    const char* folder = std::getenv("QUORIX_FUZZ_SEEDS");
    return folder ? std::string(folder) : std::string();
}

void WriteSeedFile(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string WriteInputFile(const uint8_t* data, size_t size) {
    const std::string name = privateFolder().filePath("input.qxf").toStdString();
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (f) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return name;
}

std::vector<TBodyReader>& BodyReaders() {
    static std::vector<TBodyReader> readers;
    return readers;
}

TRegisterBodyReader::TRegisterBodyReader(std::string name, std::function<void(TReadGraphFile&)> read,
                                         std::function<void(TWriteGraphFile&)> writeSeed,
                                         int32_t seedGraphKind, bool whole) {
    BodyReaders().push_back({std::move(name), std::move(read), std::move(writeSeed), seedGraphKind, whole});
}

std::vector<uint8_t> GraphFileBytes(int32_t version, int32_t graphKind, const uint8_t* body, size_t size) {
    std::vector<uint8_t> f = {37};
    const std::string signature = GraphFileSignature;
    f.insert(f.end(), signature.begin(), signature.end());
    f.push_back(1);
    std::string text = std::to_string(version);
    text.resize(10, ' ');
    f.insert(f.end(), text.begin(), text.end());
    put32(f, uint32_t(version));
    put32(f, uint32_t(graphKind));
    f.insert(f.end(), {'.', 0, 0, 0});
    putSum(f);
    f.insert(f.end(), body, body + size);
    putSum(f);
    return f;
}

std::vector<uint8_t> WrittenBody(int32_t graphKind, const std::function<void(TWriteGraphFile&)>& write) {
    const std::string name = privateFolder().filePath("seed.qxf").toStdString();
    std::remove(name.c_str());
    {
        TWriteGraphFile writer;
        if (!writer.CreateGraphFile(name, graphKind, '.')) return {};
        write(writer);
        if (!writer.CloseGraphFile()) return {};
    }
    const std::vector<uint8_t> all = readAll(name);
    if (all.size() < size_t(GraphFileHeaderSize) + 2) return {};
    return std::vector<uint8_t>(all.begin() + GraphFileHeaderSize, all.end() - 2);
}
