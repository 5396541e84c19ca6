#include "checkwindow.h"

#include "formkit.h"
#include "imagebutton.h"
#include "maploader.h"
#include "pump.h"
#include "statuslabel.h"

#include <QListWidget>

#include <algorithm>

namespace nimbra {

namespace {

bool onPage(const CheckFinding &finding)
{
    return finding.What != CheckFinding::Kind::MissingObjectPicture;
}

} // namespace

CheckWindow::CheckWindow(QWidget *parent)
    : SkinnedWindow(Options::onTop(QStringLiteral("Verificação"), 640, 480), parent)
{
    setObjectName(QStringLiteral("CheckWindow"));
    setWindowTitle(QStringLiteral("Verificação da aventura"));
    caption(this, 8, 31, QStringLiteral("O que quebraria para quem joga (clique para abrir a página)"));
    Lbx1 = new QListWidget(this);
    Lbx1->setObjectName(QStringLiteral("Lbx1"));
    Lbx1->setGeometry(5, 52, 630, 388);
    btVer = actionButton(this, 5, 452, QStringLiteral("Verificar de novo"), QStringLiteral("btVer"));
    Sta = status(this, 160, 451, QStringLiteral("Sta"), 475, 20);
    connect(Lbx1, &QListWidget::itemClicked, this, &CheckWindow::openFinding);
    connect(btVer, &ImageButton::clicked, this, &CheckWindow::recheck);
}

void CheckWindow::check(ScriptStore &store, Sources sources, const QString &startPage)
{
    m_store = &store;
    m_sources = std::move(sources);
    m_startPage = startPage;
    recheck();
}

void CheckWindow::recheck()
{
    if (!m_store) {
        say(QStringLiteral("Não tem aventura em edição!!!"));
        return;
    }
    Lbx1->clear();
    const std::vector<MapSource> pages = fetchMapSources(*m_store, m_sources.pages(), [this](int done, int total) {
        say(QStringLiteral("Carregando página %1 de %2...").arg(done).arg(total));
        letPendingMessagesBeProcessed();
    });
    const std::optional<QStringList> files = m_sources.files ? m_sources.files() : std::nullopt;
    const std::vector<ObjectPicture> objects = m_sources.objects ? m_sources.objects() : std::vector<ObjectPicture>();
    m_findings = checkAdventure(pages, m_startPage, files, objects);
    const auto notLoaded = std::count_if(pages.begin(), pages.end(), [](const MapSource &p) { return !p.Loaded; });
    showFindings(std::size_t(notLoaded), files.has_value());
}

void CheckWindow::showFindings(std::size_t notLoaded, bool filesKnown)
{
    for (const CheckFinding &finding : m_findings) {
        auto *item = new QListWidgetItem(findingText(finding), Lbx1);
        if (onPage(finding))
            item->setData(Qt::UserRole, finding.Page);
    }
    QString summary = m_findings.empty() ? QStringLiteral("Nenhum problema encontrado.")
                                         : QStringLiteral("Problemas encontrados: %1.").arg(m_findings.size());
    if (notLoaded > 0)
        summary += QStringLiteral("  Páginas não carregadas: %1!!!").arg(notLoaded);
    if (!filesKnown)
        summary += QStringLiteral("  Arquivos da aventura não conferidos: a lista não veio!!!");
    say(summary);
}

void CheckWindow::openFinding(const QListWidgetItem *item)
{
    const QString page = item->data(Qt::UserRole).toString();
    if (!page.isEmpty())
        emit openPageRequested(page);
}

void CheckWindow::say(const QString &text)
{
    showStatus(Sta, text);
}

} // namespace nimbra
