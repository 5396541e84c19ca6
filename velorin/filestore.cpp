#include "filestore.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace velorin {

FileStore::FileStore(const QString &root) : m_root(root)
{
    QDir().mkpath(m_root);
}

QString FileStore::folder(const QString &prefix) const
{
    return m_root + u'/' + prefix;
}

QStringList FileStore::list(const QString &prefix) const
{
    return QDir(folder(prefix)).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool FileStore::write(const QString &prefix, const QString &name, const QByteArray &bytes) const
{
    if (!QDir().mkpath(folder(prefix)))
        return false;
    QSaveFile file(folder(prefix) + u'/' + name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

bool FileStore::remove(const QString &prefix, const QString &name) const
{
    return QFile::remove(folder(prefix) + u'/' + name);
}

std::optional<QByteArray> FileStore::read(const QString &prefix, const QString &name) const
{
    QFile file(folder(prefix) + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace velorin
