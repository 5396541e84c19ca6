#pragma once

#include "context.h"

#include <httplib.h>

namespace velorin {

inline constexpr std::size_t kMaxBody = 10 * 1024 * 1024;

// The endpoints under "nimbra/wbetz/", answered as Windows-1252 text.
void addEndpointRoutes(httplib::Server &server, Context &context);
// The page runner, the phone start page and the adventures' files.
void addRunnerRoutes(httplib::Server &server, Context &context);
// "chart": QR pictures.
void addChartRoute(httplib::Server &server);
// The static site, 404 and size limits.
void addSiteRoutes(httplib::Server &server, Context &context);

} // namespace velorin
