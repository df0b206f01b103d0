#pragma once
// JPEG file images for the picture tests, made with libjpeg directly the way other
// programs write them, and the edits a hostile file makes to one: another size in the
// frame header, long comments that hold no pixels.

#include "common/LibjpegEncode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace jpegtest {

// A flat picture, grey (0x80) of one component or colour (teal) of three, as libjpeg
// writes it after Configure has set up the coding. A grainy one has rows of random pixels
// across its middle, 16 pixels clear of the top and bottom, so that its data holds 0xFF
// bytes, which the coding writes as 0xFF 0x00.
template <class F>
std::vector<uint8_t> FlatJpeg(int w, int h, int components, F configure, bool grainy = false) {
    std::vector<uint8_t> flat(size_t(w) * size_t(components), 0x80), grain(flat.size());
    for (size_t i = 0; components == 3 && i < flat.size(); i += 3)
        flat[i] = 0;
    std::srand(5);
    return EncodeWithLibjpeg(w, h, components, 100, configure, [&](int y) {
        for (auto& v : grain)
            v = uint8_t(std::rand());
        return grainy && y >= 16 && y < h - 16 ? grain.data() : flat.data();
    });
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
// 63 AC coefficients in as many bands as are left. A restart marker after every
// RestartRows rows of blocks when that is above 0.
inline std::vector<uint8_t> GreyJpegInScans(int w, int h, int scans, bool arithmetic = false,
                                            bool grainy = false, int restartRows = 0) {
    std::vector<jpeg_scan_info> script;
    const int refinements = std::max(0, scans - 64), bands = scans - 1 - refinements;
    script.push_back({1, {0}, 0, 0, 0, refinements});
    for (int k = refinements; k > 0; --k)
        script.push_back({1, {0}, 0, 0, k, k - 1});
    for (int b = 0; b < bands; ++b)
        script.push_back({1, {0}, 1 + 63 * b / bands, 63 * (b + 1) / bands, 0, 0});
    return FlatJpeg(
        w, h, 1,
        [&](jpeg_compress_struct& cinfo) {
            cinfo.arith_code = arithmetic ? TRUE : FALSE;
            cinfo.restart_in_rows = restartRows;
            cinfo.scan_info = script.data();
            cinfo.num_scans = int(script.size());
        },
        grainy);
}

// A flat colour picture in three sequential scans, one for each component, with a restart
// marker after every RestartRows rows of blocks when that is above 0.
inline std::vector<uint8_t> ColourJpegScanPerComponent(int w, int h, bool arithmetic = false,
                                                       bool grainy = false, int restartRows = 0) {
    static const jpeg_scan_info script[3] = {
        {1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
    return FlatJpeg(
        w, h, 3,
        [&](jpeg_compress_struct& cinfo) {
            cinfo.arith_code = arithmetic ? TRUE : FALSE;
            cinfo.restart_in_rows = restartRows;
            cinfo.scan_info = script;
            cinfo.num_scans = 3;
        },
        grainy);
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

// A flat colour picture without chroma subsampling, in one sequential scan per component,
// whose frame gives its second component the id of the first and whose second scan names
// that id. libjpeg codes the frame's first component of that id twice and the second
// never, although every id of the frame is named by a scan.
inline std::vector<uint8_t> ColourJpegWithAnIdTwice(int w, int h) {
    static const jpeg_scan_info script[3] = {
        {1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
    std::vector<uint8_t> j = FlatJpeg(w, h, 3, [&](jpeg_compress_struct& cinfo) {
        cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
        cinfo.scan_info = script;
        cinfo.num_scans = 3;
    });
    // The frame header lists id, sampling and table of each component from 10 bytes on.
    const size_t sof = FrameHeader(j);
    const uint8_t first = j[sof + 10];
    j[sof + 13] = first;
    for (size_t i = sof, scans = 0; i + 5 < j.size(); ++i)
        if (j[i] == 0xFF && j[i + 1] == 0xDA && ++scans == 2) j[i + 5] = first; // its one selector
    return j;
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

// Where the data of scan Scan (counted from 1) of a picture as libjpeg wrote it begins
// (after the scan's header) and ends.
inline std::pair<size_t, size_t> ScanData(const std::vector<uint8_t>& j, int scan) {
    size_t i = 2;
    for (int seen = 0; i + 3 < j.size();) {
        const bool isScan = j[i + 1] == 0xDA;
        i += 2 + ((size_t(j[i + 2]) << 8) | j[i + 3]);
        if (!isScan) continue;
        const size_t begin = i;
        while (i + 1 < j.size() && !(j[i] == 0xFF && j[i + 1] != 0 && (j[i + 1] & 0xF8) != 0xD0))
            ++i;
        if (++seen == scan) return {begin, i};
    }
    ADD_FAILURE() << "no scan " << scan;
    return {i, i};
}

inline size_t EndOfScan(const std::vector<uint8_t>& j, int scan) {
    return ScanData(j, scan).second;
}

// Where the first segment with this marker code begins, in a picture as libjpeg wrote it.
inline size_t FirstSegment(const std::vector<uint8_t>& j, uint8_t marker) {
    for (size_t i = 2; i + 3 < j.size() && j[i] == 0xFF; i += 2 + ((size_t(j[i + 2]) << 8) | j[i + 3]))
        if (j[i + 1] == marker) return i;
    ADD_FAILURE() << "no segment " << int(marker);
    return 2;
}

// Count zero bytes put in at At: where a marker belongs, libjpeg skips them (with a
// warning that they were there) and decodes what it would have decoded without them.
inline std::vector<uint8_t> WithZeroBytes(std::vector<uint8_t> j, size_t at, size_t count) {
    j.insert(j.begin() + long(at), count, 0);
    return j;
}

// The JFIF segment, which libjpeg writes right after the start-of-image as revision 1.01,
// giving another revision.
inline std::vector<uint8_t> WithJfifRevision(std::vector<uint8_t> j, uint8_t major, uint8_t minor) {
    EXPECT_TRUE(j.size() > 13 && j[3] == 0xE0 && std::equal(j.begin() + 6, j.begin() + 11, "JFIF"))
        << "no JFIF segment first";
    j[11] = major, j[12] = minor;
    return j;
}

// The second half of the data of scan Scan left out: the decoder meets the next marker
// while blocks of the scan are still to come.
inline std::vector<uint8_t> WithScanCutShort(std::vector<uint8_t> j, int scan) {
    const auto [begin, end] = ScanData(j, scan);
    j.erase(j.begin() + long(begin + (end - begin) / 2), j.begin() + long(end));
    return j;
}

// A comment whose length field says 0 put after the data of scan Scan. libjpeg reads on
// right after the length field, and so finds every scan after it.
inline std::vector<uint8_t> WithEmptyCommentAfterScan(std::vector<uint8_t> j, int scan) {
    const size_t end = EndOfScan(j, scan);
    j.insert(j.begin() + long(end), {0xFF, 0xFE, 0, 0});
    return j;
}

// The last scan of a sequential picture of several scans repeated Times times: libjpeg
// decodes each again, a pass over all the blocks of its component.
inline std::vector<uint8_t> WithLastScanRepeated(std::vector<uint8_t> j, int times) {
    size_t last = 0;
    for (size_t i = 2; i + 1 < j.size(); ++i)
        if (j[i] == 0xFF && j[i + 1] == 0xDA) last = i;
    const std::vector<uint8_t> scan(j.begin() + long(last), j.end() - 2); // up to the end-of-image
    for (int k = 0; k < times; ++k)
        j.insert(j.end() - 2, scan.begin(), scan.end());
    return j;
}

// Where fill bytes go in a scan's entropy-coded data: before a stuffed 0xFF 0x00, before a
// restart marker, or before the marker that ends the data.
enum class FillBefore { StuffedByte, RestartMarker, Marker };

// Count 0xFF fill bytes inserted at the first place of the kind asked for, in the first
// scan that has one, of a picture as libjpeg wrote it (which has none of its own).
inline std::vector<uint8_t> WithFillBytes(std::vector<uint8_t> j, FillBefore where, size_t count) {
    size_t i = 2;
    while (i + 3 < j.size() && j[i] == 0xFF && j[i + 1] != 0xD9) {
        const bool scan = j[i + 1] == 0xDA;
        i += 2 + ((size_t(j[i + 2]) << 8) | j[i + 3]);
        for (; scan && i + 1 < j.size(); ++i) {
            if (j[i] != 0xFF) continue;
            const uint8_t next = j[i + 1];
            const FillBefore here = next == 0                      ? FillBefore::StuffedByte
                                    : next >= 0xD0 && next <= 0xD7 ? FillBefore::RestartMarker
                                                                   : FillBefore::Marker;
            if (here == where) {
                j.insert(j.begin() + long(i), count, 0xFF);
                return j;
            }
            if (here == FillBefore::Marker) break;
            ++i;
        }
    }
    ADD_FAILURE() << "no place for fill bytes in any scan";
    return j;
}

// An arithmetic-coded grey picture claiming 8192 x 8192 pixels from a few bytes of data,
// behind a comment that makes the whole file 16 KB: a byte per 4096 pixels.
inline std::vector<uint8_t> ArithmeticJpegBomb() {
    return WithComment(WithFrameSize(GreyJpeg(16, 16, true), 8192, 8192), 16302);
}

} // namespace jpegtest
