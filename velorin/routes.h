#pragma once

#include "call.h"
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
// Bodies that no other route takes: read within the size limit and answered
// 404. Added after every other route.
void addFallbackRoute(httplib::Server &server);

// Reads a request body, multipart or not, chunked or not, into parts without
// ever holding more than kMaxBody of it; on false it has answered already.
bool readBody(const httplib::Request &request, httplib::Response &response, const httplib::ContentReader &reader,
              BodyParts &parts);

// A Windows-1252 text answer.
void textReply(httplib::Response &response, int status, const char16_t *text);

} // namespace velorin
