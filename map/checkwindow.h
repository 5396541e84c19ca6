#pragma once

#include "adventurecheck.h"
#include "pagesession.h"
#include "skinnedwindow.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace nimbra {

class ImageButton;
class StatusLabel;

// "Verificação da aventura": what would break for a player — broken links,
// pages the start page does not lead to, pictures and sounds the pages use
// and objects' pictures that are not among the adventure's files. Clicking
// a finding on a page opens that page.
class CheckWindow final : public SkinnedWindow {
    Q_OBJECT
public:
    explicit CheckWindow(QWidget *parent = nullptr);

    // Where the page names, the adventure's files (nothing when they could
    // not be had) and the objects' pictures come from, again at every check.
    struct Sources {
        std::function<QStringList()> pages;
        std::function<std::optional<QStringList>()> files;
        std::function<std::vector<ObjectPicture>()> objects;
    };
    // Fetches every page from store and lists what is found. The store is
    // used again by "Verificar de novo", so it must outlive the window.
    void check(ScriptStore &store, Sources sources, const QString &startPage);

    const std::vector<CheckFinding> &findings() const { return m_findings; }

    QListWidget *Lbx1 = nullptr;
    StatusLabel *Sta = nullptr;
    ImageButton *btVer = nullptr;

signals:
    void openPageRequested(const QString &name);

private:
    void recheck();
    void showFindings(std::size_t notLoaded, bool filesKnown);
    void openFinding(const QListWidgetItem *item);
    void say(const QString &text);

    ScriptStore *m_store = nullptr;
    Sources m_sources;
    QString m_startPage;
    std::vector<CheckFinding> m_findings;
};

} // namespace nimbra
