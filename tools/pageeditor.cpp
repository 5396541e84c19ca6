#include "pageeditor.h"

#include "creationpage.h"
#include "extraspage.h"
#include "formkit.h"
#include "generator.h"
#include "pump.h"
#include "reply.h"
#include "requesturl.h"
#include "scriptspage.h"
#include "statuslabel.h"
#include "textcontrols.h"
#include "textlines.h"
#include "tform1.h"
#include "tform2.h"
#include "tform3.h"
#include "tform4.h"

#include <QPlainTextEdit>
#include <QRegularExpression>

namespace nimbra {

namespace {

// The reply of a fetch without its status line.
QString scriptOfReply(const QString &reply)
{
    const qsizetype end = reply.indexOf(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (end < 0)
        return {};
    const int breakLength = reply.mid(end, 2) == QLatin1StringView("\r\n") ? 2 : 1;
    return reply.mid(end + breakLength);
}

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

PageEditor::PageEditor(TForm1 &main) : m_main(main), m_edits(main) {}

bool PageEditor::OpenPage()
{
    Session &s = m_main.session;
    ScriptsPage *scripts = m_main.form2->scripts();
    m_main.form4->show();
    m_main.form3->show();
    const QString shown = m_main.page.scriptName();
    const PageSession::Opened opened = m_main.page.open(s.ScriptName);
    if (!opened.Ok) {
        showStatus(scripts->Stx, opened.Status);
        s.ScriptName = shown;
        scripts->Lbx2->selectRow(shown);
        return false;
    }
    showStatus(scripts->Stx, s.ScriptName);
    m_main.form2->extras()->Memo1->setPlainText(opened.Reply);
    m_serviceText = scriptOfReply(opened.Reply);
    m_edits.showOpenedPage(shown == s.ScriptName);
    m_cleanText = generateScript(m_edits.editedModel(), s.ScriptName);
    emit pageOpened(s.ScriptName);
    return true;
}

void PageEditor::closePage()
{
    m_main.page.close();
    m_edits.showOpenedPage(false);
    m_main.form2->extras()->Memo1->clear();
    m_main.form4->Memo3->clear();
    m_sourceLoaded = false;
    m_serviceText.clear();
    m_cleanText.clear();
    m_main.form2->scripts()->Lbx2->setCurrentItem(nullptr);
}

void PageEditor::pageStored(const QString &text)
{
    m_serviceText = text;
    m_cleanText = generateScript(m_edits.editedModel(), m_main.session.ScriptName);
}

bool PageEditor::CompileAndStore()
{
    ScriptsPage *scripts = m_main.form2->scripts();
    QString written;
    m_main.setActivity(Activity::Request);
    const QString reply = m_main.page.compileAndStore(m_edits.editedModel(), &written);
    m_main.setActivity(Activity::Rest);
    showStatus(scripts->Stx, reply);
    if (!isOk(reply))
        return false;
    pageStored(written);
    m_main.form2->extras()->Memo1->setPlainText(written);
    runPage(false);
    return true;
}

bool PageEditor::sourceBelongsToPage() const
{
    return m_sourceLoaded && m_sourceName == m_main.session.ScriptName && m_sourceBase == m_serviceText;
}

bool PageEditor::StoreSourceText()
{
    ScriptsPage *scripts = m_main.form2->scripts();
    if (!sourceBelongsToPage()) {
        showStatus(scripts->Stx, kSourceOutdatedStatus);
        return false;
    }
    const QString text = withCrLf(shownText(m_main.form4->Memo3));
    m_main.setActivity(Activity::Request);
    const QString reply = m_main.page.storeSource(text);
    m_main.setActivity(Activity::Rest);
    showStatus(scripts->Stx, reply);
    if (!isOk(reply))
        return false;
    pageStored(text);
    m_sourceBase = text;
    if (!OpenPage())
        return false;
    // The service may give the text back with other line ends.
    m_sourceBase = m_serviceText;
    return true;
}

bool PageEditor::loadSourceText()
{
    const QString reply = m_main.service.fetchScript(m_main.session.ScriptName);
    const QString text = scriptOfReply(reply);
    m_main.form4->Memo3->setPlainText(text);
    m_sourceLoaded = isOk(reply);
    m_sourceName = m_main.session.ScriptName;
    m_sourceBase = text;
    if (m_sourceLoaded && m_sourceName == m_main.page.scriptName())
        m_serviceText = text;
    return m_sourceLoaded;
}

void PageEditor::CreatePage(NewPageKind kind)
{
    ScriptsPage *scripts = m_main.form2->scripts();
    CreationPage *form = scripts->creation();
    const QString name = form->Edit3->text();
    if (name.isEmpty()) {
        showStatus(form->Stc, QStringLiteral("Defina um nome!!!"));
        return;
    }
    for (int row = 0; row < scripts->Lbx2->count(); ++row) {
        if (scripts->Lbx2->item(row)->text() == name) {
            showStatus(form->Stc, QStringLiteral("Já existe este script!!!"));
            return;
        }
    }
    const QString text = pageTemplate(kind, name);
    m_main.setActivity(Activity::Request);
    const QString created = m_main.service.newScript(name);
    if (created != QLatin1StringView("Ok")) {
        showStatus(form->Stc, created);
        m_main.setActivity(Activity::Rest);
        return;
    }
    showStatus(form->Stc, created);
    const QString stored = m_main.service.storeScript(name, text);
    m_main.setActivity(Activity::Rest);
    showStatus(scripts->Stx, stored);
    scripts->Lbx2->addRow(UnderscoreToBlank(name));
    if (!isOk(stored))
        return;
    m_main.session.ScriptName = name;
    if (!OpenPage())
        return;
    m_main.form4->Memo3->setPlainText(text);
    m_sourceLoaded = true;
    m_sourceName = name;
    m_sourceBase = m_serviceText;
    scripts->Lbx2->selectRow(UnderscoreToBlank(name));
    runPage(false);
}

void PageEditor::runPage(bool own)
{
    const Session &s = m_main.session;
    const QString url = runUrl(s.SiteUrl, s.UserIdx, s.AdvPrefix, s.ScriptName);
    if (own)
        m_ownNavigation = QUrl(url);
    m_main.form3->navigate(url);
}

void PageEditor::followNavigation(const QUrl &url)
{
    Session &s = m_main.session;
    s.RunUrl = QString::fromLatin1(url.toEncoded());
    // Only the navigation an own run started is taken as already open.
    if (m_ownNavigation.isValid() && url == m_ownNavigation) {
        m_ownNavigation.clear();
        return;
    }
    const std::optional<QString> script = scriptOfRunUrl(s.RunUrl, s.AdvPrefix, m_main.page.model().ReturnScript);
    if (!script)
        return;
    s.RunScript = *script;
    letPendingMessagesBeProcessed();
    // A late report of the page just stored must not throw away what the
    // author has typed since.
    if (s.RunScript == m_main.page.scriptName() && hasUnstoredChanges())
        return;
    s.ScriptName = s.RunScript;
    if (OpenPage())
        m_main.form2->scripts()->Lbx2->selectRow(s.ScriptName);
}

bool PageEditor::hasUnstoredChanges() const
{
    return m_main.page.canStore() &&
           generateScript(m_edits.editedModel(), m_main.page.scriptName()) != m_cleanText;
}

} // namespace nimbra
