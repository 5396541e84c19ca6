#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace velorin {

// An 8-bit grey PNG of the pixels, row by row.
QByteArray greyPng(const std::vector<std::uint8_t> &pixels, int width, int height);

} // namespace velorin
