#pragma once

// The texts of the case files, written as UTF-8 with the escapes \r \n \t
// \\ and \xNN for the character of Windows-1252 byte NN.
#include "codepage.h"

#include <QString>

#include <string>

inline QString caseText(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar e = text[++i];
        if (e == u'x') {
            out += nimbra::fromCp1252(QByteArray(1, char(text.mid(i + 1, 2).toInt(nullptr, 16))));
            i += 2;
        } else {
            out += e == u'r' ? u'\r' : e == u'n' ? u'\n' : e == u't' ? u'\t' : e;
        }
    }
    return out;
}

// Its Windows-1252 bytes; every byte stands for one character and back.
inline std::string bytesOf(const QString &text)
{
    return nimbra::toCp1252(caseText(text)).toStdString();
}
