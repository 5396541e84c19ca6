#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace velorin {

// The uploaded pictures and sounds, one folder per adventure prefix.
// Prefixes and names must be plain names (checked by the caller).
class FileStore final {
public:
    explicit FileStore(const QString &root);

    QStringList list(const QString &prefix) const;
    // Written to a temporary file first and renamed, so a reader never
    // sees half a file.
    bool write(const QString &prefix, const QString &name, const QByteArray &bytes) const;
    bool remove(const QString &prefix, const QString &name) const;
    std::optional<QByteArray> read(const QString &prefix, const QString &name) const;

private:
    QString folder(const QString &prefix) const;
    QString m_root;
};

} // namespace velorin
