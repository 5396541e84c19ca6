#pragma once

#include <QString>

namespace nimbra {

// A name from the service or a list that is to become a local path must be
// one plain file-name component: not empty, not "." or "..", without "/",
// "\\" or control characters.
bool isPlainFileName(const QString &name);

// A name as a status or report line may show it: control characters, which
// would garble the line, become "?".
QString shownName(QString name);

} // namespace nimbra
