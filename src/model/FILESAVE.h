#pragma once
// The graph data file: a signature, a version record with its header sum, the body that the
// graph's objects write with the typed operations below, and a trailer sum over everything
// before it. TReadGraphFile opens and verifies a file and reads typed values; TWriteGraphFile
// creates one and writes them. All numbers are little-endian; text is Windows-1252 in the
// file and UTF-8 in memory.
//
// Every length, size and field read from a file is checked before it is used: a value that
// cannot be right ends the load with "Error loading file" instead of reaching an allocation
// or an assertion. Saving writes a temporary file beside the target and renames it over
// the target only after the trailer sum is on disk, so a failed save never harms the file
// that was there before.

#include "math/MathCalc.h"
#include "platform/Bitmap.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/Geometry.h"
#include "platform/Jpeg.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Layout of the frame.
inline constexpr int GraphFileSignatureRecordSize = 38; // length byte and 37 characters
inline constexpr int GraphFileVersionRecordSize = 23;
inline constexpr int GraphFileHeaderSize = 63; // signature, version record, header sum
inline constexpr int GraphFileMinSize = 66;    // header, one body byte, trailer sum
inline constexpr int32_t GraphFileVersion = 4; // the only version written
inline constexpr int64_t GraphFileMaxSize = 2147483518;
inline constexpr const char* GraphFileSignature = "Mathematical Function Graph Data File";

// Graph kind codes of the header.
inline constexpr int32_t GraphKind2D = 1;
inline constexpr int32_t GraphKindPolar = 2;
inline constexpr int32_t GraphKind3D = 3;

// Windows-1252 bytes to UTF-8. Every byte has a character (the five bytes the code page
// leaves undefined become the control characters of the same number), so any byte string
// survives a round trip through Utf8ToWin1252.
std::string Win1252ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1252; characters the code page lacks, and malformed UTF-8, become '?'.
std::string Utf8ToWin1252(std::string_view text);

// The 80-bit float of the files: 10 bytes, as the x87 keeps it. A pattern that is not a
// finite number the x87 accepts (infinities, NaNs, unnormals) is refused.
bool ExtendedFromBytes(const uint8_t* bytes, long double& value);
void ExtendedToBytes(long double value, uint8_t* bytes);

// The 27-byte packed TMathValue. Refused: a kind other than 0, 1 and 2, a float pattern
// ExtendedFromBytes refuses, and an exact fraction whose denominator is not positive or
// whose numerator is the one int64 value without a negation.
bool PackedMathValueFromBytes(const uint8_t* bytes, TMathValue& value);
void PackedMathValueToBytes(const TMathValue& value, uint8_t* bytes);
inline constexpr int PackedMathValueSize = 27;

class TMathFunction;

class TGraphFileBaseClass {
public:
    TGraphFileBaseClass() = default;
    ~TGraphFileBaseClass();
    TGraphFileBaseClass(const TGraphFileBaseClass&) = delete;
    TGraphFileBaseClass& operator=(const TGraphFileBaseClass&) = delete;

    // Opens an existing file for reading (directories are refused).
    bool DoOpenFileRead(const std::string& FileName);
    // Creates or truncates a file for reading and writing.
    bool DoOpenFileRewrite(const std::string& FileName);
    // Creates a file that must not exist yet, for reading and writing.
    bool DoOpenFileCreateNew(const std::string& FileName);
    // One read or write of Count > 0 bytes; the number of bytes moved (short only at the
    // end of the file or on an error), 0 when nothing moved.
    int32_t DoFileReadRecord(void* Buffer, int32_t Count);
    int32_t DoFileWriteRecord(const void* Buffer, int32_t Count);
    bool DoFileSeek(int64_t Position);
    // False when the size cannot be had or exceeds GraphFileMaxSize.
    bool DoGetFileSize(int64_t& Size);
    void CloseFile();
    bool IsFileOpen() const { return FileIsOpen; }

protected:
    int FileHandle = -1;
    bool FileIsOpen = false;
};

class TReadGraphFile : public TGraphFileBaseClass {
public:
    TReadGraphFile();
    ~TReadGraphFile();

    // Opens and verifies FileName (signature, version, both sums). On success the next read
    // is the first body byte. Every failure has told the user and leaves the file closed.
    bool OpenGraphFile(const std::string& FileName, char DecimalSeparator);
    void CloseGraphFile();

    int32_t ReadInteger();
    TColor ReadColor();
    uint16_t ReadWord();
    std::string ReadString();
    // A string whose '.' become the separator given to OpenGraphFile.
    std::string ReadMathString();
    // S with its '.' turned into that separator, as ReadMathString does, for math texts the
    // file holds in other forms.
    std::string LocalizeMathString(std::string S) const;
    // MaxLen + 1 bytes: a length byte, then MaxLen character bytes (MaxLen 1..255).
    std::string ReadShortString(int MaxLen);
    void ReadFont(TFontRecord& Font);
    void ReadFontV1(TFontRecord& Font);
    long double ReadExtended();
    TMathValue ReadPackedMathValue();
    void ReadPoint(TPoint& Point);
    // A picture section: int32 size S, then S bytes of a BMP file image. S = 0 holds no
    // picture. Bytes that cannot be read end the load; bytes that do not decode give no
    // picture (null), the reason is kept in DroppedPictureReason, and the load goes on.
    std::unique_ptr<TBitmap> ReadBitmap();
    // The same for a JPEG (JFIF) file image; the picture keeps the bytes it was read from
    // and is decoded at PictureDepth.
    std::unique_ptr<TJPEGImage> ReadJPEG();
    // The depth the caller shows the pictures it reads at (a bitmap depth code): a JPEG
    // picture decoded at it is shown without being converted.
    TPixelFormat PictureDepth = pf24bit;
    // Why a picture of the open file could not be read, in the decoder's words; empty while
    // none was dropped. The load says nothing of it: whoever opened the file tells the user
    // once the graph is open.
    const std::string& DroppedPictureReason() const { return droppedPictureReason_; }
    // Exactly Count bytes, or the load ends.
    void ReadRecord(void* Buffer, int32_t Count);
    void SkipBytes(int32_t Count);

    // Reads a constant text into S and, unless SkipEvaluate, evaluates it into Value.
    void ReadMathConstString(std::string& S, TMathValue& Value, bool SkipEvaluate);
    // Makes the constant text S usable and gives its value: S is localised and compiled;
    // when it does not compile the user may mend it in the repair dialog, and when the
    // user gives up the load ends with EFileLoadError (no further message). An empty S
    // leaves S and Value alone.
    void EvaluateMathConstString(std::string& S, TMathValue& Value);
    // The repair dialog, for the function objects' expression readers.
    bool EditIncompatibleString(const std::string& ErrorText, std::string& S);

    // Shows "Error loading file" and ends the load with EFileLoadError.
    [[noreturn]] void RaiseLoadError();

    int32_t VersionNumber() const { return versionNumber_; }
    int32_t GraphKind() const { return graphKind_; }
    const std::string& VersionText() const { return versionText_; }
    char DecimalSeparator() const { return decimalSeparator_; }
    // Body bytes not read yet (the trailer sum is not body).
    int64_t BytesLeft() const;

private:
    void requireBytesLeft(int64_t count);
    bool readPictureBytes(std::vector<uint8_t>& bytes);
    std::string readBytesChecked(int64_t length);
    void resetState();

    std::array<uint8_t, 4096> buffer_{};
    std::unique_ptr<TMathFunction> checker_; // compiles constant texts; no variables
    std::string versionText_;
    int32_t versionNumber_ = 0;
    int32_t graphKind_ = 0;
    char decimalSeparator_ = '.';
    int64_t position_ = 0;
    int64_t bodyEnd_ = -1; // -1 while the frame is being verified
    std::string droppedPictureReason_;
};

class TWriteGraphFile : public TGraphFileBaseClass {
public:
    TWriteGraphFile() = default;
    // An unfinished file is discarded; the target stays as it was.
    ~TWriteGraphFile();

    // Asks before replacing a file that is not a graph data file, then starts the new file
    // and writes its header. False when the user cancelled or the file cannot be made.
    bool CreateGraphFile(const std::string& FileName, int32_t GraphKind, char DecimalSeparator);
    // Writes the trailer sum and puts the new file in place of the target; the save's result.
    bool CloseGraphFile();
    // Gives up the file being written; the target stays as it was.
    void CloseWithoutChecksum();

    void WriteInteger(int32_t Value);
    void WriteColor(TColor Color);
    void WriteString(const std::string& S);
    // A string with the separator given to CreateGraphFile replaced by '.'.
    void WriteMathString(const std::string& S);
    void WriteFont(const TFontRecord& Font);
    void WriteExtended(long double Value);
    void WritePackedMathValue(const TMathValue& Value);
    void WritePoint(const TPoint& Point);
    // The picture as a BMP file image, after its int32 size.
    void WriteBitmap(const TBitmap& Bitmap);
    // The picture's JPEG file image, after its int32 size; an unchanged picture goes back
    // byte for byte as it was read.
    void WriteJPEG(const TJPEGImage& Picture);
    // All Count bytes, or the save ends with EFileSaveError.
    void WriteRecord(const std::vector<uint8_t>& Bytes);
    void WriteRecord(const void* Buffer, int32_t Count);

    char DecimalSeparator() const { return decimalSeparator_; }

private:
    bool createTemporaryBeside(const std::string& target);
    void discardTemporary();

    uint16_t sum_ = 0;
    char decimalSeparator_ = '.';
    std::string targetName_;    // where the finished file goes
    std::string temporaryName_; // empty when writing straight into the target
};

// The fields of a fixed-size record read with ReadRecord, taken by their offsets. Every
// taken field is checked; a bad one ends the load through the reader's RaiseLoadError.
class TRecordReader {
public:
    TRecordReader(TReadGraphFile& Reader, int32_t Size);

    int32_t Int32(std::size_t Offset) const;
    int16_t Int16(std::size_t Offset) const; // version-1 fields, widened with their sign
    uint16_t Word(std::size_t Offset) const;
    uint8_t Byte(std::size_t Offset) const;
    bool Boolean(std::size_t Offset) const; // any non-zero byte is true
    TColor Color(std::size_t Offset) const;
    long double Extended(std::size_t Offset) const;
    TMathValue PackedMathValue(std::size_t Offset) const;
    // A short text of MaxLen characters (MaxLen + 1 bytes) at Offset.
    std::string ShortString(std::size_t Offset, int MaxLen) const;

    const uint8_t* Data() const { return bytes_.data(); }
    std::size_t Size() const { return bytes_.size(); }
    TReadGraphFile& Reader() const { return reader_; }

private:
    const uint8_t* at(std::size_t offset, std::size_t size) const;
    TReadGraphFile& reader_;
    std::vector<uint8_t> bytes_;
};

// A fixed-size record put together by offsets and written with WriteRecord.
class TRecordBuilder {
public:
    explicit TRecordBuilder(std::size_t Size) : bytes_(Size, 0) {}

    void SetInt32(std::size_t Offset, int32_t Value);
    void SetByte(std::size_t Offset, uint8_t Value);
    void SetBoolean(std::size_t Offset, bool Value) { SetByte(Offset, Value ? 1 : 0); }
    void SetColor(std::size_t Offset, TColor Value) { SetInt32(Offset, static_cast<int32_t>(Value)); }
    void SetExtended(std::size_t Offset, long double Value);
    void SetPackedMathValue(std::size_t Offset, const TMathValue& Value);

    void WriteTo(TWriteGraphFile& Writer) const;
    const uint8_t* Data() const { return bytes_.data(); }
    std::size_t Size() const { return bytes_.size(); }

private:
    uint8_t* at(std::size_t offset, std::size_t size);
    std::vector<uint8_t> bytes_;
};
