#include "adventurefind.h"

#include "generator.h"
#include "parser.h"
#include "textlines.h"

#include <algorithm>

namespace nimbra {

namespace {

template <typename Model>
auto valueIn(Model &m, FieldRef f) -> decltype(&m.BackImage)
{
    const int i = f.Index;
    const bool icon = i >= 0 && i < kIconCount;
    const bool link = i >= 0 && i < kLinkCount;
    switch (f.Field) {
    case AuthorField::BackImage:
        return &m.BackImage;
    case AuthorField::InitialSound:
        return &m.InitialSound;
    case AuthorField::ScreenImage:
        return &m.ScreenImage;
    case AuthorField::PageText:
        return i >= 0 && i < m.PageText.size() ? &m.PageText[i] : nullptr;
    case AuthorField::FreeLine:
        return i >= 0 && i < m.FreeSection.size() ? &m.FreeSection[i] : nullptr;
    case AuthorField::IconImage:
        return icon ? &m.IconSlots[size_t(i)].Image : nullptr;
    case AuthorField::IconTarget:
        return icon ? &m.IconSlots[size_t(i)].Target : nullptr;
    case AuthorField::LinkArg1:
        return link ? &m.ScreenLinks[size_t(i)].Arg1 : nullptr;
    case AuthorField::LinkArg2:
        return link ? &m.ScreenLinks[size_t(i)].Arg2 : nullptr;
    case AuthorField::LinkArg3:
        return link ? &m.ScreenLinks[size_t(i)].Arg3 : nullptr;
    }
    return nullptr;
}

bool isTextPage(const PageModel &m)
{
    return m.PageKind == QLatin1StringView("txt");
}

bool isImagePage(const PageModel &m)
{
    return m.PageKind == QLatin1StringView("img");
}

// The free section's last line is the script's closing "fim", the format's.
qsizetype closingFim(const QStringList &free)
{
    for (qsizetype i = free.size() - 1; i >= 0; --i)
        if (!trimLine(QStringView(free[i])).isEmpty())
            return trimLine(QStringView(free[i])) == QLatin1StringView("fim") ? i : -1;
    return -1;
}

// The values written on the same line as field: an icon's image and
// target, a screen link's arguments.
std::vector<FieldRef> sameLine(FieldRef f)
{
    switch (f.Field) {
    case AuthorField::IconImage:
    case AuthorField::IconTarget:
        return {{AuthorField::IconImage, f.Index}, {AuthorField::IconTarget, f.Index}};
    case AuthorField::LinkArg1:
    case AuthorField::LinkArg2:
    case AuthorField::LinkArg3:
        return {{AuthorField::LinkArg1, f.Index}, {AuthorField::LinkArg2, f.Index}, {AuthorField::LinkArg3, f.Index}};
    default:
        return {f};
    }
}

// A character no script holds, put at the end of one line.
constexpr QChar kProbe(0xE000);

// The author's values the line at index holds. The reader itself tells:
// given the line with a mark at its end, the value the line ends with gets
// the mark, whatever order or shape the rest of the script has.
std::vector<FieldRef> fieldsOfLine(const QStringList &replyLines, const PageModel &read, qsizetype index)
{
    QStringList probed = replyLines;
    probed[index] = trimLine(probed[index]) + kProbe;
    const PageModel probe = parsePage(probed);
    for (const FieldRef f : authorFields(read)) {
        const QString *marked = fieldValue(probe, f);
        if (marked && *marked == *fieldValue(read, f) + kProbe)
            return sameLine(f);
    }
    return {};
}

bool holdsNeedle(const PageModel &page, FieldRef f, const FindQuery &query)
{
    const QString *value = fieldValue(page, f);
    return value && value->contains(query.Needle, query.Case);
}

bool anyHoldsNeedle(const PageModel &page, const FindQuery &query)
{
    const std::vector<FieldRef> fields = authorFields(page);
    return std::any_of(fields.begin(), fields.end(), [&](FieldRef f) { return holdsNeedle(page, f, query); });
}

bool isFetched(const QStringList &replyLines)
{
    return !replyLines.isEmpty() && replyLines.first() == QLatin1StringView("Ok");
}

// Names, targets and pictures must keep a value; a page text line may be
// blank, a free line may not, since the writer leaves blank ones out.
bool leftEmpty(const PageModel &page, FieldRef f)
{
    return f.Field != AuthorField::PageText && trimLine(*fieldValue(page, f)).isEmpty();
}

// The one-line values the reader trims or cuts must read back as written.
bool readsBackChanged(const PageModel &written, const PageModel &back, FieldRef f)
{
    if (f.Field == AuthorField::PageText || f.Field == AuthorField::FreeLine)
        return false;
    return *fieldValue(written, f) != *fieldValue(back, f);
}

std::optional<QString> writeRefusal(const PageModel &changed, const std::vector<FieldRef> &fields,
                                    const QString &newText)
{
    if (const auto refused = compileRefusal(changed))
        return refused;
    for (const FieldRef f : fields)
        if (leftEmpty(changed, f))
            return kEmptyFieldStatus.arg(fieldName(f));
    const PageModel back = parseScriptText(newText);
    for (const FieldRef f : fields)
        if (readsBackChanged(changed, back, f))
            return kReadBackFieldStatus.arg(fieldName(f));
    return std::nullopt;
}

// The longest run of equal lines from (i, j) on, for every i and j.
std::vector<std::vector<int>> commonTails(const QStringList &a, const QStringList &b)
{
    std::vector<std::vector<int>> tail(size_t(a.size()) + 1, std::vector<int>(size_t(b.size()) + 1, 0));
    for (qsizetype i = a.size() - 1; i >= 0; --i)
        for (qsizetype j = b.size() - 1; j >= 0; --j)
            tail[i][j] = a[i] == b[j] ? tail[i + 1][j + 1] + 1 : std::max(tail[i + 1][j], tail[i][j + 1]);
    return tail;
}

} // namespace

const QString *fieldValue(const PageModel &page, FieldRef field)
{
    return valueIn(page, field);
}

QString *fieldValue(PageModel &page, FieldRef field)
{
    return valueIn(page, field);
}

std::vector<FieldRef> authorFields(const PageModel &page)
{
    std::vector<FieldRef> fields;
    if (!page.BackImage.isEmpty())
        fields.push_back({AuthorField::BackImage, 0});
    if (!page.InitialSound.isEmpty())
        fields.push_back({AuthorField::InitialSound, 0});
    if (isTextPage(page))
        for (int i = 0; i < page.PageText.size(); ++i)
            fields.push_back({AuthorField::PageText, i});
    if (isImagePage(page)) {
        fields.push_back({AuthorField::ScreenImage, 0});
        for (int k = 0; k < kLinkCount; ++k)
            for (const FieldRef f : sameLine({AuthorField::LinkArg1, k}))
                fields.push_back(f);
    }
    for (int k = 0; k < kIconCount; ++k)
        for (const FieldRef f : sameLine({AuthorField::IconImage, k}))
            fields.push_back(f);
    const qsizetype fim = closingFim(page.FreeSection);
    for (int i = 0; i < page.FreeSection.size(); ++i)
        if (i != fim)
            fields.push_back({AuthorField::FreeLine, i});
    return fields;
}

QString fieldName(FieldRef f)
{
    const QString icon = QStringLiteral("ícone %1: ").arg(f.Index + 1);
    const QString link = QStringLiteral("link %1: ").arg(f.Index);
    switch (f.Field) {
    case AuthorField::BackImage:
        return QStringLiteral("imagem de fundo");
    case AuthorField::InitialSound:
        return QStringLiteral("som inicial");
    case AuthorField::ScreenImage:
        return QStringLiteral("imagem da tela");
    case AuthorField::PageText:
        return QStringLiteral("texto da página, linha %1").arg(f.Index + 1);
    case AuthorField::FreeLine:
        return QStringLiteral("programação ignorada, linha %1").arg(f.Index + 1);
    case AuthorField::IconImage:
        return icon + QStringLiteral("figura");
    case AuthorField::IconTarget:
        return icon + QStringLiteral("script link");
    case AuthorField::LinkArg1:
        return link + QStringLiteral("argumento 1");
    case AuthorField::LinkArg2:
        return link + QStringLiteral("argumento 2");
    case AuthorField::LinkArg3:
        return link + QStringLiteral("argumento 3");
    }
    return {};
}

std::vector<FetchedPage> fetchPages(ScriptStore &store, const QStringList &names,
                                    const ScriptStore::FetchProgress &progress)
{
    QStringList pages;
    for (const QString &name : names)
        if (!trimLine(name).isEmpty())
            pages.append(name);
    const QStringList replies = store.fetchScripts(pages, progress);
    std::vector<FetchedPage> fetched;
    for (qsizetype i = 0; i < pages.size(); ++i)
        fetched.push_back({pages[i], replies.value(i)});
    return fetched;
}

std::vector<FindMatch> findInPage(const QString &page, const QStringList &replyLines, const FindQuery &query)
{
    std::vector<FindMatch> matches;
    if (query.Needle.isEmpty() || !isFetched(replyLines))
        return matches;
    const PageModel read = parsePage(replyLines);
    if (!anyHoldsNeedle(read, query))
        return matches;
    for (qsizetype i = 1; i < replyLines.size(); ++i) {
        if (!replyLines[i].contains(query.Needle, query.Case))
            continue;
        FindMatch match{page, int(i), trimLine(replyLines[i]), {}};
        for (const FieldRef f : fieldsOfLine(replyLines, read, i))
            if (holdsNeedle(read, f, query))
                match.Fields.push_back(f);
        if (!match.Fields.empty())
            matches.push_back(std::move(match));
    }
    return matches;
}

SearchResult searchPages(std::vector<FetchedPage> pages, const FindQuery &query)
{
    SearchResult result{query, std::move(pages), {}, {}};
    for (const FetchedPage &page : result.Pages) {
        const QStringList lines = splitLines(page.Reply);
        if (!isFetched(lines)) {
            result.Unfetched.push_back({page.Name, statusToShow(lines.value(0))});
            continue;
        }
        for (FindMatch &m : findInPage(page.Name, lines, query))
            result.Matches.push_back(std::move(m));
    }
    return result;
}

std::vector<LineChange> changedLines(const QString &oldText, const QString &newText)
{
    const QStringList a = splitLines(oldText);
    const QStringList b = splitLines(newText);
    const std::vector<std::vector<int>> tail = commonTails(a, b);
    std::vector<LineChange> changes;
    std::optional<LineChange> open;
    qsizetype i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            if (open)
                changes.push_back(*std::exchange(open, std::nullopt));
            ++i, ++j;
            continue;
        }
        if (!open)
            open = LineChange{int(i) + 1, {}, int(j) + 1, {}};
        if (j < b.size() && (i == a.size() || tail[i][j + 1] >= tail[i + 1][j]))
            open->After.append(b[j++]);
        else
            open->Before.append(a[i++]);
    }
    if (open)
        changes.push_back(*open);
    return changes;
}

int ReplacePlan::writable() const
{
    return int(std::count_if(Pages.begin(), Pages.end(), [](const PagePlan &p) { return p.Refusal.isEmpty(); }));
}

std::optional<PagePlan> planPage(const QString &page, const QString &reply, const std::vector<FindMatch> &matches,
                                 const FindQuery &query, const QString &replacement)
{
    const PageModel read = parsePage(splitLines(reply));
    PageModel changed = read;
    std::vector<FieldRef> fields;
    for (const FindMatch &m : matches)
        fields.insert(fields.end(), m.Fields.begin(), m.Fields.end());
    for (const FieldRef f : fields)
        fieldValue(changed, f)->replace(query.Needle, replacement, query.Case);
    if (changed == read)
        return std::nullopt;
    PagePlan plan{page, reply, generateScript(changed, page), {}, {}};
    plan.Changes = changedLines(scriptOfReply(reply), plan.NewText);
    plan.Refusal = writeRefusal(changed, fields, plan.NewText).value_or(QString());
    return plan;
}

ReplacePlan planReplace(const SearchResult &search, const QString &replacement)
{
    ReplacePlan plan{replacement, {}};
    for (const FetchedPage &page : search.Pages) {
        std::vector<FindMatch> matches;
        std::copy_if(search.Matches.begin(), search.Matches.end(), std::back_inserter(matches),
                     [&](const FindMatch &m) { return m.Page == page.Name; });
        if (matches.empty())
            continue;
        if (auto planned = planPage(page.Name, page.Reply, matches, search.Query, replacement))
            plan.Pages.push_back(std::move(*planned));
    }
    return plan;
}

QString matchLine(const FindMatch &match)
{
    return match.Page + QStringLiteral(": ") + QString::number(match.Line) + QStringLiteral("  ") + match.Text;
}

namespace {

void appendNumbered(QStringList &out, QLatin1StringView mark, int first, const QStringList &lines)
{
    for (qsizetype k = 0; k < lines.size(); ++k)
        out.append(QStringLiteral("  ") + mark + QString::number(first + k) + QStringLiteral(": ") + lines[k]);
}

} // namespace

QStringList previewLines(const ReplacePlan &plan)
{
    QStringList out;
    for (const PagePlan &page : plan.Pages) {
        if (!page.Refusal.isEmpty()) {
            out.append(page.Page + QStringLiteral(": recusada: ") + page.Refusal);
            continue;
        }
        out.append(page.Page);
        for (const LineChange &change : page.Changes) {
            appendNumbered(out, QLatin1StringView("- "), change.OldLine, change.Before);
            appendNumbered(out, QLatin1StringView("+ "), change.NewLine, change.After);
        }
    }
    return out;
}

} // namespace nimbra
