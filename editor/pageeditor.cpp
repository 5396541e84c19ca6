#include "pageeditor.h"

#include "editorview.h"
#include "generator.h"
#include "pagehistory.h"
#include "reply.h"
#include "requesturl.h"
#include "textlines.h"
#include "workspace.h"


namespace nimbra {

namespace {

bool isOk(const QString &reply)
{
    return Reply(reply).isOk();
}

// The raw editor shows lines; the service keeps them with CR LF.
QString withCrLf(const QString &text)
{
    QString out = text;
    out.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    out.replace(u'\n', QLatin1StringView("\r\n"));
    return out;
}

} // namespace

PageEditor::PageEditor(Workspace &work, EditorView &view) : m_work(work), m_view(view), m_edits(work, view) {}

bool PageEditor::OpenPage()
{
    Session &s = m_work.session;
    m_view.showEditorWindows();
    const QString shown = m_work.page.scriptName();
    const PageSession::Opened opened = m_work.page.open(s.ScriptName);
    if (!opened.Ok) {
        m_view.showStatus(opened.Status);
        s.ScriptName = shown;
        m_view.selectScript(shown);
        return false;
    }
    m_view.showStatus(s.ScriptName);
    m_view.showServiceText(opened.Reply);
    m_serviceText = scriptOfReply(opened.Reply);
    m_edits.showOpenedPage(shown == s.ScriptName);
    m_cleanText = generateScript(m_edits.editedModel(), s.ScriptName);
    emit pageOpened(s.ScriptName);
    return true;
}

void PageEditor::closePage()
{
    m_work.page.close();
    m_edits.showOpenedPage(false);
    m_view.showServiceText(QString());
    m_view.showSourceText(QString());
    m_sourceLoaded = false;
    m_serviceText.clear();
    m_cleanText.clear();
    m_view.selectScript(QString());
}

void PageEditor::pageStored(const QString &text)
{
    m_serviceText = text;
    m_cleanText = generateScript(m_edits.editedModel(), m_work.session.ScriptName);
    keepInHistory(m_work.page.scriptName(), text);
}

void PageEditor::keepInHistory(const QString &name, const QString &text)
{
    if (const std::optional<QString> why = PageHistory(m_work.session.AdvFolder).keep(name, text))
        m_view.showStatus(QStringLiteral("Gravado, mas o histórico não: %1!!!").arg(*why));
    emit historyChanged();
}

bool PageEditor::restoreVersion(const PageHistory::Version &version)
{
    if (hasUnstoredChanges()) {
        m_view.showStatus(kRestoreOverEditsStatus);
        return false;
    }
    const std::optional<QString> text = PageHistory::read(version);
    if (!text) {
        m_view.showStatus(QStringLiteral("Não foi possível ler esta versão!!!"));
        return false;
    }
    if (!storeTextAsIs(*text) || !OpenPage())
        return false;
    runPage(false);
    return true;
}

bool PageEditor::CompileAndStore()
{
    QString written;
    m_work.setActivity(Activity::Request);
    const QString reply = m_work.page.compileAndStore(m_edits.editedModel(), &written);
    m_work.setActivity(Activity::Rest);
    m_view.showStatus(reply);
    if (!isOk(reply))
        return false;
    pageStored(written);
    m_view.showServiceText(written);
    runPage(false);
    return true;
}

bool PageEditor::sourceBelongsToPage() const
{
    return m_sourceLoaded && m_sourceName == m_work.session.ScriptName && m_sourceBase == m_serviceText;
}

bool PageEditor::storeTextAsIs(const QString &text)
{
    m_work.setActivity(Activity::Request);
    const QString reply = m_work.page.storeSource(text);
    m_work.setActivity(Activity::Rest);
    m_view.showStatus(reply);
    if (!isOk(reply))
        return false;
    pageStored(text);
    return true;
}

bool PageEditor::StoreSourceText()
{
    if (!sourceBelongsToPage()) {
        m_view.showStatus(kSourceOutdatedStatus);
        return false;
    }
    const QString text = withCrLf(m_view.sourceText());
    if (!storeTextAsIs(text))
        return false;
    m_sourceBase = text;
    if (!OpenPage())
        return false;
    // The service may give the text back with other line ends.
    m_sourceBase = m_serviceText;
    return true;
}

bool PageEditor::loadSourceText()
{
    const QString reply = m_work.pages.fetchScript(m_work.session.ScriptName);
    const QString text = scriptOfReply(reply);
    m_view.showSourceText(text);
    m_sourceLoaded = isOk(reply);
    m_sourceName = m_work.session.ScriptName;
    m_sourceBase = text;
    if (m_sourceLoaded && m_sourceName == m_work.page.scriptName())
        m_serviceText = text;
    return m_sourceLoaded;
}

void PageEditor::CreatePage(NewPageKind kind)
{
    const QString name = m_view.newPageName();
    if (name.isEmpty()) {
        m_view.showCreationStatus(QStringLiteral("Defina um nome!!!"));
        return;
    }
    if (m_view.listsScript(name)) {
        m_view.showCreationStatus(QStringLiteral("Já existe este script!!!"));
        return;
    }
    const QString text = pageTemplate(kind, name);
    m_work.setActivity(Activity::Request);
    const QString created = m_work.pages.newScript(name);
    if (created != QLatin1StringView("Ok")) {
        m_view.showCreationStatus(created);
        m_work.setActivity(Activity::Rest);
        return;
    }
    m_view.showCreationStatus(created);
    const QString stored = m_work.pages.storeScript(name, text);
    m_work.setActivity(Activity::Rest);
    m_view.showStatus(stored);
    m_view.addScript(UnderscoreToBlank(name));
    if (!isOk(stored))
        return;
    keepInHistory(name, text);
    m_work.session.ScriptName = name;
    if (!OpenPage())
        return;
    m_view.showSourceText(text);
    m_sourceLoaded = true;
    m_sourceName = name;
    m_sourceBase = m_serviceText;
    m_view.selectScript(UnderscoreToBlank(name));
    runPage(false);
}

void PageEditor::runPage(bool own)
{
    const Session &s = m_work.session;
    const QString url = runUrl(s.SiteUrl, s.UserIdx, s.AdvPrefix, s.ScriptName);
    if (own)
        m_ownNavigation = QUrl(url);
    m_view.run(url);
}

void PageEditor::followNavigation(const QUrl &url)
{
    Session &s = m_work.session;
    s.RunUrl = QString::fromLatin1(url.toEncoded());
    // Only the navigation an own run started is taken as already open.
    if (m_ownNavigation.isValid() && url == m_ownNavigation) {
        m_ownNavigation.clear();
        return;
    }
    const std::optional<QString> script = scriptOfRunUrl(s.RunUrl, s.AdvPrefix, m_work.page.model().ReturnScript);
    if (!script)
        return;
    s.RunScript = *script;
    m_view.letEventsRun();
    // A late report of the page just stored must not throw away what the
    // author has typed since.
    if (s.RunScript == m_work.page.scriptName() && hasUnstoredChanges())
        return;
    s.ScriptName = s.RunScript;
    if (OpenPage())
        m_view.selectScript(s.ScriptName);
}

void PageEditor::adventureFilesChanged()
{
    if (!hasUnstoredChanges() && OpenPage()) {
        // Not an own run: the run view's report loads the page once more.
        runPage(false);
        return;
    }
    m_edits.refreshPictures();
    runPage(true);
}

bool PageEditor::hasUnstoredChanges() const
{
    return m_work.page.canStore() &&
           generateScript(m_edits.editedModel(), m_work.page.scriptName()) != m_cleanText;
}

} // namespace nimbra
