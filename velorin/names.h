#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace velorin {

// Text that fits on one line of a reply: no line ends or other control
// characters.
bool isLineText(const QString &text);

// A name that may become a file or folder name: one plain component, not
// empty, not "." or "..", without "/", "\\" or control characters.
bool isPlainName(const QString &name);

// The line that parts candidates from editors in the editors list.
inline constexpr char16_t kEditorsSeparator[] = u"-+-";

// A login: a plain name without blanks at its ends and never the separator
// of the editors list, so that every line of that list is one login.
bool isLogin(const QString &login);

// Names travel with "_" for blanks; the service keeps the "_" spelling so
// that "a b" and "a_b" are one name.
QString canonicalName(const QString &name);

// Query values arrive as percent-decoded Windows-1252 bytes, whatever else
// the bytes might also read as.
QString decodeValue(const std::string &bytes);

// Upper-case hexadecimal of the Windows-1252 bytes, and back (empty on bad hex).
QString hexOf(const QString &text);
QString fromHex(const QString &hex);

// Percent-encodes a value for a link or a redirect, as Windows-1252 bytes
// like every request of the client.
QString urlValue(const QString &value);

} // namespace velorin
