#include "imageload.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <random>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

using namespace nimbra;
using Outcome = LoadedImage::Outcome;

namespace {

// ---- writers of real test files -------------------------------------------

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What QImageWriter cannot produce (Adam7, odd bit depths, colour-key tRNS)
// is written with libpng itself.
struct RawPng {
    int width = 0;
    int height = 0;
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlace = false;
    std::vector<std::vector<png_byte>> rows;
    std::vector<png_color> palette;
    std::vector<png_byte> trnsAlpha;
    bool hasTrnsColour = false;
    png_color_16 trnsColour{};
};

// Only trivial locals here: libpng's default error handler longjmps back.
bool writePngRows(const char *path, const RawPng *raw, png_bytepp rows)
{
    FILE *fp = std::fopen(path, "wb");
    if (!fp)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(fp);
        return false;
    }
    png_init_io(png, fp);
    png_set_IHDR(png, info, png_uint_32(raw->width), png_uint_32(raw->height), raw->bitDepth, raw->colourType,
                 raw->interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!raw->palette.empty())
        png_set_PLTE(png, info, raw->palette.data(), int(raw->palette.size()));
    if (!raw->trnsAlpha.empty() || raw->hasTrnsColour)
        png_set_tRNS(png, info, raw->trnsAlpha.empty() ? nullptr : raw->trnsAlpha.data(),
                     int(raw->trnsAlpha.size()), raw->hasTrnsColour ? &raw->trnsColour : nullptr);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(fp) == 0;
}

bool writePng(const QString &path, const RawPng &raw)
{
    std::vector<png_bytep> rows;
    for (const std::vector<png_byte> &row : raw.rows)
        rows.push_back(const_cast<png_bytep>(row.data()));
    return writePngRows(QFile::encodeName(path).constData(), &raw, rows.data());
}

// CMYK and oversized JPEGs come from libjpeg's own encoder.
bool writeJpeg(const QString &path, int width, int height, J_COLOR_SPACE space, int components,
               const std::vector<JSAMPLE> &pixels)
{
    FILE *fp = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!fp)
        return false;
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, fp);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = components;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&pixels[size_t(c.next_scanline) * size_t(width) * size_t(components)]);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return std::fclose(fp) == 0;
}

struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlace = false;
    int transparent = NO_TRANSPARENT_COLOR;
    std::vector<GifColorType> localMap; // empty: the global map applies
    std::vector<GifPixelType> pixels;   // width * height, top row first
};

bool writeGif(const QString &path, int screenWidth, int screenHeight, const std::vector<GifColorType> &globalMap,
              const std::vector<GifFrame> &frames)
{
    int error = 0;
    GifFileType *gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    if (!gif)
        return false;
    EGifSetGifVersion(gif, true);
    ColorMapObject *global = globalMap.empty() ? nullptr : GifMakeMapObject(int(globalMap.size()), globalMap.data());
    bool ok = EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, global) == GIF_OK;
    GifFreeMapObject(global);
    for (const GifFrame &f : frames) {
        if (!ok)
            break;
        GraphicsControlBlock control{};
        control.DelayTime = 10;
        control.TransparentColor = f.transparent;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK;
        ColorMapObject *local = f.localMap.empty() ? nullptr : GifMakeMapObject(int(f.localMap.size()), f.localMap.data());
        ok = ok && EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, local) == GIF_OK;
        GifFreeMapObject(local);
        std::vector<int> order;
        if (f.interlace) {
            const int start[] = {0, 4, 2, 1};
            const int step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int row = start[pass]; row < f.height; row += step[pass])
                    order.push_back(row);
        } else {
            for (int row = 0; row < f.height; ++row)
                order.push_back(row);
        }
        std::vector<GifPixelType> line(size_t(f.width));
        for (int row : order) {
            std::copy_n(f.pixels.begin() + qsizetype(row) * f.width, f.width, line.begin());
            ok = ok && EGifPutLine(gif, line.data(), f.width) == GIF_OK;
        }
    }
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

// ---- expectations ---------------------------------------------------------

QRgb blended(QRgb source, QRgb back)
{
    const double a = qAlpha(source) / 255.0;
    const auto ch = [&](int c, int b) { return int(c * a + b * (1.0 - a) + 0.5); };
    return qRgb(ch(qRed(source), qRed(back)), ch(qGreen(source), qGreen(back)), ch(qBlue(source), qBlue(back)));
}

testing::AssertionResult near(QRgb actual, QRgb expected, int tolerance)
{
    const int d = std::max({std::abs(qRed(actual) - qRed(expected)), std::abs(qGreen(actual) - qGreen(expected)),
                            std::abs(qBlue(actual) - qBlue(expected))});
    if (d <= tolerance && qAlpha(actual) == 255)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "got (" << qRed(actual) << ',' << qGreen(actual) << ',' << qBlue(actual)
                                       << ',' << qAlpha(actual) << ") expected (" << qRed(expected) << ','
                                       << qGreen(expected) << ',' << qBlue(expected) << ") within " << tolerance;
}

QImage noise(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(int(random() & 0xFF), int(random() & 0xFF), int(random() & 0xFF)));
    return image;
}

QByteArray garbage(int size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(random() & 0xFF);
    return bytes;
}

// IHDR sits right after the signature: bit depth at 24, colour type at 25,
// interlace method at 28.
struct PngHeader {
    int bitDepth;
    int colourType;
    int interlace;
};

PngHeader pngHeaderOf(const QString &path)
{
    const QByteArray b = readBytes(path);
    if (b.size() < 29)
        return {-1, -1, -1};
    return {uchar(b[24]), uchar(b[25]), uchar(b[28])};
}

GifColorType gc(int r, int g, int b)
{
    return {GifByteType(r), GifByteType(g), GifByteType(b)};
}

class ImageLoad : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QStringLiteral("/adv/");
        ASSERT_TRUE(QDir().mkpath(folder));
    }

    QString at(const QString &name) const { return folder + name; }

    LoadedImage load(const QString &name, QColor background = Qt::white) const
    {
        return loadImageFile(folder, name, current, background);
    }

    void expectDecoded(const LoadedImage &result) const
    {
        EXPECT_EQ(result.outcome, Outcome::Decoded) << result.error.toStdString();
        EXPECT_FALSE(result.image.isNull());
        EXPECT_EQ(result.image.format(), QImage::Format_RGB32);
        EXPECT_TRUE(result.error.isEmpty());
    }

    void expectFailed(const LoadedImage &result, const QString &name) const
    {
        EXPECT_EQ(result.outcome, Outcome::Failed);
        EXPECT_TRUE(result.image.isNull());
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_TRUE(result.error.contains(name)) << result.error.toStdString();
    }

    // Every pixel of the result against the source blended on background.
    void expectPixels(const LoadedImage &result, const QImage &source, QRgb back, int tolerance) const
    {
        ASSERT_EQ(result.outcome, Outcome::Decoded) << result.error.toStdString();
        ASSERT_EQ(result.image.size(), source.size());
        const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                ASSERT_TRUE(near(result.image.pixel(x, y), blended(argb.pixel(x, y), back), tolerance))
                    << "at " << x << ',' << y;
    }

    QTemporaryDir dir;
    QString folder;
    QImage current = noise(3, 2, 99);
};

// ---- PNG ------------------------------------------------------------------

TEST_F(ImageLoad, PngAlphaIsBlendedOntoTheBackground)
{
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(255, 0, 0, 128));
    source.setPixel(1, 0, qRgba(0, 0, 255, 0));
    ASSERT_TRUE(source.save(at(QStringLiteral("alpha.png")), "PNG"));
    ASSERT_EQ(pngHeaderOf(at(QStringLiteral("alpha.png"))).colourType, PNG_COLOR_TYPE_RGB_ALPHA);

    const LoadedImage onWhite = load(QStringLiteral("alpha.png"));
    expectDecoded(onWhite);
    EXPECT_TRUE(near(onWhite.image.pixel(0, 0), qRgb(255, 127, 127), 2));
    EXPECT_TRUE(near(onWhite.image.pixel(1, 0), qRgb(255, 255, 255), 0));

    const QRgb dark = qRgb(10, 20, 30);
    const LoadedImage onDark = load(QStringLiteral("alpha.png"), QColor(dark));
    expectDecoded(onDark);
    EXPECT_TRUE(near(onDark.image.pixel(0, 0), qRgb(133, 10, 15), 2));
    EXPECT_TRUE(near(onDark.image.pixel(1, 0), dark, 0));
}

TEST_F(ImageLoad, PngKindsWrittenByQtDecodeToTheirColours)
{
    QImage palette(4, 2, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgba(0, 0, 255, 100), qRgba(0, 0, 0, 0)});
    for (int i = 0; i < 8; ++i)
        palette.setPixel(i % 4, i / 4, uint(i % 4));

    QImage grey(5, 2, QImage::Format_Grayscale8);
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 2; ++y)
            grey.setPixel(x, y, qRgb(x * 60, x * 60, x * 60));

    QImage grey16(3, 1, QImage::Format_Grayscale16);
    for (int x = 0; x < 3; ++x)
        grey16.setPixelColor(x, 0, QColor::fromRgba64(QRgba64::fromRgba64(quint16(x * 30000), quint16(x * 30000), quint16(x * 30000), 0xFFFF)));

    QImage rgba16(3, 1, QImage::Format_RGBA64);
    rgba16.setPixelColor(0, 0, QColor::fromRgba64(QRgba64::fromRgba64(0xFFFF, 0x8000, 0x0000, 0xFFFF)));
    rgba16.setPixelColor(1, 0, QColor::fromRgba64(QRgba64::fromRgba64(0x0000, 0x4000, 0xFFFF, 0x8000)));
    rgba16.setPixelColor(2, 0, QColor::fromRgba64(QRgba64::fromRgba64(0x1234, 0x5678, 0x9ABC, 0x0000)));

    QImage rgb16(2, 2, QImage::Format_RGBX64);
    rgb16.setPixelColor(0, 0, QColor(10, 200, 30));
    rgb16.setPixelColor(1, 0, QColor(250, 5, 128));
    rgb16.setPixelColor(0, 1, QColor(0, 0, 0));
    rgb16.setPixelColor(1, 1, QColor(255, 255, 255));

    QImage mono(9, 1, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int x = 0; x < 9; ++x)
        mono.setPixel(x, 0, uint(x % 2));

    struct Case {
        const char *name;
        QImage source;
        int colourType;
        int bitDepth;
        QRgb background;
    };
    const Case cases[] = {
        {"palette.png", palette, PNG_COLOR_TYPE_PALETTE, 8, qRgb(255, 255, 255)},
        {"palette-dark.png", palette, PNG_COLOR_TYPE_PALETTE, 8, qRgb(0, 40, 80)},
        {"grey.png", grey, PNG_COLOR_TYPE_GRAY, 8, qRgb(255, 255, 255)},
        {"grey16.png", grey16, PNG_COLOR_TYPE_GRAY, 16, qRgb(255, 255, 255)},
        {"rgba16.png", rgba16, PNG_COLOR_TYPE_RGB_ALPHA, 16, qRgb(90, 90, 0)},
        {"rgb16.png", rgb16, PNG_COLOR_TYPE_RGB, 16, qRgb(255, 255, 255)},
        {"mono.png", mono, -1, 1, qRgb(255, 255, 255)},
        {"rgb.png", noise(7, 5, 3), PNG_COLOR_TYPE_RGB, 8, qRgb(255, 255, 255)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        ASSERT_TRUE(c.source.save(at(name), "PNG"));
        const PngHeader header = pngHeaderOf(at(name));
        if (c.colourType >= 0) {
            EXPECT_EQ(header.colourType, c.colourType);
        }
        EXPECT_EQ(header.bitDepth, c.bitDepth);
        const LoadedImage result = load(name, QColor(c.background));
        expectDecoded(result);
        expectPixels(result, c.source, c.background, 1);
    }
}

TEST_F(ImageLoad, PngLowDepthsColourKeysAndInterlaceWrittenByLibpng)
{
    struct Case {
        const char *name;
        RawPng png;
        std::vector<QRgb> pixels; // the picture's own colours, before blending
    };
    RawPng grey2{4, 1, PNG_COLOR_TYPE_GRAY, 2, false, {{0x1B}}, {}, {}, false, {}};
    RawPng greyAlpha{2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {{200, 255, 200, 0}}, {}, {}, false, {}};
    RawPng greyAlpha16{1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, {{0x80, 0x80, 0x80, 0x80}}, {}, {}, false, {}};
    RawPng keyed{2, 1, PNG_COLOR_TYPE_RGB, 8, false, {{0, 255, 0, 255, 0, 0}}, {}, {}, true, {}};
    keyed.trnsColour.green = 255;
    RawPng keyed16{2, 1, PNG_COLOR_TYPE_RGB, 16, false,
                   {{0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00, 0x12, 0x34, 0x12, 0x34, 0x12, 0x34}}, {}, {}, true, {}};
    keyed16.trnsColour.red = keyed16.trnsColour.green = keyed16.trnsColour.blue = 0x1234;
    RawPng palette4{3, 1, PNG_COLOR_TYPE_PALETTE, 4, false, {{0x01, 0x20}},
                    {{255, 0, 0}, {0, 0, 255}, {255, 255, 255}}, {255, 128}, false, {}};
    RawPng palette1{8, 1, PNG_COLOR_TYPE_PALETTE, 1, true, {{0xA5}}, {{0, 0, 0}, {10, 200, 30}}, {}, false, {}};

    const Case cases[] = {
        {"grey2.png", grey2, {qRgb(0, 0, 0), qRgb(85, 85, 85), qRgb(170, 170, 170), qRgb(255, 255, 255)}},
        {"greyalpha.png", greyAlpha, {qRgba(200, 200, 200, 255), qRgba(200, 200, 200, 0)}},
        {"greyalpha16-interlaced.png", greyAlpha16, {qRgba(128, 128, 128, 128)}},
        {"keyed.png", keyed, {qRgba(0, 255, 0, 0), qRgb(255, 0, 0)}},
        {"keyed16.png", keyed16, {qRgb(255, 128, 0), qRgba(0x12, 0x12, 0x12, 0)}},
        {"palette4.png", palette4, {qRgb(255, 0, 0), qRgba(0, 0, 255, 128), qRgb(255, 255, 255)}},
        {"palette1-interlaced.png", palette1,
         {qRgb(10, 200, 30), qRgb(0, 0, 0), qRgb(10, 200, 30), qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(10, 200, 30),
          qRgb(0, 0, 0), qRgb(10, 200, 30)}},
    };
    const QRgb back = qRgb(40, 60, 250);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        ASSERT_TRUE(writePng(at(name), c.png));
        EXPECT_EQ(pngHeaderOf(at(name)).bitDepth, c.png.bitDepth);
        const LoadedImage result = load(name, QColor(back));
        expectDecoded(result);
        ASSERT_EQ(result.image.size(), QSize(c.png.width, c.png.height));
        for (int x = 0; x < c.png.width; ++x)
            EXPECT_TRUE(near(result.image.pixel(x, 0), blended(c.pixels[size_t(x)], back), 1)) << "at " << x;
    }
}

TEST_F(ImageLoad, InterlacedPngIsReadInFull)
{
    // Odd sizes leave some Adam7 passes short or empty.
    const int width = 19;
    const int height = 13;
    RawPng png{width, height, PNG_COLOR_TYPE_RGB_ALPHA, 8, true, {}, {}, {}, false, {}};
    QImage source(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        std::vector<png_byte> row;
        for (int x = 0; x < width; ++x) {
            const QRgb p = qRgba(x * 13, y * 19, (x * y) % 256, (x + y) * 8);
            source.setPixel(x, y, p);
            row.insert(row.end(), {png_byte(qRed(p)), png_byte(qGreen(p)), png_byte(qBlue(p)), png_byte(qAlpha(p))});
        }
        png.rows.push_back(row);
    }
    const QString name = QStringLiteral("adam7.png");
    ASSERT_TRUE(writePng(at(name), png));
    ASSERT_EQ(pngHeaderOf(at(name)).interlace, 1);
    const QRgb back = qRgb(200, 100, 0);
    const LoadedImage result = load(name, QColor(back));
    expectDecoded(result);
    expectPixels(result, source, back, 1);
}

// ---- JPEG -----------------------------------------------------------------

QImage quadrants(int side, QImage::Format format)
{
    QImage image(side, side, format);
    const int h = side / 2;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int q = (y >= h ? 2 : 0) + (x >= h ? 1 : 0);
            const QRgb colours[] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(20, 40, 210), qRgb(240, 230, 60)};
            image.setPixel(x, y, format == QImage::Format_Grayscale8 ? qGray(colours[q]) * 0x010101u : colours[q]);
        }
    return image;
}

TEST_F(ImageLoad, JpegColoursStayCloseToTheSource)
{
    const QImage colour = quadrants(32, QImage::Format_RGB32);
    const QImage grey = quadrants(32, QImage::Format_Grayscale8);
    struct Case {
        const char *name;
        QImage source;
    };
    const Case cases[] = {{"colour.jpg", colour}, {"grey.jpeg", grey}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        ASSERT_TRUE(c.source.save(at(name), "JPEG", 100));
        const LoadedImage result = load(name);
        expectDecoded(result);
        ASSERT_EQ(result.image.size(), QSize(32, 32));
        // Quadrant centres, away from the edges that chroma subsampling smears.
        for (const QPoint p : {QPoint(8, 8), QPoint(24, 8), QPoint(8, 24), QPoint(24, 24)})
            EXPECT_TRUE(near(result.image.pixel(p), c.source.pixel(p), 8)) << p.x() << ',' << p.y();
    }
}

TEST_F(ImageLoad, CmykJpegBecomesRgb)
{
    // Adobe's inverted convention, which libjpeg marks with its APP14 marker:
    // stored 255 means no ink.
    const int side = 16;
    std::vector<JSAMPLE> pixels;
    for (int i = 0; i < side * side; ++i) {
        const bool left = i % side < side / 2;
        // Left: magenta + yellow ink = red; right: no ink at all = white.
        if (left)
            pixels.insert(pixels.end(), {255, 0, 0, 255});
        else
            pixels.insert(pixels.end(), {255, 255, 255, 255});
    }
    const QString name = QStringLiteral("cmyk.jpg");
    ASSERT_TRUE(writeJpeg(at(name), side, side, JCS_CMYK, 4, pixels));
    const LoadedImage result = load(name);
    expectDecoded(result);
    EXPECT_TRUE(near(result.image.pixel(3, 8), qRgb(255, 0, 0), 8));
    EXPECT_TRUE(near(result.image.pixel(12, 8), qRgb(255, 255, 255), 8));
}

// ---- GIF ------------------------------------------------------------------

const std::vector<GifColorType> kGifColours = {gc(0, 0, 0), gc(255, 0, 0), gc(0, 255, 0), gc(0, 0, 255)};

TEST_F(ImageLoad, GifTakesTheFirstFrameAtItsPlaceWithTransparency)
{
    GifFrame first;
    first.left = 2;
    first.top = 1;
    first.width = 4;
    first.height = 3;
    first.transparent = 0;
    first.pixels = {1, 2, 3, 0,
                    0, 1, 2, 3,
                    3, 3, 1, 1};
    GifFrame second;
    second.width = 8;
    second.height = 6;
    second.pixels.assign(48, 3);
    const QString name = QStringLiteral("anim.gif");
    ASSERT_TRUE(writeGif(at(name), 8, 6, kGifColours, {first, second}));
    ASSERT_TRUE(readBytes(at(name)).startsWith("GIF89a"));

    const QRgb back = qRgb(7, 77, 177);
    const LoadedImage result = load(name, QColor(back));
    expectDecoded(result);
    ASSERT_EQ(result.image.size(), QSize(8, 6));
    const QRgb colours[] = {back, qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inFrame = x >= 2 && x < 6 && y >= 1 && y < 4;
            const QRgb expected = inFrame ? colours[first.pixels[size_t((y - 1) * 4 + x - 2)]] : back;
            EXPECT_TRUE(near(result.image.pixel(x, y), expected, 0)) << "at " << x << ',' << y;
        }
}

TEST_F(ImageLoad, GifInterlacedFrameWithLocalColoursAndClippedRectangle)
{
    // Ten rows so that every interlace pass has lines; the frame runs past the
    // right and bottom edges of the screen, which only cuts it.
    GifFrame frame;
    frame.left = 1;
    frame.top = 2;
    frame.width = 3;
    frame.height = 10;
    frame.interlace = true;
    frame.localMap = {gc(10, 10, 10), gc(20, 40, 60), gc(250, 200, 150), gc(1, 2, 3)};
    for (int row = 0; row < 10; ++row)
        frame.pixels.insert(frame.pixels.end(), {GifPixelType(row % 4), GifPixelType((row + 1) % 4), 2});
    const QString name = QStringLiteral("interlaced.gif");
    ASSERT_TRUE(writeGif(at(name), 3, 8, kGifColours, {frame}));

    const LoadedImage result = load(name);
    expectDecoded(result);
    ASSERT_EQ(result.image.size(), QSize(3, 8));
    const auto local = [&](int i) {
        const GifColorType &c = frame.localMap[size_t(i)];
        return qRgb(c.Red, c.Green, c.Blue);
    };
    for (int y = 0; y < 8; ++y) {
        EXPECT_TRUE(near(result.image.pixel(0, y), qRgb(255, 255, 255), 0)) << y;
        if (y < 2)
            continue;
        EXPECT_TRUE(near(result.image.pixel(1, y), local((y - 2) % 4), 0)) << y;
        EXPECT_TRUE(near(result.image.pixel(2, y), local((y - 1) % 4), 0)) << y;
    }
}

// ---- BMP and the choice of decoder ----------------------------------------

TEST_F(ImageLoad, BmpIsReadByQt)
{
    const QImage source = noise(13, 7, 5);
    ASSERT_TRUE(source.save(at(QStringLiteral("pic.bmp")), "BMP"));
    const LoadedImage result = load(QStringLiteral("pic.bmp"));
    expectDecoded(result);
    expectPixels(result, source, qRgb(255, 255, 255), 0);
}

TEST_F(ImageLoad, EmptyNameClearsThePicture)
{
    const LoadedImage result = load(QString());
    EXPECT_EQ(result.outcome, Outcome::Cleared);
    EXPECT_TRUE(result.image.isNull());
    EXPECT_TRUE(result.error.isEmpty());
}

TEST_F(ImageLoad, CapitalExtensionsAreDecoded)
{
    const QImage source = quadrants(16, QImage::Format_RGB32);
    ASSERT_TRUE(source.save(at(QStringLiteral("A.PNG")), "PNG"));
    ASSERT_TRUE(source.save(at(QStringLiteral("B.JPG")), "JPEG", 100));
    ASSERT_TRUE(source.save(at(QStringLiteral("C.JpEg")), "JPEG", 100));
    ASSERT_TRUE(source.save(at(QStringLiteral("D.BMP")), "BMP"));
    ASSERT_TRUE(writeGif(at(QStringLiteral("E.Gif")), 2, 2, kGifColours, {{0, 0, 2, 2, false, -1, {}, {1, 2, 3, 0}}}));
    for (const char *name : {"A.PNG", "B.JPG", "C.JpEg", "D.BMP", "E.Gif"}) {
        SCOPED_TRACE(name);
        expectDecoded(load(QString::fromLatin1(name)));
    }
}

TEST_F(ImageLoad, OtherExtensionsLeaveTheCurrentPicture)
{
    // Present or not, such a file is not looked at.
    ASSERT_TRUE(noise(4, 4, 1).save(at(QStringLiteral("real.tif")), "PNG"));
    for (const char *name : {"real.tif", "x.txt", "noextension", "x.", "x.png.bak", "pngfile", "absent.webp"}) {
        SCOPED_TRACE(name);
        const LoadedImage result = load(QString::fromLatin1(name));
        EXPECT_EQ(result.outcome, Outcome::Unchanged);
        EXPECT_EQ(result.image, current);
        EXPECT_EQ(result.image.cacheKey(), current.cacheKey());
        EXPECT_TRUE(result.error.isEmpty());
    }
}

TEST_F(ImageLoad, FolderNamesDoNotChooseTheDecoder)
{
    const QString pngFolder = dir.path() + QStringLiteral("/pics.png/");
    const QString jpgFolder = dir.path() + QStringLiteral("/pics.jpg/");
    ASSERT_TRUE(QDir().mkpath(pngFolder));
    ASSERT_TRUE(QDir().mkpath(jpgFolder));
    const QImage source = quadrants(32, QImage::Format_RGB32);
    ASSERT_TRUE(source.save(pngFolder + QStringLiteral("photo.jpg"), "JPEG", 100));
    ASSERT_TRUE(source.save(jpgFolder + QStringLiteral("drawing.png"), "PNG"));

    const LoadedImage jpeg = loadImageFile(pngFolder, QStringLiteral("photo.jpg"), current);
    expectDecoded(jpeg);
    EXPECT_TRUE(near(jpeg.image.pixel(8, 8), source.pixel(8, 8), 8));
    const LoadedImage png = loadImageFile(jpgFolder, QStringLiteral("drawing.png"), current);
    expectDecoded(png);
    EXPECT_TRUE(near(png.image.pixel(8, 8), source.pixel(8, 8), 0));
    const LoadedImage none = loadImageFile(pngFolder, QStringLiteral("notes"), current);
    EXPECT_EQ(none.outcome, Outcome::Unchanged);
}

// ---- faults ---------------------------------------------------------------

TEST_F(ImageLoad, ContentOfAnotherKindFails)
{
    const QImage source = noise(16, 16, 8);
    ASSERT_TRUE(source.save(at(QStringLiteral("src.jpg")), "JPEG"));
    ASSERT_TRUE(source.save(at(QStringLiteral("src.png")), "PNG"));
    const QByteArray jpegBytes = readBytes(at(QStringLiteral("src.jpg")));
    const QByteArray pngBytes = readBytes(at(QStringLiteral("src.png")));
    struct Case {
        const char *name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"jpegbytes.png", jpegBytes},
        {"pngbytes.jpg", pngBytes},
        {"pngbytes.gif", pngBytes},
        {"pngbytes.bmp", pngBytes},
        {"jpegbytes.bmp", jpegBytes},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        ASSERT_TRUE(writeBytes(at(name), c.bytes));
        expectFailed(load(name), name);
    }
}

TEST_F(ImageLoad, TruncatedEmptyAndGarbageFilesFail)
{
    // Noise keeps the compressed pixel data the bulk of each file, so half
    // of the file ends inside it.
    const QImage source = noise(64, 64, 11);
    ASSERT_TRUE(source.save(at(QStringLiteral("full.png")), "PNG"));
    ASSERT_TRUE(source.save(at(QStringLiteral("full.jpg")), "JPEG", 90));
    ASSERT_TRUE(source.save(at(QStringLiteral("full.bmp")), "BMP"));
    std::vector<GifColorType> map;
    for (int i = 0; i < 256; ++i)
        map.push_back(gc(i, 255 - i, i / 2));
    GifFrame frame{0, 0, 64, 64, false, -1, {}, {}};
    std::mt19937 random(12);
    for (int i = 0; i < 64 * 64; ++i)
        frame.pixels.push_back(GifPixelType(random() & 0xFF));
    ASSERT_TRUE(writeGif(at(QStringLiteral("full.gif")), 64, 64, map, {frame}));
    GifFrame small{0, 0, 8, 8, false, 0, {}, std::vector<GifPixelType>(64, 3)};
    ASSERT_TRUE(writeGif(at(QStringLiteral("two.gif")), 8, 8, kGifColours, {small, frame}));

    struct Case {
        const char *name;
        QByteArray bytes;
    };
    std::vector<Case> cases;
    for (const char *ext : {"png", "jpg", "gif", "bmp"}) {
        const QByteArray full = readBytes(at(QStringLiteral("full.") + QString::fromLatin1(ext)));
        ASSERT_GT(full.size(), 1000) << ext;
        cases.push_back({ext, full.left(full.size() / 2)});
        cases.push_back({ext, full.left(full.size() - 1)});
        cases.push_back({ext, QByteArray()});
        cases.push_back({ext, garbage(4096, 21)});
        cases.push_back({ext, full.left(40) + garbage(4096, 22)});
    }
    // A file that ends inside its second frame is cut short too.
    const QByteArray two = readBytes(at(QStringLiteral("two.gif")));
    cases.push_back({"gif", two.left(two.size() - 20)});

    int n = 0;
    for (const Case &c : cases) {
        const QString name = QStringLiteral("bad%1.").arg(n++) + QString::fromLatin1(c.name);
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(writeBytes(at(name), c.bytes));
        expectFailed(load(name), name);
    }
    // The intact files themselves decode.
    for (const char *name : {"full.png", "full.jpg", "full.gif", "full.bmp", "two.gif"})
        expectDecoded(load(QString::fromLatin1(name)));
}

TEST_F(ImageLoad, MissingFileOrFolderInItsPlaceFails)
{
    const LoadedImage missing = load(QStringLiteral("absent.png"));
    expectFailed(missing, QStringLiteral("absent.png"));
    EXPECT_TRUE(missing.error.contains(u8("não encontrada"))) << missing.error.toStdString();

    ASSERT_TRUE(QDir().mkpath(at(QStringLiteral("folder.jpg"))));
    expectFailed(load(QStringLiteral("folder.jpg")), QStringLiteral("folder.jpg"));

    const QImage source = noise(4, 4, 2);
    ASSERT_TRUE(source.save(at(QStringLiteral("here.png")), "PNG"));
    expectFailed(loadImageFile(dir.path() + QStringLiteral("/nowhere/"), QStringLiteral("here.png"), current),
                 QStringLiteral("here.png"));
}

TEST_F(ImageLoad, NamesThatLeaveTheFolderAreRefused)
{
    // Each name would reach a real, valid picture if it were followed.
    const QImage source = noise(4, 4, 3);
    ASSERT_TRUE(source.save(dir.path() + QStringLiteral("/x.png"), "PNG"));
    ASSERT_TRUE(QDir().mkpath(at(QStringLiteral("a"))));
    ASSERT_TRUE(source.save(at(QStringLiteral("a/b.png")), "PNG"));
    ASSERT_TRUE(source.save(at(QStringLiteral("c.png")), "PNG"));
    for (const char *name : {"../x.png", "a/b.png", "a\\b.png", "..", ".", "/etc/passwd.png", "./c.png", "c\n.png",
                             "c\x01.png", "c.png\t", "\x7f" "c.png"}) {
        SCOPED_TRACE(name);
        const LoadedImage result = load(QString::fromLatin1(name));
        EXPECT_EQ(result.outcome, Outcome::Failed);
        EXPECT_TRUE(result.image.isNull());
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_FALSE(result.error.contains(u'\n'));
    }
    expectDecoded(load(QStringLiteral("c.png")));
}

TEST_F(ImageLoad, OversizedPicturesAreRefused)
{
    // Small files whose headers ask for more pixels than the loader allows.
    RawPng wide{20000, 1, PNG_COLOR_TYPE_GRAY, 1, false, {std::vector<png_byte>(2500, 0)}, {}, {}, false, {}};
    ASSERT_TRUE(writePng(at(QStringLiteral("wide.png")), wide));
    RawPng big{9000, 9000, PNG_COLOR_TYPE_GRAY, 1, false, {}, {}, {}, false, {}};
    big.rows.assign(9000, std::vector<png_byte>(1125, 0xFF));
    ASSERT_TRUE(writePng(at(QStringLiteral("big.png")), big));
    ASSERT_TRUE(writeJpeg(at(QStringLiteral("wide.jpg")), 17000, 8, JCS_GRAYSCALE, 1,
                          std::vector<JSAMPLE>(17000 * 8, 128)));
    ASSERT_TRUE(writeGif(at(QStringLiteral("wide.gif")), 20000, 2, kGifColours, {{0, 0, 1, 1, false, -1, {}, {1}}}));
    for (const char *name : {"wide.png", "big.png", "wide.jpg", "wide.gif"}) {
        SCOPED_TRACE(name);
        expectFailed(load(QString::fromLatin1(name)), QString::fromLatin1(name));
    }
}

} // namespace
