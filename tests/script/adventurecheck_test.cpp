#include "adventurecheck.h"
#include "parser.h"
#include "templates.h"
#include "testutil.h"

#include <gtest/gtest.h>

#include <functional>

using namespace nimbra;

namespace {

using Kind = CheckFinding::Kind;

MapSource page(const char *name, NewPageKind kind, const std::function<void(PageModel &)> &edit = {})
{
    PageModel model = parseScriptText(pageTemplate(kind, u8(name)));
    if (edit)
        edit(model);
    return {u8(name), model, true, {}};
}

void linkIcon(PageModel &m, int k, const char *image, const char *target)
{
    m.IconSlots[k - 1] = {QString(), u8(image), u8(target)};
}

void screenLink(PageModel &m, int i, const char *kind, const char *arg1, const char *arg2)
{
    ScreenLink &link = m.ScreenLinks[i];
    link.Mark.clear();
    link.Kind = u8(kind);
    link.Arg1 = u8(arg1);
    link.Arg2 = u8(arg2);
}

} // namespace

TEST(AdventureCheck, FindsWhatWouldBreakForAPlayer)
{
    struct Case {
        const char *name;
        std::vector<MapSource> pages;
        std::optional<QStringList> files;
        std::vector<CheckFinding> found;
    };
    const Case cases[] = {
        {"the service's own targets and the return mark are no broken links",
         {page("inicio", NewPageKind::Text, [](PageModel &m) {
              linkIcon(m, 1, "porta.png", "$start");
              linkIcon(m, 2, "porta.png", "xvlt");
              linkIcon(m, 3, "porta.png", "$pag01");
          })},
         QStringList{u8("porta.png")},
         {}},
        {"a link to a name that is no page, from an icon or a screen link",
         {page("inicio", NewPageKind::Image, [](PageModel &m) {
              m.ScreenImage = u8("tela.png");
              linkIcon(m, 9, "porta.png", "sotao");
              screenLink(m, 0, "fig", "porta.png", "porão");
          })},
         QStringList{u8("porta.png"), u8("tela.png")},
         {{Kind::BrokenLink, u8("inicio"), u8("sotao")}, {Kind::BrokenLink, u8("inicio"), u8("porão")}}},
        {"a page reached only from an unreached page is unreached too",
         {page("inicio", NewPageKind::Text), page("sala", NewPageKind::Text, [](PageModel &m) {
              linkIcon(m, 1, "porta.png", "porao");
          }),
          page("porao", NewPageKind::Text)},
         std::nullopt,
         {{Kind::Unreachable, u8("sala"), {}}, {Kind::Unreachable, u8("porao"), {}}}},
        {"only what a page uses: active icons, pictures and sounds of links, library sounds left out",
         {page("inicio", NewPageKind::Image,
               [](PageModel &m) {
                   m.ScreenImage = u8("tela.png");
                   m.BackImage = u8("fundo.jpg");
                   m.InitialSound = u8("$sino");
                   m.IconSlots[1] = {kSwitchedOff, u8("apagado.png"), u8("inicio")};
                   linkIcon(m, 1, "porta.png", "sala");
                   screenLink(m, 0, "url", "http://velorin.test/", "");
                   screenLink(m, 1, "mov", "vento.MP3", "");
               }),
          page("sala", NewPageKind::Text, [](PageModel &m) { m.InitialSound = u8("  chuva.wav "); })},
         QStringList{u8("tela.png"), u8("porta.png")},
         {{Kind::MissingFile, u8("inicio"), u8("fundo.jpg")},
          {Kind::MissingFile, u8("inicio"), u8("vento.MP3")},
          {Kind::MissingFile, u8("sala"), u8("chuva.wav")}}},
        {"without the list of files no file is reported",
         {page("inicio", NewPageKind::Image, [](PageModel &m) { m.ScreenImage = u8("tela.png"); })},
         std::nullopt,
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CheckFinding> found = checkAdventure(c.pages, u8("inicio"), c.files);
        ASSERT_EQ(found.size(), c.found.size());
        for (size_t i = 0; i < found.size(); ++i)
            EXPECT_EQ(findingText(found[i]), findingText(c.found[i]));
    }
}

TEST(AdventureCheck, ObjectsNeedTheirPictureAmongTheFiles)
{
    const std::vector<ObjectPicture> objects = {
        {u8("chave"), u8("chave.png")}, {u8("lanterna"), u8("lanterna.png")}, {u8("vela"), u8("")},
        {u8("sino"), u8("$sino.png")}};
    const std::vector<CheckFinding> found =
        checkAdventure({page("inicio", NewPageKind::Text)}, u8("inicio"), QStringList{u8("chave.png")}, objects);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(findingText(found[0]), u8("objeto lanterna: figura \"lanterna.png\" não está entre os arquivos da aventura"));
}
