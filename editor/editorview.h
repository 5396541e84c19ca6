#pragma once

#include "pagemodel.h"

#include <QRect>
#include <QStringList>

#include <array>
#include <optional>

namespace nimbra {

// A screen link's fields: kind, place and size, three arguments.
inline constexpr int kLinkEditCount = 8;

// What the page editor shows and what the controls give back: the editing
// rules reach the windows only through this.
class EditorView {
public:
    virtual ~EditorView() = default;

    // The page's values that the controls hold; the writer takes them as
    // they stand, not as they were when last committed.
    virtual void readControls(PageModel &page) const = 0;
    virtual void showControls(const PageModel &page) = 0;
    // The page at 1:1: kind, screen image, icons and objects bar.
    virtual void showPreview(const PageModel &page, const QString &folder) = 0;

    // The eight edits of the selected link, in the order of a link's fields.
    virtual QStringList linkEdits() const = 0;
    // The links' active marks, the edits, the selected link (-1: none) and
    // whether its switch is on.
    virtual void showLinkEditing(const std::array<bool, kLinkCount> &active, const QStringList &edits, int selected,
                                 bool on) = 0;
    virtual bool linkSwitchOn() const = 0;
    virtual void setLinkSwitch(bool on) = 0;
    // The hotspot's place as the mouse drags it, into the link edits.
    virtual void showHotspotFields(const QStringList &leftTopWidthHeight) = 0;
    // The frame of the selected link over the screen image; nothing hides it.
    virtual void showHotspot(const std::optional<QRect> &area) = 0;
    virtual void showLinkStatus(const QString &text) = 0;
    virtual void showIconSlot(int k, const IconSlot &slot) = 0;
    // Brings the icon's editing page to the front.
    virtual void showIconPage(int k, const IconSlot &slot) = 0;

    // The page editor's status, next to the script list.
    virtual void showStatus(const QString &text) = 0;
    virtual void showEditorWindows() = 0;
    virtual bool listsScript(const QString &name) const = 0;
    virtual void addScript(const QString &name) = 0;
    // An empty name picks no row.
    virtual void selectScript(const QString &name) = 0;
    // The service's reply or the text written, for the author to read.
    virtual void showServiceText(const QString &text) = 0;
    // The raw editor of the page's source text.
    virtual QString sourceText() const = 0;
    virtual void showSourceText(const QString &text) = 0;
    // The new page form.
    virtual QString newPageName() const = 0;
    virtual void showCreationStatus(const QString &text) = 0;
    // Points the run view at a page.
    virtual void run(const QString &url) = 0;
    // Lets the windows repaint and the run view report, input held back.
    virtual void letEventsRun() = 0;
};

} // namespace nimbra
