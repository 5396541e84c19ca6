#pragma once

#include "adventurebackup.h"
#include "skinnedwindow.h"

#include <QString>
#include <QStringList>

#include <functional>

class QListWidget;

namespace nimbra {

class ImageButton;
class StatusLabel;
struct Workspace;

// The window "Cópia de segurança": writes the open adventure into a folder
// and puts such a folder back into the open adventure, listing every step.
class BackupWindow final : public SkinnedWindow {
    Q_OBJECT
public:
    explicit BackupWindow(Workspace &work, QWidget *parent = nullptr);

    // Where the adventure's page names come from; by default the service's
    // script list.
    void setPageLister(std::function<QStringList()> lister) { m_lister = std::move(lister); }
    // Which folder the buttons work on; empty when the author gave none. By
    // default a folder dialog.
    void setFolderPicker(std::function<QString(const QString &caption)> picker) { m_picker = std::move(picker); }
    // Whether a restore may overwrite the open adventure's pages. By default
    // a question box.
    void setConfirmation(std::function<bool(const QString &question)> confirm) { m_confirm = std::move(confirm); }

    // What the buttons do once a folder is picked; whether every step went well.
    bool backupTo(const QString &folder);
    bool restoreFrom(const QString &folder);

    const BackupOutcome &lastOutcome() const { return m_outcome; }

    ImageButton *btCopy = nullptr;
    ImageButton *btRestore = nullptr;
    QListWidget *Lbx1 = nullptr; // the report, one line a step
    StatusLabel *Sta = nullptr;

signals:
    // The open adventure's pages, objects or parameters changed: lists and
    // the open page are to be fetched again.
    void adventureRestored();

private:
    void pickAndBackUp();
    void pickAndRestore();
    bool adventureOpen();
    BackupListener listener();
    bool finish(const BackupOutcome &outcome);
    void addLine(const QString &line, bool ok);
    void say(const QString &text);

    Workspace &m_work;
    std::function<QStringList()> m_lister;
    std::function<QString(const QString &)> m_picker;
    std::function<bool(const QString &)> m_confirm;
    BackupOutcome m_outcome;
};

inline const QString kRestoreQuestion =
    QStringLiteral("Restaurar a cópia de %1 na aventura aberta? As páginas de mesmo nome serão substituídas.");
inline const QString kRestoreCancelled = QStringLiteral("Restauração cancelada.");

} // namespace nimbra
