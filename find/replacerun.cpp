#include "replacerun.h"

#include "pagehistory.h"
#include "reply.h"
#include "textlines.h"

#include <algorithm>

namespace nimbra {

namespace {

using Result = PageOutcome::Kind;

PageOutcome skipped(const QString &page, const QString &text)
{
    return {page, Result::Skipped, text, false};
}

PageOutcome failed(const QString &page, const QString &text, bool changed = false)
{
    return {page, Result::Failed, text, changed};
}

} // namespace

int ReplaceReport::count(PageOutcome::Kind kind) const
{
    return int(std::count_if(Pages.begin(), Pages.end(), [kind](const PageOutcome &p) { return p.Result == kind; }));
}

QStringList ReplaceReport::changedPages() const
{
    QStringList pages;
    for (const PageOutcome &p : Pages)
        if (p.Changed)
            pages.append(p.Page);
    return pages;
}

QString ReplaceReport::summary() const
{
    if (Pages.empty())
        return Problem;
    const QString counts = QStringLiteral("Gravadas: %1   Puladas: %2   Com falha: %3")
                               .arg(count(Result::Stored))
                               .arg(count(Result::Skipped))
                               .arg(count(Result::Failed));
    return Problem.isEmpty() ? counts : counts + QStringLiteral("   ") + Problem;
}

ReplaceRun::ReplaceRun(ScriptStore &store, QString advFolder, HeldPage held, Told told)
    : m_store(store), m_folder(std::move(advFolder)), m_held(std::move(held)), m_told(std::move(told))
{
}

PageOutcome ReplaceRun::told(PageOutcome outcome) const
{
    if (m_told)
        m_told(outcome);
    return outcome;
}

ReplaceReport ReplaceRun::replace(const ReplacePlan &plan)
{
    if (plan.writable() == 0)
        return {{}, kNothingToReplaceStatus};
    QString why;
    const std::optional<ReplaceRecord> record = ReplaceRecord::create(m_folder, &why);
    if (!record)
        return {{}, why};
    ReplaceReport report;
    for (const PagePlan &page : plan.Pages)
        report.Pages.push_back(told(replacePage(*record, page)));
    record->discard();
    return report;
}

ReplaceReport ReplaceRun::undoLast()
{
    const std::optional<ReplaceRecord> record = ReplaceRecord::last(m_folder);
    if (!record)
        return {{}, m_folder.isEmpty() ? QStringLiteral("Não tem aventura em edição!!!") : kNothingToUndoStatus};
    ReplaceReport report;
    for (const ReplaceRecord::Page &page : record->pages())
        report.Pages.push_back(told(restorePage(page)));
    // A failed page can be tried again with the same command.
    if (report.count(Result::Failed) == 0)
        report.Problem = record->markUndone().value_or(QString());
    return report;
}

std::optional<PageOutcome> ReplaceRun::refetch(const QString &page, QString *reply)
{
    if (m_held && m_held(page))
        return skipped(page, kHeldPageText);
    *reply = m_store.fetchScript(page);
    if (!Reply(*reply).isOk())
        return failed(page, QStringLiteral("não foi possível buscar a página: ") + replyStatus(*reply));
    return std::nullopt;
}

PageOutcome ReplaceRun::replacePage(const ReplaceRecord &record, const PagePlan &plan)
{
    if (!plan.Refusal.isEmpty())
        return skipped(plan.Page, plan.Refusal);
    QString reply;
    if (const std::optional<PageOutcome> left = refetch(plan.Page, &reply))
        return *left;
    if (reply != plan.SearchedReply)
        return skipped(plan.Page, kChangedSinceSearchText);
    const QString current = scriptOfReply(reply);
    if (const std::optional<QString> why = record.keepBefore(plan.Page, current))
        return failed(plan.Page, *why);
    return storeOver(plan.Page, current, plan.NewText,
                     [&](const QString &back) { return record.keepAfter(plan.Page, back); });
}

PageOutcome ReplaceRun::restorePage(const ReplaceRecord::Page &page)
{
    if (!page.After)
        return skipped(page.Name, QStringLiteral("não foi gravada nesta substituição"));
    if (!page.Before)
        return failed(page.Name, QStringLiteral("não foi possível ler o registro da substituição"));
    QString reply;
    if (const std::optional<PageOutcome> left = refetch(page.Name, &reply))
        return *left;
    const QString current = scriptOfReply(reply);
    if (current == *page.Before)
        return skipped(page.Name, kAlreadyBackText);
    if (current != *page.After)
        return skipped(page.Name, kChangedSinceReplaceText);
    return storeOver(page.Name, current, *page.Before);
}

PageOutcome ReplaceRun::storeOver(const QString &page, const QString &current, const QString &text,
                                  const KeepText &keepReadBack)
{
    const PageHistory history(m_folder);
    if (const std::optional<QString> why = history.keep(page, current))
        return failed(page, *why);
    const QString answer = m_store.storeScript(page, text);
    if (!Reply(answer).isOk())
        return failed(page, replyStatus(answer));
    const QString back = m_store.fetchScript(page);
    if (!Reply(back).isOk())
        return failed(page, QStringLiteral("gravada, mas não foi possível ler de volta: ") + replyStatus(back), true);
    std::optional<QString> note = keepReadBack ? keepReadBack(scriptOfReply(back)) : std::nullopt;
    if (const std::optional<QString> why = history.keep(page, text); why && !note)
        note = why;
    if (scriptOfReply(back) != text)
        return failed(page, kReadBackDiffersText, true);
    return {page, Result::Stored, note ? QStringLiteral("gravada, mas ") + *note : QStringLiteral("gravada"), true};
}

} // namespace nimbra
