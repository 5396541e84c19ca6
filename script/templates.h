#pragma once

#include <QString>
#include <QStringList>

namespace nimbra {

enum class NewPageKind { Text = 0, Image = 1 };

// The lines of a new page, exactly as the service expects a fresh page:
// every icon, link and the objects bar switched off, only the divider on.
QStringList pageTemplateLines(NewPageKind kind, const QString &name);

// The same with every line followed by CR LF.
QString pageTemplate(NewPageKind kind, const QString &name);

} // namespace nimbra
