#include "mapwindow.h"

#include "adventurecheck.h"
#include "formkit.h"
#include "imagebutton.h"
#include "maploader.h"
#include "pump.h"
#include "skin.h"
#include "statuslabel.h"
#include "storymapview.h"

#include <QLabel>
#include <QListWidget>

#include <algorithm>

namespace nimbra {

namespace {

constexpr QColor kBrokenText{0xCC, 0x00, 0x00};
// Wider than the default spacing, so a broken link's mark fits beside its box.
constexpr MapLayoutSpacing kSpacing{260, 140};

QLabel *navyCaption(QWidget *parent, int x, int y, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setFont(Skin::titleFont(13));
    QPalette look = label->palette();
    look.setColor(QPalette::WindowText, Skin::Navy);
    label->setPalette(look);
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

TForm6::TForm6(QWidget *parent) : SkinnedWindow(Options::onTop(QStringLiteral("Mapa"), 960, 600), parent)
{
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Mapa da história"));

    View = new StoryMapView(this);
    View->setObjectName(QStringLiteral("Map"));
    View->setGeometry(5, 30, 700, 530);

    navyCaption(this, 712, 31, QStringLiteral("Links quebrados e inalcançáveis"));
    Lbx1 = new QListWidget(this);
    Lbx1->setObjectName(QStringLiteral("Lbx1"));
    Lbx1->setGeometry(712, 52, 243, 508);

    btRec = new ImageButton(this, QStringLiteral("Busca de novo todas as páginas da aventura"));
    btRec->setObjectName(QStringLiteral("btRec"));
    btRec->move(5, 572);
    navyCaption(this, 30, 571, QStringLiteral("Recarregar"));

    Sta = new StatusLabel(this);
    Sta->setObjectName(QStringLiteral("Sta"));
    Sta->setGeometry(130, 571, 825, 20);

    connect(View, &StoryMapView::pageActivated, this, &TForm6::openPageRequested);
    connect(View, &StoryMapView::boxMoved, this, &TForm6::keepBoxPlace);
    connect(Lbx1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit openPageRequested(item->data(Qt::UserRole).toString()); });
    connect(btRec, &ImageButton::clicked, this, &TForm6::reload);
}

void TForm6::load(ScriptStore &store, const QStringList &scriptNames, const QString &startPage,
                  const QString &advFolder)
{
    m_store = &store;
    m_startPage = startPage;
    m_advFolder = advFolder;
    fetchAndShow(scriptNames);
}

void TForm6::reload()
{
    if (!m_store) {
        say(QStringLiteral("Não tem aventura em edição!!!"));
        return;
    }
    fetchAndShow(m_lister ? m_lister() : m_names);
}

void TForm6::fetchAndShow(const QStringList &names)
{
    m_names = names;
    const std::vector<MapSource> sources =
        fetchMapSources(*m_store, names, [this](int done, int total) { showProgress(done, total); });
    m_map = buildStoryMap(sources, m_startPage);
    m_saved = loadMapPlaces(m_advFolder);
    std::vector<QImage> thumbnails;
    thumbnails.reserve(m_map.Pages.size());
    for (const MapPage &page : m_map.Pages)
        thumbnails.push_back(pageThumbnail(m_advFolder, page, PageBox::ThumbnailSize));
    View->showMap(m_map, layoutStoryMap(m_map, m_saved, kSpacing), thumbnails);
    View->highlight(m_followed);
    showSideList(sources);
    showSummary();
}

void TForm6::showProgress(int done, int total)
{
    say(QStringLiteral("Carregando página ") + QString::number(done) + QStringLiteral(" de ")
        + QString::number(total) + QStringLiteral("..."));
    letPendingMessagesBeProcessed();
}

void TForm6::showSideList(const std::vector<MapSource> &sources)
{
    Lbx1->clear();
    for (const MapLink *link : m_map.brokenLinks()) {
        const QString from = m_map.Pages[size_t(link->From)].Name;
        addPageRow(Lbx1, QStringLiteral("Link quebrado: ") + from + QStringLiteral(" -> ") + link->Target, from,
                     kBrokenText);
    }
    for (const MapPage &page : m_map.Pages)
        if (page.Unreachable)
            addPageRow(Lbx1, QStringLiteral("Página inalcançável: ") + page.Name, page.Name, Skin::Navy);
    const std::optional<QStringList> files = m_files ? m_files() : std::nullopt;
    if (!files)
        return;
    // The map already shows links and unreached pages; only the files are added.
    for (const CheckFinding &f : missingFiles(sources, *files))
        addPageRow(Lbx1, QStringLiteral("Arquivo ausente: ") + f.Page + QStringLiteral(" -> ") + f.Name, f.Page,
                     kBrokenText);
}

void TForm6::showSummary()
{
    if (m_map.Pages.empty()) {
        say(QStringLiteral("Nenhuma página na aventura!!!"));
        return;
    }
    const auto notLoaded =
        std::count_if(m_map.Pages.begin(), m_map.Pages.end(), [](const MapPage &p) { return !p.Loaded; });
    say(QStringLiteral("Páginas: ") + QString::number(m_map.Pages.size()) + QStringLiteral("   Não carregadas: ")
        + QString::number(notLoaded) + QStringLiteral("   Links quebrados: ") + QString::number(brokenCount())
        + QStringLiteral("   Inalcançáveis: ") + QString::number(unreachableCount()));
}

void TForm6::keepBoxPlace(const QString &name, QPointF place)
{
    m_saved.insert(name, place);
    if (const auto failed = saveMapPlaces(m_advFolder, m_saved))
        say(*failed);
}

void TForm6::followPage(const QString &name)
{
    m_followed = name;
    View->highlight(name);
}

void TForm6::say(const QString &text)
{
    Sta->setText(text);
    Sta->repaint();
}

int TForm6::boxCount() const
{
    return int(View->boxes().size());
}

int TForm6::arrowCount() const
{
    return int(View->arrows().size());
}

int TForm6::brokenCount() const
{
    return int(std::count_if(View->arrows().begin(), View->arrows().end(),
                             [](const LinkArrow *a) { return a->isBroken(); }));
}

int TForm6::unreachableCount() const
{
    return int(std::count_if(View->boxes().begin(), View->boxes().end(),
                             [](const PageBox *b) { return b->page().Unreachable; }));
}

} // namespace nimbra
