#pragma once

// Talks to velorin-local as the client does: values percent-encoded byte
// by byte, replies split into Windows-1252 lines.
#include "codepage.h"
#include "textlines.h"
#include "velorin_process.h"

#include <QString>
#include <QStringList>

#include <httplib.h>

#include <string>
#include <utility>
#include <vector>

using Query = std::vector<std::pair<std::string, std::string>>;

// Every byte but the unreserved ones and "$" percent-encoded.
inline std::string percent(const std::string &value)
{
    return QByteArray::fromStdString(value).toPercentEncoding("$").toStdString();
}

struct Reply {
    int Status = 0;
    std::string Body;
    QStringList lines() const { return nimbra::splitLines(nimbra::fromCp1252(QByteArray::fromStdString(Body))); }
    QString text() const { return nimbra::fromCp1252(QByteArray::fromStdString(Body)); }
};

class ServiceClient final {
public:
    explicit ServiceClient(int port) : m_http("127.0.0.1", port) { m_http.set_read_timeout(30, 0); }

    static std::string target(const std::string &endpoint, const Query &query)
    {
        std::string path = "/nimbra/wbetz/" + endpoint + ".php";
        char sep = '?';
        for (const auto &[key, value] : query) {
            path += sep + key + "=" + percent(value);
            sep = '&';
        }
        return path;
    }

    Reply get(const std::string &path)
    {
        auto result = m_http.Get(path.c_str());
        return result ? Reply{result->status, result->body} : Reply{};
    }

    Reply call(const std::string &endpoint, const Query &query) { return get(target(endpoint, query)); }

    // A multipart POST with one part: a text field, or a file part when fileName is given.
    Reply post(const std::string &endpoint, const Query &query, const std::string &field, const std::string &content,
               const std::string &fileName = {})
    {
        httplib::MultipartFormDataItems items = {
            {field, content, fileName, fileName.empty() ? std::string() : std::string("image/jpg")}};
        auto result = m_http.Post(target(endpoint, query).c_str(), items);
        return result ? Reply{result->status, result->body} : Reply{};
    }

    httplib::Client &http() { return m_http; }

private:
    httplib::Client m_http;
};
