#pragma once

#include "pagemodel.h"

#include <QString>
#include <QStringList>

namespace nimbra {

// The page script of a page, every section of the template in its fixed
// order; kept lines go back to the places they were read from.
QStringList generateScriptLines(const PageModel &page, const QString &scriptName);

// The same text with every line followed by CR LF.
QString generateScript(const PageModel &page, const QString &scriptName);

} // namespace nimbra
