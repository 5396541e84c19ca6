#include "scriptspage.h"

#include "formkit.h"
#include "statuslabel.h"
#include "tform1.h"
#include "tform2.h"

namespace nimbra {

ScriptsPage::ScriptsPage(TForm1 &main, TForm2 &tools, QWidget *parent) : QWidget(parent), m_main(main), m_tools(tools)
{
    caption(this, 0, 0, QStringLiteral("Scripts"));
    Lbx2 = new SortedList(this);
    Lbx2->setObjectName(QStringLiteral("Lbx2"));
    Lbx2->setGeometry(15, 25, 391, 308);
    connect(Lbx2, &QListWidget::itemClicked, this, &ScriptsPage::Lbx2Click);
    separator(this, 338);
    Stx = status(this, 35, 365, QStringLiteral("Stx"), 206, 36);
    separator(this, 430);
    Abook2 = new QStackedWidget(this);
    Abook2->setGeometry(0, 435, 410, 248);
    for (int page = Default; page <= Screen; ++page)
        Abook2->addWidget(new QWidget(Abook2));
}

void ScriptsPage::ListScripts()
{
    Lbx2->clear();
    for (const QString &name : m_main.service.listScripts())
        Lbx2->addRow(name);
}

bool ScriptsPage::OpenPage()
{
    Session &s = m_main.session;
    const PageSession::Opened opened = m_main.page.open(s.ScriptName);
    if (!opened.Ok) {
        showStatus(Stx, opened.Status);
        s.ScriptName = m_main.page.scriptName();
        return false;
    }
    return true;
}

void ScriptsPage::Lbx2Click()
{
    const QListWidgetItem *row = Lbx2->currentItem();
    if (!row)
        return;
    m_main.session.ScriptName = row->text();
    showStatus(Stx, row->text());
    OpenPage();
}

} // namespace nimbra
