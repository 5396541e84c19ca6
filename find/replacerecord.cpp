#include "replacerecord.h"

#include "codepage.h"
#include "pagehistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>


namespace nimbra {

namespace {

const QString kRecords = QStringLiteral("substituicoes/");
const QString kBefore = QStringLiteral(".antes.txt");
const QString kAfter = QStringLiteral(".depois.txt");
const QString kUndone = QStringLiteral("desfeita");
const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

QString fileName(const QString &page, const QString &suffix)
{
    return pageNameAsFileName(page) + suffix;
}

QString pageOfFile(const QString &name, const QString &suffix)
{
    return QUrl::fromPercentEncoding(name.chopped(suffix.size()).toLatin1());
}

std::optional<QString> readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromCp1252(file.readAll());
}

} // namespace

std::optional<ReplaceRecord> ReplaceRecord::create(const QString &advFolder, QString *why, const QDateTime &when)
{
    if (advFolder.isEmpty()) {
        *why = QStringLiteral("Não tem aventura em edição!!!");
        return std::nullopt;
    }
    // Two replaces within a millisecond keep both, in their order.
    QString folder;
    for (int n = 0; folder.isEmpty() || QFileInfo::exists(folder); ++n)
        folder = advFolder + kRecords + when.toString(kStampFormat) + QStringLiteral("-%1/").arg(n, 2, 10, QLatin1Char('0'));
    if (!QDir().mkpath(folder)) {
        *why = QStringLiteral("Não foi possível criar a pasta do registro da substituição!!!");
        return std::nullopt;
    }
    return ReplaceRecord(folder);
}

std::optional<ReplaceRecord> ReplaceRecord::last(const QString &advFolder)
{
    if (advFolder.isEmpty())
        return std::nullopt;
    const QDir records(advFolder + kRecords);
    for (const QString &name : records.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed)) {
        const ReplaceRecord record(records.filePath(name) + u'/');
        if (!QFileInfo::exists(record.m_folder + kUndone) && record.hasStoredPages())
            return record;
    }
    return std::nullopt;
}

std::optional<QString> ReplaceRecord::keep(const QString &page, const QString &suffix, const QString &text) const
{
    QSaveFile file(m_folder + fileName(page, suffix));
    if (!file.open(QIODevice::WriteOnly) || file.write(toCp1252(text)) < 0 || !file.commit())
        return QStringLiteral("não foi possível gravar o registro da substituição: ") + file.errorString();
    return std::nullopt;
}

std::optional<QString> ReplaceRecord::keepBefore(const QString &page, const QString &text) const
{
    return keep(page, kBefore, text);
}

std::optional<QString> ReplaceRecord::keepAfter(const QString &page, const QString &text) const
{
    return keep(page, kAfter, text);
}

std::vector<ReplaceRecord::Page> ReplaceRecord::pages() const
{
    std::vector<Page> found;
    const QDir dir(m_folder);
    for (const QString &name : dir.entryList({u'*' + kBefore}, QDir::Files, QDir::Name)) {
        const QString page = pageOfFile(name, kBefore);
        const QString after = m_folder + fileName(page, kAfter);
        found.push_back({page, readText(dir.filePath(name)),
                         QFileInfo::exists(after) ? readText(after) : std::nullopt});
    }
    return found;
}

bool ReplaceRecord::hasStoredPages() const
{
    return !QDir(m_folder).entryList({u'*' + kAfter}, QDir::Files).isEmpty();
}

std::optional<QString> ReplaceRecord::markUndone() const
{
    QFile mark(m_folder + kUndone);
    if (!mark.open(QIODevice::WriteOnly))
        return QStringLiteral("não foi possível marcar a substituição como desfeita: ") + mark.errorString();
    return std::nullopt;
}

void ReplaceRecord::discard() const
{
    if (!hasStoredPages())
        QDir(m_folder).removeRecursively();
}

} // namespace nimbra
