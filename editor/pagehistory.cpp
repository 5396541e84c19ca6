#include "pagehistory.h"

#include "codepage.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QUrl>

namespace nimbra {

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

} // namespace

QString pageNameAsFileName(const QString &page)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(page, QByteArray(), QByteArrayLiteral(".")));
}

QString PageHistory::pageFolder(const QString &page) const
{
    return m_folder + QStringLiteral("historico/") + pageNameAsFileName(page) + u'/';
}

std::optional<QString> PageHistory::keep(const QString &page, const QString &text, const QDateTime &when) const
{
    const QString folder = pageFolder(page);
    if (m_folder.isEmpty() || !QDir().mkpath(folder))
        return QStringLiteral("não foi possível criar a pasta do histórico");
    // Two stores within a millisecond keep both, in their order.
    QString path;
    for (int n = 0; path.isEmpty() || QFile::exists(path); ++n)
        path = folder + when.toString(kStampFormat) + QStringLiteral("-%1.txt").arg(n, 2, 10, QLatin1Char('0'));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toCp1252(text)) < 0 || !file.commit())
        return QStringLiteral("não foi possível gravar o histórico: ") + file.errorString();
    const std::vector<Version> kept = versions(page);
    for (size_t i = kVersions; i < kept.size(); ++i)
        QFile::remove(kept[i].Path);
    return std::nullopt;
}

std::vector<PageHistory::Version> PageHistory::versions(const QString &page) const
{
    std::vector<Version> found;
    const QDir dir(pageFolder(page));
    for (const QString &name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name | QDir::Reversed)) {
        const QDateTime when = QDateTime::fromString(name.left(kStampFormat.size()), kStampFormat);
        if (when.isValid())
            found.push_back({when, dir.filePath(name)});
    }
    return found;
}

std::optional<QString> PageHistory::read(const Version &version)
{
    QFile file(version.Path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromCp1252(file.readAll());
}

} // namespace nimbra
