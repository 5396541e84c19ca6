#include "windoweditorview.h"

#include "creationpage.h"
#include "extraspage.h"
#include "formkit.h"
#include "iconspage.h"
#include "previewpage.h"
#include "pump.h"
#include "screenpage.h"
#include "scriptspage.h"
#include "statuslabel.h"
#include "textcontrols.h"
#include "textlookpage.h"
#include "tform2.h"
#include "tform3.h"
#include "tform4.h"
#include "togglelabel.h"

#include <QPlainTextEdit>

namespace nimbra {

namespace {

struct TextField {
    QLineEdit *Control;
    QString PageModel::*Field;
};

struct LinesField {
    QPlainTextEdit *Control;
    QStringList PageModel::*Field;
};

struct ToggleField {
    ToggleLabel *Control;
    bool PageModel::*Field;
};

std::array<TextField, 6> textFields(const TForm2 &tools)
{
    const ScriptsPage *scripts = tools.scripts();
    const TextLookPage *look = scripts->textLook();
    return {{{scripts->Edit20, &PageModel::InitialSound},
             {look->Edit19, &PageModel::BackImage},
             {look->Edit22, &PageModel::TextSize},
             {look->Edit4, &PageModel::FontName},
             {look->Edit5, &PageModel::BackColor},
             {look->Edit6, &PageModel::TextColor}}};
}

std::array<ToggleField, 3> toggleFields(const TForm2 &tools)
{
    const TextLookPage *look = tools.scripts()->textLook();
    return {{{look->Biu1, &PageModel::Bold}, {look->Biu2, &PageModel::Italic}, {look->Biu3, &PageModel::Underline}}};
}

std::array<LinesField, 2> linesFields(const TForm2 &tools, const TForm4 &preview)
{
    return {{{tools.extras()->Memo4, &PageModel::FreeSection}, {preview.preview()->Memo2, &PageModel::PageText}}};
}

QStringList linesOf(const QPlainTextEdit *memo)
{
    const QString text = shownText(memo);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

// Only a control whose text differs is set, so its cursor and typing undo stay.
void showLines(QPlainTextEdit *memo, const QStringList &lines)
{
    const QString text = lines.join(u'\n');
    if (shownText(memo) != text)
        memo->setPlainText(text);
}

void showText(QLineEdit *field, const QString &text)
{
    if (field->text() != text)
        field->setText(text);
}

} // namespace

void WindowEditorView::attach(TForm2 &tools, TForm3 &run, TForm4 &preview)
{
    m_tools = &tools;
    m_run = &run;
    m_preview = &preview;
}

void WindowEditorView::readControls(PageModel &page) const
{
    page.Returnable = m_tools->scripts()->Cb1->isChecked();
    for (const TextField &f : textFields(*m_tools))
        page.*f.Field = f.Control->text();
    for (const ToggleField &f : toggleFields(*m_tools))
        page.*f.Field = f.Control->isOn();
    for (const LinesField &f : linesFields(*m_tools, *m_preview))
        page.*f.Field = linesOf(f.Control);
}

void WindowEditorView::showControls(const PageModel &page)
{
    m_tools->scripts()->Cb1->setChecked(page.Returnable);
    for (const TextField &f : textFields(*m_tools))
        showText(f.Control, page.*f.Field);
    for (const ToggleField &f : toggleFields(*m_tools))
        f.Control->setOn(page.*f.Field);
    for (const LinesField &f : linesFields(*m_tools, *m_preview))
        showLines(f.Control, page.*f.Field);
    IconsPage *icons = m_tools->scripts()->icons();
    if (const int k = icons->slot(); k >= 1 && k <= kIconCount)
        icons->showSlot(k, page.IconSlots[k - 1]);
}

void WindowEditorView::showPreview(const PageModel &page, const QString &folder)
{
    PreviewPage *preview = m_preview->preview();
    preview->showKind(page.PageKind);
    preview->showScreenImage(folder, page.ScreenImage);
    preview->DrawPreviewIcons(page, folder);
}

QStringList WindowEditorView::linkEdits() const
{
    return m_tools->scripts()->screen()->linkEdits();
}

void WindowEditorView::showLinkEditing(const std::array<bool, kLinkCount> &active, const QStringList &edits,
                                       int selected, bool on)
{
    ScreenPage *screen = m_tools->scripts()->screen();
    screen->showLinksActive(active);
    screen->setLinkEdits(edits);
    screen->Label4->setText(selected < 0 ? QString() : QString::number(selected));
    screen->Lnka->setOn(on);
}

bool WindowEditorView::linkSwitchOn() const
{
    return m_tools->scripts()->screen()->Lnka->isOn();
}

void WindowEditorView::setLinkSwitch(bool on)
{
    m_tools->scripts()->screen()->Lnka->setOn(on);
}

void WindowEditorView::showHotspotFields(const QStringList &leftTopWidthHeight)
{
    ScreenPage *screen = m_tools->scripts()->screen();
    for (int i = 0; i < 4; ++i)
        screen->Lnk[i + 1]->setText(leftTopWidthHeight.value(i));
}

void WindowEditorView::showHotspot(const std::optional<QRect> &area)
{
    PreviewPage *preview = m_preview->preview();
    if (area)
        preview->showHotspot(*area);
    else
        preview->hideHotspot();
}

void WindowEditorView::showLinkStatus(const QString &text)
{
    nimbra::showStatus(m_tools->scripts()->screen()->Stt, text);
}

void WindowEditorView::showIconSlot(int k, const IconSlot &slot)
{
    m_tools->scripts()->icons()->showSlot(k, slot);
}

void WindowEditorView::showIconPage(int k, const IconSlot &slot)
{
    m_tools->showPage(TForm2::Scripts);
    m_tools->scripts()->showForm(ScriptsPage::Icons);
    showIconSlot(k, slot);
}

void WindowEditorView::showStatus(const QString &text)
{
    nimbra::showStatus(m_tools->scripts()->Stx, text);
}

void WindowEditorView::showEditorWindows()
{
    m_preview->show();
    m_run->show();
}

bool WindowEditorView::listsScript(const QString &name) const
{
    return m_tools->scripts()->Lbx2->rowOf(name) >= 0;
}

void WindowEditorView::addScript(const QString &name)
{
    m_tools->scripts()->Lbx2->addRow(name);
}

void WindowEditorView::selectScript(const QString &name)
{
    SortedList *list = m_tools->scripts()->Lbx2;
    if (name.isEmpty())
        list->setCurrentItem(nullptr);
    else
        list->selectRow(name);
}

void WindowEditorView::showServiceText(const QString &text)
{
    m_tools->extras()->Memo1->setPlainText(text);
}

QString WindowEditorView::sourceText() const
{
    return shownText(m_preview->Memo3);
}

void WindowEditorView::showSourceText(const QString &text)
{
    m_preview->Memo3->setPlainText(text);
}

QString WindowEditorView::newPageName() const
{
    return m_tools->scripts()->creation()->Edit3->text();
}

void WindowEditorView::showCreationStatus(const QString &text)
{
    nimbra::showStatus(m_tools->scripts()->creation()->Stc, text);
}

void WindowEditorView::run(const QString &url)
{
    m_run->navigate(url);
}

void WindowEditorView::letEventsRun()
{
    letPendingMessagesBeProcessed();
}

} // namespace nimbra
