#pragma once
// Hand-built graph file bytes for the record tests: a little byte builder that knows the
// file's frame and field encodings by itself (sharing nothing with the reader or writer),
// and helpers that put a body into a real file or take the body out of a written one.

#include "model/FILESAVE.h"
#include "platform/Errors.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace recordtest {

using Bytes = std::vector<uint8_t>;

class ByteBuilder {
public:
    ByteBuilder& U8(uint8_t v) {
        b.push_back(v);
        return *this;
    }
    ByteBuilder& Bool(bool v) { return U8(v ? 1 : 0); }
    ByteBuilder& LE(uint64_t v, int n) {
        for (int i = 0; i < n; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
        return *this;
    }
    ByteBuilder& I16(int16_t v) { return LE(uint16_t(v), 2); }
    ByteBuilder& I32(int32_t v) { return LE(uint32_t(v), 4); }
    ByteBuilder& I64(int64_t v) { return LE(uint64_t(v), 8); }
    // The 80-bit float from its parts: 64-bit significand with the integer bit, then the
    // sign and the exponent biased by 16383.
    ByteBuilder& Ext(long double v) {
        if (v == 0) return Zeros(10);
        int e = 0;
        const long double m = std::frexp(std::fabs(v), &e); // 0.5 <= m < 1
        const uint64_t significand = uint64_t(std::ldexp(m, 64));
        LE(significand, 8);
        return LE(uint16_t((v < 0 ? 0x8000 : 0) | (e - 1 + 16383)), 2);
    }
    // Packed engine value: numerator, denominator, float, kind (0 empty, 1 float, 2 exact).
    ByteBuilder& Packed(int64_t num, int64_t den, long double f, uint8_t kind) {
        I64(num).I64(den).Ext(f);
        return U8(kind);
    }
    ByteBuilder& PackedExact(int64_t num, int64_t den) {
        return Packed(num, den, (long double)num / (long double)den, 2);
    }
    ByteBuilder& PackedFloat(long double f) { return Packed(0, 1, f, 1); }
    ByteBuilder& PackedEmpty() { return Packed(0, 1, 0, 0); }
    // int32 length and the bytes.
    ByteBuilder& Str(const std::string& s) {
        I32(int32_t(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    // A length byte and maxLen character bytes.
    ByteBuilder& Short(const std::string& s, int maxLen) {
        U8(uint8_t(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return Zeros(maxLen - int(s.size()));
    }
    ByteBuilder& Font(const std::string& name, uint32_t color, uint8_t style, int32_t size) {
        Str(name).I32(int32_t(color)).U8(style);
        return I32(size);
    }
    ByteBuilder& FontV1(const std::string& name, uint32_t color, uint8_t style, int16_t size) {
        Short(name, 31).I32(int32_t(color)).U8(style);
        return I16(size);
    }
    ByteBuilder& Zeros(int n) {
        b.insert(b.end(), size_t(n), 0);
        return *this;
    }
    ByteBuilder& Append(const Bytes& more) {
        b.insert(b.end(), more.begin(), more.end());
        return *this;
    }
    size_t Size() const { return b.size(); }
    Bytes b;
};

// A complete graph file around a body, with both sums.
inline Bytes GraphFile(int version, int kind, const Bytes& body, char separator = '.') {
    ByteBuilder f;
    const std::string sig = "Mathematical Function Graph Data File";
    f.U8(uint8_t(sig.size()));
    f.b.insert(f.b.end(), sig.begin(), sig.end());
    f.U8(1).U8(uint8_t('0' + version)).Zeros(0);
    for (int i = 0; i < 9; ++i)
        f.U8(' ');
    f.I32(version).I32(kind).U8(uint8_t(separator)).Zeros(3);
    uint32_t sum = 0;
    for (uint8_t c : f.b)
        sum += c;
    f.LE(sum & 0xFFFF, 2);
    f.Append(body);
    sum = 0;
    for (uint8_t c : f.b)
        sum += c;
    f.LE(sum & 0xFFFF, 2);
    return f.b;
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The body of a written file: everything between the 63-byte header and the trailer sum.
inline Bytes BodyOf(const Bytes& file) {
    if (file.size() < 65) return {};
    return Bytes(file.begin() + 63, file.end() - 2);
}

// A scratch folder for the files of one test.
class ScratchDir {
public:
    std::string Path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }

private:
    QTemporaryDir dir_;
};

// Writes body into a graph file of the given version and kind, opens it and runs read on
// the reader. Afterwards the whole body must have been read. Returns what read returned.
template <class F> auto ReadBody(int version, int kind, const Bytes& body, F&& read, char separator = '.') {
    ScratchDir dir;
    const std::string path = dir.Path("read.qxf");
    WriteFileBytes(path, GraphFile(version, kind, body));
    TReadGraphFile reader;
    if (!reader.OpenGraphFile(path, separator)) throw std::runtime_error("test file does not open");
    if constexpr (std::is_void_v<decltype(read(reader))>) {
        read(reader);
        EXPECT_EQ(reader.BytesLeft(), 0) << "the record left bytes unread";
    } else {
        auto result = read(reader);
        EXPECT_EQ(reader.BytesLeft(), 0) << "the record left bytes unread";
        return result;
    }
}

// The body that write puts into a new graph file of the given kind.
template <class F> Bytes WrittenBody(int kind, F&& write, char separator = '.') {
    ScratchDir dir;
    const std::string path = dir.Path("written.qxf");
    TWriteGraphFile writer;
    if (!writer.CreateGraphFile(path, kind, separator)) throw std::runtime_error("test file cannot be made");
    write(writer);
    if (!writer.CloseGraphFile()) throw std::runtime_error("test file cannot be closed");
    return BodyOf(ReadFileBytes(path));
}

// True when reading body ends with the load error ("Error loading file").
template <class F> bool LoadFails(int version, int kind, const Bytes& body, F&& read) {
    try {
        ReadBody(version, kind, body, [&](TReadGraphFile& r) { read(r); });
    } catch (const EFileLoadError&) {
        return true;
    }
    return false;
}

} // namespace recordtest
