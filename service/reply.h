#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace nimbra {

// A service reply split into lines; line 0 is "Ok" or the error text.
// Lines past the end read as empty, so a short reply never crashes a reader.
class Reply final {
public:
    Reply() = default;
    explicit Reply(const QString &text);
    static Reply fromBytes(const QByteArray &body);

    bool isOk() const { return !m_lines.isEmpty() && m_lines.first() == QLatin1String("Ok"); }
    QString status() const { return line(0); }
    QString line(qsizetype index) const { return index < m_lines.size() ? m_lines[index] : QString(); }
    qsizetype size() const { return m_lines.size(); }
    const QStringList &lines() const { return m_lines; }
    // Lines 1 onwards.
    QStringList data() const { return m_lines.mid(1); }
    const QString &text() const { return m_text; }

private:
    QString m_text;
    QStringList m_lines;
};

} // namespace nimbra
