// The manifest: what it keeps, what it refuses, and the page file names.
#include "filenames.h"
#include "manifest.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace nimbra;

namespace {

Manifest fullManifest()
{
    Manifest m;
    m.Prefix = u8("cas");
    m.Title = u8("A casa \"misteriosa\" à noite");
    m.StartPage = u8("inicio");
    m.Look = AdventureLook{u8("Georgia"), u8("2B2118"), u8("F3E9D2"), u8("C08040")};
    m.Pages = {u8("inicio"), u8("sala de estar"), u8("porão"), u8("a%b{}")};
    m.Files = {{u8("sala.png"), true}, {u8("vento.mp3"), false}};
    m.Objects = {{u8("chave"), u8("sala"), u8("chave.png")}, {u8("lanterna"), u8("jogador"), QString()}};
    return m;
}

// The manifest with one name in every list and as the start page.
QByteArray manifestNaming(const QString &name)
{
    Manifest m = fullManifest();
    m.StartPage = name;
    m.Pages.append(name);
    m.Files.append({name, true});
    m.Objects.append({name, u8("sala"), u8("x.png")});
    return writeManifest(m);
}

} // namespace

TEST(Manifest, ReadsBackWhatWasWritten)
{
    Manifest withoutLook = fullManifest();
    withoutLook.Look.reset();
    withoutLook.StartPage.clear();
    for (const Manifest &m : {fullManifest(), withoutLook, Manifest()}) {
        const ManifestRead read = readManifest(writeManifest(m));
        ASSERT_TRUE(read.Read);
        EXPECT_EQ(*read.Read, m);
        EXPECT_EQ(read.Problems, QStringList());
    }
}

TEST(Manifest, MalformedTextsAreReported)
{
    struct Case {
        const char *text;
        bool read;             // a manifest comes out at all
        const char *firstLine; // the start of the first problem line
        int problems;
    };
    const Case cases[] = {
        {"", false, "Manifesto ilegível: ", 1},
        {"{ \"formato\": 1, ", false, "Manifesto ilegível: ", 1},
        {"[1, 2]", false, "Manifesto ilegível: não é um objeto", 1},
        {"{\"formato\": 2}", false, "Formato de cópia desconhecido!!!", 1},
        {"{\"paginas\": [\"inicio\"]}", false, "Formato de cópia desconhecido!!!", 1},
        {"{\"formato\": 1, \"visual\": {\"fonte\": \"Arial\"}}", true, "Visual incompleto na cópia", 1},
        {"{\"formato\": 1, \"paginas\": [1, null, \"inicio\"]}", true, "Página sem nome na cópia", 2},
        {"{\"formato\": 1, \"arquivos\": [{\"copia\": true}], \"objetos\": [7]}", true, "Arquivo sem nome", 2},
        {"{\"formato\": 1, \"paginas\": \"inicio\"}", true, nullptr, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const ManifestRead read = readManifest(QByteArray(c.text));
        EXPECT_EQ(read.Read.has_value(), c.read);
        ASSERT_EQ(read.Problems.size(), c.problems) << read.Problems.join(u'|').toStdString();
        if (c.firstLine) {
            EXPECT_TRUE(read.Problems.first().startsWith(u8(c.firstLine))) << read.Problems.first().toStdString();
        }
    }
}

// A refused name is left out of every list, with one line each that shows
// it without its control characters; the other entries stay.
TEST(Manifest, HostileNamesAreLeftOut)
{
    const QString hostile[] = {u8("../x"), u8("/etc/passwd"), u8("a/b"), u8("a\\b"), u8(".."), u8("."),
                               QString(QChar(0)) + u8("b"), u8("linha\nnova"), u8("\x7f")};
    for (const QString &name : hostile) {
        SCOPED_TRACE(shownName(name).toStdString());
        const ManifestRead read = readManifest(manifestNaming(name));
        ASSERT_TRUE(read.Read);
        Manifest kept = fullManifest();
        kept.StartPage.clear();
        EXPECT_EQ(*read.Read, kept);
        ASSERT_EQ(read.Problems.size(), 4);
        for (const QString &line : read.Problems)
            EXPECT_TRUE(line.contains(u8(" com nome recusado: ") + shownName(name))) << line.toStdString();
    }
}

TEST(Manifest, PageFileNamesAreOneEncodedComponent)
{
    const std::pair<const char *, const char *> cases[] = {
        {"sala", "sala.txt"},           {"sala de estar", "sala%20de%20estar.txt"},
        {"..", "%2E%2E.txt"},           {"../x", "%2E%2E%2Fx.txt"},
        {"a\\b", "a%5Cb.txt"},          {"porão", "por%C3%A3o.txt"},
        {"a%2Fb", "a%252Fb.txt"},       {"Sala.txt", "Sala%2Etxt.txt"},
    };
    for (const auto &[page, file] : cases) {
        EXPECT_EQ(pageFileName(u8(page)), u8(file));
        EXPECT_TRUE(isPlainFileName(pageFileName(u8(page))));
    }
}
