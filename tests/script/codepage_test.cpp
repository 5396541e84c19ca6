#include "codepage.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace nimbra;

TEST(CodePage, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1252(text), all);
}

TEST(CodePage, MapsTheCodePageLetters)
{
    struct Case {
        unsigned char byte;
        char16_t ch;
    };
    const Case cases[] = {
        {0x41, u'A'},   {0x80, 0x20AC}, {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F},
        {0x90, 0x0090}, {0x9D, 0x009D}, {0x92, 0x2019}, {0x9F, 0x0178}, {0xA0, 0x00A0},
        {0xE1, u'á'},   {0xE7, u'ç'},   {0xE3, u'ã'},   {0xFF, u'ÿ'},   {0x00, 0x0000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.byte));
        const QByteArray byte(1, char(c.byte));
        EXPECT_EQ(fromCp1252(byte), QString(QChar(c.ch)));
        EXPECT_EQ(toCp1252(QString(QChar(c.ch))), byte);
    }
}

TEST(CodePage, UnrepresentableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(toCp1252(QStringLiteral("a\u4E2Db\u0100")), QByteArray("a?b?"));
    EXPECT_EQ(toCp1252(QStringLiteral("\U0001F600")), QByteArray("??")); // two UTF-16 halves
}
