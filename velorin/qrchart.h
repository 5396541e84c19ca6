#pragma once

#include <QByteArray>

#include <optional>

namespace velorin {

// A PNG picture, width by height, of the QR code of the bytes (with a quiet
// zone, black on white); nothing when the text does not fit a QR code.
std::optional<QByteArray> qrPng(const QByteArray &text, int width, int height);

} // namespace velorin
