#pragma once

#include <QByteArray>
#include <QString>

namespace nimbra {

// Page scripts, replies and the settings file are Windows-1252 bytes.
// Every byte 0x00-0xFF maps to one character and back; the five bytes the
// code page leaves undefined map to the control characters of the same value.
QString fromCp1252(const QByteArray &bytes);

// Characters outside the code page become '?'.
QByteArray toCp1252(const QString &text);

} // namespace nimbra
