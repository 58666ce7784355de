#include "platform/cp949.h"
#include "fixtures/hex_bytes.h"

#include <gtest/gtest.h>

using platform::Cp949;
using fixtures::hexBytes;

TEST(Cp949, UsesTheWindowsTableNotIbms)
{
    ASSERT_TRUE(Cp949::available());
    // 8F 41 exists only in the extended (Windows) table.
    EXPECT_EQ(Cp949::decode(hexBytes("8F41")), QString(QChar(0xB885)));
    EXPECT_EQ(Cp949::encode(QString(QChar(0xB885))), hexBytes("8F41"));
}

TEST(Cp949, RoundTripsHangulAsciiAndLineFeed)
{
    const QString text = QString::fromUtf8("가A\n나");
    const QByteArray bytes = Cp949::encode(text);
    EXPECT_EQ(bytes, hexBytes("B0A1 41 0A B3AA"));
    EXPECT_EQ(Cp949::decode(bytes), text);
    EXPECT_TRUE(Cp949::isValid(bytes));
}

TEST(Cp949, UnmappableCharactersBecomeQuestionMark)
{
    EXPECT_EQ(Cp949::encode(QString(QChar(0x0E01))), hexBytes("3F"));
    EXPECT_EQ(Cp949::encode(QString::fromUtf8("a😀b")), hexBytes("61 3F 62"));
    EXPECT_FALSE(Cp949::canEncode(QString(QChar(0x0E01))));
    EXPECT_TRUE(Cp949::canEncode(QString::fromUtf8("가나다 abc")));
}

TEST(Cp949, InvalidBytesAreReportedNotDropped)
{
    EXPECT_FALSE(Cp949::isValid(hexBytes("B0")));
    EXPECT_TRUE(Cp949::decode(hexBytes("41 FF")).startsWith('A'));
    // A lead byte with nothing after it shows as the replacement character.
    EXPECT_EQ(Cp949::decode(hexBytes("41 B0")), QStringLiteral("A\uFFFD"));
    EXPECT_EQ(Cp949::decode(hexBytes("B0 A1 B0")), QStringLiteral("가\uFFFD"));
}
