#pragma once

#include <QString>

namespace nimbra {

// True when host is a loopback address or name, or when a network interface
// other than loopback is up: without one no request can leave the machine.
bool IsOnline(const QString &host);

} // namespace nimbra
