#pragma once

#include "authenticator.h"
#include "filestore.h"
#include "store.h"

#include <QString>

namespace velorin {

// What the request handlers share for the life of the service.
struct Context {
    Store &Data;
    Authenticator &Auth;
    FileStore Files;
    QString SiteDir; // the static site: pages, instructions, sound library
};

} // namespace velorin
