#include "backupwindow.h"

#include "formkit.h"
#include "imagebutton.h"
#include "pump.h"
#include "serverfiles.h"
#include "skin.h"
#include "statuslabel.h"
#include "workspace.h"

#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>

namespace nimbra {

BackupWindow::BackupWindow(Workspace &work, QWidget *parent)
    : SkinnedWindow(Options::onTop(QStringLiteral("Cópia de segurança"), 620, 460), parent), m_work(work)
{
    setObjectName(QStringLiteral("BackupWindow"));
    setWindowTitle(QStringLiteral("Cópia de segurança da aventura"));
    m_lister = [this] { return m_work.service.listScripts(); };
    m_picker = [this](const QString &caption) { return QFileDialog::getExistingDirectory(this, caption); };
    m_confirm = [this](const QString &question) {
        return QMessageBox::question(this, QStringLiteral("Nimbra"), question) == QMessageBox::Yes;
    };

    btCopy = actionButton(this, 10, 36, QStringLiteral("Fazer cópia..."), QStringLiteral("btCopy"));
    btRestore = actionButton(this, 250, 36, QStringLiteral("Restaurar cópia..."), QStringLiteral("btRestore"));
    Lbx1 = new QListWidget(this);
    Lbx1->setObjectName(QStringLiteral("Lbx1"));
    Lbx1->setGeometry(10, 64, 600, 360);
    Lbx1->setFont(arialFont(13));
    Sta = status(this, 10, 432, QStringLiteral("Sta"), 600, 20);

    connect(btCopy, &ImageButton::clicked, this, &BackupWindow::pickAndBackUp);
    connect(btRestore, &ImageButton::clicked, this, &BackupWindow::pickAndRestore);
}

void BackupWindow::pickAndBackUp()
{
    if (!adventureOpen())
        return;
    const QString folder = m_picker(QStringLiteral("Pasta da cópia"));
    if (!folder.isEmpty())
        backupTo(folder);
}

void BackupWindow::pickAndRestore()
{
    if (!adventureOpen())
        return;
    // Before the dialog, so no folder is asked for in vain; restoreFrom
    // checks again for its other callers.
    const QString folder = m_picker(QStringLiteral("Pasta da cópia a restaurar"));
    if (!folder.isEmpty())
        restoreFrom(folder);
}

bool BackupWindow::adventureOpen()
{
    if (!m_work.session.AdvPrefix.isEmpty())
        return true;
    say(kNoAdventure);
    return false;
}

bool BackupWindow::backupTo(const QString &folder)
{
    Lbx1->clear();
    return finish(writeBackup(m_work, m_lister(), folder, listener()));
}

bool BackupWindow::restoreFrom(const QString &folder)
{
    if (!adventureOpen())
        return false;
    if (!m_confirm(kRestoreQuestion.arg(folder))) {
        say(kRestoreCancelled);
        return false;
    }
    Lbx1->clear();
    const bool whole = finish(restoreBackup(m_work, m_lister(), folder, listener()));
    if (m_outcome.Succeeded > 0)
        emit adventureRestored();
    return whole;
}

BackupListener BackupWindow::listener()
{
    return {[this](const QString &line, bool ok) { addLine(line, ok); },
            [this](int done, int total) {
                say(QStringLiteral("Carregando página %1 de %2...").arg(done).arg(total));
            }};
}

bool BackupWindow::finish(const BackupOutcome &outcome)
{
    m_outcome = outcome;
    say(outcome.Summary);
    return outcome.Failed == 0;
}

void BackupWindow::addLine(const QString &line, bool ok)
{
    auto *row = new QListWidgetItem(line, Lbx1);
    row->setForeground(ok ? Skin::Navy : Skin::Maroon);
    Lbx1->scrollToItem(row);
    letPendingMessagesBeProcessed();
}

void BackupWindow::say(const QString &text)
{
    Sta->setText(text);
    Sta->repaint();
}

} // namespace nimbra
