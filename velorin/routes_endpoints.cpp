#include "endpoints.h"
#include "messages.h"
#include "reply.h"
#include "routes.h"

#include <cstdio>
#include <unordered_map>

namespace velorin {

static void answer(const httplib::Request &request, httplib::Response &response, Context &context, Endpoint endpoint)
{
    QByteArray body;
    try {
        Call call(request, context);
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
    const auto handler = [table, &context](const httplib::Request &request, httplib::Response &response) {
        const auto found = table->find(request.matches[1].str());
        if (found == table->end()) {
            response.status = 404;
            return;
        }
        answer(request, response, context, found->second);
    };
    server.Get(R"(/nimbra/wbetz/([A-Za-z]+)\.php)", handler);
    server.Post(R"(/nimbra/wbetz/([A-Za-z]+)\.php)", handler);
}

} // namespace velorin
