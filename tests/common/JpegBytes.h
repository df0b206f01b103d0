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

// A flat grey picture: baseline Huffman coding unless asked for arithmetic coding, and a
// restart marker after every RestartRows rows of blocks when that is above 0.
inline std::vector<uint8_t> GreyJpeg(int w, int h, bool arithmetic = false, int restartRows = 0) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &mem, &size);
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    cinfo.arith_code = arithmetic ? TRUE : FALSE;
    cinfo.restart_in_rows = restartRows;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(w), 0x80);
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

// An arithmetic-coded grey picture claiming 8192 x 8192 pixels from a few bytes of data,
// behind a comment that makes the whole file 16 KB: a byte per 4096 pixels.
inline std::vector<uint8_t> ArithmeticJpegBomb() {
    return WithComment(WithFrameSize(GreyJpeg(16, 16, true), 8192, 8192), 16302);
}

} // namespace jpegtest
