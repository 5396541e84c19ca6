#pragma once

#include "pagesession.h"
#include "skinnedwindow.h"
#include "storymap.h"

#include <QHash>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QListWidget;

namespace nimbra {

class ImageButton;
class StatusLabel;
class StoryMapView;

// The story map window "Mapa": every page of the adventure as a box, every
// active link as an arrow, broken links and pages nothing leads to listed
// beside it. Box places the author drags to are kept in the adventure
// folder.
class TForm6 final : public SkinnedWindow {
    Q_OBJECT
public:
    explicit TForm6(QWidget *parent = nullptr);

    // Fetches every page of scriptNames from store and shows the map. The
    // store is used again by "Recarregar", so it must outlive the window or
    // the next load.
    void load(ScriptStore &store, const QStringList &scriptNames, const QString &startPage, const QString &advFolder);
    // Where "Recarregar" takes the page names from (the service's script
    // list); without one it fetches the same names again.
    void setScriptLister(std::function<QStringList()> lister) { m_lister = std::move(lister); }
    // Where the adventure's files on the service come from, so that pictures
    // and sounds the pages use but the service lacks are listed too.
    void setFileLister(std::function<std::optional<QStringList>()> lister) { m_files = std::move(lister); }

    const StoryMap &storyMap() const { return m_map; }
    int boxCount() const;
    int arrowCount() const;
    int brokenCount() const;
    int unreachableCount() const;

    StoryMapView *View = nullptr;
    QListWidget *Lbx1 = nullptr; // broken links and unreachable pages
    StatusLabel *Sta = nullptr;
    ImageButton *btRec = nullptr;

signals:
    void openPageRequested(const QString &name);

public slots:
    // The map follows the page open in the editor.
    void followPage(const QString &name);

private:
    void reload();
    void fetchAndShow(const QStringList &names);
    void showProgress(int done, int total);
    void showSideList(const std::vector<MapSource> &sources);
    void showSummary();
    void keepBoxPlace(const QString &name, QPointF place);
    void say(const QString &text);

    ScriptStore *m_store = nullptr;
    std::function<QStringList()> m_lister;
    std::function<std::optional<QStringList>()> m_files;
    QStringList m_names;
    QString m_startPage;
    QString m_advFolder;
    QString m_followed;
    StoryMap m_map;
    QHash<QString, QPointF> m_saved;
};

} // namespace nimbra
