#include "platform/Jpeg.h"

#include "platform/Canvas.h"
#include "platform/Files.h"

#include <QByteArray>

#include <algorithm>
#include <bit>
#include <bitset>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <utility>

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
// 4096 pixels from each byte of that data is refused. Only the data bytes inside the scans
// count: comments and other segments can be any length and hold no pixels, and neither
// do the fill bytes and restart markers within a scan.
//
// Arithmetic coding can code a blank picture of any size in a handful of bytes (8192 x
// 8192 in 4 bytes), so its data bounds nothing. Such pictures get a fixed cap instead:
// 2^22 pixels (2048 x 2048), above the 4,000,000 of the largest graph picture (2000 x
// 2000); a blank colour picture of that size decodes in under a tenth of a second, even
// progressive. Nothing we write uses arithmetic coding, and few programs do.
//
// The bound on bytes holds only when every component of the frame is coded: a scan costs
// at least a bit for each block of its components, but a component that no scan names is
// decoded as flat grey from no data at all. Encoders never leave one out (libjpeg's refuses
// to), so such a picture is refused: by the walk before anything is allocated, and again
// from libjpeg's own record of each scan (TScanGuard) before the first row is made, so
// that no difference between the two readings can let one through.
//
// Every scan of a progressive picture costs a pass over all the blocks of its components,
// however few bytes it holds (about 14 for a nearly empty one), so the work would grow
// with the number of scans and not with the data. Encoders write about 10 (ours 10 in
// colour, 6 in grey); 64 leaves a wide margin and keeps a 2000 x 2000 picture to a few
// tens of milliseconds. libjpeg itself counts the scans as it reads them (TScanGuard), so
// the limit holds however the file is laid out; the walk over the markers below only
// refuses most such pictures sooner.
constexpr int64_t kMaxPixels = int64_t(1) << 26;
constexpr int64_t kMaxPixelsPerByte = 4096;
constexpr int64_t kMaxArithmeticPixels = int64_t(1) << 22;
constexpr int kMaxScans = 64;

constexpr const char* kTooManyScans = "JPEG picture has too many scans";
constexpr const char* kComponentNotCoded = "JPEG data missing for a component";

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void jpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Ends the decode through the error exit with our own reason.
[[noreturn]] void refuse(j_common_ptr cinfo, const char* reason) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "%s", reason);
    std::longjmp(err->jump, 1);
}

bool isRestartMarker(uint8_t code) {
    return code >= JPEG_RST0 && code <= JPEG_RST0 + 7;
}

// Warnings after which libjpeg decodes exactly what it would have decoded without them:
// an unknown JFIF revision or Adobe transform code changes nothing it reads, and bytes it
// finds between segments it skips as neither a marker nor data. Bytes left over before a
// restart marker are another matter: they lie inside a scan, where they mean that the
// interval before them did not decode as it was coded.
bool isHarmlessWarning(const jpeg_error_mgr& err) {
    switch (err.msg_code) {
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
        return true;
    case JWRN_EXTRANEOUS_DATA: // the byte count, then the marker found after them
        return !isRestartMarker(uint8_t(err.msg_parm.i[1]));
    default:
        return false;
    }
}

extern "C" void jpegEmitMessage(j_common_ptr cinfo, int level) {
    // Level -1 is a warning; trace messages (level >= 0) are dropped. Any warning but the
    // harmless ones means damaged or missing data, and a decoder stops at it as at a fatal
    // error: the picture is refused anyway, and going on to the end would cost as much as a
    // good picture of its size.
    if (level >= 0 || !cinfo->is_decompressor || isHarmlessWarning(*cinfo->err)) return;
    jpegErrorExit(cinfo);
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
};

const JOCTET kFakeEoi[2] = {0xFF, JPEG_EOI};

extern "C" void sourceInit(j_decompress_ptr) {}

extern "C" boolean sourceFill(j_decompress_ptr cinfo) {
    // The whole image was handed over at the start: asking for more means it ended early.
    // The warning ends the decode; the end-of-image is there for a library that goes on.
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
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

// Where the 0xFF bytes that start at At end.
size_t afterFillBytes(const uint8_t* data, size_t size, size_t at) {
    while (at < size && data[at] == 0xFF)
        ++at;
    return at;
}

// The entropy-coded data of a scan from At, read as libjpeg's decoders read it: a run of
// 0xFF bytes followed by 0x00 is one 0xFF data byte, and a run followed by a restart
// marker is padding before that marker, which stays inside the scan. A run followed by
// any other code is padding before the marker that ends the scan. Counts the data bytes
// into Bytes (neither padding nor restart markers, which hold no blocks) and returns
// where that run starts.
size_t endOfEntropyData(const uint8_t* data, size_t size, size_t at, size_t& bytes) {
    while (at < size) {
        const void* found = std::memchr(data + at, 0xFF, size - at);
        const size_t run = found ? size_t(static_cast<const uint8_t*>(found) - data) : size;
        bytes += run - at;
        const size_t code = afterFillBytes(data, size, run);
        if (code >= size || (data[code] != 0 && !isRestartMarker(data[code]))) return run;
        if (data[code] == 0) ++bytes;
        at = code + 1;
    }
    return size;
}

// Where the code of the next marker lies from At, found as libjpeg looks for a marker
// between segments: it skips every byte up to a run of 0xFF bytes, and a run followed by
// 0x00 as well; the code is the byte after the run. Size when there is none.
size_t nextMarkerCode(const uint8_t* data, size_t size, size_t at) {
    while (at < size) {
        const void* found = std::memchr(data + at, 0xFF, size - at);
        if (!found) return size;
        const size_t code = afterFillBytes(data, size, size_t(static_cast<const uint8_t*>(found) - data));
        if (code >= size || data[code] != 0) return code;
        at = code + 1;
    }
    return size;
}

// What the scans of a JPEG file image hold, found by walking its segments from the
// start-of-image: how many scans there are, the bytes of entropy-coded data after their
// headers, and which components they code. Fill bytes, and bytes between segments, are
// read as libjpeg reads them, so that the walk and the decoder see the same scans; the
// bytes libjpeg skips count as neither a marker nor data. Stops at the end-of-image and at
// a segment length below 2, which libjpeg reads past as if it were 2. The walk may thus
// see fewer scans than libjpeg: that only makes its bounds on components and data bytes
// stricter, and TScanGuard holds the scan limit and the components to what libjpeg reads.
struct TScans {
    int count = 0;
    size_t entropyBytes = 0;
    std::bitset<256> components;
};

TScans findScans(const uint8_t* data, size_t size) {
    TScans scans;
    size_t i = 2; // after the start-of-image
    while ((i = nextMarkerCode(data, size, i)) < size) {
        const uint8_t marker = data[i++];
        if (marker == JPEG_EOI) break;
        if (marker == 0x01 || isRestartMarker(marker)) continue; // no length field
        if (i + 2 > size) break;
        const size_t length = (size_t(data[i]) << 8) | data[i + 1];
        if (length < 2 || length > size - i) break;
        const size_t header = i;
        i += length;
        if (marker != kStartOfScan) continue;
        ++scans.count;
        // The header holds the component count, then a selector and a table byte for each.
        const size_t named = length >= 3 ? std::min<size_t>(data[header + 2], (length - 3) / 2) : 0;
        for (size_t k = 0; k < named; ++k)
            scans.components.set(data[header + 3 + 2 * k]);
        i = endOfEntropyData(data, size, i, scans.entropyBytes);
    }
    return scans;
}

// Why a picture of this size and coding is refused before it is decoded; null when it
// may be decoded.
const char* refusalBeforeDecoding(const jpeg_decompress_struct& cinfo, const MemorySource& src) {
    const int64_t pixels = int64_t(cinfo.image_width) * int64_t(cinfo.image_height);
    if (pixels > kMaxPixels) return "JPEG picture too large";
    const TScans scans = findScans(src.data, src.size);
    if (scans.count > kMaxScans) return kTooManyScans;
    for (int c = 0; c < cinfo.num_components; ++c)
        if (!scans.components.test(size_t(cinfo.comp_info[c].component_id) & 0xFF)) return kComponentNotCoded;
    if (cinfo.arith_code)
        return pixels > kMaxArithmeticPixels ? "JPEG picture too large for its coding" : nullptr;
    if (pixels > int64_t(scans.entropyBytes) * kMaxPixelsPerByte) return "JPEG data too short for its size";
    return nullptr;
}

// ---- scans as libjpeg reads them ---------------------------------------------------------

// A progress monitor, which libjpeg calls before it reads each piece of input (a row of
// blocks or the markers up to the next scan), and so at least once in every scan before
// that scan's data. It notes the components of each scan from libjpeg's own state as the
// scan starts, and ends the decode at the header of the scan past the limit.
struct TScanGuard {
    jpeg_progress_mgr pub;
    int scan;                          // the last scan noted
    std::bitset<MAX_COMPONENTS> coded; // by component index
};

void noteScan(j_decompress_ptr cinfo) {
    auto* guard = reinterpret_cast<TScanGuard*>(cinfo->progress);
    if (cinfo->input_scan_number == guard->scan) return;
    guard->scan = cinfo->input_scan_number;
    if (guard->scan > kMaxScans) refuse(reinterpret_cast<j_common_ptr>(cinfo), kTooManyScans);
    for (int k = 0; k < cinfo->comps_in_scan && k < MAX_COMPS_IN_SCAN; ++k)
        guard->coded[size_t(cinfo->cur_comp_info[k]->component_index)] = true;
}

extern "C" void scanGuardMonitor(j_common_ptr cinfo) {
    if (cinfo->is_decompressor) noteScan(reinterpret_cast<j_decompress_ptr>(cinfo));
}

// Once the input is read (a picture of several scans is read whole before its first row
// comes, and a picture of one scan codes every component in it), every component of the
// frame must have come in some scan, or it would be made from no data at all.
void checkEveryComponentCoded(j_decompress_ptr cinfo) {
    noteScan(cinfo);
    const auto* guard = reinterpret_cast<const TScanGuard*>(cinfo->progress);
    for (int c = 0; c < cinfo->num_components; ++c)
        if (!guard->coded[size_t(c)]) refuse(reinterpret_cast<j_common_ptr>(cinfo), kComponentNotCoded);
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

// The colour space libjpeg writes rows of a bitmap of this depth in: 24-bit rows are R, G,
// B; 32-bit rows hold each pixel as the word 0xFFRRGGBB, and libjpeg-turbo sets the pad
// byte to 0xFF. Rows of the other depths are decoded as R, G, B and then converted.
J_COLOR_SPACE rowColorSpace(TPixelFormat format) {
    if (format != pf32bit) return JCS_RGB;
    return std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;
}

// The rows go into the bitmap, which is made without filling it: its memory becomes
// resident only as rows are written, so a picture whose data gives out early (and whose
// size, claimed in its header, may be 8192 x 8192) is refused having cost the rows its
// data held and no more. At 24 and 32 bits libjpeg writes them straight into the bitmap
// (grey pictures as well); the other depths pass through Strip, a 24-bit bitmap of a few
// rows, and are converted by the canvas's block copy, as CopyBitmap converts them.
bool decodeCore(jpeg_decompress_struct* cinfo, ErrorManager* err, MemorySource* src, TScanGuard* guard,
                TBitmap* target, TPixelFormat format, TBitmap* strip) {
    if (setjmp(err->jump)) return false;
    jpeg_create_decompress(cinfo);
    cinfo->src = &src->pub;
    cinfo->progress = &guard->pub;
    jpeg_read_header(cinfo, TRUE);
    if (cinfo->num_components != 1 && !(cinfo->num_components == 3 && (cinfo->jpeg_color_space == JCS_YCbCr ||
                                                                       cinfo->jpeg_color_space == JCS_RGB))) {
        std::snprintf(err->message, sizeof err->message, "Unsupported JPEG colour space");
        return false;
    }
    cinfo->out_color_space = rowColorSpace(format);
    // Before the picture or the coefficients of a progressive one are allocated.
    if (const char* refusal = refusalBeforeDecoding(*cinfo, *src)) {
        std::snprintf(err->message, sizeof err->message, "%s", refusal);
        return false;
    }
    cinfo->dct_method = JDCT_ISLOW;
    jpeg_start_decompress(cinfo);
    checkEveryComponentCoded(cinfo);
    // May throw std::bad_alloc; the caller cleans up.
    target->SetSizeUnfilled(int(cinfo->output_width), int(cinfo->output_height), format);
    constexpr JDIMENSION kRowsPerCall = 16;
    const bool direct = format == pf24bit || format == pf32bit;
    const int width = int(cinfo->output_width);
    if (!direct) strip->SetSizeUnfilled(width, int(kRowsPerCall), pf24bit);
    JSAMPROW rows[kRowsPerCall];
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION first = cinfo->output_scanline;
        const JDIMENSION count = std::min(kRowsPerCall, cinfo->output_height - first);
        for (JDIMENSION k = 0; k < count; ++k)
            rows[k] = direct ? target->ScanLine(int(first + k)) : strip->ScanLine(int(k));
        // libjpeg may give fewer rows than asked for; those it gave are converted.
        const int read = int(jpeg_read_scanlines(cinfo, rows, count));
        if (!direct)
            target->Canvas().CopyRect(Rect(0, int(first), width, int(first) + read), strip->Canvas(),
                                      Rect(0, 0, width, read));
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

bool DecodeJpeg(const uint8_t* data, size_t size, TBitmap& out, TPixelFormat format, std::string* errorText) {
    if (!IsValidPixelFormat(format)) {
        setError(errorText, "Invalid JPEG image: no such colour depth");
        return false;
    }
    if (!data || size == 0) {
        setError(errorText, "Invalid JPEG image: no data");
        return false;
    }
    TBitmap decoded, strip;
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
    TScanGuard guard{};
    guard.pub.progress_monitor = scanGuardMonitor;
    bool ok;
    try {
        ok = decodeCore(&cinfo, &err, &src, &guard, &decoded, format, &strip);
    } catch (...) {
        ok = false;
        std::snprintf(err.message, sizeof err.message, "out of memory");
    }
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        setError(errorText, std::string("Invalid JPEG image: ") + err.message);
        return false;
    }
    out.Swap(decoded);
    return true;
}

// ---------------------------------------------------------------------------------------

bool TJPEGImage::LoadFromBytes(const uint8_t* data, size_t size, std::string* errorText) {
    return LoadFromBytes(std::vector<uint8_t>(data, data + size), errorText);
}

bool TJPEGImage::LoadFromBytes(std::vector<uint8_t>&& data, std::string* errorText) {
    auto check = std::make_unique<TBitmap>();
    if (!DecodeJpeg(data.data(), data.size(), *check, LoadDepth, errorText)) return false;
    data_ = std::move(data);
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

bool TJPEGImage::DecodeTo(TBitmap& out, TPixelFormat format, std::string* errorText) {
    // Of no use after this call either way; gone before a decode of another depth, so that
    // the two are never held at once.
    std::unique_ptr<TBitmap> decoded = std::move(decoded_);
    if (!decoded || decoded->PixelFormat() != format) {
        decoded.reset();
        return DecodeJpeg(data_.data(), data_.size(), out, format, errorText);
    }
    out.Swap(*decoded);
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
