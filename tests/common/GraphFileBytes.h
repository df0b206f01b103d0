#pragma once
// Hand-built graph file bytes for the model, label and plot tests: a little byte builder
// that knows the file's frame and field encodings by itself, written on purpose without
// any code of the reader or writer so that a fault in them cannot hide itself in the
// expected bytes; and helpers that put a body into a real file or take the body out of a
// written one.

#include "model/FILESAVE.h"
#include "platform/Errors.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <unistd.h>
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
    ByteBuilder& U16(uint16_t v) { return LE(v, 2); }
    ByteBuilder& I16(int16_t v) { return LE(uint16_t(v), 2); }
    ByteBuilder& I32(int32_t v) { return LE(uint32_t(v), 4); }
    ByteBuilder& I64(int64_t v) { return LE(uint64_t(v), 8); }
    // The ten bytes of an 80-bit float given by its parts: the 64-bit significand with the
    // integer bit, then the sign and the exponent biased by 16383. Any pattern, valid or not.
    ByteBuilder& ExtBits(uint64_t significand, uint16_t signAndExponent) {
        return LE(significand, 8).LE(signAndExponent, 2);
    }
    // The 80-bit float of a value.
    ByteBuilder& Ext(long double v) {
        if (v == 0) return Zeros(10);
        int e = 0;
        const long double m = std::frexp(std::fabs(v), &e); // 0.5 <= m < 1
        return ExtBits(uint64_t(std::ldexp(m, 64)), uint16_t((v < 0 ? 0x8000 : 0) | (e - 1 + 16383)));
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
    // Raw characters, no length.
    ByteBuilder& Chars(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    // int32 length and the bytes.
    ByteBuilder& Str(const std::string& s) { return I32(int32_t(s.size())).Chars(s); }
    // A length byte, then exactly maxLen character bytes: the text cut or padded with zeros
    // (the length byte may claim more than the field holds).
    ByteBuilder& Short(const std::string& s, int maxLen) {
        U8(uint8_t(s.size()));
        for (int i = 0; i < maxLen; ++i)
            U8(i < int(s.size()) ? uint8_t(s[i]) : 0);
        return *this;
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

inline unsigned byteSum(const Bytes& v, size_t from, size_t to) {
    unsigned s = 0;
    for (size_t i = from; i < to; ++i)
        s += v[i];
    return s & 0xFFFF;
}

// The 61 bytes before the header sum, with a free choice of every version-record field.
inline Bytes headerBytes(int64_t version, int64_t kind, char separator = '.',
                         const std::string& versionText = "4", unsigned textLengthByte = 0xFFFF) {
    ByteBuilder h;
    h.U8(37).Chars("Mathematical Function Graph Data File");
    h.U8(uint8_t(textLengthByte == 0xFFFF ? unsigned(versionText.size()) : textLengthByte));
    std::string text = versionText;
    text.resize(10, ' ');
    h.Chars(text).I32(int32_t(version)).I32(int32_t(kind)).U8(uint8_t(separator)).Zeros(3);
    return h.b;
}

// Header sum, body and trailer sum around a header of 61 bytes.
inline Bytes frame(const Bytes& header61, const Bytes& body) {
    Bytes f = header61;
    unsigned hs = byteSum(f, 0, f.size());
    f.push_back(uint8_t(hs & 0xFF));
    f.push_back(uint8_t(hs >> 8));
    f.insert(f.end(), body.begin(), body.end());
    unsigned ts = byteSum(f, 0, f.size());
    f.push_back(uint8_t(ts & 0xFF));
    f.push_back(uint8_t(ts >> 8));
    return f;
}

// A complete graph file around a body, with both sums.
inline Bytes graphFile(int64_t version, int64_t kind, const Bytes& body, char separator = '.') {
    return frame(headerBytes(version, kind, separator, std::to_string(version)), body);
}

// Recomputes both sums of a whole file image in place (for corruptions that must get past them).
inline void fixSums(Bytes& f) {
    if (f.size() < 65) return;
    unsigned hs = byteSum(f, 0, 61);
    f[61] = uint8_t(hs & 0xFF);
    f[62] = uint8_t(hs >> 8);
    unsigned ts = byteSum(f, 0, f.size() - 2);
    f[f.size() - 2] = uint8_t(ts & 0xFF);
    f[f.size() - 1] = uint8_t(ts >> 8);
}

// A written version-4 file whose background picture is Picture instead, sums made right:
// the picture's bytes follow the bitmap attributes, the placement, the kind and the size.
inline Bytes WithBackgroundPicture(const Bytes& file, const Bytes& picture) {
    const size_t at = 63 + 12 + 1 + 4 + 4;
    if (file.size() < at + 2) return {};
    const size_t old = size_t(file[at - 4]) | size_t(file[at - 3]) << 8 | size_t(file[at - 2]) << 16 |
                       size_t(file[at - 1]) << 24;
    Bytes f(file.begin(), file.begin() + long(at - 4));
    for (int i = 0; i < 4; ++i)
        f.push_back(uint8_t(picture.size() >> (8 * i)));
    f.insert(f.end(), picture.begin(), picture.end());
    f.insert(f.end(), file.begin() + long(std::min(at + old, file.size())), file.end());
    fixSums(f);
    return f;
}

// The body of a written file: everything between the 63-byte header and the trailer sum.
inline Bytes BodyOf(const Bytes& file) {
    if (file.size() < 65) return {};
    return Bytes(file.begin() + 63, file.end() - 2);
}

// A directory of its own, removed with everything in it.
class TTempDir {
public:
    explicit TTempDir(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        std::string pattern = (base / "quorix-test-XXXXXX").string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        path_ = ::mkdtemp(buf.data());
    }
    ~TTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            out.push_back(e.path().filename().string());
        return out;
    }

    // A folder in memory when the system has one: for tests that write thousands of files.
    static std::filesystem::path MemoryBase() {
        std::error_code ec;
        return std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                             : std::filesystem::temp_directory_path();
    }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string& file, const Bytes& v) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(v.data()), std::streamsize(v.size()));
}

inline Bytes readBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The user's decimal separator for the life of the object (the engine reads numbers with it).
class TDecimalSeparator {
public:
    explicit TDecimalSeparator(char separator) : saved_(FormatSettings().DecimalSeparator) {
        FormatSettings().DecimalSeparator = separator;
    }
    ~TDecimalSeparator() { FormatSettings().DecimalSeparator = saved_; }

private:
    char saved_;
};

// Writes body into a graph file of the given version and kind, opens it and runs read on
// the reader. Afterwards the whole body must have been read. Returns what read returned.
template <class F> auto ReadBody(int version, int kind, const Bytes& body, F&& read, char separator = '.') {
    TTempDir dir;
    const std::string path = dir.File("read.qxf");
    writeBytes(path, graphFile(version, kind, body));
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
    TTempDir dir;
    const std::string path = dir.File("written.qxf");
    TWriteGraphFile writer;
    if (!writer.CreateGraphFile(path, kind, separator)) throw std::runtime_error("test file cannot be made");
    write(writer);
    if (!writer.CloseGraphFile()) throw std::runtime_error("test file cannot be closed");
    return BodyOf(readBytes(path));
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

// A value read from a record: an exact num/den, or an inexact f.
inline void expectExact(const TMathValue& v, int64_t num, int64_t den) {
    EXPECT_EQ(v.Kind, mvFraction);
    EXPECT_EQ(v.Numerator, num);
    EXPECT_EQ(v.Denominator, den);
}

inline void expectFloat(const TMathValue& v, long double f) {
    EXPECT_EQ(v.Kind, mvFloat);
    EXPECT_EQ(v.FloatValue, f);
}

} // namespace recordtest
