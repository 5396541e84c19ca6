#pragma once

#include "sortedlist.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStackedWidget>
#include <QWidget>

namespace nimbra {

class ClickLabel;
class CreationPage;
class HistoryPage;
class IconsPage;
class ImageButton;
class ScreenPage;
class StatusLabel;
class TextLookPage;
struct Workspace;
class PageEditor;
class TForm2;

// "Scripts": the pages of the open adventure and the page-level actions.
class ScriptsPage final : public QWidget {
    Q_OBJECT
public:
    ScriptsPage(Workspace &work, PageEditor &editor, TForm2 &tools, QWidget *parent);

    enum InnerPage { Default = 0, Icons, Create, Text, Screen };

    void ListScripts();
    void Lbx2Click();
    void btCmpClick();
    void Image2Click();
    void Image3Click();
    // One of the inner forms: icons, new page, text look, screen.
    void showForm(InnerPage form) { Abook2->setCurrentIndex(form); }
    // The screen form, with the page's screen image to edit.
    void editScreenImage(const QString &name);

    IconsPage *icons() const { return m_icons; }
    CreationPage *creation() const { return m_creation; }
    TextLookPage *textLook() const { return m_textLook; }
    ScreenPage *screen() const { return m_screen; }
    HistoryPage *history() const { return m_history; }

    SortedList *Lbx2 = nullptr;
    ImageButton *btCmp = nullptr;
    StatusLabel *Stx = nullptr;
    QCheckBox *Cb1 = nullptr;
    QLineEdit *Edit20 = nullptr;
    ClickLabel *btSom = nullptr;
    ImageButton *Image2 = nullptr;
    ImageButton *Image4 = nullptr;
    ImageButton *Image3 = nullptr;
    QStackedWidget *Abook2 = nullptr;

signals:
    // A row was picked: ScriptName names its page, which opens and runs.
    void pagePicked();
    // "Script original": the raw editor holds the page's source text.
    void sourceRequested();
    // The QR code of the adventure, shown or hidden.
    void qrToggled();

private:
    void buildActions();
    void buildInnerPages();
    void connectEdits();
    // The kept versions of the open page.
    void showHistory();

    Workspace &m_work;
    PageEditor &m_editor;
    TForm2 &m_tools;
    IconsPage *m_icons = nullptr;
    CreationPage *m_creation = nullptr;
    TextLookPage *m_textLook = nullptr;
    ScreenPage *m_screen = nullptr;
    HistoryPage *m_history = nullptr;
};

} // namespace nimbra
