#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velorin {

// A one-line answer without a line end: "Ok" or an error text, which the
// client compares or shows whole.
QByteArray bareReply(const QString &text);
QByteArray okReply();

// "Ok" and the data lines, each line ended by CR LF.
QByteArray linesReply(const QStringList &data);

// Refuses unless the condition holds.
void require(bool condition, const char16_t *text);

} // namespace velorin
