#include "textlines.h"

namespace nimbra {

QString statusToShow(const QString &statusLine)
{
    return statusLine.isEmpty() ? kTryAgain : statusLine;
}

QString replyStatus(const QString &reply)
{
    qsizetype end = 0;
    while (end < reply.size() && reply[end] != u'\r' && reply[end] != u'\n')
        ++end;
    return statusToShow(reply.left(end));
}

QString scriptOfReply(const QString &reply)
{
    for (qsizetype i = 0; i < reply.size(); ++i) {
        if (reply[i] == u'\n')
            return reply.mid(i + 1);
        if (reply[i] == u'\r')
            return reply.mid(i + (reply.mid(i + 1, 1) == QLatin1StringView("\n") ? 2 : 1));
    }
    return {};
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString joinLinesCrLf(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

QStringView trimLine(QStringView line)
{
    qsizetype first = 0;
    qsizetype last = line.size();
    while (first < last && line[first].unicode() <= 0x20)
        ++first;
    while (last > first && line[last - 1].unicode() <= 0x20)
        --last;
    return line.sliced(first, last - first);
}

QString trimLine(const QString &line)
{
    const QStringView trimmed = trimLine(QStringView(line));
    return trimmed.size() == line.size() ? line : trimmed.toString();
}

QString UnderscoreToBlank(const QString &text)
{
    QString copy = text;
    return copy.replace(u'_', u' ');
}

QString BlankToUnderscore(const QString &text)
{
    QString copy = text;
    return copy.replace(u' ', u'_');
}

} // namespace nimbra
