#include "pageedits.h"

#include "editorview.h"
#include "hotspot.h"
#include "workspace.h"

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

QStringList fieldsOf(const ScreenLink &link)
{
    return {link.Kind, link.X, link.Y, link.Width, link.Height, link.Arg1, link.Arg2, link.Arg3};
}

void takeFields(ScreenLink &link, const QStringList &fields)
{
    QString *values[] = {&link.Kind, &link.X, &link.Y, &link.Width, &link.Height, &link.Arg1, &link.Arg2, &link.Arg3};
    for (int i = 0; i < kLinkEditCount; ++i)
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

PageEdits::PageEdits(Workspace &work, EditorView &view) : m_work(work), m_view(view) {}

PageModel &PageEdits::model()
{
    return m_work.page.model();
}

PageModel PageEdits::editedModel() const
{
    PageModel m = m_work.page.model();
    m_view.readControls(m);
    return m;
}

EditorState PageEdits::state() const
{
    return {editedModel(), m_view.linkEdits()};
}

void PageEdits::showPreview(const PageModel &page)
{
    m_view.showPreview(page, m_work.session.AdvFolder);
}

void PageEdits::showLinkEditing(const PageModel &page, const QStringList &edits)
{
    std::array<bool, kLinkCount> active{};
    for (int i = 0; i < kLinkCount; ++i)
        active[i] = isActive(page.ScreenLinks[i].Mark);
    const int selected = page.SelectedLink;
    const bool on = selected >= 0 && active[selected];
    m_view.showLinkEditing(active, edits, selected, on);
    if (!on || !placeHotspot(edits.mid(1, 4)))
        m_view.showHotspot(std::nullopt);
}

bool PageEdits::placeHotspot(const QStringList &fields)
{
    const std::optional<QRect> area = hotspotFromTexts(fields.value(0), fields.value(1), fields.value(2),
                                                       fields.value(3));
    m_view.showHotspot(area);
    if (!area)
        m_view.showLinkStatus(kLinkNotNumbersStatus);
    return area.has_value();
}

void PageEdits::showOpenedPage(bool samePage)
{
    PageModel &page = model();
    page.SelectedLink = -1;
    m_view.showControls(page);
    showPreview(page);
    showLinkEditing(page, QStringList(kLinkEditCount, QString()));
    m_committed = editedModel();
    if (!samePage)
        m_undo.clear();
}

void PageEdits::apply(const EditorState &target)
{
    model() = target.Model;
    m_view.showControls(target.Model);
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
    m_view.showIconSlot(k, model().IconSlots[k - 1]);
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
    m_view.showLinkStatus(QString());
    showLinkEditing(page, fieldsOf(page.ScreenLinks[i]));
}

void PageEdits::toggleSelectedLink()
{
    PageModel &page = model();
    if (page.SelectedLink < 0) {
        m_view.setLinkSwitch(false);
        return;
    }
    const EditorState before = state();
    ScreenLink &link = page.ScreenLinks[page.SelectedLink];
    const bool on = m_view.linkSwitchOn();
    link.Mark = on ? QString() : kSwitchedOff;
    // The frame goes where the link is stored, not where the edits say.
    showLinkEditing(page, m_view.linkEdits());
    if (on)
        placeHotspot(fieldsOf(link).mid(1, 4));
    record(QStringLiteral("link %1").arg(page.SelectedLink), before);
}

void PageEdits::takeLinkEdits()
{
    PageModel &page = model();
    if (page.SelectedLink < 0)
        return;
    const EditorState before = state();
    takeFields(page.ScreenLinks[page.SelectedLink], m_view.linkEdits());
    record(QStringLiteral("link %1").arg(page.SelectedLink), before);
}

bool PageEdits::registerLink()
{
    PageModel &page = model();
    if (page.SelectedLink < 0)
        return false;
    const EditorState before = state();
    ScreenLink &link = page.ScreenLinks[page.SelectedLink];
    link.Mark = m_view.linkSwitchOn() ? QString() : kSwitchedOff;
    takeFields(link, m_view.linkEdits());
    record(QStringLiteral("link %1").arg(page.SelectedLink), before);
    return true;
}

void PageEdits::hotspotDragStarted()
{
    m_dragStart = state();
}

void PageEdits::hotspotMoved(const QString &left, const QString &top, const QString &width, const QString &height)
{
    m_view.showHotspotFields({left, top, width, height});
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
    m_view.showIconPage(k, model().IconSlots[k - 1]);
    showPreview(model());
}

} // namespace nimbra
