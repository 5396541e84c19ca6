// Picture loading per format, against QImage reading the same file.
#include "imageload.h"

#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <gif_lib.h>

#include <QFile>

#include <vector>

using namespace nimbra;

namespace {

// Qt reads GIF but cannot write it: an 800x600 frame of 256 colours from giflib.
void writeGif(const QString &path, int width, int height)
{
    int error = 0;
    GifFileType *gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    if (!gif)
        return;
    std::vector<GifColorType> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[size_t(i)] = {GifByteType(i), GifByteType(255 - i), GifByteType(i / 2)};
    ColorMapObject *map = GifMakeMapObject(256, colours.data());
    EGifPutScreenDesc(gif, width, height, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
    std::vector<GifPixelType> line(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            line[size_t(x)] = GifPixelType((x / 8 + y / 8) % 256);
        EGifPutLine(gif, line.data(), width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
}

// A page-sized picture with smooth areas and edges, written once per format.
struct Pictures {
    QTemporaryDir dir;
    QString folder = dir.path() + QStringLiteral("/");
    Pictures()
    {
        QImage image(800, 600, QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgba(x % 256, y % 256, (x ^ y) % 256, (x / 4) % 256));
        image.save(folder + QStringLiteral("pic.png"), "PNG");
        image.convertToFormat(QImage::Format_RGB32).save(folder + QStringLiteral("pic.jpg"), "JPEG", 90);
        writeGif(folder + QStringLiteral("pic.gif"), image.width(), image.height());
        image.convertToFormat(QImage::Format_RGB32).save(folder + QStringLiteral("pic.bmp"), "BMP");
    }
};

const Pictures &pictures()
{
    static const Pictures p;
    return p;
}

const char *const kNames[] = {"pic.png", "pic.jpg", "pic.gif", "pic.bmp"};

void BM_LoadImageFile(benchmark::State &state)
{
    const QString name = QString::fromLatin1(kNames[state.range(0)]);
    state.SetLabel(kNames[state.range(0)]);
    const QImage current;
    for (auto _ : state) {
        LoadedImage loaded = loadImageFile(pictures().folder, name, current);
        if (loaded.outcome != LoadedImage::Outcome::Decoded)
            state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(loaded.image.constBits());
    }
}
BENCHMARK(BM_LoadImageFile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// Qt's readers: only a yardstick, they leave the alpha in place.
void BM_QImageLoad(benchmark::State &state)
{
    const QString path = pictures().folder + QString::fromLatin1(kNames[state.range(0)]);
    state.SetLabel(kNames[state.range(0)]);
    for (auto _ : state) {
        QImage image(path);
        if (image.isNull())
            state.SkipWithError("Qt has no reader for it");
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QImageLoad)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
