// The picture loader over the files of cases/images, written once with the
// real encoders (libpng for Adam7, odd depths and colour keys; libjpeg for
// CMYK; giflib for frames, local colours and interlace).
#include "imageload.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace nimbra;
using Outcome = LoadedImage::Outcome;

namespace {

const QString kCases = QStringLiteral(IMAGE_CASES);

// A picture to show before each load: it must come back untouched when the
// loader leaves it in place.
const QImage &current()
{
    static const QImage image = [] {
        QImage i(3, 2, QImage::Format_RGB32);
        i.fill(qRgb(1, 2, 3));
        return i;
    }();
    return image;
}

testing::AssertionResult decoded(const LoadedImage &result)
{
    if (result.outcome == Outcome::Decoded && result.error.isEmpty() && result.image.format() == QImage::Format_RGB32)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "not decoded: " << result.error.toStdString();
}

// Every opaque pixel of expected, within tolerance on each channel.
testing::AssertionResult matches(const QImage &actual, const QImage &expected, int tolerance)
{
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << "size " << actual.width() << 'x' << actual.height();
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb want = expected.pixel(x, y), got = actual.pixel(x, y);
            if (qAlpha(want) == 0)
                continue;
            const int d = std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                                    std::abs(qBlue(got) - qBlue(want))});
            if (d > tolerance || qAlpha(got) != 255)
                return testing::AssertionFailure() << "at " << x << ',' << y << " got " << std::hex << got << " expected "
                                                   << want;
        }
    return testing::AssertionSuccess();
}

} // namespace

// Each row of cases/images/cases.txt: a file (its folder first when it has
// one), the background, and what the loader makes of it:
//   = picture.png N   decoded; every opaque pixel of expected/picture.png within N
//   decoded           decoded, the pixels not looked at
//   unchanged         the current picture stays
//   ! text            failed, with that status text
TEST(ImageLoad, EveryCaseOfTheFolder)
{
    QFile list(kCases + QStringLiteral("cases.txt"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly | QIODevice::Text));
    int rows = 0;
    for (const QString &line : QString::fromUtf8(list.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#'))
            continue;
        ++rows;
        SCOPED_TRACE(line.toStdString());
        const QString path = line.section(u' ', 0, 0);
        const QString expect = line.section(u' ', 2);
        const qsizetype slash = path.lastIndexOf(u'/') + 1;
        const LoadedImage result = loadImageFile(kCases + path.left(slash), path.mid(slash), current(),
                                                 QColor(u'#' + line.section(u' ', 1, 1)));
        if (expect.startsWith(u'=')) {
            ASSERT_TRUE(decoded(result));
            const QImage expected(kCases + QStringLiteral("expected/") + expect.section(u' ', 1, 1));
            ASSERT_FALSE(expected.isNull());
            EXPECT_TRUE(matches(result.image, expected, expect.section(u' ', 2, 2).toInt()));
        } else if (expect == u"decoded") {
            EXPECT_TRUE(decoded(result));
        } else if (expect == u"unchanged") {
            EXPECT_EQ(result.outcome, Outcome::Unchanged);
            EXPECT_EQ(result.image.cacheKey(), current().cacheKey());
            EXPECT_TRUE(result.error.isEmpty());
        } else {
            ASSERT_TRUE(expect.startsWith(u"! "));
            EXPECT_EQ(result.outcome, Outcome::Failed);
            EXPECT_TRUE(result.image.isNull());
            EXPECT_EQ(result.error, expect.mid(2));
        }
    }
    EXPECT_GT(rows, 50);
}

TEST(ImageLoad, FilesCutShortEmptyOrGarbledFail)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const auto garbage = [](int size, unsigned seed) {
        std::mt19937 random(seed);
        QByteArray bytes(size, '\0');
        for (char &c : bytes)
            c = char(random() & 0xFF);
        return bytes;
    };
    // Noise keeps the compressed pixel data the bulk of each file, so half
    // of the file ends inside it; two.gif ends inside its second frame.
    int n = 0;
    for (const char *whole : {"full.png", "full.jpg", "full.gif", "full.bmp", "two.gif"}) {
        QFile original(kCases + QLatin1StringView(whole));
        const QByteArray full = original.open(QIODevice::ReadOnly) ? original.readAll() : QByteArray();
        ASSERT_GT(full.size(), 1000) << whole;
        const QString ext = QString::fromLatin1(whole).section(u'.', 1);
        for (const QByteArray &bytes : {full.left(full.size() / 2), full.left(full.size() - 1), full.left(full.size() - 20),
                                        QByteArray(), garbage(4096, 21), QByteArray(full.left(40) + garbage(4096, 22))}) {
            const QString name = QStringLiteral("bad%1.").arg(n++) + ext;
            QFile file(folder + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            file.close();
            const LoadedImage result = loadImageFile(folder, name, current());
            EXPECT_EQ(result.outcome, Outcome::Failed) << name.toStdString();
            EXPECT_EQ(result.error, u8("Imagem ilegível: ") + name);
        }
    }
}
