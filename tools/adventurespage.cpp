#include "adventurespage.h"

#include "adventure.h"
#include "extraspage.h"
#include "formkit.h"
#include "imagebutton.h"
#include "statuslabel.h"
#include "textlines.h"
#include "parameterspage.h"
#include "tform2.h"
#include "workspace.h"

#include <QDir>

namespace nimbra {

AdventuresPage::AdventuresPage(Workspace &work, TForm2 &tools, QWidget *parent)
    : QWidget(parent), m_work(work), m_tools(tools)
{
    buildList();
    separator(this, 325);
    buildLook();
    separator(this, 505);
    buildNew();
}

void AdventuresPage::buildList()
{
    caption(this, 0, 0, QStringLiteral("Aventuras disponíveis:"));
    Lbx1 = new SortedList(this);
    Lbx1->setObjectName(QStringLiteral("Lbx1"));
    Lbx1->setGeometry(5, 30, 400, 286);
    connect(Lbx1, &QListWidget::itemDoubleClicked, this, &AdventuresPage::Lbx1DblClick);
}

void AdventuresPage::buildLook()
{
    caption(this, 5, 335, QStringLiteral("Área principal da aventura..."));
    Edit7 = edit(this, 135, 370, 171, QStringLiteral("Fonte principal:"));
    Edit8 = edit(this, 135, 400, 70, QStringLiteral("Cor do fundo:"));
    Edit9 = edit(this, 325, 400, 70, QStringLiteral("Cor do texto:"));
    Edit10 = edit(this, 325, 430, 70, QStringLiteral("Cor do link:"));
    Image9 = actionButton(this, 15, 437, QStringLiteral("Alterar esses parâmetros"), QStringLiteral("Image9"));
    connect(Image9, &ImageButton::clicked, this, &AdventuresPage::Image9Click);
    Stp = status(this, 40, 455, QStringLiteral("Stp"), 360, 44);
}

void AdventuresPage::buildNew()
{
    caption(this, 5, 515, QStringLiteral("Crie uma nova aventura..."));
    Edit11 = edit(this, 59, 555, 331, QStringLiteral("Nome:"));
    Edit11->setObjectName(QStringLiteral("Edit11"));
    Edit12 = edit(this, 80, 585, 96, QStringLiteral("Prefixo:"), 6);
    Edit12->setObjectName(QStringLiteral("Edit12"));
    caption(this, 185, 588, QStringLiteral("de 3 até 6 caracters."), 13, false);
    Image10 = actionButton(this, 80, 617, QStringLiteral("Criar aventura"), QStringLiteral("Image10"));
    connect(Image10, &ImageButton::clicked, this, &AdventuresPage::Image10Click);
    Stn = status(this, 105, 632, QStringLiteral("Stn"), 300, 44);
}

void AdventuresPage::ListAdventures()
{
    Lbx1->clear();
    const Reply reply = m_work.service.listAdventures();
    if (!reply.isOk()) {
        m_tools.extras()->Memo1->setPlainText(reply.text());
        return;
    }
    for (const QString &name : reply.data())
        Lbx1->addRow(UnderscoreToBlank(name));
}

void AdventuresPage::Lbx1DblClick()
{
    const QListWidgetItem *row = Lbx1->currentItem();
    if (!row || !LoadAdventure(row->text()))
        return;
    emit adventureChosen();
}

bool AdventuresPage::LoadAdventure(const QString &name)
{
    QString why;
    const auto data = readAdventureData(m_work.service.adventureData(name), &why);
    if (!data) {
        showStatus(Stp, why);
        return false;
    }
    const QString folder = m_work.session.AppDir + data->Prefix;
    if (!QDir().mkpath(folder)) {
        showStatus(Stp,
                   QStringLiteral("Não foi possível criar a pasta da aventura ") + data->Prefix + QStringLiteral("!!!"));
        return false;
    }
    makeCurrent(name, *data);
    return true;
}

void AdventuresPage::makeCurrent(const QString &name, const AdventureData &data)
{
    Session &s = m_work.session;
    s.AdvPrefix = data.Prefix;
    s.AdvFolder = s.AppDir + data.Prefix + QLatin1Char('/');
    s.AdvName = name;
    s.ScriptName = data.StartScript;
    m_startScript = data.StartScript;
    emit backdropChosen(ColorFromText(data.BackColor));
    Edit8->setText(data.BackColor);
    Edit9->setText(data.TextColor);
    Edit10->setText(data.LinkColor);
    Edit7->setText(data.MainFont);
    ParametersPage *parameters = m_tools.parameters();
    parameters->Edit17->setText(name);
    parameters->Edit18->setText(data.StartScript);
    showStatus(Stp, QString());
}

void AdventuresPage::Image9Click()
{
    if (m_work.session.AdvPrefix.isEmpty()) {
        showStatus(Stp, QStringLiteral("Não tem aventura em edição!!!"));
        return;
    }
    showStatus(Stp, m_work.service.putAdventureStyle(Edit7->text(), Edit8->text(), Edit9->text(), Edit10->text()));
}

void AdventuresPage::Image10Click()
{
    const QString name = Edit11->text();
    const QString prefix = Edit12->text();
    if (name.isEmpty()) {
        showStatus(Stn, QStringLiteral("Defina uma nome para a aventura!!!"));
        return;
    }
    if (prefix.isEmpty()) {
        showStatus(Stn, QStringLiteral("Defina uma prefixo para a aventura!!!"));
        return;
    }
    if (prefix.size() < 3 || prefix.size() > 6) {
        showStatus(Stn, QStringLiteral("Entre 3 e 6 caracteres para o prefixo!!!"));
        return;
    }
    showStatus(Stn, m_work.service.newAdventure(prefix, name));
    m_tools.showPage(TForm2::Adventures);
    ListAdventures();
}

} // namespace nimbra
