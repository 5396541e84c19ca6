#include "endpoints.h"
#include "messages.h"
#include "reply.h"
#include "routes.h"

#include <cstdio>
#include <unordered_map>

namespace velorin {

static void answer(const httplib::Request &request, httplib::Response &response, Context &context, Endpoint endpoint,
                   const BodyParts &parts)
{
    QByteArray body;
    try {
        Call call(request, context, parts);
        body = endpoint(call);
    } catch (const Refusal &refusal) {
        body = bareReply(refusal.Text);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "velorin-local: %s: %s\n", request.path.c_str(), error.what());
        response.status = 500;
        body = bareReply(QString::fromUtf16(msg::InternalError));
    }
    response.set_content(body.toStdString(), "text/plain; charset=windows-1252");
}

void addEndpointRoutes(httplib::Server &server, Context &context)
{
    auto table = std::make_shared<std::unordered_map<std::string, Endpoint>>();
    for (const EndpointEntry &entry : endpoints())
        (*table)[entry.Name] = entry.Handler;
    const auto find = [table](const httplib::Request &request) {
        const auto found = table->find(request.matches[1].str());
        return found == table->end() ? nullptr : found->second;
    };
    const char *const pattern = R"(/nimbra/wbetz/([A-Za-z]+)\.php)";
    server.Get(pattern, [find, &context](const httplib::Request &request, httplib::Response &response) {
        if (const Endpoint endpoint = find(request))
            return answer(request, response, context, endpoint, {});
        response.status = 404;
    });
    server.Post(pattern, [find, &context](const httplib::Request &request, httplib::Response &response,
                                          const httplib::ContentReader &reader) {
        BodyParts parts;
        if (!readBody(request, response, reader, parts))
            return;
        if (const Endpoint endpoint = find(request))
            return answer(request, response, context, endpoint, parts);
        response.status = 404;
    });
}

} // namespace velorin
