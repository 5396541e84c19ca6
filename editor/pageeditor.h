#pragma once

#include "pageedits.h"
#include "pagehistory.h"
#include "templates.h"

#include <QObject>
#include <QUrl>

namespace nimbra {

class EditorView;
struct Workspace;

// Opening and storing the page being edited, creating pages, and the run
// view that follows the player back into the editor; what it shows goes
// through the view.
class PageEditor final : public QObject {
    Q_OBJECT
public:
    PageEditor(Workspace &work, EditorView &view);

    // Fetches ScriptName and shows it in every control; a page that cannot
    // be fetched leaves the page shown before, its name and its edits.
    bool OpenPage();
    // Shows no page: the next adventure's page has not opened yet.
    void closePage();
    // Writes the page from the model and the controls and stores it.
    bool CompileAndStore();
    // Stores the raw editor's text as typed, then opens the page again.
    bool StoreSourceText();
    void CreatePage(NewPageKind kind);
    // Stores a kept version of the shown page again, as its newest; refused
    // while the page holds edits not yet stored.
    bool restoreVersion(const PageHistory::Version &version);

    // The page's stored text into the raw editor.
    bool loadSourceText();
    // Points the run view at the page; an own run is not opened again when
    // the run view reports it.
    void runPage(bool own);
    void followNavigation(const QUrl &url);
    // A picture or an object of the adventure changed on the service: the
    // page opens again, or, when it holds edits not yet stored or does not
    // open, keeps them and only draws its pictures again.
    void adventureFilesChanged();

    // True while the controls hold changes not yet stored.
    bool hasUnstoredChanges() const;
    bool OwnNavigation() const { return m_ownNavigation.isValid(); }

    PageEdits &edits() { return m_edits; }

signals:
    void pageOpened(const QString &name);
    // A version of the page was kept.
    void historyChanged();

private:
    void pageStored(const QString &text);
    // Stores text as it stands, not through the writer.
    bool storeTextAsIs(const QString &text);
    // A stored text is kept in the adventure's folder too; the status says
    // when it could not be.
    void keepInHistory(const QString &name, const QString &text);
    bool sourceBelongsToPage() const;

    Workspace &m_work;
    EditorView &m_view;
    PageEdits m_edits;
    // The page's text on the service as last fetched or stored.
    QString m_serviceText;
    // What the writer gives for the page as last fetched or stored.
    QString m_cleanText;
    // The page and text the raw editor was loaded from.
    QString m_sourceName;
    QString m_sourceBase;
    bool m_sourceLoaded = false;
    QUrl m_ownNavigation;
};

inline const QString kRestoreOverEditsStatus =
    QStringLiteral("A página tem alterações não gravadas: grave ou desfaça antes de restaurar!!!");
inline const QString kSourceOutdatedStatus =
    QStringLiteral("O script original mudou ou é de outra página: abra \"Script original\" de novo!!!");

} // namespace nimbra
