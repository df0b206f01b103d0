#include "platform/Jpeg.h"

#include "platform/Files.h"

#include <QByteArray>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <mutex>

extern "C" {
#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>
}

// libjpeg reports fatal errors by calling error_exit, which must not return. Ours jumps
// back to the setjmp in the core routines below. Those routines keep no object with a
// destructor alive across a libjpeg call, so the jump skips nothing that needs cleaning
// up; everything that owns memory lives in the callers.

namespace {

// What a picture may cost before it is decoded, checked against its header alone.
//
// Huffman coding (baseline or progressive) spends at least one bit on every 8 x 8 block of
// a component in its first scan, so its entropy-coded data grows with the picture: a
// blank 2000 x 2000 picture of ours takes a byte per 170 pixels. A size needing more than
// 4096 pixels from each byte of that data is refused. Only the bytes inside the scans
// count: comments and other segments can be any length and hold no pixels.
//
// Arithmetic coding can code a blank picture of any size in a handful of bytes (8192 x
// 8192 in 4 bytes), so its data bounds nothing. Such pictures get a fixed cap instead:
// 2^22 pixels (2048 x 2048), above the 4,000,000 of the largest graph picture (2000 x
// 2000); a blank colour picture of that size decodes in under a tenth of a second, even
// progressive. Nothing we write uses arithmetic coding, and few programs do.
constexpr int64_t kMaxPixels = int64_t(1) << 26;
constexpr int64_t kMaxPixelsPerByte = 4096;
constexpr int64_t kMaxArithmeticPixels = int64_t(1) << 22;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int warnings;
};

extern "C" void jpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

extern "C" void jpegEmitMessage(j_common_ptr cinfo, int level) {
    // Level -1 is a warning about damaged data; trace messages (level >= 0) are dropped.
    if (level >= 0) return;
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (err->warnings++ == 0) (*cinfo->err->format_message)(cinfo, err->message);
}

extern "C" void jpegOutputMessage(j_common_ptr) {}

void initErrors(ErrorManager& err) {
    std::memset(&err, 0, sizeof err);
    jpeg_std_error(&err.pub);
    err.pub.error_exit = jpegErrorExit;
    err.pub.emit_message = jpegEmitMessage;
    err.pub.output_message = jpegOutputMessage;
}

// ---- memory source -----------------------------------------------------------------------

struct MemorySource {
    jpeg_source_mgr pub;
    const uint8_t* data;
    size_t size;
    bool ranOut;
};

const JOCTET kFakeEoi[2] = {0xFF, JPEG_EOI};

extern "C" void sourceInit(j_decompress_ptr) {}

extern "C" boolean sourceFill(j_decompress_ptr cinfo) {
    // The whole image was handed over at the start: asking for more means it ended early.
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
    src->ranOut = true;
    WARNMS(cinfo, JWRN_JPEG_EOF);
    src->pub.next_input_byte = kFakeEoi;
    src->pub.bytes_in_buffer = 2;
    return TRUE;
}

extern "C" void sourceSkip(j_decompress_ptr cinfo, long count) {
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
    if (count <= 0) return;
    while (size_t(count) > src->pub.bytes_in_buffer) {
        count -= long(src->pub.bytes_in_buffer);
        sourceFill(cinfo);
    }
    src->pub.next_input_byte += count;
    src->pub.bytes_in_buffer -= size_t(count);
}

extern "C" void sourceTerm(j_decompress_ptr) {}

constexpr uint8_t kStartOfScan = 0xDA;

bool isRestartMarker(uint8_t code) {
    return code >= JPEG_RST0 && code <= JPEG_RST0 + 7;
}

// The bytes inside the scans of a JPEG file image: the entropy-coded data after each
// start-of-scan header up to the next marker (stuffed bytes and restart markers
// included). Walks the segments from the start-of-image; stops at the end-of-image or at
// anything that is not a marker where one belongs (which the decoder refuses anyway).
size_t entropyCodedBytes(const uint8_t* data, size_t size) {
    size_t count = 0;
    size_t i = 2; // after the start-of-image
    while (i + 1 < size && data[i] == 0xFF) {
        const uint8_t marker = data[i + 1];
        i += 2;
        if (marker == 0xFF) {
            --i; // a fill byte before the marker
            continue;
        }
        if (marker == JPEG_EOI) break;
        if (marker == 0x01 || isRestartMarker(marker)) continue; // no length field
        if (i + 2 > size) break;
        const size_t length = (size_t(data[i]) << 8) | data[i + 1];
        if (length < 2 || length > size - i) break;
        i += length;
        if (marker != kStartOfScan) continue;
        // The data ends at a 0xFF that is neither stuffing (0xFF 0x00) nor a restart marker.
        const size_t first = i;
        while (i < size &&
               !(data[i] == 0xFF && i + 1 < size && data[i + 1] != 0 && !isRestartMarker(data[i + 1])))
            ++i;
        count += i - first;
    }
    return count;
}

// Why a picture of this size and coding is refused before it is decoded; null when it
// may be decoded.
const char* refusalBeforeDecoding(const jpeg_decompress_struct& cinfo, const MemorySource& src) {
    const int64_t pixels = int64_t(cinfo.image_width) * int64_t(cinfo.image_height);
    if (pixels > kMaxPixels) return "JPEG picture too large";
    if (cinfo.arith_code)
        return pixels > kMaxArithmeticPixels ? "JPEG picture too large for its coding" : nullptr;
    if (pixels > int64_t(entropyCodedBytes(src.data, src.size)) * kMaxPixelsPerByte)
        return "JPEG data too short for its size";
    return nullptr;
}

// ---- growing destination -----------------------------------------------------------------

struct VectorDestination {
    jpeg_destination_mgr pub;
    std::vector<uint8_t>* out;
};

extern "C" void destinationInit(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->out->data();
    dest->pub.free_in_buffer = dest->out->size();
}

extern "C" boolean destinationEmpty(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    const size_t used = dest->out->size();
    bool grown = true;
    try {
        dest->out->resize(used * 2);
    } catch (...) {
        grown = false;
    }
    if (!grown) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    dest->pub.next_output_byte = dest->out->data() + used;
    dest->pub.free_in_buffer = dest->out->size() - used;
    return TRUE;
}

extern "C" void destinationTerm(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->out->resize(dest->out->size() - dest->pub.free_in_buffer);
}

// ---- cores -------------------------------------------------------------------------------

bool encodeCore(jpeg_compress_struct* cinfo, ErrorManager* err, VectorDestination* dest,
                const TBitmap* bitmap, const TPixelCodec* codec, uint8_t* row, const TJpegOptions* options) {
    if (setjmp(err->jump)) return false;
    jpeg_create_compress(cinfo);
    cinfo->dest = &dest->pub;
    cinfo->image_width = JDIMENSION(bitmap->Width());
    cinfo->image_height = JDIMENSION(bitmap->Height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, std::clamp(options->Quality, 1, 100), TRUE);
    cinfo->dct_method = JDCT_ISLOW;
    if (options->Progressive) jpeg_simple_progression(cinfo);
    jpeg_start_compress(cinfo, TRUE);
    const int width = bitmap->Width();
    while (cinfo->next_scanline < cinfo->image_height) {
        const uint8_t* src = bitmap->ScanLine(int(cinfo->next_scanline));
        for (int x = 0; x < width; ++x) {
            const TColor c = codec->ReadColor(src, x);
            row[3 * x] = uint8_t(GetRValue(c));
            row[3 * x + 1] = uint8_t(GetGValue(c));
            row[3 * x + 2] = uint8_t(GetBValue(c));
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(cinfo, rows, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

bool decodeCore(jpeg_decompress_struct* cinfo, ErrorManager* err, MemorySource* src, TBitmap* target) {
    if (setjmp(err->jump)) return false;
    jpeg_create_decompress(cinfo);
    cinfo->src = &src->pub;
    jpeg_read_header(cinfo, TRUE);
    if (cinfo->num_components == 1) {
        cinfo->out_color_space = JCS_GRAYSCALE;
    } else if (cinfo->num_components == 3 &&
               (cinfo->jpeg_color_space == JCS_YCbCr || cinfo->jpeg_color_space == JCS_RGB)) {
        cinfo->out_color_space = JCS_RGB;
    } else {
        std::snprintf(err->message, sizeof err->message, "Unsupported JPEG colour space");
        return false;
    }
    // Before the picture or the coefficients of a progressive one are allocated.
    if (const char* refusal = refusalBeforeDecoding(*cinfo, *src)) {
        std::snprintf(err->message, sizeof err->message, "%s", refusal);
        return false;
    }
    cinfo->dct_method = JDCT_ISLOW;
    jpeg_start_decompress(cinfo);
    // An image whose data ended early is refused anyway: stop before allocating or looping
    // over rows that the data does not hold (a progressive image is read whole by now).
    if (src->ranOut) return false;
    // May throw std::bad_alloc; the caller cleans up.
    target->SetSize(int(cinfo->output_width), int(cinfo->output_height));
    const int width = int(cinfo->output_width);
    const bool grey = cinfo->output_components == 1;
    JSAMPARRAY buffer = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                    JDIMENSION(width * cinfo->output_components), 1);
    while (cinfo->output_scanline < cinfo->output_height) {
        uint8_t* dst = target->ScanLine(int(cinfo->output_scanline));
        jpeg_read_scanlines(cinfo, buffer, 1);
        if (src->ranOut) return false;
        if (grey) {
            for (int x = 0; x < width; ++x)
                dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = buffer[0][x];
        } else {
            std::memcpy(dst, buffer[0], size_t(width) * 3); // the 24-bit rows hold R, G, B
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

void setError(std::string* errorText, const std::string& text) {
    if (errorText) *errorText = text;
}

} // namespace

bool EncodeJpeg(const TBitmap& bitmap, std::vector<uint8_t>& out, const TJpegOptions& options,
                std::string* errorText) {
    std::lock_guard lock(bitmap);
    if (bitmap.Width() <= 0 || bitmap.Height() <= 0) {
        setError(errorText, "Cannot encode an empty picture as JPEG");
        return false;
    }
    const TPixelCodec codec = bitmap.Codec();
    std::vector<uint8_t> row(size_t(bitmap.Width()) * 3);
    std::vector<uint8_t> buffer(size_t(64) * 1024);
    jpeg_compress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    ErrorManager err;
    initErrors(err);
    cinfo.err = &err.pub;
    VectorDestination dest;
    std::memset(&dest, 0, sizeof dest);
    dest.pub.init_destination = destinationInit;
    dest.pub.empty_output_buffer = destinationEmpty;
    dest.pub.term_destination = destinationTerm;
    dest.out = &buffer;
    const bool ok = encodeCore(&cinfo, &err, &dest, &bitmap, &codec, row.data(), &options);
    jpeg_destroy_compress(&cinfo);
    if (!ok) {
        setError(errorText, std::string("JPEG encoding failed: ") + err.message);
        return false;
    }
    out.swap(buffer);
    return true;
}

bool DecodeJpeg(const uint8_t* data, size_t size, TBitmap& out, std::string* errorText) {
    if (!data || size == 0) {
        setError(errorText, "Invalid JPEG image: no data");
        return false;
    }
    TBitmap decoded(0, 0, pf24bit);
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    ErrorManager err;
    initErrors(err);
    cinfo.err = &err.pub;
    MemorySource src;
    std::memset(&src, 0, sizeof src);
    src.pub.init_source = sourceInit;
    src.pub.fill_input_buffer = sourceFill;
    src.pub.skip_input_data = sourceSkip;
    src.pub.resync_to_restart = jpeg_resync_to_restart;
    src.pub.term_source = sourceTerm;
    src.pub.next_input_byte = data;
    src.pub.bytes_in_buffer = size;
    src.data = data;
    src.size = size;
    bool ok;
    try {
        ok = decodeCore(&cinfo, &err, &src, &decoded);
    } catch (...) {
        jpeg_destroy_decompress(&cinfo);
        setError(errorText, "Invalid JPEG image: out of memory");
        return false;
    }
    jpeg_destroy_decompress(&cinfo);
    if (!ok || err.warnings > 0 || src.ranOut) {
        setError(errorText, std::string("Invalid JPEG image: ") + err.message);
        return false;
    }
    out.Assign(decoded);
    return true;
}

// ---------------------------------------------------------------------------------------

bool TJPEGImage::LoadFromBytes(const uint8_t* data, size_t size, std::string* errorText) {
    auto check = std::make_unique<TBitmap>();
    if (!DecodeJpeg(data, size, *check, errorText)) return false;
    data_.assign(data, data + size);
    width_ = check->Width();
    height_ = check->Height();
    decoded_ = std::move(check);
    return true;
}

bool TJPEGImage::Assign(const TBitmap& bitmap, std::string* errorText) {
    std::vector<uint8_t> bytes;
    if (!EncodeJpeg(bitmap, bytes, Options, errorText)) return false;
    data_.swap(bytes);
    width_ = bitmap.Width();
    height_ = bitmap.Height();
    decoded_.reset(); // the source, not what the encoded picture decodes to
    return true;
}

bool TJPEGImage::DecodeTo(TBitmap& out, std::string* errorText) {
    if (!decoded_) return DecodeJpeg(data_.data(), data_.size(), out, errorText);
    const std::unique_ptr<TBitmap> decoded = std::move(decoded_);
    out.Assign(*decoded);
    return true;
}

bool TJPEGImage::SaveToFile(const std::string& fileName, std::string* errorText) const {
    return WriteFileBytes(fileName, data_.data(), data_.size(), errorText);
}

bool TJPEGImage::LoadFromFile(const std::string& fileName, std::string* errorText) {
    QByteArray bytes;
    if (!ReadFileBytes(fileName, bytes, errorText)) return false;
    return LoadFromBytes(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()),
                         errorText);
}
