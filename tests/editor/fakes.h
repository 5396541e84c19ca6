#pragma once

// What the editing rules are tested against: a view that keeps what it was
// shown and gives back what a test typed, and pages kept in memory.
#include "editorview.h"
#include "pagesession.h"

#include <map>

// The values the page's controls hold, as the real windows keep them.
inline void copyControlValues(const nimbra::PageModel &from, nimbra::PageModel &to)
{
    to.Returnable = from.Returnable;
    to.InitialSound = from.InitialSound;
    to.BackImage = from.BackImage;
    to.TextSize = from.TextSize;
    to.FontName = from.FontName;
    to.BackColor = from.BackColor;
    to.TextColor = from.TextColor;
    to.Bold = from.Bold;
    to.Italic = from.Italic;
    to.Underline = from.Underline;
    to.PageText = from.PageText;
    to.FreeSection = from.FreeSection;
}

class FakeView final : public nimbra::EditorView {
public:
    nimbra::PageModel controls;
    QStringList links = QStringList(nimbra::kLinkEditCount, QString());
    bool linkOn = false;
    std::optional<QRect> hotspot;
    QString status, linkStatus, creationStatus, serviceText, source, newName;
    QString selected;
    QStringList scripts;
    QStringList runs;
    int previews = 0;

    void readControls(nimbra::PageModel &page) const override { copyControlValues(controls, page); }
    void showControls(const nimbra::PageModel &page) override { copyControlValues(page, controls); }
    void showPreview(const nimbra::PageModel &, const QString &) override { ++previews; }
    QStringList linkEdits() const override { return links; }
    void showLinkEditing(const std::array<bool, nimbra::kLinkCount> &, const QStringList &edits, int,
                         bool on) override
    {
        links = edits;
        linkOn = on;
    }
    bool linkSwitchOn() const override { return linkOn; }
    void setLinkSwitch(bool on) override { linkOn = on; }
    void showHotspotFields(const QStringList &fields) override
    {
        for (int i = 0; i < 4; ++i)
            links[i + 1] = fields.value(i);
    }
    void showHotspot(const std::optional<QRect> &area) override { hotspot = area; }
    void showLinkStatus(const QString &text) override { linkStatus = text; }
    void showIconSlot(int, const nimbra::IconSlot &) override {}
    void showIconPage(int, const nimbra::IconSlot &) override {}
    void showStatus(const QString &text) override { status = text; }
    void showEditorWindows() override {}
    bool listsScript(const QString &name) const override { return scripts.contains(name); }
    void addScript(const QString &name) override { scripts << name; }
    void selectScript(const QString &name) override { selected = name; }
    void showServiceText(const QString &text) override { serviceText = text; }
    QString sourceText() const override { return source; }
    void showSourceText(const QString &text) override { source = text; }
    QString newPageName() const override { return newName; }
    void showCreationStatus(const QString &text) override { creationStatus = text; }
    void run(const QString &url) override { runs << url; }
    void letEventsRun() override {}
};

// Pages kept as the service keeps them; a name can be made to fail.
class MemoryStore final : public nimbra::PageStore {
public:
    std::map<QString, QString> pages;
    std::map<QString, QString> failures;
    int stores = 0;
    int fetches = 0;

    QString fetchScript(const QString &name) override
    {
        ++fetches;
        if (failures.count(name))
            return failures[name];
        return QStringLiteral("Ok\r\n") + pages[name];
    }
    QString storeScript(const QString &name, const QString &text) override
    {
        if (failures.count(name))
            return failures[name];
        ++stores;
        pages[name] = text;
        return QStringLiteral("Ok");
    }
    QString newScript(const QString &name) override
    {
        if (pages.count(name))
            return QStringLiteral("Já existe!");
        pages[name] = QString();
        return QStringLiteral("Ok");
    }
};
