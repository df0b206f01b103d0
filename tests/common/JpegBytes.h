#pragma once
// JPEG file images for the picture tests, made with libjpeg directly the way other
// programs write them, and the edits a hostile file makes to one: another size in the
// frame header, long comments that hold no pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace jpegtest {

// A flat picture, grey (0x80) of one component or colour (teal) of three, as libjpeg
// writes it after Configure has set up the coding.
template <class F> std::vector<uint8_t> FlatJpeg(int w, int h, int components, F configure) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &mem, &size);
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    configure(cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(w) * size_t(components), 0x80);
    for (size_t i = 0; components == 3 && i < row.size(); i += 3)
        row[i] = 0;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(mem, mem + size);
    jpeg_destroy_compress(&cinfo);
    std::free(mem);
    return out;
}

// A flat grey picture: baseline Huffman coding unless asked for arithmetic coding, and a
// restart marker after every RestartRows rows of blocks when that is above 0.
inline std::vector<uint8_t> GreyJpeg(int w, int h, bool arithmetic = false, int restartRows = 0) {
    return FlatJpeg(w, h, 1, [&](jpeg_compress_struct& cinfo) {
        cinfo.arith_code = arithmetic ? TRUE : FALSE;
        cinfo.restart_in_rows = restartRows;
    });
}

// A flat grey progressive picture in Scans scans (2 to 77): the DC coefficients, in
// Scans - 64 successive-approximation steps when there are more than 64 scans, and the
// 63 AC coefficients in as many bands as are left.
inline std::vector<uint8_t> GreyJpegInScans(int w, int h, int scans, bool arithmetic = false) {
    std::vector<jpeg_scan_info> script;
    const int refinements = std::max(0, scans - 64), bands = scans - 1 - refinements;
    script.push_back({1, {0}, 0, 0, 0, refinements});
    for (int k = refinements; k > 0; --k)
        script.push_back({1, {0}, 0, 0, k, k - 1});
    for (int b = 0; b < bands; ++b)
        script.push_back({1, {0}, 1 + 63 * b / bands, 63 * (b + 1) / bands, 0, 0});
    return FlatJpeg(w, h, 1, [&](jpeg_compress_struct& cinfo) {
        cinfo.arith_code = arithmetic ? TRUE : FALSE;
        cinfo.scan_info = script.data();
        cinfo.num_scans = int(script.size());
    });
}

// A flat colour picture in three sequential scans, one for each component.
inline std::vector<uint8_t> ColourJpegScanPerComponent(int w, int h) {
    static const jpeg_scan_info script[3] = {
        {1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
    return FlatJpeg(w, h, 3, [&](jpeg_compress_struct& cinfo) {
        cinfo.scan_info = script;
        cinfo.num_scans = 3;
    });
}

// The position of the frame header (start-of-frame marker) of a JPEG file image.
inline size_t FrameHeader(const std::vector<uint8_t>& j) {
    for (size_t i = 2; i + 9 < j.size(); ++i)
        if (j[i] == 0xFF && j[i + 1] >= 0xC0 && j[i + 1] <= 0xCF && j[i + 1] != 0xC4 && j[i + 1] != 0xC8 &&
            j[i + 1] != 0xCC)
            return i;
    ADD_FAILURE() << "no frame header";
    return 0;
}

// The same picture data claiming another size: the frame header holds the height and the
// width, big-endian, 5 and 7 bytes on.
inline std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> j, int width, int height) {
    const size_t sof = FrameHeader(j);
    j[sof + 5] = uint8_t(height >> 8), j[sof + 6] = uint8_t(height);
    j[sof + 7] = uint8_t(width >> 8), j[sof + 8] = uint8_t(width);
    return j;
}

// Count zero bytes of comment right after the start-of-image, in as few segments as hold
// them.
inline std::vector<uint8_t> WithComment(const std::vector<uint8_t>& j, size_t count) {
    std::vector<uint8_t> out(j.begin(), j.begin() + 2);
    while (count > 0) {
        const size_t n = std::min<size_t>(count, 65533);
        out.insert(out.end(), {0xFF, 0xFE, uint8_t((n + 2) >> 8), uint8_t(n + 2)});
        out.insert(out.end(), n, 0);
        count -= n;
    }
    out.insert(out.end(), j.begin() + 2, j.end());
    return out;
}

// The picture without its first scan: the scan header and the data after it, up to the
// next marker.
inline std::vector<uint8_t> WithoutFirstScan(std::vector<uint8_t> j) {
    size_t sos = 2;
    while (sos + 1 < j.size() && !(j[sos] == 0xFF && j[sos + 1] == 0xDA))
        sos += 2 + ((size_t(j[sos + 2]) << 8) | j[sos + 3]);
    size_t end = sos + 2 + ((size_t(j[sos + 2]) << 8) | j[sos + 3]);
    while (end + 1 < j.size() && !(j[end] == 0xFF && j[end + 1] != 0 && (j[end + 1] & 0xF8) != 0xD0))
        ++end;
    j.erase(j.begin() + long(sos), j.begin() + long(end));
    return j;
}

// An arithmetic-coded grey picture claiming 8192 x 8192 pixels from a few bytes of data,
// behind a comment that makes the whole file 16 KB: a byte per 4096 pixels.
inline std::vector<uint8_t> ArithmeticJpegBomb() {
    return WithComment(WithFrameSize(GreyJpeg(16, 16, true), 8192, 8192), 16302);
}

} // namespace jpegtest
