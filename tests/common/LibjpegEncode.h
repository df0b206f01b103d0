#pragma once
// A picture encoded by libjpeg itself, the way other programs write JPEG files. Free of
// GoogleTest, so that the benchmarks make their pictures with it too.

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

// A W x H picture of Components bytes a pixel (grey, or R, G, B) at Quality. Configure
// sets up the coding after libjpeg's defaults; RowOf(y) gives row y's pixels.
template <class Configure, class RowOf>
std::vector<uint8_t> EncodeWithLibjpeg(int w, int h, int components, int quality, Configure configure,
                                       RowOf rowOf) {
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
    jpeg_set_quality(&cinfo, quality, TRUE);
    configure(cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = rowOf(int(cinfo.next_scanline));
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(mem, mem + size);
    jpeg_destroy_compress(&cinfo);
    std::free(mem);
    return out;
}
