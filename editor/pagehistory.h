#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace nimbra {

// A page name as one file name component: page names come from the service,
// and encoded (dots too) they can name no other folder.
QString pageNameAsFileName(const QString &page);

// Every text a page was stored with, kept in the adventure's folder so that
// nothing stored is lost when the service loses it: "historico/<page>/" holds
// one Windows-1252 file a version, the newest kVersions of them.
class PageHistory {
public:
    static constexpr int kVersions = 50;

    struct Version {
        QDateTime When;
        QString Path;
    };

    // advFolder ends in "/".
    explicit PageHistory(QString advFolder) : m_folder(std::move(advFolder)) {}

    // Keeps text as the page's newest version; why not, when it could not.
    std::optional<QString> keep(const QString &page, const QString &text,
                                const QDateTime &when = QDateTime::currentDateTime()) const;
    // The page's versions, newest first.
    std::vector<Version> versions(const QString &page) const;
    static std::optional<QString> read(const Version &version);

private:
    QString pageFolder(const QString &page) const;

    QString m_folder;
};

} // namespace nimbra
