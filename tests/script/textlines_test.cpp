#include "testutil.h"
#include "textlines.h"

#include <gtest/gtest.h>

using namespace nimbra;

TEST(TextLines, SplitsAtEveryTerminator)
{
    struct Case {
        const char *text;
        std::initializer_list<const char *> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"Ok", {"Ok"}},
        {"Ok\r\n", {"Ok"}},
        {"Ok\r", {"Ok"}},
        {"Ok\n", {"Ok"}},
        {"\r\n", {""}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n\n", {"", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(splitLines(u8(c.text)), u8Lines(c.lines));
    }
}

TEST(TextLines, TheScriptOfAReplyIsWhatFollowsItsStatusLine)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Ok\r\na\nb\r\n", "a\nb\r\n"}, {"Ok\rc", "c"}, {"Ok\n\r\n", "\r\n"}, {"Ok", ""}, {"", ""},
    };
    for (const auto &[reply, script] : cases)
        EXPECT_EQ(scriptOfReply(u8(reply)), u8(script)) << reply;
}

TEST(TextLines, AReplysStatusIsItsFirstLineAndAnEmptyOneSaysTryAgain)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Ok\r\na", "Ok"}, {"Script não encontrado\nx", "Script não encontrado"}, {"Ok", "Ok"},
        {"", "Tente novamente!"}, {"\r\nOk", "Tente novamente!"},
    };
    for (const auto &[reply, status] : cases)
        EXPECT_EQ(replyStatus(u8(reply)), u8(status)) << reply;
}

TEST(TextLines, JoinEndsEveryLineWithCrLf)
{
    EXPECT_EQ(joinLinesCrLf({}), QString());
    EXPECT_EQ(joinLinesCrLf({QStringLiteral("a"), QString(), QStringLiteral("b")}), QStringLiteral("a\r\n\r\nb\r\n"));
}

TEST(TextLines, TrimRemovesBlanksAndControlsOnly)
{
    EXPECT_EQ(trimLine(QStringLiteral(" \t\x01 ab c \x1f\x7f")), QStringLiteral("ab c \x1f\x7f"));
    EXPECT_EQ(trimLine(QStringLiteral("\u00A0x\u00A0")), QStringLiteral("\u00A0x\u00A0"));
    EXPECT_EQ(trimLine(QStringLiteral("   ")), QString());
}

TEST(TextLines, UnderscoresAndBlanksSwapOneForOne)
{
    EXPECT_EQ(UnderscoreToBlank(QStringLiteral("a__b_")), QStringLiteral("a  b "));
    EXPECT_EQ(BlankToUnderscore(QStringLiteral("a  b ")), QStringLiteral("a__b_"));
    EXPECT_EQ(BlankToUnderscore(UnderscoreToBlank(QStringLiteral("x__y"))), QStringLiteral("x__y"));
    EXPECT_EQ(UnderscoreToBlank(QString()), QString());
}
