#include "codepage.h"
#include "messages.h"
#include "qrchart.h"
#include "routes.h"

#include <QByteArray>

namespace velorin {

namespace {

void textReply(httplib::Response &response, int status, const char16_t *text)
{
    response.status = status;
    response.set_content(nimbra::toCp1252(QString::fromUtf16(text)).toStdString(), "text/plain; charset=windows-1252");
}

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

} // namespace

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
    server.set_error_handler([](const httplib::Request &, httplib::Response &response) {
        if (!response.body.empty())
            return;
        if (response.status == 413)
            textReply(response, 413, msg::TooLarge);
        else if (response.status == 404)
            textReply(response, 404, msg::NotFound);
        else
            textReply(response, response.status, msg::BadRequest);
    });
}

} // namespace velorin
