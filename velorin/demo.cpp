#include "demo.h"

#include "codepage.h"
#include "generator.h"
#include "pictures.h"
#include "site.h"

#include <QFile>

namespace velorin {

namespace {

using nimbra::IconSlot;
using nimbra::PageModel;
using nimbra::ScreenLink;

const QString kOn;

// Icons every page carries: home (icon 1), help (icon 6), back (icon 9).
void commonIcons(PageModel &page)
{
    page.IconSlots[0] = {kOn, QStringLiteral("casa.png"), QStringLiteral("$start")};
    page.IconSlots[5] = {kOn, QStringLiteral("ajuda.png"), QStringLiteral("ajuda")};
    page.IconSlots[8] = {kOn, QStringLiteral("seta.png"), QStringLiteral("xvlt")};
    page.ObjBarMark = kOn;
}

PageModel textPage(const QStringList &text, const QString &back)
{
    PageModel page = nimbra::templatePageModel();
    page.PageKind = QStringLiteral("txt");
    page.TextSize = QStringLiteral("4");
    page.FontName = QStringLiteral("Georgia");
    page.BackColor = back;
    page.TextColor = QStringLiteral("2B2118");
    page.PageText = text;
    commonIcons(page);
    return page;
}

PageModel imagePage(const QString &screen, const std::vector<ScreenLink> &links)
{
    PageModel page = nimbra::templatePageModel();
    page.PageKind = QStringLiteral("img");
    page.ScreenImage = screen;
    for (ScreenLink &unused : page.ScreenLinks)
        unused = {nimbra::kSwitchedOff, QStringLiteral("fig"), QStringLiteral("000"), QStringLiteral("000"),
                  QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("icone.png"), QStringLiteral("$start"),
                  QString()};
    for (std::size_t i = 0; i < links.size(); ++i)
        page.ScreenLinks[i] = links[i];
    commonIcons(page);
    return page;
}

ScreenLink area(const char *x, const char *y, const char *w, const char *h, const char *target)
{
    return {kOn, QStringLiteral("map"), QLatin1StringView(x), QLatin1StringView(y), QLatin1StringView(w),
            QLatin1StringView(h), QLatin1StringView(target), QString(), QString()};
}

ScreenLink figure(const char *x, const char *y, const char *image, const char *target)
{
    return {kOn, QStringLiteral("fig"), QLatin1StringView(x), QLatin1StringView(y), QStringLiteral("058"),
            QStringLiteral("058"), QLatin1StringView(image), QLatin1StringView(target), QString()};
}

std::vector<std::pair<QString, PageModel>> demoPages()
{
    PageModel start = textPage(
        {QStringLiteral("<h2>A casa misteriosa</h2>"),
         QStringLiteral("<p>Você chega diante de uma casa antiga. A porta está entreaberta e um vento frio sai lá de dentro.</p>"),
         QStringLiteral("<p>Toque na porta, embaixo à esquerda, para entrar.</p>")},
        QStringLiteral("F3E9D2"));
    start.IconSlots[6] = {kOn, QStringLiteral("porta.png"), QStringLiteral("sala")};

    PageModel room = imagePage(QStringLiteral("sala.png"), {area("380", "120", "100", "160", "porao"),
                                                             figure("140", "250", "chave.png", "chave"),
                                                             area("560", "150", "180", "110", "janela")});
    room.InitialSound = QStringLiteral("$porta_rangido");
    room.ObjBarMark = QString();

    PageModel cellar = imagePage(QStringLiteral("porao.png"), {area("120", "90", "140", "100", "sala")});
    cellar.InitialSound = QStringLiteral("vento.mp3");
    cellar.ObjBarMark = QString();

    PageModel key = textPage({QStringLiteral("<p>Você encontrou uma <b>chave</b> enferrujada no chão da sala.</p>"),
                              QStringLiteral("<p>Use a seta para voltar.</p>")},
                             QStringLiteral("E8F0E0"));
    PageModel window = textPage({QStringLiteral("<p>Pela janela se vê o jardim, coberto de névoa.</p>")},
                                QStringLiteral("DDE6F0"));
    window.Bold = true;
    PageModel help = textPage({QStringLiteral("<p>Toque nas portas, janelas e objetos para explorar.</p>"),
                               QStringLiteral("<p>A casinha leva ao início; a seta volta à última sala.</p>")},
                              QStringLiteral("FFFFFF"));
    help.Italic = true;
    room.Returnable = true;
    room.ReturnScript = QStringLiteral("sala");
    cellar.Returnable = true;
    cellar.ReturnScript = QStringLiteral("porao");
    return {{QStringLiteral("inicio"), start}, {QStringLiteral("sala"), room}, {QStringLiteral("porao"), cellar},
            {QStringLiteral("chave"), key},     {QStringLiteral("janela"), window}, {QStringLiteral("ajuda"), help}};
}

void storePictures(const FileStore &files, const QString &prefix)
{
    const std::vector<std::pair<QString, QImage>> pictures = {
        {QStringLiteral("sala.png"), drawScene(QColor(0x8C, 0x6B, 0x4F), QColor(0x5A, 0x3E, 0x2B), true)},
        {QStringLiteral("porao.png"), drawScene(QColor(0x30, 0x30, 0x40), QColor(0x22, 0x1E, 0x1A), false)},
        {QStringLiteral("casa.png"), drawIcon(IconShape::House, QColor(0xA0, 0x40, 0x30))},
        {QStringLiteral("ajuda.png"), drawIcon(IconShape::Question, QColor(0x30, 0x60, 0xA0))},
        {QStringLiteral("seta.png"), drawIcon(IconShape::Arrow, QColor(0x30, 0x80, 0x40))},
        {QStringLiteral("porta.png"), drawIcon(IconShape::Door, QColor(0x80, 0x50, 0x20))},
        {QStringLiteral("chave.png"), drawIcon(IconShape::Key, QColor(0xB0, 0x90, 0x20))},
        {QStringLiteral("lanterna.png"), drawIcon(IconShape::Lamp, QColor(0xE0, 0xA0, 0x20))},
    };
    for (const auto &[name, image] : pictures)
        files.write(prefix, name, pngBytes(image));
}

// The adventure's own sound is a copy of a library sound.
void storeSound(const Context &context, const QString &prefix)
{
    QFile sound(soundLibraryDir(context.SiteDir) + QStringLiteral("/amb_vento.mp3"));
    if (sound.open(QIODevice::ReadOnly))
        context.Files.write(prefix, QStringLiteral("vento.mp3"), sound.readAll());
}

void storeObjects(Store &store, qint64 adventureId)
{
    store.createObject(adventureId, QStringLiteral("chave"));
    store.placeObject(adventureId, QStringLiteral("chave"), QStringLiteral("sala"), QStringLiteral("chave.png"));
    store.createObject(adventureId, QStringLiteral("lanterna"));
    store.placeObject(adventureId, QStringLiteral("lanterna"), QStringLiteral("jogador"), QStringLiteral("lanterna.png"));
}

} // namespace

void seedDemo(Context &context)
{
    const QString login = QLatin1StringView(kDemoLogin);
    const QString prefix = QLatin1StringView(kDemoPrefix);
    if (!context.Auth.createAccount(login, login, QStringLiteral("demo@velorin.local")))
        return;
    const auto author = context.Auth.authenticate(login, login).Author;
    const auto pages = demoPages();
    const auto script = [](const std::pair<QString, PageModel> &page) {
        return nimbra::toCp1252(nimbra::generateScript(page.second, page.first));
    };
    context.Data.createAdventure(author->Id, prefix, QStringLiteral("A_casa_misteriosa"), pages[0].first,
                                 script(pages[0]));
    const auto adventure = context.Data.adventure(prefix);
    for (const auto &page : pages)
        context.Data.putScript(adventure->Id, page.first, script(page));
    context.Data.setParameters(adventure->Id, QStringLiteral("A_casa_misteriosa"), pages[0].first);
    context.Data.setStyle(adventure->Id, {QStringLiteral("Georgia"), QStringLiteral("2B2118"),
                                          QStringLiteral("F3E9D2"), QStringLiteral("C08040")});
    storeObjects(context.Data, adventure->Id);
    storePictures(context.Files, prefix);
    storeSound(context, prefix);
}

} // namespace velorin
