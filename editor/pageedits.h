#pragma once

#include "pagemodel.h"

#include <QObject>
#include <QRect>
#include <QStringList>
#include <QUndoStack>

#include <optional>

namespace nimbra {

class EditorView;
struct Workspace;

// Everything the editor shows of a page: the model with the values the
// controls hold, and the texts of the link edits.
struct EditorState {
    PageModel Model;
    QStringList LinkEdits;
    bool operator==(const EditorState &) const = default;
};

// The edits of the open page, each one an undo step: the view shows the
// model, and every change goes through here so it can be taken back.
class PageEdits final : public QObject {
    Q_OBJECT
public:
    PageEdits(Workspace &work, EditorView &view);

    // Shows the page just opened; a different page starts a new undo history.
    void showOpenedPage(bool samePage);
    // The model as the writer must see it: the controls' values as they stand.
    PageModel editedModel() const;
    EditorState state() const;
    void apply(const EditorState &state);
    QUndoStack &undoStack() { return m_undo; }

    void toggleIcon(int k);
    void setIconImage(int k, const QString &image);
    void setIconTarget(int k, const QString &target);
    void toggleObjectsBar();
    // A control the writer reads was changed (a style toggle, a field left).
    void controlChanged(const QString &what);
    void setScreenImage(const QString &name);

    void selectLink(int i);
    void toggleSelectedLink();
    void takeLinkEdits();
    // Takes the link edits and the active mark into the selected link.
    bool registerLink();
    void hotspotDragStarted();
    void hotspotMoved(const QString &left, const QString &top, const QString &width, const QString &height);
    void hotspotDragFinished();

    // Draws the preview's pictures again, after files of the adventure changed.
    void refreshPictures() { showPreview(model()); }

    // A click on icon k of the preview opens its editing page.
    void showIcon(int k);

private:
    void record(const QString &what, const EditorState &before);
    void showPreview(const PageModel &page);
    void showLinkEditing(const PageModel &page, const QStringList &edits);
    // Shows the selected link's frame from X, Y, Width, Height; false when
    // they are not whole numbers.
    bool placeHotspot(const QStringList &fields);
    PageModel &model();

    Workspace &m_work;
    EditorView &m_view;
    QUndoStack m_undo;
    // The values of the controls at the last recorded step, so a control
    // commit knows what it changed from.
    PageModel m_committed;
    std::optional<EditorState> m_dragStart;
};

inline const QString kLinkNotNumbersStatus = QStringLiteral("Posição ou tamanho do link não é número inteiro!!!");

} // namespace nimbra
