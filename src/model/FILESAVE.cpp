#include "model/FILESAVE.h"

#include "math/CenterDlg.h"
#include "math/MathFunc.h"
#include "model/readedit.h"
#include "platform/Errors.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// ---- Text -------------------------------------------------------------------------------

// Characters of the bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr char16_t win1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char win1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (win1252High[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

// ---- Little-endian fields -------------------------------------------------------------------

uint32_t getLE32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t getLE16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
void putLE32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}
void putLE16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

uint16_t addToSum(uint16_t sum, const uint8_t* p, std::size_t n) {
    uint32_t s = sum;
    for (std::size_t i = 0; i < n; ++i)
        s += p[i];
    return uint16_t(s);
}

// ---- The frame --------------------------------------------------------------------------------

std::array<uint8_t, GraphFileSignatureRecordSize> signatureRecord() {
    std::array<uint8_t, GraphFileSignatureRecordSize> r{};
    r[0] = 37;
    std::memcpy(r.data() + 1, GraphFileSignature, 37);
    return r;
}

// ---- Messages ---------------------------------------------------------------------------------

int fileMessage(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    return CenterMessageDlg(text, type, buttons, 0, nullptr);
}

void errorMessage(const std::string& text) {
    fileMessage(text, mtError, {mbOK});
}

bool askRetry(const std::string& text) {
    return fileMessage(text, mtError, {mbAbort, mbRetry}) == mrRetry;
}

const char* const notDataFileText = "File is not a Quorix data file, and can not be opened";
const char* const corruptedText = "Error in file; file data is corrupted";
const char* const readErrorText = "Error reading from file";
const char* const writeErrorText = "Error writing to file";

std::string replaceChar(std::string s, char from, char to) {
    // Separators outside ASCII could be part of a multi-byte character; leave those alone.
    if (from == to || static_cast<unsigned char>(from) >= 0x80 || static_cast<unsigned char>(to) >= 0x80)
        return s;
    std::replace(s.begin(), s.end(), from, to);
    return s;
}

} // namespace

// ---- Text conversion ------------------------------------------------------------------------

std::string Win1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? char32_t(win1252High[b - 0x80]) : char32_t(b));
    }
    return out;
}

std::string Utf8ToWin1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        int extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
        if (extra < 0 || i + extra >= text.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t c = b & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            auto cb = static_cast<unsigned char>(text[i + k]);
            if ((cb & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (cb & 0x3F);
        }
        // Overlong forms and code points beyond Unicode are malformed as well.
        if (ok && ((extra == 2 && c < 0x800) || (extra == 3 && (c < 0x10000 || c > 0x10FFFF)))) ok = false;
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        out += win1252Byte(c);
        i += extra + 1;
    }
    return out;
}

// ---- Extended values ------------------------------------------------------------------------

bool ExtendedFromBytes(const uint8_t* bytes, long double& value) {
    const uint16_t exponent = getLE16(bytes + 8) & 0x7FFF;
    const bool integerBit = (bytes[7] & 0x80) != 0;
    if (exponent == 0x7FFF) return false;           // infinity or NaN
    if (exponent != 0 && !integerBit) return false; // unnormal: the x87 refuses it
    long double v = 0;
    std::memcpy(&v, bytes, 10);
    value = v;
    return true;
}

void ExtendedToBytes(long double value, uint8_t* bytes) {
    std::memcpy(bytes, &value, 10);
}

bool PackedMathValueFromBytes(const uint8_t* bytes, TMathValue& value) {
    TPackedMathValue packed;
    std::memcpy(&packed, bytes, PackedMathValueSize);
    if (packed.Kind > mvFraction) return false;
    long double f = 0;
    if (!ExtendedFromBytes(packed.FloatValue, f)) return false;
    if (packed.Kind == mvFraction && (packed.Denominator <= 0 || packed.Numerator == INT64_MIN)) return false;
    PackedToMathValue(packed, value);
    return true;
}

void PackedMathValueToBytes(const TMathValue& value, uint8_t* bytes) {
    TPackedMathValue packed;
    MathValueToPacked(value, packed);
    std::memcpy(bytes, &packed, PackedMathValueSize);
}

// ---- TGraphFileBaseClass ----------------------------------------------------------------------

TGraphFileBaseClass::~TGraphFileBaseClass() {
    CloseFile();
}

bool TGraphFileBaseClass::DoOpenFileRead(const std::string& FileName) {
    QX_ASSERT(!FileName.empty(), "Empty file string in function DoOpenFileRead");
    QX_ASSERT(!FileIsOpen, "File already open error in function TGraphFileBaseClass.DoOpenFileRead");
    // Without O_NONBLOCK a named pipe would hold the program until someone writes to it.
    int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        struct stat st {};
        if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
            ::close(fd);
            fd = -1;
        } else {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        }
    }
    FileHandle = fd;
    FileIsOpen = fd >= 0;
    return FileIsOpen;
}

bool TGraphFileBaseClass::DoOpenFileRewrite(const std::string& FileName) {
    QX_ASSERT(!FileName.empty(), "Empty file string in function DoOpenFileRewrite");
    QX_ASSERT(!FileIsOpen, "File already open error in function TGraphFileBaseClass.DoOpenFileRewrite");
    FileHandle = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    FileIsOpen = FileHandle >= 0;
    return FileIsOpen;
}

bool TGraphFileBaseClass::DoOpenFileCreateNew(const std::string& FileName) {
    QX_ASSERT(!FileName.empty(), "Empty file string in function DoOpenFileCreateNew");
    QX_ASSERT(!FileIsOpen, "File already open error in function TGraphFileBaseClass.DoOpenFileCreateNew");
    FileHandle = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    FileIsOpen = FileHandle >= 0;
    return FileIsOpen;
}

int32_t TGraphFileBaseClass::DoFileReadRecord(void* Buffer, int32_t Count) {
    QX_ASSERT(FileIsOpen, "File not open error in function TGraphFileBaseClass.DoFileReadRecord");
    QX_ASSERT(Count > 0, "Error the TheRecSize <= 0 in function TGraphFileBaseClass.DoFileReadRecord");
    auto* p = static_cast<char*>(Buffer);
    int32_t done = 0;
    while (done < Count) {
        ssize_t n = ::read(FileHandle, p + done, std::size_t(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<int32_t>(n);
    }
    return done;
}

int32_t TGraphFileBaseClass::DoFileWriteRecord(const void* Buffer, int32_t Count) {
    QX_ASSERT(FileIsOpen, "File not open error in function TGraphFileBaseClass.DoFileWriteRecord");
    QX_ASSERT(Count > 0, "Error the TheRecSize <= 0 in function TGraphFileBaseClass.DoFileWriteRecord");
    auto* p = static_cast<const char*>(Buffer);
    int32_t done = 0;
    while (done < Count) {
        ssize_t n = ::write(FileHandle, p + done, std::size_t(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<int32_t>(n);
    }
    return done;
}

bool TGraphFileBaseClass::DoFileSeek(int64_t Position) {
    QX_ASSERT(FileIsOpen, "File not open error in function TGraphFileBaseClass.DoFileSeek");
    QX_ASSERT(Position >= 0, "Error the Position < 0 in function TGraphFileBaseClass.DoFileSeek");
    return ::lseek(FileHandle, off_t(Position), SEEK_SET) == off_t(Position);
}

bool TGraphFileBaseClass::DoGetFileSize(int64_t& Size) {
    QX_ASSERT(FileIsOpen, "File not open error in function TGraphFileBaseClass.DoGetFileSize");
    struct stat st {};
    if (::fstat(FileHandle, &st) != 0) return false;
    if (st.st_size < 0 || st.st_size > GraphFileMaxSize) return false;
    Size = st.st_size;
    return true;
}

void TGraphFileBaseClass::CloseFile() {
    if (FileIsOpen || FileHandle >= 0) ::close(FileHandle);
    FileHandle = -1;
    FileIsOpen = false;
}

// ---- TReadGraphFile ---------------------------------------------------------------------------

TReadGraphFile::TReadGraphFile() : checker_(std::make_unique<TMathFunction>()) {}

TReadGraphFile::~TReadGraphFile() {
    CloseFile();
}

void TReadGraphFile::resetState() {
    versionText_.clear();
    versionNumber_ = 0;
    graphKind_ = 0;
    position_ = 0;
    bodyEnd_ = -1;
    droppedPictureReason_.clear();
}

bool TReadGraphFile::OpenGraphFile(const std::string& FileName, char DecimalSeparator) {
    decimalSeparator_ = DecimalSeparator;
    uint16_t sum = 0;
    CloseFile();
    resetState();
    if (FileName.empty()) return false;

    auto fail = [this](const char* message) {
        if (message) errorMessage(message);
        CloseFile();
        resetState();
        return false;
    };

    while (!DoOpenFileRead(FileName))
        if (!askRetry("Error opening file")) return fail(nullptr);

    int64_t size = 0;
    if (!DoGetFileSize(size)) return fail("Error reading file size");
    if (size < GraphFileMinSize) return fail(notDataFileText);

    try {
        std::array<uint8_t, GraphFileSignatureRecordSize> signature{};
        ReadRecord(signature.data(), GraphFileSignatureRecordSize);
        if (signature != signatureRecord()) return fail(notDataFileText);
        sum = addToSum(sum, signature.data(), signature.size());

        std::array<uint8_t, GraphFileVersionRecordSize> version{};
        ReadRecord(version.data(), GraphFileVersionRecordSize);
        sum = addToSum(sum, version.data(), version.size());
        uint8_t headerSum[2];
        ReadRecord(headerSum, 2);
        if (getLE16(headerSum) != sum) return fail(corruptedText);
        sum = addToSum(sum, headerSum, 2);

        const auto versionNumber = static_cast<int32_t>(getLE32(version.data() + 11));
        const auto graphKind = static_cast<int32_t>(getLE32(version.data() + 15));
        const uint8_t textLength = version[0];
        if (static_cast<uint32_t>(versionNumber) - 1u >= 4u) {
            if (textLength >= 1 && textLength <= 10) {
                std::string text = Win1252ToUtf8(
                    std::string_view(reinterpret_cast<const char*>(version.data() + 1), textLength));
                return fail(
                    ("File created by version number " + text + ", and can not be read by this version.")
                        .c_str());
            }
            return fail(corruptedText);
        }

        int64_t bodyLeft = size - GraphFileMinSize + 1;
        while (bodyLeft > 0) {
            auto piece = static_cast<int32_t>(std::min<int64_t>(bodyLeft, int64_t(buffer_.size())));
            ReadRecord(buffer_.data(), piece);
            sum = addToSum(sum, buffer_.data(), std::size_t(piece));
            bodyLeft -= piece;
        }
        uint8_t trailer[2];
        ReadRecord(trailer, 2);
        if (getLE16(trailer) != sum) return fail(corruptedText);
        if (!DoFileSeek(GraphFileHeaderSize)) return fail(readErrorText);

        versionText_ = Win1252ToUtf8(std::string_view(reinterpret_cast<const char*>(version.data() + 1),
                                                      std::min<uint8_t>(textLength, 10)));
        versionNumber_ = versionNumber;
        graphKind_ = graphKind;
        position_ = GraphFileHeaderSize;
        bodyEnd_ = size - 2;
        return true;
    } catch (const EFileLoadError&) {
        return fail(nullptr); // the read has told the user
    }
}

void TReadGraphFile::CloseGraphFile() {
    CloseFile();
    bodyEnd_ = -1;
}

int64_t TReadGraphFile::BytesLeft() const {
    return bodyEnd_ < 0 ? 0 : std::max<int64_t>(0, bodyEnd_ - position_);
}

void TReadGraphFile::RaiseLoadError() {
    errorMessage("Error loading file");
    throw EFileLoadError();
}

void TReadGraphFile::ReadRecord(void* Buffer, int32_t Count) {
    QX_ASSERT(Count > 0, "Error the TheRecSize <= 0 in function TReadGraphFile.ReadRecord");
    QX_ASSERT(FileIsOpen, "File not open error in function TReadGraphFile.ReadRecord");
    for (;;) {
        // The trailer sum ends the body: a record that would run into it is a read past the end.
        int64_t available = bodyEnd_ < 0 ? Count : std::max<int64_t>(0, bodyEnd_ - position_);
        auto want = static_cast<int32_t>(std::min<int64_t>(Count, available));
        int32_t got = want > 0 ? DoFileReadRecord(Buffer, want) : 0;
        if (got == Count) {
            position_ += got;
            return;
        }
        if (got > 0) {
            position_ += got;
            errorMessage(readErrorText);
            throw EFileLoadError();
        }
        if (!askRetry(readErrorText)) throw EFileLoadError();
    }
}

void TReadGraphFile::requireBytesLeft(int64_t count) {
    if (count < 0 || count > BytesLeft()) RaiseLoadError();
}

std::string TReadGraphFile::readBytesChecked(int64_t length) {
    requireBytesLeft(length);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (length > 0) ReadRecord(bytes.data(), static_cast<int32_t>(length));
    return bytes;
}

int32_t TReadGraphFile::ReadInteger() {
    uint8_t b[4];
    ReadRecord(b, 4);
    return static_cast<int32_t>(getLE32(b));
}

TColor TReadGraphFile::ReadColor() {
    return static_cast<TColor>(ReadInteger());
}

uint16_t TReadGraphFile::ReadWord() {
    uint8_t b[2];
    ReadRecord(b, 2);
    return getLE16(b);
}

void TReadGraphFile::ReadPoint(TPoint& Point) {
    const int32_t x = ReadInteger();
    const int32_t y = ReadInteger();
    Point = TPoint(x, y);
}

bool TReadGraphFile::readPictureBytes(std::vector<uint8_t>& bytes) {
    const int32_t size = ReadInteger();
    if (size == 0) return false;
    requireBytesLeft(size);
    try {
        bytes.resize(std::size_t(size));
    } catch (const std::bad_alloc&) {
        RaiseLoadError();
    }
    ReadRecord(bytes.data(), size);
    return true;
}

namespace {

// A picture that does not decode is dropped, and why is noted; the rest of the graph still
// loads.
template <class TPicture, class TLoad>
std::unique_ptr<TPicture> decodedOrDropped(TLoad load, std::string& reason) {
    std::string error;
    try {
        auto picture = std::make_unique<TPicture>();
        if (load(*picture, error)) return picture;
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    } catch (const std::exception& e) {
        error = e.what();
    }
    reason = error.empty() ? std::string("unknown error") : error;
    return nullptr;
}

} // namespace

std::unique_ptr<TBitmap> TReadGraphFile::ReadBitmap() {
    std::vector<uint8_t> bytes;
    if (!readPictureBytes(bytes)) return nullptr;
    return decodedOrDropped<TBitmap>(
        [&](TBitmap& bitmap, std::string& error) { return bitmap.LoadFromBmpBytes(bytes, &error); },
        droppedPictureReason_);
}

std::unique_ptr<TJPEGImage> TReadGraphFile::ReadJPEG() {
    std::vector<uint8_t> bytes;
    if (!readPictureBytes(bytes)) return nullptr;
    return decodedOrDropped<TJPEGImage>(
        [&](TJPEGImage& picture, std::string& error) {
            picture.LoadDepth = PictureDepth;
            return picture.LoadFromBytes(std::move(bytes), &error);
        },
        droppedPictureReason_);
}

std::string TReadGraphFile::ReadString() {
    const int32_t length = ReadInteger();
    if (length <= 0) return std::string();
    return Win1252ToUtf8(readBytesChecked(length));
}

std::string TReadGraphFile::ReadMathString() {
    return LocalizeMathString(ReadString());
}

std::string TReadGraphFile::LocalizeMathString(std::string S) const {
    return replaceChar(std::move(S), '.', decimalSeparator_);
}

std::string TReadGraphFile::ReadShortString(int MaxLen) {
    QX_ASSERT(MaxLen >= 1 && MaxLen <= 255,
              "Error MaxLen out of range in function TReadGraphFile.ReadShortString");
    uint8_t raw[256];
    ReadRecord(raw, MaxLen + 1);
    if (raw[0] > MaxLen) RaiseLoadError();
    return Win1252ToUtf8(std::string_view(reinterpret_cast<const char*>(raw + 1), raw[0]));
}

void TReadGraphFile::ReadFont(TFontRecord& Font) {
    std::string name = ReadString();
    TColor color = ReadColor();
    uint8_t style = 0;
    ReadRecord(&style, 1);
    int32_t size = ReadInteger();
    Font.Name = std::move(name);
    Font.Color = color;
    Font.Style = style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    Font.Size = size;
}

void TReadGraphFile::ReadFontV1(TFontRecord& Font) {
    std::string name = ReadShortString(31);
    TColor color = ReadColor();
    uint8_t style = 0;
    ReadRecord(&style, 1);
    auto size = static_cast<int16_t>(ReadWord());
    Font.Name = std::move(name);
    Font.Color = color;
    Font.Style = style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    Font.Size = size;
}

long double TReadGraphFile::ReadExtended() {
    uint8_t b[10];
    ReadRecord(b, 10);
    long double v = 0;
    if (!ExtendedFromBytes(b, v)) RaiseLoadError();
    return v;
}

TMathValue TReadGraphFile::ReadPackedMathValue() {
    uint8_t b[PackedMathValueSize];
    ReadRecord(b, PackedMathValueSize);
    TMathValue v;
    if (!PackedMathValueFromBytes(b, v)) RaiseLoadError();
    return v;
}

void TReadGraphFile::ReadMathConstString(std::string& S, TMathValue& Value, bool SkipEvaluate) {
    // Localised even when not evaluated, so that a text kept as read matches the user's separator.
    S = ReadMathString();
    if (!SkipEvaluate) EvaluateMathConstString(S, Value);
}

void TReadGraphFile::EvaluateMathConstString(std::string& S, TMathValue& Value) {
    if (S.empty()) return;
    S = LocalizeMathString(S);
    checker_->SetExpression(S);
    if (checker_->CompileMathFunc()) {
        Value = checker_->ResultValue;
        return;
    }
    ClearMathValue(Value);
    std::string T = S;
    bool compiled = false;
    while (!compiled && EditIncompatibleValueString(checker_->GetErrorText(), T)) {
        checker_->SetExpression(T);
        compiled = checker_->CompileMathFunc();
    }
    if (!compiled) throw EFileLoadError();
    S = T;
    Value = checker_->ResultValue;
}

bool TReadGraphFile::EditIncompatibleString(const std::string& ErrorText, std::string& S) {
    return EditIncompatibleValueString(ErrorText, S);
}

void TReadGraphFile::SkipBytes(int32_t Count) {
    QX_ASSERT(Count > 0, "Error the Count <= 0 in function TReadGraphFile.SkipBytes");
    requireBytesLeft(Count);
    uint8_t scratch[16];
    while (Count > 0) {
        int32_t n = std::min<int32_t>(Count, 16);
        ReadRecord(scratch, n);
        Count -= n;
    }
}

// ---- TWriteGraphFile --------------------------------------------------------------------------

TWriteGraphFile::~TWriteGraphFile() {
    CloseWithoutChecksum();
}

void TWriteGraphFile::CloseWithoutChecksum() {
    CloseFile();
    discardTemporary();
}

void TWriteGraphFile::discardTemporary() {
    if (!temporaryName_.empty()) ::unlink(temporaryName_.c_str());
    temporaryName_.clear();
}

bool TWriteGraphFile::createTemporaryBeside(const std::string& target) {
    auto slash = target.find_last_of('/');
    std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.size() > 180) base.resize(180); // room for the suffix within a name's 255 bytes
    for (int attempt = 0; attempt < 100; ++attempt) {
        static unsigned counter = 0;
        std::string name =
            dir + "." + base + "." + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tmp";
        if (DoOpenFileCreateNew(name)) {
            temporaryName_ = name;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

bool TWriteGraphFile::CreateGraphFile(const std::string& FileName, int32_t GraphKind, char DecimalSeparator) {
    decimalSeparator_ = DecimalSeparator;
    sum_ = 0;
    CloseWithoutChecksum();
    if (FileName.empty()) return false;

    // An existing file that is not a graph data file is replaced only when the user agrees.
    if (DoOpenFileRead(FileName)) {
        int64_t size = 0;
        if (!DoGetFileSize(size)) {
            CloseFile();
            errorMessage("Error verifying existing file type");
            return false;
        }
        bool isGraphFile = false;
        if (size >= GraphFileMinSize) {
            std::array<uint8_t, GraphFileSignatureRecordSize> signature{};
            int32_t got = DoFileReadRecord(signature.data(), GraphFileSignatureRecordSize);
            CloseFile();
            if (got < GraphFileSignatureRecordSize) {
                errorMessage("Error verifying existing file type");
                return false;
            }
            isGraphFile = signature == signatureRecord();
        } else {
            CloseFile();
        }
        if (!isGraphFile && fileMessage("Existing file is not a Quorix data file, do you want to overwrite?",
                                        mtWarning, {mbOK, mbCancel}) != mrOk)
            return false;
    }

    // A link is followed, so that the file it names gets the new contents.
    targetName_ = FileName;
    if (char* real = ::realpath(FileName.c_str(), nullptr)) {
        targetName_ = real;
        std::free(real);
    }
    struct stat st {};
    const bool exists = ::stat(targetName_.c_str(), &st) == 0;
    for (;;) {
        bool created = false;
        if (exists && !S_ISREG(st.st_mode)) {
            created = DoOpenFileRewrite(targetName_); // a device or pipe cannot be replaced
        } else if (!exists || ::access(targetName_.c_str(), W_OK) == 0) {
            created = createTemporaryBeside(targetName_);
            if (created && exists) { // the new file takes the old one's owner and permissions
                (void)!::fchown(FileHandle, st.st_uid, st.st_gid);
                ::fchmod(FileHandle, st.st_mode & 07777);
            }
        }
        if (created) break;
        if (!askRetry("Error creating file")) return false;
    }

    try {
        const auto signature = signatureRecord();
        WriteRecord(signature.data(), GraphFileSignatureRecordSize);
        std::array<uint8_t, GraphFileVersionRecordSize> version{};
        version[0] = 1;
        version[1] = '4';
        std::memset(version.data() + 2, ' ', 9);
        putLE32(version.data() + 11, uint32_t(GraphFileVersion));
        putLE32(version.data() + 15, static_cast<uint32_t>(GraphKind));
        version[19] = static_cast<uint8_t>(DecimalSeparator);
        WriteRecord(version.data(), GraphFileVersionRecordSize);
        uint8_t headerSum[2];
        putLE16(headerSum, sum_);
        WriteRecord(headerSum, 2);
    } catch (const EFileSaveError&) {
        CloseWithoutChecksum();
        return false;
    }
    return true;
}

bool TWriteGraphFile::CloseGraphFile() {
    if (!FileIsOpen) return true;
    try {
        uint8_t trailer[2];
        putLE16(trailer, sum_);
        WriteRecord(trailer, 2);
    } catch (const EFileSaveError&) {
        CloseWithoutChecksum();
        return false;
    }
    if (temporaryName_.empty()) {
        const bool closed = ::close(FileHandle) == 0;
        FileHandle = -1;
        FileIsOpen = false;
        if (!closed) errorMessage(writeErrorText);
        return closed;
    }
    // The new file must be on the disk before it takes the old one's place.
    bool ok = ::fsync(FileHandle) == 0;
    ok = (::close(FileHandle) == 0) && ok;
    FileHandle = -1;
    FileIsOpen = false;
    if (ok) ok = ::rename(temporaryName_.c_str(), targetName_.c_str()) == 0;
    if (!ok) {
        errorMessage(writeErrorText);
        discardTemporary();
        return false;
    }
    temporaryName_.clear();
    auto slash = targetName_.find_last_of('/');
    std::string dir = slash == std::string::npos ? std::string(".") : targetName_.substr(0, slash + 1);
    int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd); // makes the rename itself durable; a failure here loses nothing
        ::close(dirFd);
    }
    return true;
}

void TWriteGraphFile::WriteRecord(const void* Buffer, int32_t Count) {
    for (;;) {
        int32_t written = DoFileWriteRecord(Buffer, Count);
        if (written == Count) break;
        if (written > 0) {
            errorMessage(writeErrorText);
            throw EFileSaveError();
        }
        if (!askRetry(writeErrorText)) throw EFileSaveError();
        // Retry writes the whole record again from where it started.
        // (Nothing of it went out, so the file position is unchanged.)
    }
    sum_ = addToSum(sum_, static_cast<const uint8_t*>(Buffer), std::size_t(Count));
}

void TWriteGraphFile::WriteInteger(int32_t Value) {
    uint8_t b[4];
    putLE32(b, static_cast<uint32_t>(Value));
    WriteRecord(b, 4);
}

void TWriteGraphFile::WritePoint(const TPoint& Point) {
    WriteInteger(Point.X);
    WriteInteger(Point.Y);
}

void TWriteGraphFile::WriteRecord(const std::vector<uint8_t>& Bytes) {
    QX_ASSERT(Bytes.size() <= std::size_t(INT32_MAX),
              "Record too long in function TWriteGraphFile.WriteRecord");
    if (!Bytes.empty()) WriteRecord(Bytes.data(), static_cast<int32_t>(Bytes.size()));
}

void TWriteGraphFile::WriteBitmap(const TBitmap& Bitmap) {
    const std::vector<uint8_t> bytes = Bitmap.SaveToBmpBytes();
    QX_ASSERT(bytes.size() <= std::size_t(INT32_MAX),
              "Picture too large in function TWriteGraphFile.WriteBitmap");
    WriteInteger(static_cast<int32_t>(bytes.size()));
    WriteRecord(bytes);
}

void TWriteGraphFile::WriteJPEG(const TJPEGImage& Picture) {
    const std::vector<uint8_t>& bytes = Picture.Data();
    QX_ASSERT(bytes.size() <= std::size_t(INT32_MAX),
              "Picture too large in function TWriteGraphFile.WriteJPEG");
    WriteInteger(static_cast<int32_t>(bytes.size()));
    WriteRecord(bytes);
}

void TWriteGraphFile::WriteColor(TColor Color) {
    WriteInteger(static_cast<int32_t>(Color));
}

void TWriteGraphFile::WriteString(const std::string& S) {
    const std::string bytes = Utf8ToWin1252(S);
    QX_ASSERT(bytes.size() <= std::size_t(INT32_MAX),
              "String too long in function TWriteGraphFile.WriteString");
    WriteInteger(static_cast<int32_t>(bytes.size()));
    if (!bytes.empty()) WriteRecord(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void TWriteGraphFile::WriteMathString(const std::string& S) {
    WriteString(replaceChar(S, decimalSeparator_, '.'));
}

void TWriteGraphFile::WriteFont(const TFontRecord& Font) {
    WriteString(Font.Name);
    WriteColor(Font.Color);
    const uint8_t style = Font.Style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    WriteRecord(&style, 1);
    WriteInteger(Font.Size);
}

void TWriteGraphFile::WriteExtended(long double Value) {
    uint8_t b[10];
    ExtendedToBytes(Value, b);
    WriteRecord(b, 10);
}

void TWriteGraphFile::WritePackedMathValue(const TMathValue& Value) {
    uint8_t b[PackedMathValueSize];
    PackedMathValueToBytes(Value, b);
    WriteRecord(b, PackedMathValueSize);
}

// ---- Records ----------------------------------------------------------------------------------

TRecordReader::TRecordReader(TReadGraphFile& Reader, int32_t Size) : reader_(Reader) {
    QX_ASSERT(Size > 0, "Error the Size <= 0 in function TRecordReader");
    bytes_.resize(std::size_t(Size));
    Reader.ReadRecord(bytes_.data(), Size);
}

const uint8_t* TRecordReader::at(std::size_t offset, std::size_t size) const {
    QX_ASSERT(offset <= bytes_.size() && size <= bytes_.size() - offset,
              "Field outside the record in TRecordReader");
    return bytes_.data() + offset;
}

int32_t TRecordReader::Int32(std::size_t Offset) const {
    return static_cast<int32_t>(getLE32(at(Offset, 4)));
}
int16_t TRecordReader::Int16(std::size_t Offset) const {
    return static_cast<int16_t>(getLE16(at(Offset, 2)));
}
uint16_t TRecordReader::Word(std::size_t Offset) const {
    return getLE16(at(Offset, 2));
}
uint8_t TRecordReader::Byte(std::size_t Offset) const {
    return *at(Offset, 1);
}
bool TRecordReader::Boolean(std::size_t Offset) const {
    return *at(Offset, 1) != 0;
}
TColor TRecordReader::Color(std::size_t Offset) const {
    return getLE32(at(Offset, 4));
}

long double TRecordReader::Extended(std::size_t Offset) const {
    long double v = 0;
    if (!ExtendedFromBytes(at(Offset, 10), v)) reader_.RaiseLoadError();
    return v;
}

TMathValue TRecordReader::PackedMathValue(std::size_t Offset) const {
    TMathValue v;
    if (!PackedMathValueFromBytes(at(Offset, PackedMathValueSize), v)) reader_.RaiseLoadError();
    return v;
}

std::string TRecordReader::ShortString(std::size_t Offset, int MaxLen) const {
    QX_ASSERT(MaxLen >= 1 && MaxLen <= 255, "Error MaxLen out of range in TRecordReader.ShortString");
    const uint8_t* p = at(Offset, std::size_t(MaxLen) + 1);
    if (p[0] > MaxLen) reader_.RaiseLoadError();
    return Win1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p + 1), p[0]));
}

uint8_t* TRecordBuilder::at(std::size_t offset, std::size_t size) {
    QX_ASSERT(offset <= bytes_.size() && size <= bytes_.size() - offset,
              "Field outside the record in TRecordBuilder");
    return bytes_.data() + offset;
}

void TRecordBuilder::SetInt32(std::size_t Offset, int32_t Value) {
    putLE32(at(Offset, 4), static_cast<uint32_t>(Value));
}
void TRecordBuilder::SetByte(std::size_t Offset, uint8_t Value) {
    *at(Offset, 1) = Value;
}
void TRecordBuilder::SetExtended(std::size_t Offset, long double Value) {
    ExtendedToBytes(Value, at(Offset, 10));
}

void TRecordBuilder::SetPackedMathValue(std::size_t Offset, const TMathValue& Value) {
    PackedMathValueToBytes(Value, at(Offset, PackedMathValueSize));
}

void TRecordBuilder::WriteTo(TWriteGraphFile& Writer) const {
    QX_ASSERT(!bytes_.empty(), "Empty record in TRecordBuilder.WriteTo");
    Writer.WriteRecord(bytes_.data(), static_cast<int32_t>(bytes_.size()));
}
