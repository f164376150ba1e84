// Makes small JPEG files in memory for the tests, with libjpeg's compressor.
#pragma once
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

enum class JpegKind { Colour, Grey, Cmyk };

// The picture encoded as a baseline (or progressive) JPEG: colour (YCbCr),
// one grey channel (the red values), or four CMYK channels.
inline std::string MakeJpeg(const QImage& picture, JpegKind kind = JpegKind::Colour, int quality = 95,
                            bool progressive = false)
{
    const QImage img = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(img.width());
    c.image_height = static_cast<JDIMENSION>(img.height());
    c.input_components = kind == JpegKind::Grey ? 1 : kind == JpegKind::Cmyk ? 4 : 3;
    c.in_color_space = kind == JpegKind::Grey ? JCS_GRAYSCALE : kind == JpegKind::Cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(img.width()) * 4);
    while (c.next_scanline < c.image_height) {
        const uchar* src = img.constScanLine(static_cast<int>(c.next_scanline));
        for (int x = 0; x < img.width(); ++x) {
            const uchar r = src[3 * x], g = src[3 * x + 1], b = src[3 * x + 2];
            switch (kind) {
            case JpegKind::Grey: row[static_cast<size_t>(x)] = r; break;
            case JpegKind::Colour:
                row[3 * static_cast<size_t>(x)] = r;
                row[3 * static_cast<size_t>(x) + 1] = g;
                row[3 * static_cast<size_t>(x) + 2] = b;
                break;
            case JpegKind::Cmyk:
                row[4 * static_cast<size_t>(x)] = static_cast<JSAMPLE>(255 - r);
                row[4 * static_cast<size_t>(x) + 1] = static_cast<JSAMPLE>(255 - g);
                row[4 * static_cast<size_t>(x) + 2] = static_cast<JSAMPLE>(255 - b);
                row[4 * static_cast<size_t>(x) + 3] = 0;
                break;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::string bytes(reinterpret_cast<const char*>(out), size);
    std::free(out);
    return bytes;
}

// A picture whose colours change smoothly and in small details, so that
// quantisation and dithering show.
inline QImage TestPhoto(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 255) / (w > 1 ? w - 1 : 1), (y * 255) / (h > 1 ? h - 1 : 1),
                                    ((x / 7 + y / 5) % 2) ? 200 : 40));
    return img;
}

inline QImage Flat(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// Replaces the size in a baseline frame header (SOF0) of a JPEG file.
inline std::string WithDeclaredSize(std::string jpeg, int width, int height)
{
    for (size_t i = 2; i + 8 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && static_cast<unsigned char>(jpeg[i + 1]) == 0xC0) {
            jpeg[i + 5] = static_cast<char>(height >> 8);
            jpeg[i + 6] = static_cast<char>(height & 0xFF);
            jpeg[i + 7] = static_cast<char>(width >> 8);
            jpeg[i + 8] = static_cast<char>(width & 0xFF);
            return jpeg;
        }
    return jpeg;
}
