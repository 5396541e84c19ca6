// Which values of a page the search looks at, on which line it finds them,
// and what a replace writes or refuses: no service, no window.
#include "find_pages.h"

#include "generator.h"
#include "pagesession.h"
#include "parser.h"

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

// "line value-name" for every value matched.
QStringList found(const QString &script, const char *needle, Qt::CaseSensitivity cs = Qt::CaseInsensitive)
{
    QStringList out;
    for (const FindMatch &m : findInPage(u8("p"), splitLines(fetchReply(script)), {u8(needle), cs}))
        for (const FieldRef f : m.Fields)
            out.append(QString::number(m.Line) + u' ' + fieldName(f));
    return out;
}

std::optional<PagePlan> planOf(const QString &page, const QString &script, const char *needle, const char *replacement)
{
    const SearchResult search = searchPages({{page, fetchReply(script)}}, {u8(needle), Qt::CaseInsensitive});
    const ReplacePlan plan = planReplace(search, u8(replacement));
    if (plan.Pages.empty())
        return std::nullopt;
    return plan.Pages.front();
}

} // namespace

TEST(AdventureFind, OnlyTheAuthorsValuesMatchOnTheirOwnLine)
{
    struct Row {
        const char *what;
        QString script;
        const char *needle;
        Qt::CaseSensitivity cs;
        QStringList expected;
    };
    const QString text = textPage();
    const QString image = imagePage();
    const QString malformed = readerCase("icons-out-of-order");
    ASSERT_FALSE(malformed.isEmpty());
    const Qt::CaseSensitivity any = Qt::CaseInsensitive;
    const Row rows[] = {
        {"text, image, free line, either case", text, "porta", any,
         u8Lines({"7 texto da página, linha 1", "8 texto da página, linha 2", "12 ícone 1: figura",
                  "33 programação ignorada, linha 1"})},
        {"letter case counts", text, "porta", Qt::CaseSensitive,
         u8Lines({"7 texto da página, linha 1", "12 ícone 1: figura", "33 programação ignorada, linha 1"})},
        {"a font name is the format's", text, "courier", any, u8Lines({"8 texto da página, linha 2"})},
        {"an icon's target", text, "sala", any, u8Lines({"12 ícone 1: script link"})},
        {"both values of an icon line", text, "ajuda", any, u8Lines({"17 ícone 6: figura", "17 ícone 6: script link"})},
        {"background and sound", text, ".", any,
         u8Lines({"2 imagem de fundo", "3 som inicial", "7 texto da página, linha 1", "8 texto da página, linha 2",
                  "12 ícone 1: figura", "13 ícone 2: figura", "14 ícone 3: figura", "15 ícone 4: figura",
                  "16 ícone 5: figura", "17 ícone 6: figura", "23 ícone 7: figura", "29 ícone 8: figura",
                  "30 ícone 9: figura"})},
        {"coordinates", text, "852", any, {}},
        {"the divider", text, "fio", any, {}},
        {"the closing fim", text, "fim", any, {}},
        {"keywords", text, "boxon", any, {}},
        {"the header's name", text, "inicio", any, {}},
        {"links' arguments", image, "porao", any, u8Lines({"7 link 0: argumento 1"})},
        {"a figure link's image and target", image, "chave", any,
         u8Lines({"8 link 1: argumento 1", "8 link 1: argumento 2"})},
        {"argument 3 holds commas", image, "c,d", any, u8Lines({"9 link 2: argumento 3"})},
        {"screen image, not the header or the return line", image, "sala", any,
         u8Lines({"4 imagem da tela", "19 ícone 1: script link"})},
        {"a link's kind and size", image, "map", any, {}},
        {"zero-padded sizes", image, "058", any, {}},
        {"an icon read in its place", malformed, "xvlt", any, u8Lines({"11 ícone 3: script link"})},
        {"an icon kept out of order is no value", malformed, "mapa", any, {}},
        // icons 1 and 2 hold the template's values, written on no line of the page
        {"a hand-made page", malformed, "o", any,
         u8Lines({"2 imagem de fundo", "11 ícone 3: figura", "14 ícone 4: figura", "15 ícone 5: figura",
                  "16 ícone 6: figura", "22 ícone 7: figura", "22 ícone 7: script link", "28 ícone 8: figura",
                  "32 programação ignorada, linha 1", "33 programação ignorada, linha 2"})},
        {"nothing to look for", text, "", any, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(found(row.script, row.needle, row.cs), row.expected);
    }
}

TEST(AdventureFind, PagesThatWereNotFetchedAreReportedNotSearched)
{
    const SearchResult result = searchPages({{u8("sala"), fetchReply(imagePage())},
                                             {u8("sumida"), u8("Script não encontrado!!!")},
                                             {u8("vazia"), QString()}},
                                            {u8("sala"), Qt::CaseInsensitive});
    QStringList unfetched;
    for (const UnfetchedPage &page : result.Unfetched)
        unfetched.append(page.line());
    EXPECT_EQ(unfetched, u8Lines({"sumida: Script não encontrado!!!", "vazia: Tente novamente!"}));
    ASSERT_EQ(result.Matches.size(), 2u);
    EXPECT_EQ(matchLine(result.Matches[0]), u8("sala: 4  telpos= sala.png"));
    EXPECT_EQ(matchLine(result.Matches[1]), u8("sala: 19  cmd= fig,862,000,58,58,porta.png,sala"));
}

TEST(AdventureFind, ReplaceWritesOnlyTheMatchedValuesAgain)
{
    const QString before = textPage();
    const std::optional<PagePlan> plan = planOf(u8("inicio"), before, "porta", "janela");
    ASSERT_TRUE(plan);
    QStringList expected = splitLines(before);
    expected[6] = u8("  <p>A janela range.</p> ");
    expected[7] = u8("  <p>Courier na janela.</p> ");
    expected[11] = u8("  cmd= fig,862,000,58,58,janela.png,sala");
    expected[32] = u8(":rotulo janela");
    EXPECT_EQ(plan->NewText, joinLinesCrLf(expected));
    EXPECT_TRUE(plan->Refusal.isEmpty()) << plan->Refusal.toStdString();
    EXPECT_EQ(previewLines({u8("janela"), {*plan}}),
              u8Lines({"inicio", "  - 7:   <p>A porta range.</p> ", "  - 8:   <p>Courier na PORTA.</p> ",
                       "  + 7:   <p>A janela range.</p> ", "  + 8:   <p>Courier na janela.</p> ",
                       "  - 12:   cmd= fig,862,000,58,58,porta.png,sala",
                       "  + 12:   cmd= fig,862,000,58,58,janela.png,sala", "  - 33: :rotulo porta",
                       "  + 33: :rotulo janela"}));
    EXPECT_FALSE(planOf(u8("inicio"), before, "range", "range")) << "a replace that changes nothing has no page";
}

// Lines out of the format's order stay where they were; only the value changes.
TEST(AdventureFind, AHandMadePageKeepsEveryOtherLine)
{
    const QString before = readerCase("icons-out-of-order");
    const std::optional<PagePlan> plan = planOf(u8("inicio"), before, "xvlt", "volta");
    ASSERT_TRUE(plan);
    QString expected = generateScript(parseScriptText(before), u8("inicio"));
    expected.replace(u8("volta.png,xvlt"), u8("volta.png,volta"));
    EXPECT_EQ(plan->NewText, expected);
    EXPECT_TRUE(plan->NewText.contains(u8("  cmd= fig,862,120,58,58,outra.png,xvlt\r\n")));
    EXPECT_TRUE(plan->Refusal.isEmpty());
}

TEST(AdventureFind, AReplaceThatWouldBreakAValueIsRefused)
{
    struct Row {
        QString script;
        const char *needle;
        const char *replacement;
        QString refusal;
    };
    const QString text = textPage();
    const QString image = imagePage();
    const auto empty = [](const char *field) { return kEmptyFieldStatus.arg(u8(field)); };
    const auto comma = [](const char *field) { return kUnwritableFieldStatus.arg(u8(field)); };
    const Row rows[] = {
        {text, "sala", "", empty("ícone 1: script link")},
        {text, "vento.mp3", "", empty("som inicial")},
        {text, ":rotulo porta", " ", empty("programação ignorada, linha 1")},
        {image, "sala.png", "", empty("imagem da tela")},
        {text, "porta.png", "a,b.png", comma("ícone 1: figura")},
        {image, "porao", "po,rao", comma("link 0: argumento 1")},
        {text, "range", "ran\nge", comma("texto da página")},
        {text, "<p>A porta range.</p>", "boxoff", kBoxoffLineStatus},
        {text, "fundo", " fundo", kReadBackFieldStatus.arg(u8("imagem de fundo"))},
        {text, "sala", "sa,la", {}},
        {image, "c,d", "c,d,e", {}},
        {text, "ajuda", "socorro", {}},
        {text, "range.</p>", "", {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.needle) + " -> " + row.replacement);
        const std::optional<PagePlan> plan = planOf(u8("p"), row.script, row.needle, row.replacement);
        ASSERT_TRUE(plan);
        EXPECT_EQ(plan->Refusal, row.refusal);
    }
}

TEST(AdventureFind, ChangedLinesAreRunsBetweenEqualLines)
{
    const std::vector<LineChange> changes =
        changedLines(scriptText({"a", "b", "c", "d"}), scriptText({"a", "x", "c", "d", "e"}));
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].OldLine, 2);
    EXPECT_EQ(changes[0].Before, u8Lines({"b"}));
    EXPECT_EQ(changes[0].After, u8Lines({"x"}));
    EXPECT_EQ(changes[1].NewLine, 5);
    EXPECT_TRUE(changes[1].Before.isEmpty());
    EXPECT_EQ(changes[1].After, u8Lines({"e"}));
}
