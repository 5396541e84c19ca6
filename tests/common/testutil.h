#pragma once

// Lets GoogleTest print Qt strings in its failure messages.
#include <QString>
#include <QStringList>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '[';
    for (const QString &s : list)
        *os << '"' << s.toStdString() << "\" ";
    *os << ']';
}
QT_END_NAMESPACE

#include <initializer_list>

// Test texts are written as UTF-8 literals.
inline QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

inline QStringList u8Lines(std::initializer_list<const char *> texts)
{
    QStringList lines;
    for (const char *t : texts)
        lines.append(QString::fromUtf8(t));
    return lines;
}
