#include "codepage.h"
#include "messages.h"
#include "qrchart.h"
#include "routes.h"
#include "server.h"

#include <QByteArray>

namespace velorin {

namespace {

// The text to encode is everything after "chl=", "&" included: the client
// appends it without escaping.
QByteArray chartText(const httplib::Request &request)
{
    const std::size_t query = request.target.find('?');
    const std::size_t at = request.target.find("chl=", query == std::string::npos ? 0 : query);
    if (query == std::string::npos || at == std::string::npos)
        return {};
    return QByteArray::fromPercentEncoding(QByteArray::fromStdString(request.target.substr(at + 4)));
}

bool chartSize(const httplib::Request &request, int &width, int &height)
{
    const QByteArray size = QByteArray::fromStdString(request.has_param("chs") ? request.get_param_value("chs") : "160x160");
    const QList<QByteArray> parts = size.split('x');
    bool okWidth = false, okHeight = false;
    width = parts.size() == 2 ? parts[0].toInt(&okWidth) : 0;
    height = parts.size() == 2 ? parts[1].toInt(&okHeight) : 0;
    return okWidth && okHeight && width >= 16 && height >= 16 && width <= 1000 && height <= 1000;
}

void chart(const httplib::Request &request, httplib::Response &response)
{
    int width = 0, height = 0;
    const QByteArray text = chartText(request);
    if (request.get_param_value("cht") != "qr" || text.isEmpty() || !chartSize(request, width, height))
        return textReply(response, 400, msg::BadRequest);
    const auto png = qrPng(text, width, height);
    if (!png)
        return textReply(response, 400, msg::BadRequest);
    response.set_content(png->toStdString(), "image/png");
}

// Only GET, HEAD and POST are served; the library would read the body of
// other methods whole. A body no route reads is left unread.
httplib::Server::HandlerResponse checkMethod(const httplib::Request &request, httplib::Response &response)
{
    if (request.method != "GET" && request.method != "HEAD" && request.method != "POST") {
        HttpServer::closeAfterAnswer(response);
        textReply(response, 405, msg::BadRequest);
        return httplib::Server::HandlerResponse::Handled;
    }
    if (request.method != "POST" && (request.has_header("Content-Length") || request.has_header("Transfer-Encoding")))
        HttpServer::closeAfterAnswer(response);
    return httplib::Server::HandlerResponse::Unhandled;
}

// What the library itself refuses (413 for a declared length over the limit,
// 400 for what it cannot read) leaves the connection's bytes unknown.
void errorReply(const httplib::Request &, httplib::Response &response)
{
    if (response.status == 413 || response.status == 400)
        HttpServer::closeAfterAnswer(response);
    if (!response.body.empty())
        return;
    if (response.status == 413)
        textReply(response, 413, msg::TooLarge);
    else if (response.status == 404)
        textReply(response, 404, msg::NotFound);
    else
        textReply(response, response.status, msg::BadRequest);
}

} // namespace

void textReply(httplib::Response &response, int status, const char16_t *text)
{
    response.status = status;
    response.set_content(nimbra::toCp1252(QString::fromUtf16(text)).toStdString(), "text/plain; charset=windows-1252");
}

bool readBody(const httplib::Request &request, httplib::Response &response, const httplib::ContentReader &reader,
              BodyParts &parts)
{
    std::size_t total = 0;
    const auto counted = [&total](std::size_t length) {
        total += length;
        return total <= kMaxBody;
    };
    bool whole;
    if (request.is_multipart_form_data()) {
        std::string *part = nullptr;
        whole = reader(
            [&](const httplib::MultipartFormData &header) {
                part = &parts[header.name];
                return true;
            },
            [&](const char *data, std::size_t length) {
                if (!counted(length))
                    return false;
                part->append(data, length);
                return true;
            });
    } else {
        whole = reader([&](const char *, std::size_t length) { return counted(length); });
    }
    if (whole)
        return true;
    // The library refuses a declared length over the limit before any byte.
    const bool tooLarge = total > kMaxBody || response.status == 413;
    HttpServer::closeAfterAnswer(response);
    textReply(response, tooLarge ? 413 : 400, tooLarge ? msg::TooLarge : msg::BadRequest);
    return false;
}

void addFallbackRoute(httplib::Server &server)
{
    server.Post(".*", [](const httplib::Request &request, httplib::Response &response,
                         const httplib::ContentReader &reader) {
        BodyParts parts;
        if (readBody(request, response, reader, parts))
            textReply(response, 404, msg::NotFound);
    });
}

void addChartRoute(httplib::Server &server)
{
    server.Get("/chart", chart);
}

void addSiteRoutes(httplib::Server &server, Context &context)
{
    server.set_mount_point("/", context.SiteDir.toStdString());
    server.set_file_extension_and_mimetype_mapping("htm", "text/html; charset=utf-8");
    server.set_file_extension_and_mimetype_mapping("exe", "application/octet-stream");
    server.set_file_extension_and_mimetype_mapping("mp3", "audio/mpeg");
    server.Get("/", [](const httplib::Request &, httplib::Response &response) {
        response.set_redirect("/nimbra/index.htm");
    });
    server.set_payload_max_length(kMaxBody);
    // Headers and body go out in separate writes; without this a kept-alive
    // connection waits for the peer's delayed acknowledgement every time.
    server.set_tcp_nodelay(true);
    server.set_pre_routing_handler(checkMethod);
    server.set_error_handler(errorReply);
}

} // namespace velorin
