#include "qrchart.h"

#include "pngwrite.h"

#include <qrencode.h>

#include <memory>

namespace velorin {

constexpr int kQuietModules = 4;

std::optional<QByteArray> qrPng(const QByteArray &text, int width, int height)
{
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(int(text.size()), reinterpret_cast<const unsigned char *>(text.constData()), 0, QR_ECLEVEL_M),
        QRcode_free);
    if (!code)
        return std::nullopt;
    const int modules = code->width;
    const int scale = std::max(1, std::min(width, height) / (modules + 2 * kQuietModules));
    const int left = (width - modules * scale) / 2;
    const int top = (height - modules * scale) / 2;
    std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height), 0xFF);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int mx = (x - left) / scale, my = (y - top) / scale;
            if (x < left || y < top || mx >= modules || my >= modules)
                continue;
            if (code->data[my * modules + mx] & 1)
                pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = 0;
        }
    }
    return greyPng(pixels, width, height);
}

} // namespace velorin
