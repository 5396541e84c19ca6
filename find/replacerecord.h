#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace nimbra {

// What one replace changed, kept in the adventure's folder so that one
// command can put every page back: "substituicoes/<when>/" holds, for each
// page, "<page>.antes.txt" (its text before the replace) and, once stored,
// "<page>.depois.txt" (its text read back), in Windows-1252; a file
// "desfeita" marks a replace that was undone. Page names are
// percent-encoded, dots included, so no name reaches another folder.
class ReplaceRecord {
public:
    struct Page {
        QString Name;
        std::optional<QString> Before; // nothing when the file cannot be read
        std::optional<QString> After;  // nothing when the page was not stored
    };

    // A new, empty record; nothing, and why in *why, when it cannot be made.
    static std::optional<ReplaceRecord> create(const QString &advFolder, QString *why,
                                               const QDateTime &when = QDateTime::currentDateTime());
    // The newest record not undone.
    static std::optional<ReplaceRecord> last(const QString &advFolder);

    // Why the text could not be kept, or nothing.
    std::optional<QString> keepBefore(const QString &page, const QString &text) const;
    std::optional<QString> keepAfter(const QString &page, const QString &text) const;
    // The recorded pages, by name.
    std::vector<Page> pages() const;
    bool hasStoredPages() const;
    std::optional<QString> markUndone() const;
    // Takes away a record in which no page was stored.
    void discard() const;

    const QString &folder() const { return m_folder; }

private:
    explicit ReplaceRecord(QString folder) : m_folder(std::move(folder)) {}
    std::optional<QString> keep(const QString &page, const QString &suffix, const QString &text) const;

    QString m_folder; // ends in "/"
};

} // namespace nimbra
