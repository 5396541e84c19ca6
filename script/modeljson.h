#pragma once

#include "pagemodel.h"

#include <QJsonObject>

namespace nimbra {

// The page model as JSON, for authors' tools and scripted checks.
QJsonObject pageModelToJson(const PageModel &page);

} // namespace nimbra
