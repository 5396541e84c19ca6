#pragma once

#include "pagemodel.h"
#include "pagesession.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace nimbra {

// The values of a page the author wrote: the only ones a search looks at
// and a replace changes. Keywords, places, sizes, colours and fonts are
// the format's, never the author's words.
enum class AuthorField {
    BackImage, InitialSound, ScreenImage, PageText, FreeLine, IconImage, IconTarget, LinkArg1, LinkArg2, LinkArg3,
};

// One value: Index is the line of the page text or free section, the icon
// (0 = icon 1) or the screen link.
struct FieldRef {
    AuthorField Field = AuthorField::BackImage;
    int Index = 0;
    bool operator==(const FieldRef &) const = default;
};

// The author's values the page's kind writes, in the writer's order; the
// script's closing "fim" is the format's and not among them.
std::vector<FieldRef> authorFields(const PageModel &page);
// The value, or nothing when the page has no such value.
const QString *fieldValue(const PageModel &page, FieldRef field);
QString *fieldValue(PageModel &page, FieldRef field);
// How the status texts name the value.
QString fieldName(FieldRef field);

// A page as fetched for the search: the whole reply of the fetch.
struct FetchedPage {
    QString Name;
    QString Reply;
};

struct FindQuery {
    QString Needle;
    Qt::CaseSensitivity Case = Qt::CaseInsensitive;
};

// A line of a page script holding the needle in a value the author wrote.
struct FindMatch {
    QString Page;
    int Line = 0;                // 1 = the first line after the status line
    QString Text;                // the line as it stands, trimmed
    std::vector<FieldRef> Fields; // the values on the line holding the needle
};

// A page whose fetch failed, and the reply's status line.
struct UnfetchedPage {
    QString Page;
    QString Why;
    QString line() const { return Page + QStringLiteral(": ") + Why; }
};

struct SearchResult {
    FindQuery Query;
    std::vector<FetchedPage> Pages; // every page looked at, with the reply searched
    std::vector<FindMatch> Matches;
    std::vector<UnfetchedPage> Unfetched;
};


// The fetched pages; names without a letter are no pages and not fetched.
std::vector<FetchedPage> fetchPages(ScriptStore &store, const QStringList &names,
                                    const ScriptStore::FetchProgress &progress = {});

// The matches of one page, given the reply lines of its fetch.
std::vector<FindMatch> findInPage(const QString &page, const QStringList &replyLines, const FindQuery &query);
// Every page whose reply begins with the line "Ok" is searched; the others
// are listed as not fetched.
SearchResult searchPages(std::vector<FetchedPage> pages, const FindQuery &query);

// One run of changed lines in a page, the line numbers of its script.
struct LineChange {
    int OldLine = 0;
    QStringList Before;
    int NewLine = 0;
    QStringList After;
};
std::vector<LineChange> changedLines(const QString &oldText, const QString &newText);

// What a replace will do to one page: its new text, or why it must not be
// written.
struct PagePlan {
    QString Page;
    QString SearchedReply;
    QString NewText;
    std::vector<LineChange> Changes;
    QString Refusal; // empty when the page can be written
};

struct ReplacePlan {
    QString Replacement;
    std::vector<PagePlan> Pages; // the pages with matches whose values change
    int writable() const;
};

// Applies the replacement to the matched values only and writes each page
// again with the one writer; a page whose values would not read back as
// written, or would leave a name, a target or a line empty, is refused.
ReplacePlan planReplace(const SearchResult &search, const QString &replacement);
// Nothing when the replacement changes no value of the page.
std::optional<PagePlan> planPage(const QString &page, const QString &reply, const std::vector<FindMatch> &matches,
                  const FindQuery &query, const QString &replacement);

// "page: line  text", as the match list shows a match.
QString matchLine(const FindMatch &match);
// The plan as the author confirms it: each page with its changed lines,
// "-" before and "+" after with their line numbers, or why it is refused.
QStringList previewLines(const ReplacePlan &plan);

inline const QString kNoNeedleStatus = QStringLiteral("Digite o que buscar!!!");
inline const QString kEmptyFieldStatus = QStringLiteral("%1 ficaria vazio: nada será gravado nesta página!!!");
inline const QString kReadBackFieldStatus =
    QStringLiteral("%1 não seria lido de volta como escrito: nada será gravado nesta página!!!");

} // namespace nimbra
