#pragma once

#include "http.h"

#include <QString>

#include <optional>

namespace nimbra {

// GETs url into targetPath. Only a 2xx answer counts; the bytes go to a
// temporary file that replaces the target only when complete, so a failure
// leaves no partial file. Returns the text for the author on failure.
std::optional<QString> downloadToFile(Http &http, const QString &url, const QString &targetPath);

} // namespace nimbra
