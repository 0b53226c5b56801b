// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegCodec.h"


#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

// libjpeg reports errors through error_exit, which by default ends the
// process. Ours jumps back into the small leaf function that made the failing
// call. No C++ object with a destructor is alive inside those leaf functions,
// and nothing is thrown through libjpeg's C frames.

namespace VekJpeg {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void vekErrorExit(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    longjmp(err->jump, 1);
}

extern "C" void vekOutputMessage(j_common_ptr)
{
    // Warnings and traces are not printed.
}

// Past the header libjpeg only warns about damaged picture data and goes on
// with grey or garbage; such a picture counts as damaged, like an error.
extern "C" void vekEmitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return; // a trace
    switch (cinfo->err->msg_code) {
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_JPEG_EOF:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        vekErrorExit(cinfo);
        break;
    default:
        break; // a harmless oddity of the header
    }
}

void setupErrors(ErrorManager &err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = vekErrorExit;
    err.pub.output_message = vekOutputMessage;
    err.pub.emit_message = vekEmitMessage;
    err.message[0] = 0;
}

// --- decoding -------------------------------------------------------------

class Decompressor {
public:
    Decompressor() { setupErrors(err); }
    ~Decompressor()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
    Decompressor(const Decompressor &) = delete;
    Decompressor &operator=(const Decompressor &) = delete;

    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    bool created = false;
};

bool startDecompress(Decompressor *d, const uchar *data, unsigned long size, bool fast)
{
    if (setjmp(d->err.jump))
        return false;
    d->cinfo.err = &d->err.pub;
    jpeg_create_decompress(&d->cinfo);
    d->created = true;
    jpeg_mem_src(&d->cinfo, data, size);
    jpeg_read_header(&d->cinfo, TRUE);
    d->cinfo.out_color_space = JCS_EXT_BGRX; // straight into 32-bit words 0xffRRGGBB
    d->cinfo.scale_num = 1;
    d->cinfo.scale_denom = 1;
    d->cinfo.buffered_image = FALSE;
    d->cinfo.do_block_smoothing = FALSE;
    d->cinfo.dct_method = fast ? JDCT_IFAST : JDCT_ISLOW;
    d->cinfo.do_fancy_upsampling = fast ? FALSE : TRUE;
    jpeg_calc_output_dimensions(&d->cinfo);
    return true;
}

// Starts the decoder, skips every row but the last and reads that one into
// row: the compressed data is read through to its end marker, which gives
// every warning a full decode would, while libjpeg-turbo discards the
// skipped blocks without making their pixels. (Skipping the last row too
// would end the picture without reading its data.)
bool readThrough(Decompressor *d, uchar *row)
{
    if (setjmp(d->err.jump))
        return false;
    jpeg_start_decompress(&d->cinfo);
    jpeg_skip_scanlines(&d->cinfo, d->cinfo.output_height - 1);
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&d->cinfo, rows, 1);
    jpeg_finish_decompress(&d->cinfo);
    return true;
}

bool readScanlines(Decompressor *d, uchar *bits, qsizetype bytesPerLine)
{
    if (setjmp(d->err.jump))
        return false;
    jpeg_start_decompress(&d->cinfo);
    while (d->cinfo.output_scanline < d->cinfo.output_height) {
        JSAMPROW row = bits + d->cinfo.output_scanline * bytesPerLine;
        jpeg_read_scanlines(&d->cinfo, &row, 1);
    }
    jpeg_finish_decompress(&d->cinfo);
    return true;
}

// --- encoding -------------------------------------------------------------

class Compressor {
public:
    Compressor() { setupErrors(err); }
    ~Compressor()
    {
        if (created)
            jpeg_destroy_compress(&cinfo);
        free(buffer);
    }
    Compressor(const Compressor &) = delete;
    Compressor &operator=(const Compressor &) = delete;

    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    bool created = false;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
};

bool compress(Compressor *c, const uchar *bits, qsizetype bytesPerLine, int width, int height)
{
    if (setjmp(c->err.jump))
        return false;
    c->cinfo.err = &c->err.pub;
    jpeg_create_compress(&c->cinfo);
    c->created = true;
    jpeg_mem_dest(&c->cinfo, &c->buffer, &c->size);
    c->cinfo.image_width = JDIMENSION(width);
    c->cinfo.image_height = JDIMENSION(height);
    c->cinfo.input_components = 4;
    c->cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&c->cinfo);
    c->cinfo.dct_method = JDCT_ISLOW;
    c->cinfo.smoothing_factor = 0;
    jpeg_start_compress(&c->cinfo, TRUE);
    while (c->cinfo.next_scanline < c->cinfo.image_height) {
        JSAMPROW row = const_cast<uchar *>(bits + c->cinfo.next_scanline * bytesPerLine);
        jpeg_write_scanlines(&c->cinfo, &row, 1);
    }
    jpeg_finish_compress(&c->cinfo);
    return true;
}

void setError(QString *error, const char *what, const char *detail)
{
    if (error)
        *error = detail && *detail ? QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(detail))
                                   : QString::fromLatin1(what);
}

} // namespace

namespace {

// Reads the header and starts the decoder; false, with a message, for an
// empty or damaged stream and for sizes and layouts no picture may have.
bool begin(Decompressor *d, const uchar *data, qsizetype size, bool fast, QString *error)
{
    if (!data || size <= 0) {
        setError(error, "the JPEG picture is empty", nullptr);
        return false;
    }
    if (!startDecompress(d, data, static_cast<unsigned long>(size), fast)) {
        setError(error, "the JPEG picture is damaged", d->err.message);
        return false;
    }
    const int w = int(d->cinfo.output_width);
    const int h = int(d->cinfo.output_height);
    if (w <= 0 || h <= 0 || w > MaxDimension || h > MaxDimension || d->cinfo.output_components != 4) {
        setError(error, "the JPEG picture has an unsupported size or layout", nullptr);
        return false;
    }
    return true;
}

bool decode(const uchar *data, qsizetype size, DecodeMode mode, QImage &out, bool reuse, QString *error)
{
    Decompressor d;
    if (!begin(&d, data, size, mode == DecodeMode::Fast, error))
        return false;
    const int w = int(d.cinfo.output_width);
    const int h = int(d.cinfo.output_height);
    QImage fresh;
    QImage *target = &out;
    if (!(reuse && out.width() == w && out.height() == h && out.format() == QImage::Format_RGB32 && out.isDetached())) {
        fresh = QImage(w, h, QImage::Format_RGB32);
        if (fresh.isNull()) {
            setError(error, "not enough memory for the JPEG picture", nullptr);
            return false;
        }
        target = &fresh;
    }
    if (!readScanlines(&d, target->bits(), target->bytesPerLine())) {
        setError(error, "the JPEG picture is damaged", d.err.message);
        return false;
    }
    if (target == &fresh)
        out = std::move(fresh);
    return true;
}

} // namespace

bool Decode(const uchar *data, qsizetype size, DecodeMode mode, QImage &out, QString *error)
{
    return decode(data, size, mode, out, false, error);
}

bool DecodeInto(const uchar *data, qsizetype size, DecodeMode mode, QImage &out, QString *error)
{
    return decode(data, size, mode, out, true, error);
}

bool Check(const uchar *data, qsizetype size, int &width, int &height, QString *error)
{
    Decompressor d;
    if (!begin(&d, data, size, false, error))
        return false;
    std::vector<uchar> row(size_t(d.cinfo.output_width) * 4);
    if (!readThrough(&d, row.data())) {
        setError(error, "the JPEG picture is damaged", d.err.message);
        return false;
    }
    width = int(d.cinfo.output_width);
    height = int(d.cinfo.output_height);
    return true;
}

bool Encode(const QImage &image, QByteArray &out, QString *error)
{
    if (image.isNull()) {
        setError(error, "there is no picture to encode", nullptr);
        return false;
    }
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    Compressor c;
    if (!compress(&c, rgb.constBits(), rgb.bytesPerLine(), rgb.width(), rgb.height())) {
        setError(error, "the picture could not be encoded as JPEG", c.err.message);
        return false;
    }
    out = QByteArray(reinterpret_cast<const char *>(c.buffer), qsizetype(c.size));
    return true;
}

} // namespace VekJpeg
