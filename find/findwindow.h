#pragma once

#include "adventurefind.h"
#include "skinnedwindow.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace nimbra {

class ImageButton;
class StatusLabel;
struct PageOutcome;
struct ReplaceReport;
struct Workspace;

// The window "Buscar e substituir": finds a text in every page of the open
// adventure, shows what a replace would change, stores it page by page and
// undoes the last replace. Its rules are the find library's.
inline const QString kOtherAdventureStatus =
    QStringLiteral("A busca foi feita em outra aventura; busque de novo antes de substituir!!!");

class FindWindow final : public SkinnedWindow {
    Q_OBJECT
public:
    explicit FindWindow(Workspace &work, QWidget *parent = nullptr);

    // Where the page names come from (the script list).
    void setScriptLister(std::function<QStringList()> lister) { m_lister = std::move(lister); }
    // Whether the editor holds a page with edits not yet stored.
    void setHeldPage(std::function<bool(const QString &page)> held) { m_held = std::move(held); }

    QLineEdit *Edt1 = nullptr;      // what to find
    QCheckBox *CbCase = nullptr;    // letter case counts
    ImageButton *btBus = nullptr;   // "Buscar"
    QListWidget *Lbx1 = nullptr;    // the matches, and the pages not fetched
    QLineEdit *Edt2 = nullptr;      // what to put in its place
    ImageButton *btSub = nullptr;   // "Substituir...": the preview
    QPlainTextEdit *Memo1 = nullptr; // the preview, then what became of each page
    ImageButton *btConf = nullptr;  // "Confirmar"
    ImageButton *btDes = nullptr;   // "Desfazer a última substituição"
    StatusLabel *Sta = nullptr;

signals:
    void openPageRequested(const QString &page);
    // Pages whose text changed on the service, after a replace or its undoing.
    void pagesStored(const QStringList &pages);

private:
    void search();
    void preview();
    void confirm();
    void undo();
    FindQuery query() const;
    bool hasAdventure();
    void showMatches();
    void showProgress(int done, int total);
    void showOutcome(const PageOutcome &outcome);
    void finishRun(const ReplaceReport &report);
    void forgetPlan();
    void say(const QString &text);

    Workspace &m_work;
    std::function<QStringList()> m_lister;
    std::function<bool(const QString &)> m_held;
    std::optional<SearchResult> m_search;
    std::optional<ReplacePlan> m_plan;
    // The adventure the search was made in: a plan is for its pages only.
    QString m_searchedPrefix;
};

} // namespace nimbra
