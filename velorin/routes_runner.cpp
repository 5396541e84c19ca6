#include "codepage.h"
#include "messages.h"
#include "names.h"
#include "parser.h"
#include "pictures.h"
#include "routes.h"
#include "runner.h"

namespace velorin {

namespace {

// The last returnable page the player passed, kept in the player's cookie
// as the hex of "prefix|page".
const char kReturnCookie[] = "vlvolta";

QString param(const httplib::Request &request, const char *key)
{
    return request.has_param(key) ? decodeValue(request.get_param_value(key)) : QString();
}

void htmlReply(httplib::Response &response, int status, const QString &html)
{
    response.status = status;
    response.set_content(html.toUtf8().toStdString(), "text/html; charset=utf-8");
}

void notice(httplib::Response &response, int status, const char16_t *text)
{
    htmlReply(response, status,
              QStringLiteral("<!DOCTYPE html><html lang=\"pt-BR\"><head><meta charset=\"utf-8\"><title>Velorin</title>"
                             "</head><body><p>%1</p></body></html>\n")
                  .arg(QString::fromUtf16(text)));
}

QString returnPage(const httplib::Request &request, const QString &prefix)
{
    const std::string cookies = request.get_header_value("Cookie");
    const std::string key = std::string(kReturnCookie) + "=";
    const std::size_t at = cookies.find(key);
    if (at == std::string::npos)
        return {};
    const std::size_t end = cookies.find(';', at);
    const std::string value = cookies.substr(at + key.size(), end == std::string::npos ? end : end - at - key.size());
    const QString text = fromHex(QString::fromLatin1(value));
    if (!text.startsWith(prefix + u'|'))
        return {};
    return text.mid(prefix.size() + 1);
}

void keepReturnPage(httplib::Response &response, const QString &prefix, const QString &page)
{
    const QString value = hexOf(prefix + u'|' + page);
    response.set_header("Set-Cookie", std::string(kReturnCookie) + "=" + value.toStdString() + "; Path=/");
}

// "$start" is the adventure's start page; "xvlt" the last returnable page.
QString resolveTarget(const httplib::Request &request, const Adventure &adventure, const QString &target)
{
    if (target == u"$start" || target.isEmpty())
        return adventure.StartScript;
    if (target == u"xvlt") {
        const QString back = returnPage(request, adventure.Prefix);
        return back.isEmpty() ? adventure.StartScript : back;
    }
    return canonicalName(target);
}

QStringList carriedShapes(Store &store, const Adventure &adventure)
{
    QStringList shapes;
    for (const GameObject &object : store.objectsAt(adventure.Id, QStringLiteral("jogador")))
        shapes.append(object.CurrentShape);
    return shapes;
}

void redirectToPage(httplib::Response &response, const QString &idx, const QString &prefix, const QString &script)
{
    response.set_redirect(QStringLiteral("exescp.php?Idx=%1&Pfx=%2&Scp=%3")
                              .arg(urlValue(idx), urlValue(prefix), urlValue(script))
                              .toStdString());
}

// "Chx" is the hex of "Pfx|Idx|Scp|", as a phone's QR code carries it.
void openChx(const httplib::Request &request, httplib::Response &response)
{
    const QStringList parts = fromHex(param(request, "Chx")).split(u'|');
    if (parts.size() < 3 || parts[0].isEmpty())
        return notice(response, 400, msg::BadRequest);
    redirectToPage(response, parts[1], parts[0], parts[2]);
}

void runPage(const httplib::Request &request, httplib::Response &response, Context &context)
{
    if (request.has_param("Chx"))
        return openChx(request, response);
    auto adventure = context.Data.adventure(canonicalName(param(request, "Pfx")));
    if (!adventure)
        return notice(response, 404, msg::NoAdventure);
    const QString target = param(request, "Scp").trimmed();
    const QString script = resolveTarget(request, *adventure, target);
    auto text = isPlainName(script) ? context.Data.script(adventure->Id, script) : std::nullopt;
    if (!text)
        return notice(response, 404, msg::NoScript);
    // A name the runner stands in for leads to the page's own address, so the
    // player's address (and the editor following it) names the real page.
    if (script != canonicalName(target))
        return redirectToPage(response, param(request, "Idx").trimmed(), adventure->Prefix, script);
    RunView view{nimbra::parseScriptText(nimbra::fromCp1252(*text)), param(request, "Idx").trimmed(),
                 adventure->Prefix, script,
                 AdventureStyle{adventure->Font, adventure->BackColor, adventure->TextColor, adventure->LinkColor},
                 carriedShapes(context.Data, *adventure)};
    if (!view.Page.ReturnScript.isEmpty())
        keepReturnPage(response, adventure->Prefix, canonicalName(view.Page.ReturnScript));
    htmlReply(response, 200, renderPage(view));
}

void startPage(const httplib::Request &request, httplib::Response &response, Context &context)
{
    auto adventure = context.Data.adventure(canonicalName(param(request, "Pfx")));
    if (!adventure)
        return notice(response, 404, msg::NoAdventure);
    redirectToPage(response, QString::number(adventure->OwnerId), adventure->Prefix, adventure->StartScript);
}

std::string mimeOf(const QString &name)
{
    const QString lower = name.toLower();
    if (lower.endsWith(QStringLiteral(".png")))
        return "image/png";
    if (lower.endsWith(QStringLiteral(".jpg")) || lower.endsWith(QStringLiteral(".jpeg")))
        return "image/jpeg";
    if (lower.endsWith(QStringLiteral(".gif")))
        return "image/gif";
    if (lower.endsWith(QStringLiteral(".mp3")))
        return "audio/mpeg";
    if (lower.endsWith(QStringLiteral(".ogg")))
        return "audio/ogg";
    return "application/octet-stream";
}

// An adventure's own file, or the stock picture a new page refers to.
void adventureFile(const httplib::Request &request, httplib::Response &response, Context &context)
{
    const QString prefix = decodeValue(request.matches[1].str());
    const QString name = canonicalName(decodeValue(request.matches[2].str()));
    if (!isPlainName(prefix) || !isPlainName(name))
        return notice(response, 404, msg::NoFile);
    auto bytes = context.Files.read(prefix, name);
    if (!bytes)
        bytes = stockImage(name);
    if (!bytes)
        return notice(response, 404, msg::NoFile);
    response.set_content(bytes->toStdString(), mimeOf(name));
}

} // namespace

void addRunnerRoutes(httplib::Server &server, Context &context)
{
    server.Get("/html/vestra/exescp.php", [&context](const httplib::Request &request, httplib::Response &response) {
        runPage(request, response, context);
    });
    server.Get("/html/vestra/inicio.php", [&context](const httplib::Request &request, httplib::Response &response) {
        startPage(request, response, context);
    });
    server.Get(R"(/html/vestra/arqs/([^/]+)/([^/]+))",
               [&context](const httplib::Request &request, httplib::Response &response) {
                   adventureFile(request, response, context);
               });
}

} // namespace velorin
