#pragma once

#include "editorview.h"

namespace nimbra {

class TForm2;
class TForm3;
class TForm4;

// The page editor's view over the real windows: the one place where a
// control's name meets the page model's field it shows.
class WindowEditorView final : public EditorView {
public:
    // The windows are made after the editor that they serve.
    void attach(TForm2 &tools, TForm3 &run, TForm4 &preview);

    void readControls(PageModel &page) const override;
    void showControls(const PageModel &page) override;
    void showPreview(const PageModel &page, const QString &folder) override;

    QStringList linkEdits() const override;
    void showLinkEditing(const std::array<bool, kLinkCount> &active, const QStringList &edits, int selected,
                         bool on) override;
    bool linkSwitchOn() const override;
    void setLinkSwitch(bool on) override;
    void showHotspotFields(const QStringList &leftTopWidthHeight) override;
    void showHotspot(const std::optional<QRect> &area) override;
    void showLinkStatus(const QString &text) override;
    void showIconSlot(int k, const IconSlot &slot) override;
    void showIconPage(int k, const IconSlot &slot) override;

    void showStatus(const QString &text) override;
    void showEditorWindows() override;
    bool listsScript(const QString &name) const override;
    void addScript(const QString &name) override;
    void selectScript(const QString &name) override;
    void showServiceText(const QString &text) override;
    QString sourceText() const override;
    void showSourceText(const QString &text) override;
    QString newPageName() const override;
    void showCreationStatus(const QString &text) override;
    void run(const QString &url) override;
    void letEventsRun() override;

private:
    TForm2 *m_tools = nullptr;
    TForm3 *m_run = nullptr;
    TForm4 *m_preview = nullptr;
};

} // namespace nimbra
