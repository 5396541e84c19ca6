#include "pageedits.h"

#include "extraspage.h"
#include "formkit.h"
#include "hotspot.h"
#include "iconspage.h"
#include "previewpage.h"
#include "screenpage.h"
#include "scriptspage.h"
#include "statuslabel.h"
#include "textcontrols.h"
#include "textlookpage.h"
#include "tform1.h"
#include "tform2.h"
#include "tform4.h"
#include "togglelabel.h"

#include <QCheckBox>
#include <QPlainTextEdit>

namespace nimbra {

namespace {

// One edit of the page, done and undone as the difference of two states.
class EditStep final : public QUndoCommand {
public:
    EditStep(PageEdits &edits, const QString &what, EditorState before, EditorState after)
        : QUndoCommand(what), m_edits(edits), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_edits.apply(blend(m_after, m_before)); }
    void redo() override
    {
        // The edit is already on screen when the step is pushed.
        if (m_pushed)
            m_edits.apply(blend(m_before, m_after));
        m_pushed = true;
    }

private:
    EditorState blend(const EditorState &from, const EditorState &to) const
    {
        EditorState now = m_edits.state();
        now.Model = blendChanges(now.Model, from.Model, to.Model);
        if (from.LinkEdits != to.LinkEdits)
            now.LinkEdits = to.LinkEdits;
        return now;
    }

    PageEdits &m_edits;
    EditorState m_before;
    EditorState m_after;
    bool m_pushed = false;
};

QStringList linesOf(const QPlainTextEdit *memo)
{
    const QString text = shownText(memo);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

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

QStringList fieldsOf(const ScreenLink &link)
{
    return {link.Kind, link.X, link.Y, link.Width, link.Height, link.Arg1, link.Arg2, link.Arg3};
}

void takeFields(ScreenLink &link, const QStringList &fields)
{
    QString *values[] = {&link.Kind, &link.X, &link.Y, &link.Width, &link.Height, &link.Arg1, &link.Arg2, &link.Arg3};
    for (int i = 0; i < ScreenPage::kEditCount; ++i)
        *values[i] = fields.value(i);
}

bool isActive(const QString &mark)
{
    return mark != kSwitchedOff;
}

void flipMark(QString &mark)
{
    mark = mark.isEmpty() ? kSwitchedOff : QString();
}

} // namespace

PageEdits::PageEdits(TForm1 &main) : m_main(main) {}

PageModel &PageEdits::model()
{
    return m_main.page.model();
}

PageModel PageEdits::editedModel() const
{
    PageModel m = m_main.page.model();
    const ScriptsPage *scripts = m_main.form2->scripts();
    const TextLookPage *look = scripts->textLook();
    m.Returnable = scripts->Cb1->isChecked();
    m.InitialSound = scripts->Edit20->text();
    m.BackImage = look->Edit19->text();
    m.TextSize = look->Edit22->text();
    m.FontName = look->Edit4->text();
    m.BackColor = look->Edit5->text();
    m.TextColor = look->Edit6->text();
    m.Bold = look->Biu1->isOn();
    m.Italic = look->Biu2->isOn();
    m.Underline = look->Biu3->isOn();
    m.PageText = linesOf(m_main.form4->preview()->Memo2);
    m.FreeSection = linesOf(m_main.form2->extras()->Memo4);
    return m;
}

EditorState PageEdits::state() const
{
    return {editedModel(), m_main.form2->scripts()->screen()->linkEdits()};
}

void PageEdits::showControls(const PageModel &page)
{
    ScriptsPage *scripts = m_main.form2->scripts();
    TextLookPage *look = scripts->textLook();
    scripts->Cb1->setChecked(page.Returnable);
    showText(scripts->Edit20, page.InitialSound);
    showText(look->Edit19, page.BackImage);
    showText(look->Edit22, page.TextSize);
    showText(look->Edit4, page.FontName);
    showText(look->Edit5, page.BackColor);
    showText(look->Edit6, page.TextColor);
    look->Biu1->setOn(page.Bold);
    look->Biu2->setOn(page.Italic);
    look->Biu3->setOn(page.Underline);
    showLines(m_main.form2->extras()->Memo4, page.FreeSection);
    showLines(m_main.form4->preview()->Memo2, page.PageText);
    IconsPage *icons = scripts->icons();
    if (const int k = icons->slot(); k >= 1 && k <= kIconCount)
        icons->showSlot(k, page.IconSlots[k - 1]);
}

void PageEdits::showPreview(const PageModel &page)
{
    PreviewPage *preview = m_main.form4->preview();
    preview->showKind(page.PageKind);
    preview->showScreenImage(m_main.session.AdvFolder, page.ScreenImage);
    preview->DrawPreviewIcons(page, m_main.session.AdvFolder);
}

void PageEdits::showLinkEditing(const PageModel &page, const QStringList &edits)
{
    ScreenPage *screen = m_main.form2->scripts()->screen();
    std::array<bool, kLinkCount> active{};
    for (int i = 0; i < kLinkCount; ++i)
        active[i] = isActive(page.ScreenLinks[i].Mark);
    screen->showLinksActive(active);
    screen->setLinkEdits(edits);
    const int selected = page.SelectedLink;
    screen->Label4->setText(selected < 0 ? QString() : QString::number(selected));
    const bool on = selected >= 0 && active[selected];
    screen->Lnka->setOn(on);
    if (!on || !placeHotspot(edits.mid(1, 4)))
        m_main.form4->preview()->hideHotspot();
}

bool PageEdits::placeHotspot(const QStringList &fields)
{
    PreviewPage *preview = m_main.form4->preview();
    const std::optional<QRect> area = hotspotFromTexts(fields.value(0), fields.value(1), fields.value(2),
                                                       fields.value(3));
    if (!area) {
        preview->hideHotspot();
        showStatus(m_main.form2->scripts()->screen()->Stt, kLinkNotNumbersStatus);
        return false;
    }
    preview->showHotspot(*area);
    return true;
}

void PageEdits::showOpenedPage(bool samePage)
{
    PageModel &page = model();
    page.SelectedLink = -1;
    showControls(page);
    showPreview(page);
    showLinkEditing(page, QStringList(ScreenPage::kEditCount, QString()));
    m_committed = editedModel();
    if (!samePage)
        m_undo.clear();
}

void PageEdits::apply(const EditorState &target)
{
    model() = target.Model;
    showControls(target.Model);
    showPreview(target.Model);
    showLinkEditing(target.Model, target.LinkEdits);
    m_committed = target.Model;
}

void PageEdits::record(const QString &what, const EditorState &before)
{
    EditorState after = state();
    m_committed = after.Model;
    if (after != before)
        m_undo.push(new EditStep(*this, what, before, std::move(after)));
}

void PageEdits::toggleIcon(int k)
{
    const EditorState before = state();
    flipMark(model().IconSlots[k - 1].Mark);
    m_main.form2->scripts()->icons()->showSlot(k, model().IconSlots[k - 1]);
    showPreview(model());
    record(QStringLiteral("ícone %1").arg(k), before);
}

void PageEdits::setIconImage(int k, const QString &image)
{
    const EditorState before = state();
    model().IconSlots[k - 1].Image = image;
    showPreview(model());
    record(QStringLiteral("figura do ícone %1").arg(k), before);
}

void PageEdits::setIconTarget(int k, const QString &target)
{
    const EditorState before = state();
    model().IconSlots[k - 1].Target = target;
    record(QStringLiteral("link do ícone %1").arg(k), before);
}

void PageEdits::toggleObjectsBar()
{
    const EditorState before = state();
    flipMark(model().ObjBarMark);
    showPreview(model());
    record(QStringLiteral("barra de objetos"), before);
}

void PageEdits::controlChanged(const QString &what)
{
    // The control already holds the new value; the step starts from the
    // values the controls had at the last step, and from everything else as it is now.
    EditorState before = state();
    const PageModel &was = m_committed;
    PageModel &b = before.Model;
    b.Returnable = was.Returnable;
    b.InitialSound = was.InitialSound;
    b.BackImage = was.BackImage;
    b.TextSize = was.TextSize;
    b.FontName = was.FontName;
    b.BackColor = was.BackColor;
    b.TextColor = was.TextColor;
    b.Bold = was.Bold;
    b.Italic = was.Italic;
    b.Underline = was.Underline;
    record(what, before);
}

void PageEdits::setScreenImage(const QString &name)
{
    const EditorState before = state();
    model().ScreenImage = name;
    showPreview(model());
    record(QStringLiteral("imagem da tela"), before);
}

void PageEdits::selectLink(int i)
{
    PageModel &page = model();
    page.SelectedLink = i;
    showStatus(m_main.form2->scripts()->screen()->Stt, QString());
    showLinkEditing(page, fieldsOf(page.ScreenLinks[i]));
}

void PageEdits::toggleSelectedLink()
{
    PageModel &page = model();
    ScreenPage *screen = m_main.form2->scripts()->screen();
    if (page.SelectedLink < 0) {
        screen->Lnka->setOn(false);
        return;
    }
    const EditorState before = state();
    ScreenLink &link = page.ScreenLinks[page.SelectedLink];
    link.Mark = screen->Lnka->isOn() ? QString() : kSwitchedOff;
    // The frame goes where the link is stored, not where the edits say.
    const QStringList edits = screen->linkEdits();
    showLinkEditing(page, edits);
    if (screen->Lnka->isOn())
        placeHotspot(fieldsOf(link).mid(1, 4));
    record(QStringLiteral("link %1").arg(page.SelectedLink), before);
}

void PageEdits::takeLinkEdits()
{
    PageModel &page = model();
    if (page.SelectedLink < 0)
        return;
    const EditorState before = state();
    takeFields(page.ScreenLinks[page.SelectedLink], m_main.form2->scripts()->screen()->linkEdits());
    record(QStringLiteral("link %1").arg(page.SelectedLink), before);
}

bool PageEdits::registerLink()
{
    PageModel &page = model();
    if (page.SelectedLink < 0)
        return false;
    const EditorState before = state();
    const ScreenPage *screen = m_main.form2->scripts()->screen();
    ScreenLink &link = page.ScreenLinks[page.SelectedLink];
    link.Mark = screen->Lnka->isOn() ? QString() : kSwitchedOff;
    takeFields(link, screen->linkEdits());
    record(QStringLiteral("link %1").arg(page.SelectedLink), before);
    return true;
}

void PageEdits::hotspotDragStarted()
{
    m_dragStart = state();
}

void PageEdits::hotspotMoved(const QString &left, const QString &top, const QString &width, const QString &height)
{
    ScreenPage *screen = m_main.form2->scripts()->screen();
    const QString values[] = {left, top, width, height};
    for (int i = 0; i < 4; ++i)
        screen->Lnk[i + 1]->setText(values[i]);
}

void PageEdits::hotspotDragFinished()
{
    if (!m_dragStart)
        return;
    const EditorState before = *m_dragStart;
    m_dragStart.reset();
    record(QStringLiteral("área do link"), before);
}

void PageEdits::showIcon(int k)
{
    TForm2 *tools = m_main.form2;
    tools->showPage(TForm2::Scripts);
    tools->scripts()->Abook2->setCurrentIndex(ScriptsPage::Icons);
    tools->scripts()->icons()->showSlot(k, model().IconSlots[k - 1]);
    showPreview(model());
}

} // namespace nimbra
