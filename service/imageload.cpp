#include "imageload.h"

#include "filenames.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

namespace nimbra {

namespace {

// Bigger pictures are refused before any pixel memory is taken: a few bytes
// of header could otherwise ask for gigabytes.
constexpr qint64 kMaxSide = 16384;
constexpr qint64 kMaxPixels = qint64(64) * 1024 * 1024;
constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;

bool sizeAcceptable(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
}

// Straight (not premultiplied) alpha blend of one channel onto the background.
inline int mix(int colour, int back, int alpha)
{
    return (colour * alpha + back * (255 - alpha) + 127) / 255;
}

inline QRgb over(int r, int g, int b, int a, QRgb back)
{
    return qRgb(mix(r, qRed(back), a), mix(g, qGreen(back), a), mix(b, qBlue(back), a));
}

// The whole file is read first; the decoders then take their bytes from here.
struct MemorySource {
    const unsigned char *data;
    size_t size;
    size_t pos;
};

// ---- PNG ------------------------------------------------------------------

[[noreturn]] void pngFail(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void pngWarn(png_structp, png_const_charp)
{
}

void pngRead(png_structp png, png_bytep out, size_t length)
{
    auto *src = static_cast<MemorySource *>(png_get_io_ptr(png));
    if (length > src->size - src->pos)
        png_error(png, "truncated");
    std::memcpy(out, src->data + src->pos, length);
    src->pos += length;
}

// The two functions holding setjmp keep only trivial locals: a libpng error
// longjmps back into them, which would skip any destructor.
bool pngBegin(png_structp png, png_infop info, png_uint_32 *width, png_uint_32 *height)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    if (!sizeAcceptable(*width, *height))
        return false;
    const int colourType = png_get_color_type(png, info);
    // Palette, grey below 8 bits and tRNS all become 8-bit channels with alpha.
    png_set_expand(png);
    png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (!(colourType & PNG_COLOR_MASK_ALPHA))
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_bit_depth(png, info) == 8 && png_get_channels(png, info) == 4
        && png_get_rowbytes(png, info) == size_t(*width) * 4;
}

bool pngFinish(png_structp png, png_infop info, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngReader() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

QImage decodePng(const QByteArray &bytes, QRgb back)
{
    PngReader reader;
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngFail, pngWarn);
    if (!reader.png)
        return {};
    reader.info = png_create_info_struct(reader.png);
    if (!reader.info)
        return {};
    MemorySource src{reinterpret_cast<const unsigned char *>(bytes.constData()), size_t(bytes.size()), 0};
    png_set_read_fn(reader.png, &src, pngRead);
    png_set_user_limits(reader.png, kMaxSide, kMaxSide);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    if (!pngBegin(reader.png, reader.info, &width, &height))
        return {};
    // libpng writes R, G, B, A bytes straight into the lines of the result;
    // each pixel then becomes an opaque QRgb in the same four bytes.
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = image.scanLine(int(y));
    if (!pngFinish(reader.png, reader.info, rows.data()))
        return {};
    for (png_uint_32 y = 0; y < height; ++y) {
        const uchar *in = rows[y];
        auto *out = reinterpret_cast<QRgb *>(rows[y]);
        for (png_uint_32 x = 0; x < width; ++x, in += 4)
            out[x] = over(in[0], in[1], in[2], in[3], back);
    }
    return image;
}

// ---- JPEG -----------------------------------------------------------------

struct JpegErrors {
    jpeg_error_mgr mgr; // first, so the library's pointer converts back
    std::jmp_buf jump;
};

[[noreturn]] void jpegFail(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegErrors *>(cinfo->err)->jump, 1);
}

void jpegMessage(j_common_ptr cinfo, int level)
{
    // libjpeg pads a file cut short with grey and only warns; a picture with
    // missing pixels is a fault. The decoder reads ahead, so even a file that
    // lacks only its end marker lands here.
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        jpegFail(cinfo);
}

void jpegOutput(j_common_ptr)
{
}

bool isCmyk(J_COLOR_SPACE space)
{
    return space == JCS_CMYK || space == JCS_YCCK;
}

bool jpegBegin(jpeg_decompress_struct *cinfo, JpegErrors *errors, const MemorySource *src)
{
    if (setjmp(errors->jump))
        return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, src->data, static_cast<unsigned long>(src->size));
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (!sizeAcceptable(cinfo->image_width, cinfo->image_height))
        return false;
    // libjpeg turns YCbCr, grey and RGB into RGB itself; CMYK it can only
    // hand over as CMYK.
    const bool cmyk = isCmyk(cinfo->jpeg_color_space);
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(cinfo);
    return cinfo->output_components == (cmyk ? 4 : 3) && cinfo->output_width == cinfo->image_width
        && cinfo->output_height == cinfo->image_height;
}

bool jpegFinish(jpeg_decompress_struct *cinfo, JpegErrors *errors, JSAMPROW row, uchar *pixels,
                qsizetype stride)
{
    if (setjmp(errors->jump))
        return false;
    const bool cmyk = cinfo->out_color_space == JCS_CMYK;
    // Adobe writers store CMYK inverted, and say so with their marker.
    const bool inverted = cinfo->saw_Adobe_marker;
    const JDIMENSION width = cinfo->output_width;
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION y = cinfo->output_scanline;
        JSAMPROW rows[1] = {row};
        if (jpeg_read_scanlines(cinfo, rows, 1) != 1)
            return false;
        auto *out = reinterpret_cast<QRgb *>(pixels + qsizetype(y) * stride);
        const JSAMPLE *in = row;
        if (cmyk) {
            for (JDIMENSION x = 0; x < width; ++x, in += 4) {
                int c = in[0], m = in[1], ye = in[2], k = in[3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    ye = 255 - ye;
                    k = 255 - k;
                }
                out[x] = qRgb(c * k / 255, m * k / 255, ye * k / 255);
            }
        } else {
            for (JDIMENSION x = 0; x < width; ++x, in += 3)
                out[x] = qRgb(in[0], in[1], in[2]);
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

struct JpegReader {
    jpeg_decompress_struct cinfo{};
    JpegErrors errors{};
    ~JpegReader() { jpeg_destroy_decompress(&cinfo); }
};

QImage decodeJpeg(const QByteArray &bytes)
{
    JpegReader reader;
    // The default error manager ends the program; this one longjmps back.
    reader.cinfo.err = jpeg_std_error(&reader.errors.mgr);
    reader.errors.mgr.error_exit = jpegFail;
    reader.errors.mgr.emit_message = jpegMessage;
    reader.errors.mgr.output_message = jpegOutput;
    const MemorySource src{reinterpret_cast<const unsigned char *>(bytes.constData()), size_t(bytes.size()), 0};
    if (src.size == 0 || !jpegBegin(&reader.cinfo, &reader.errors, &src))
        return {};
    QImage image(int(reader.cinfo.output_width), int(reader.cinfo.output_height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    std::vector<JSAMPLE> row(size_t(reader.cinfo.output_width) * size_t(reader.cinfo.output_components));
    if (!jpegFinish(&reader.cinfo, &reader.errors, row.data(), image.bits(), image.bytesPerLine()))
        return {};
    return image;
}

// ---- GIF ------------------------------------------------------------------

int gifRead(GifFileType *gif, GifByteType *out, int length)
{
    auto *src = static_cast<MemorySource *>(gif->UserData);
    if (length <= 0)
        return 0;
    const size_t n = std::min(size_t(length), src->size - src->pos);
    std::memcpy(out, src->data + src->pos, n);
    src->pos += n;
    return int(n);
}

struct GifReader {
    GifFileType *gif = nullptr;
    ~GifReader()
    {
        int error = 0;
        if (gif)
            DGifCloseFile(gif, &error);
    }
};

bool skipExtension(GifFileType *gif, GraphicsControlBlock *control)
{
    int code = 0;
    GifByteType *block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    if (control && code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4)
        DGifExtensionToGCB(4, block + 1, control);
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

// Draws the frame just described by gif->Image onto canvas; what falls
// outside the canvas is dropped.
bool drawGifFrame(GifFileType *gif, const GraphicsControlBlock &control, QImage &canvas)
{
    const GifImageDesc &desc = gif->Image;
    const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || map->ColorCount <= 0)
        return false;
    const int width = desc.Width;
    const int height = desc.Height;
    std::vector<GifPixelType> line(static_cast<size_t>(width));
    const auto drawRow = [&](int row) {
        const int y = desc.Top + row;
        if (y < 0 || y >= canvas.height())
            return;
        auto *out = reinterpret_cast<QRgb *>(canvas.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int cx = desc.Left + x;
            if (cx >= canvas.width())
                break;
            const int index = line[size_t(x)];
            // The transparent index and indexes past the colour map let the
            // background show.
            if (cx < 0 || index == control.TransparentColor || index >= map->ColorCount)
                continue;
            const GifColorType &c = map->Colors[index];
            out[cx] = qRgb(c.Red, c.Green, c.Blue);
        }
    };
    if (desc.Interlace) {
        static constexpr int kStart[] = {0, 4, 2, 1};
        static constexpr int kStep[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int row = kStart[pass]; row < height; row += kStep[pass]) {
                if (DGifGetLine(gif, line.data(), width) == GIF_ERROR)
                    return false;
                drawRow(row);
            }
        }
    } else {
        for (int row = 0; row < height; ++row) {
            if (DGifGetLine(gif, line.data(), width) == GIF_ERROR)
                return false;
            drawRow(row);
        }
    }
    return true;
}

// The later frames are not decoded, only walked block by block to the end
// of the file, so that a file cut short is noticed.
bool skipToTrailer(GifFileType *gif)
{
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return false;
        switch (type) {
        case EXTENSION_RECORD_TYPE:
            if (!skipExtension(gif, nullptr))
                return false;
            break;
        case IMAGE_DESC_RECORD_TYPE: {
            if (DGifGetImageDesc(gif) == GIF_ERROR)
                return false;
            int codeSize = 0;
            GifByteType *block = nullptr;
            if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR)
                return false;
            while (block) {
                if (DGifGetCodeNext(gif, &block) == GIF_ERROR)
                    return false;
            }
            break;
        }
        case TERMINATE_RECORD_TYPE:
            return true;
        default:
            return false;
        }
    }
}

QImage decodeGif(const QByteArray &bytes, QRgb back)
{
    MemorySource src{reinterpret_cast<const unsigned char *>(bytes.constData()), size_t(bytes.size()), 0};
    GifReader reader;
    int error = 0;
    reader.gif = DGifOpen(&src, gifRead, &error);
    if (!reader.gif)
        return {};
    GifFileType *gif = reader.gif;
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return {};
        if (type == EXTENSION_RECORD_TYPE) {
            if (!skipExtension(gif, &control))
                return {};
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            return {}; // the trailer before any frame, or a broken record
        if (DGifGetImageDesc(gif) == GIF_ERROR)
            return {};
        const GifImageDesc &desc = gif->Image;
        if (!sizeAcceptable(desc.Width, desc.Height))
            return {};
        qint64 width = gif->SWidth;
        qint64 height = gif->SHeight;
        // A screen without a size takes the size of its first frame.
        if (width <= 0 || height <= 0) {
            width = qint64(desc.Left) + desc.Width;
            height = qint64(desc.Top) + desc.Height;
        }
        if (!sizeAcceptable(width, height))
            return {};
        QImage canvas(int(width), int(height), QImage::Format_RGB32);
        if (canvas.isNull())
            return {};
        canvas.fill(back);
        if (!drawGifFrame(gif, control, canvas) || !skipToTrailer(gif))
            return {};
        return canvas;
    }
}

// ---- BMP ------------------------------------------------------------------

QImage decodeBmp(const QByteArray &bytes, QRgb back)
{
    // Qt's reader shows a file cut short with its missing lines left blank;
    // the size in the file header tells that bytes are missing.
    if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M')
        return {};
    const auto byteAt = [&](int i) { return quint32(uchar(bytes[i])); };
    const quint32 declared = byteAt(2) | byteAt(3) << 8 | byteAt(4) << 16 | byteAt(5) << 24;
    if (declared > quint64(bytes.size()))
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, QByteArrayLiteral("BMP"));
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!sizeAcceptable(size.width(), size.height()))
        return {};
    QImage image = reader.read();
    if (image.isNull() || !sizeAcceptable(image.width(), image.height()))
        return {};
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = over(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), qAlpha(line[x]), back);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

// ---------------------------------------------------------------------------

enum class Kind { Png, Jpeg, Gif, Bmp, Other };

Kind kindOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return Kind::Other;
    const QStringView ext = QStringView(name).sliced(dot + 1);
    const auto is = [&](const char *e) { return ext.compare(QLatin1String(e), Qt::CaseInsensitive) == 0; };
    if (is("png"))
        return Kind::Png;
    if (is("jpg") || is("jpeg"))
        return Kind::Jpeg;
    if (is("gif"))
        return Kind::Gif;
    if (is("bmp"))
        return Kind::Bmp;
    return Kind::Other;
}

LoadedImage failed(const QString &text)
{
    return {LoadedImage::Outcome::Failed, QImage(), text};
}

} // namespace

LoadedImage loadImageFile(const QString &advFolder, const QString &name, const QImage &current, QColor background)
{
    using Outcome = LoadedImage::Outcome;
    if (name.isEmpty())
        return {Outcome::Cleared, QImage(), QString()};
    if (!isPlainFileName(name))
        return failed(QStringLiteral("Nome de imagem inválido: ") + shownName(name));
    const Kind kind = kindOf(name);
    if (kind == Kind::Other)
        return {Outcome::Unchanged, current, QString()};

    const QString unreadable = QStringLiteral("Imagem ilegível: ") + name;
    try {
        const QString path = advFolder + name;
        const QFileInfo info(path);
        if (!info.exists())
            return failed(QStringLiteral("Imagem não encontrada: ") + name);
        // Only a regular file: a pipe of that name would block the reader.
        if (!info.isFile() || info.size() > kMaxFileBytes)
            return failed(unreadable);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return failed(unreadable);
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError || bytes.isEmpty())
            return failed(unreadable);

        const QRgb back = background.isValid() ? background.rgb() : qRgb(255, 255, 255);
        QImage image;
        switch (kind) {
        case Kind::Png:
            image = decodePng(bytes, back);
            break;
        case Kind::Jpeg:
            image = decodeJpeg(bytes);
            break;
        case Kind::Gif:
            image = decodeGif(bytes, back);
            break;
        case Kind::Bmp:
            image = decodeBmp(bytes, back);
            break;
        case Kind::Other:
            break;
        }
        if (image.isNull())
            return failed(unreadable);
        return {Outcome::Decoded, image, QString()};
    } catch (...) {
        // Out of memory for a big picture is a failure of this picture only.
        return failed(unreadable);
    }
}

} // namespace nimbra
