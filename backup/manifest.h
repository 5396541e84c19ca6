#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace nimbra {

// A backup folder holds the manifest, one file a page under kPagesFolder
// and the copies of the adventure's files under kFilesFolder. File names are
// never taken from the manifest: they are made from the names it lists.
inline const QString kManifestFile = QStringLiteral("manifesto.json");
inline const QString kPagesFolder = QStringLiteral("paginas");
inline const QString kFilesFolder = QStringLiteral("arquivos");
inline constexpr int kBackupFormat = 1;

// Font and colours, as the adventure style request takes them.
struct AdventureLook {
    QString Font;
    QString BackColor;
    QString TextColor;
    QString LinkColor;
    bool operator==(const AdventureLook &) const = default;
};

// A file of the adventure on the service; Copied when the backup holds it.
struct BackupFile {
    QString Name;
    bool Copied = false;
    bool operator==(const BackupFile &) const = default;
};

// An object with its current location and shape.
struct BackupObject {
    QString Name;
    QString Location;
    QString Shape;
    bool operator==(const BackupObject &) const = default;
};

struct Manifest {
    QString Prefix;
    QString Title;
    QString StartPage; // empty: the service's data could not be read
    std::optional<AdventureLook> Look;
    QStringList Pages;
    QList<BackupFile> Files;
    QList<BackupObject> Objects;
    bool operator==(const Manifest &) const = default;
};

QByteArray writeManifest(const Manifest &manifest);

// Entries with a refused name or a wrong shape are left out, each with a
// line in Problems; a text that is no manifest at all gives no Manifest.
struct ManifestRead {
    std::optional<Manifest> Read;
    QStringList Problems;
};
ManifestRead readManifest(const QByteArray &bytes);

// The page's file in the pages folder: percent-encoded (dots too), so any
// page name is one file name that no other page name gives.
QString pageFileName(const QString &page);

inline const QString kNoManifest = QStringLiteral("Manifesto ilegível: ");
inline const QString kUnknownFormat = QStringLiteral("Formato de cópia desconhecido!!!");

} // namespace nimbra
