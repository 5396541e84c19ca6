#include "manifest.h"

#include "filenames.h"
#include "pagehistory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace nimbra {

namespace {

const QString kFormatKey = QStringLiteral("formato");
const QString kPrefixKey = QStringLiteral("prefixo");
const QString kTitleKey = QStringLiteral("titulo");
const QString kStartKey = QStringLiteral("inicio");
const QString kLookKey = QStringLiteral("visual");
const QString kPagesKey = QStringLiteral("paginas");
const QString kFilesKey = QStringLiteral("arquivos");
const QString kObjectsKey = QStringLiteral("objetos");
const QString kNameKey = QStringLiteral("nome");

QJsonObject lookObject(const AdventureLook &look)
{
    return {{QStringLiteral("fonte"), look.Font},
            {QStringLiteral("fundo"), look.BackColor},
            {QStringLiteral("texto"), look.TextColor},
            {QStringLiteral("link"), look.LinkColor}};
}

QJsonArray fileArray(const QList<BackupFile> &files)
{
    QJsonArray array;
    for (const BackupFile &file : files)
        array.append(QJsonObject{{kNameKey, file.Name}, {QStringLiteral("copia"), file.Copied}});
    return array;
}

QJsonArray objectArray(const QList<BackupObject> &objects)
{
    QJsonArray array;
    for (const BackupObject &object : objects)
        array.append(QJsonObject{{kNameKey, object.Name},
                                 {QStringLiteral("local"), object.Location},
                                 {QStringLiteral("forma"), object.Shape}});
    return array;
}

// Reads the entries of one list of the manifest; refused ones leave a line.
class EntryReader {
public:
    explicit EntryReader(QStringList &problems) : m_problems(problems) {}

    // The name of an entry, or nothing (and a problem line) when refused.
    std::optional<QString> name(const QJsonValue &value, const QString &kind)
    {
        if (!value.isString()) {
            m_problems.append(kind + QStringLiteral(" sem nome na cópia: entrada ignorada!!!"));
            return std::nullopt;
        }
        if (!isPlainFileName(value.toString())) {
            m_problems.append(kind + QStringLiteral(" com nome recusado: ") + shownName(value.toString())
                              + QStringLiteral("!!!"));
            return std::nullopt;
        }
        return value.toString();
    }

    QStringList pages(const QJsonArray &array)
    {
        QStringList pages;
        for (const QJsonValue &value : array)
            if (const auto page = name(value, QStringLiteral("Página")))
                pages.append(*page);
        return pages;
    }

    QList<BackupFile> files(const QJsonArray &array)
    {
        QList<BackupFile> files;
        for (const QJsonValue &value : array)
            if (const auto file = name(value.toObject().value(kNameKey), QStringLiteral("Arquivo")))
                files.append({*file, value.toObject().value(QStringLiteral("copia")).toBool()});
        return files;
    }

    QList<BackupObject> objects(const QJsonArray &array)
    {
        QList<BackupObject> objects;
        for (const QJsonValue &value : array) {
            const QJsonObject entry = value.toObject();
            if (const auto object = name(entry.value(kNameKey), QStringLiteral("Objeto")))
                objects.append({*object, entry.value(QStringLiteral("local")).toString(),
                                entry.value(QStringLiteral("forma")).toString()});
        }
        return objects;
    }

    // The start page, when there is one and its name is not refused.
    QString startPage(const QJsonValue &value)
    {
        if (value.isUndefined() || value.toString().isEmpty())
            return {};
        return name(value, QStringLiteral("Página inicial")).value_or(QString());
    }

private:
    QStringList &m_problems;
};

std::optional<AdventureLook> readLook(const QJsonValue &value, QStringList &problems)
{
    if (value.isUndefined())
        return std::nullopt;
    const QJsonObject look = value.toObject();
    const QStringList keys = {QStringLiteral("fonte"), QStringLiteral("fundo"), QStringLiteral("texto"),
                              QStringLiteral("link")};
    for (const QString &key : keys) {
        if (!look.value(key).isString()) {
            problems.append(QStringLiteral("Visual incompleto na cópia: ignorado!!!"));
            return std::nullopt;
        }
    }
    return AdventureLook{look.value(keys[0]).toString(), look.value(keys[1]).toString(),
                         look.value(keys[2]).toString(), look.value(keys[3]).toString()};
}

} // namespace

QByteArray writeManifest(const Manifest &manifest)
{
    QJsonObject root{{kFormatKey, kBackupFormat},
                     {kPrefixKey, manifest.Prefix},
                     {kTitleKey, manifest.Title},
                     {kStartKey, manifest.StartPage},
                     {kPagesKey, QJsonArray::fromStringList(manifest.Pages)},
                     {kFilesKey, fileArray(manifest.Files)},
                     {kObjectsKey, objectArray(manifest.Objects)}};
    if (manifest.Look)
        root.insert(kLookKey, lookObject(*manifest.Look));
    return QJsonDocument(root).toJson();
}

ManifestRead readManifest(const QByteArray &bytes)
{
    ManifestRead result;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (!document.isObject()) {
        const QString why = error.error == QJsonParseError::NoError ? QStringLiteral("não é um objeto")
                                                                   : error.errorString();
        result.Problems.append(kNoManifest + why + QStringLiteral("!!!"));
        return result;
    }
    const QJsonObject root = document.object();
    if (root.value(kFormatKey).toInt() != kBackupFormat) {
        result.Problems.append(kUnknownFormat);
        return result;
    }
    EntryReader entries(result.Problems);
    Manifest manifest;
    manifest.Prefix = root.value(kPrefixKey).toString();
    manifest.Title = root.value(kTitleKey).toString();
    manifest.StartPage = entries.startPage(root.value(kStartKey));
    manifest.Look = readLook(root.value(kLookKey), result.Problems);
    manifest.Pages = entries.pages(root.value(kPagesKey).toArray());
    manifest.Files = entries.files(root.value(kFilesKey).toArray());
    manifest.Objects = entries.objects(root.value(kObjectsKey).toArray());
    result.Read = manifest;
    return result;
}

QString pageFileName(const QString &page)
{
    return pageNameAsFileName(page) + QStringLiteral(".txt");
}

} // namespace nimbra
