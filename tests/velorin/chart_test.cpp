#include "fixture.h"

#include <QImage>

#include <qrencode.h>

#include <memory>

// The picture must hold the QR code of the text: sample each module's
// centre and compare with the encoder's own matrix.
static bool holdsCode(const QImage &image, const std::string &text)
{
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(int(text.size()), reinterpret_cast<const unsigned char *>(text.data()), 0, QR_ECLEVEL_M),
        QRcode_free);
    const int modules = code->width;
    const int scale = std::min(image.width(), image.height()) / (modules + 8);
    const int left = (image.width() - modules * scale) / 2, top = (image.height() - modules * scale) / 2;
    for (int y = 0; y < modules; ++y) {
        for (int x = 0; x < modules; ++x) {
            const bool dark = qGray(image.pixel(left + x * scale + scale / 2, top + y * scale + scale / 2)) < 128;
            if (dark != bool(code->data[y * modules + x] & 1))
                return false;
        }
    }
    return true;
}

// The client appends the text unescaped, "?" and "&" included; an escaped
// "?" gives the same picture.
TEST_F(ServiceTest, ChartIsAQrPngOfTheText)
{
    const std::string texts[] = {"http://127.0.0.1:9/html/vestra/inicio.php?Pfx=casa",
                                 "http://127.0.0.1:9/html/vestra/exescp.php?Chx=6162637C377C7031&x=1",
                                 "a?b?c"};
    for (const std::string &text : texts) {
        std::string escaped = text;
        for (std::size_t at; (at = escaped.find('?')) != std::string::npos;)
            escaped.replace(at, 1, "%3F");
        for (const std::string &sent : {text, escaped}) {
            const Reply reply = m_client->get("/chart?cht=qr&chs=160x160&chl=" + sent);
            ASSERT_EQ(reply.Status, 200) << sent;
            QImage image;
            ASSERT_TRUE(image.loadFromData(QByteArray::fromStdString(reply.Body), "PNG"));
            EXPECT_EQ(image.size(), QSize(160, 160));
            EXPECT_TRUE(holdsCode(image, text)) << sent;
        }
    }
}
