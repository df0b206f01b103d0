#pragma once
// Hand-built graph file bytes for the model tests. Written on purpose without any code of the
// reader or writer, so that a fault in them cannot hide itself in the expected bytes.

#include "platform/FormatSettings.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using TByteVector = std::vector<uint8_t>;

class TBytes {
public:
    TByteVector b;

    TBytes& u8(unsigned v) {
        b.push_back(uint8_t(v));
        return *this;
    }
    TBytes& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    TBytes& i16(int v) { return u16(unsigned(uint16_t(int16_t(v)))); }
    TBytes& i32(int64_t v) {
        uint32_t u = uint32_t(v);
        for (int i = 0; i < 4; ++i)
            u8((u >> (8 * i)) & 0xFF);
        return *this;
    }
    TBytes& i64(int64_t v) {
        uint64_t u = uint64_t(v);
        for (int i = 0; i < 8; ++i)
            u8(unsigned((u >> (8 * i)) & 0xFF));
        return *this;
    }
    // Raw characters, no length.
    TBytes& chars(const std::string& s) {
        for (char c : s)
            u8(uint8_t(c));
        return *this;
    }
    // A long string: int32 length and the bytes.
    TBytes& str(const std::string& s) { return i32(int64_t(s.size())).chars(s); }
    // A short text: length byte, then maxLen character bytes (padded with zeros).
    TBytes& shortStr(const std::string& s, int maxLen) {
        u8(unsigned(s.size()));
        for (int i = 0; i < maxLen; ++i)
            u8(i < int(s.size()) ? uint8_t(s[i]) : 0);
        return *this;
    }
    // Ten bytes of an x87 extended value given by its parts.
    TBytes& ext(uint64_t significand, unsigned signAndExponent) {
        for (int i = 0; i < 8; ++i)
            u8(unsigned((significand >> (8 * i)) & 0xFF));
        return u16(signAndExponent);
    }
    TBytes& bytes(const TByteVector& v) {
        b.insert(b.end(), v.begin(), v.end());
        return *this;
    }
};

inline unsigned byteSum(const TByteVector& v, size_t from, size_t to) {
    unsigned s = 0;
    for (size_t i = from; i < to; ++i)
        s += v[i];
    return s & 0xFFFF;
}

// The 61 bytes before the header sum, with a free choice of every version-record field.
inline TByteVector headerBytes(int64_t version, int64_t kind, char separator = '.',
                               const std::string& versionText = "4", unsigned textLengthByte = 0xFFFF) {
    TBytes h;
    h.u8(37).chars("Mathematical Function Graph Data File");
    h.u8(textLengthByte == 0xFFFF ? unsigned(versionText.size()) : textLengthByte);
    std::string text = versionText;
    text.resize(10, ' ');
    h.chars(text).i32(version).i32(kind).u8(uint8_t(separator)).u8(0).u8(0).u8(0);
    return h.b;
}

// Header sum, body and trailer sum around a header of 61 bytes.
inline TByteVector frame(const TByteVector& header61, const TByteVector& body) {
    TByteVector f = header61;
    unsigned hs = byteSum(f, 0, f.size());
    f.push_back(uint8_t(hs & 0xFF));
    f.push_back(uint8_t(hs >> 8));
    f.insert(f.end(), body.begin(), body.end());
    unsigned ts = byteSum(f, 0, f.size());
    f.push_back(uint8_t(ts & 0xFF));
    f.push_back(uint8_t(ts >> 8));
    return f;
}

inline TByteVector graphFile(int64_t version, int64_t kind, const TByteVector& body, char separator = '.') {
    return frame(headerBytes(version, kind, separator, std::to_string(version)), body);
}

// Recomputes both sums of a whole file image in place (for corruptions that must get past them).
inline void fixSums(TByteVector& f) {
    if (f.size() < 65) return;
    unsigned hs = byteSum(f, 0, 61);
    f[61] = uint8_t(hs & 0xFF);
    f[62] = uint8_t(hs >> 8);
    unsigned ts = byteSum(f, 0, f.size() - 2);
    f[f.size() - 2] = uint8_t(ts & 0xFF);
    f[f.size() - 1] = uint8_t(ts >> 8);
}

// A directory of its own, removed with everything in it.
class TTempDir {
public:
    TTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorix-test-XXXXXX").string();
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

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string& file, const TByteVector& v) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(v.data()), std::streamsize(v.size()));
}

inline TByteVector readBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return TByteVector(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
