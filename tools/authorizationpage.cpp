#include "authorizationpage.h"

#include "formkit.h"
#include "imagebutton.h"
#include "reply.h"
#include "statuslabel.h"
#include "workspace.h"
#include "tform2.h"

#include <QGuiApplication>
#include <QScreen>

namespace nimbra {

namespace {

const QString kSeparator = QStringLiteral("-+-");

} // namespace

AuthorizationPage::AuthorizationPage(Workspace &work, TForm2 &tools, QWidget *parent)
    : QWidget(parent), m_work(work), m_tools(tools)
{
    caption(this, 0, 0, QStringLiteral("Usuários autorizados a editar:"));
    Lbx11 = new SortedList(this);
    Lbx11->setObjectName(QStringLiteral("Lbx11"));
    Lbx11->setGeometry(10, 35, 181, 181);
    Lbx11->setFrameStyle(QFrame::Box | QFrame::Plain);
    connect(Lbx11, &QListWidget::itemClicked, this, &AuthorizationPage::Lbx11Click);
    Image24 = actionButton(this, 200, 57, QStringLiteral("Atualizar servidor"), QStringLiteral("Image24"));
    connect(Image24, &ImageButton::clicked, this, &AuthorizationPage::Image24Click);
    Stb = status(this, 225, 75, QStringLiteral("Stb"), 181, 81);
    Lbx10 = new SortedList(this);
    Lbx10->setObjectName(QStringLiteral("Lbx10"));
    Lbx10->setGeometry(10, 225, 391, QGuiApplication::primaryScreen()->geometry().height() - 330);
    connect(Lbx10, &QListWidget::itemClicked, this, &AuthorizationPage::Lbx10Click);
}

// Switching sorting on again sorts what was added meanwhile.
void AuthorizationPage::setSorting(bool on)
{
    for (SortedList *list : {Lbx10, Lbx11}) {
        list->setSortingEnabled(on);
        if (on)
            list->sortItems();
    }
}

void AuthorizationPage::LoadEditors()
{
    if (m_work.session.AdvPrefix.isEmpty())
        return;
    m_tools.showPage(TForm2::Authorization);
    showStatus(Stb, kEditorsPrompt);
    m_loadedFor.clear();
    Lbx10->clear();
    Lbx11->clear();
    setSorting(false);
    const Reply reply = m_work.service.listEditors();
    if (!reply.isOk())
        return;
    fillLists(reply);
    setSorting(true);
    m_loadedFor = m_work.session.AdvPrefix;
}

// Candidates up to the separator, blank ones too; the editors after it.
void AuthorizationPage::fillLists(const Reply &reply)
{
    bool editors = false;
    for (const QString &line : reply.data()) {
        if (!editors && line == kSeparator)
            editors = true;
        else if (!editors)
            Lbx10->addRow(line);
        else if (!line.isEmpty())
            Lbx11->addRow(line);
    }
}

void AuthorizationPage::Lbx10Click()
{
    const QListWidgetItem *picked = Lbx10->currentItem();
    if (!picked || !Lbx11->findItems(picked->text(), Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty())
        return;
    Lbx11->addRow(picked->text());
}

void AuthorizationPage::Lbx11Click()
{
    // The second click of a double click lands on the row that moved up.
    if (QListWidgetItem *picked = Lbx11->takePressedRow())
        Lbx11->removeRow(picked);
}

void AuthorizationPage::Image24Click()
{
    if (m_loadedFor.isEmpty() || m_loadedFor != m_work.session.AdvPrefix) {
        showStatus(Stb, kEditorsNotLoaded);
        return;
    }
    QStringList names;
    for (int row = 0; row < Lbx11->count(); ++row)
        names.append(Lbx11->item(row)->text());
    showStatus(Stb, m_work.service.putEditors(names));
}

} // namespace nimbra
