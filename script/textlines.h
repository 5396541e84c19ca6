#pragma once

#include <QString>
#include <QStringList>

namespace nimbra {

// Reply and script lines: each CR LF, lone CR or lone LF ends a line; a
// terminator at the very end adds no empty line; an empty text has no lines.
QStringList splitLines(const QString &text);

inline const QString kTryAgain = QStringLiteral("Tente novamente!");

// A reply's status line as the author is told it: an empty one, as a reply
// that never came, is "Tente novamente!".
QString statusToShow(const QString &statusLine);
// The same of a whole reply.
QString replyStatus(const QString &reply);

// A fetch reply without its status line: the script as the service keeps it.
QString scriptOfReply(const QString &reply);

// The lines joined, each one followed by CR LF.
QString joinLinesCrLf(const QStringList &lines);

// Strips leading and trailing blanks and control characters (code <= 0x20),
// and nothing else: a no-break space is text.
QString trimLine(const QString &line);
QStringView trimLine(QStringView line);

// Names travel with "_" for each blank.
QString UnderscoreToBlank(const QString &text);
QString BlankToUnderscore(const QString &text);

} // namespace nimbra
