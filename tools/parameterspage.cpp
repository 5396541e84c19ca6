#include "parameterspage.h"

#include "adventurespage.h"
#include "authorizationpage.h"
#include "formkit.h"
#include "imagebutton.h"
#include "statuslabel.h"
#include "textlines.h"
#include "tform2.h"
#include "workspace.h"

namespace nimbra {

ParametersPage::ParametersPage(Workspace &work, TForm2 &tools, QWidget *parent)
    : QWidget(parent), m_work(work), m_tools(tools)
{
    caption(this, 0, 0, QStringLiteral("Parâmetros da sua aventura..."));
    // A little right of the page's edge, so its caption is not cut.
    Edit17 = edit(this, 50, 45, 351, QStringLiteral("Título:"));
    Edit17->setObjectName(QStringLiteral("Edit17"));
    Edit18 = edit(this, 100, 75, 91, QStringLiteral("Script inicial:"));
    Edit18->setObjectName(QStringLiteral("Edit18"));
    Image23 = new ImageButton(this);
    Image23->setObjectName(QStringLiteral("Image23"));
    Image23->move(380, 602);
    // The caption ends just before its button.
    QLabel *authorization = caption(this, 0, 600, QStringLiteral("Autorização para edição:"));
    authorization->move(Image23->x() - authorization->width() - 6, 600);
    connect(Image23, &ImageButton::clicked, this, [this] { m_tools.authorization()->LoadEditors(); });
    separator(this, 625);
    Image1 = actionButton(this, 15, 637, QStringLiteral("Gravar esses parâmetros"), QStringLiteral("Image1"));
    connect(Image1, &ImageButton::clicked, this, &ParametersPage::Image1Click);
    Stu = status(this, 40, 655, QStringLiteral("Stu"), 360, 26);
}

QString ParametersPage::startScript() const
{
    const QString typed = trimLine(Edit18->text());
    return typed.isEmpty() ? m_work.session.ScriptName : typed;
}

void ParametersPage::Image1Click()
{
    if (m_work.session.AdvPrefix.isEmpty()) {
        showStatus(Stu, QStringLiteral("Não tem aventura em edição!!!"));
        return;
    }
    const QString title = Edit17->text();
    const QString reply = m_work.service.putParameters(title, startScript());
    if (reply == QLatin1StringView("Ok"))
        showNewTitle(title);
    showStatus(Stu, reply);
}

// The adventure keeps the name it was opened with; only what shows it changes.
void ParametersPage::showNewTitle(const QString &title)
{
    // Taken before any change: a renamed row may move in the sorted list.
    const QList<QListWidgetItem *> rows = m_tools.adventures()->Lbx1->findItems(
        m_work.session.AdvName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    for (QListWidgetItem *row : rows)
        row->setText(title);
    emit titleChanged(title);
}

} // namespace nimbra
