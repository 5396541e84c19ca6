#pragma once

#include <QString>

namespace nimbra {

// Makes the file executable and starts it detached, with the parameter text
// split at its first blank into two arguments. False when it did not start.
bool RunProgram(const QString &program, const QString &parameters);

} // namespace nimbra
