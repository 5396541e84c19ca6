#pragma once

#include "http.h"
#include "pagesession.h"
#include "serviceget.h"
#include "session.h"
#include "velorin.h"

#include <functional>

namespace nimbra {

inline const QString kOwnVersion = QStringLiteral("0.1m");

// What every window works on: the session, the one HTTP client, the service
// and the page being edited.
struct Workspace {
    // The pages live on the service unless another store is given.
    explicit Workspace(PageStore *pageStore = nullptr) : pages(pageStore ? *pageStore : service) {}

    Session session;
    Http http;
    ServiceClient client{http};
    Velorin service{session, client};
    // Where the editor fetches, stores and creates pages.
    PageStore &pages;
    PageSession page{pages};
    // The client's own version, compared with the service's at login.
    QString ownVersion = kOwnVersion;
    // Shows what the client is doing; the main window lights its indicator.
    std::function<void(Activity)> showActivity = [](Activity) {};

    void setActivity(Activity activity) const { showActivity(activity); }
};

} // namespace nimbra
