#include "platform/cp949.h"
#include "fixtures/hex_bytes.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <optional>

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

namespace {

// The codec's own answer for two bytes on their own: the one character they
// make, or nothing.
std::optional<QChar> pairByTheCodec(quint8 lead, quint8 trail)
{
    QStringDecoder dec("windows-949", QStringDecoder::Flag::Stateless);
    const char bytes[3] = {char(lead), char(trail), 0};
    const QString s = dec(QByteArrayView(bytes, 3));
    if (s.size() == 2 && s[0] != QChar(0xFFFD))
        return s[0];
    return std::nullopt;
}

} // namespace

TEST(Cp949, ABadLeadByteNeverSwallowsTheLetterAfterIt)
{
    // 93 BA is one character; E8 takes no trail byte 74, so 74 is "t".
    EXPECT_EQ(Cp949::decode(hexBytes("93BA E8 74")), QString(QChar(0xBC9F)) + QStringLiteral("\uFFFDt"));
    EXPECT_EQ(Cp949::decode(hexBytes("41 A1 40 0A B0")), QStringLiteral("A\uFFFD@\n\uFFFD"));
    // Every byte from 80 on before every printable ASCII letter and a line
    // feed: either the pair the codec makes of them, or one replacement
    // character and the letter as itself.
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0x0A; trail <= 0x7E; trail = trail == 0x0A ? 0x20 : trail + 1) {
            const char pair[2] = {char(lead), char(trail)};
            const QByteArray bytes(pair, 2);
            const QString shown = Cp949::decode(bytes);
            if (const auto pair = pairByTheCodec(quint8(lead), quint8(trail))) {
                EXPECT_EQ(shown, QString(*pair)) << lead << " " << trail;
                continue;
            }
            ASSERT_EQ(shown.size(), 2) << lead << " " << trail;
            EXPECT_EQ(shown[1], QChar(trail)) << lead << " " << trail;
        }
    }
}

TEST(Cp949, EachCharacterKnowsWhereItsBytesBegin)
{
    QList<qsizetype> starts;
    // 가, A, a lone lead byte before "t", a line feed, a carriage return, FE
    // before a trail byte it does not take, and a lead byte at the very end.
    const QByteArray bytes = hexBytes("B0A1 41 E8 74 0A 0D FE41 C9");
    EXPECT_EQ(Cp949::decode(bytes, &starts), QStringLiteral("가A\uFFFDt\n\r\uFFFDA\uFFFD"));
    EXPECT_EQ(starts, (QList<qsizetype>{0, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_FALSE(Cp949::isValid(bytes));
    EXPECT_TRUE(Cp949::isValid(hexBytes("B0A1 41 0A 0D")));
    Cp949::decode(QByteArray(), &starts);
    EXPECT_EQ(starts, QList<qsizetype>{0});
}

TEST(Cp949, ValidTextDecodesAsTheCodecDecodesIt)
{
    // Every character of the table, one after the other, and ASCII around.
    QByteArray all = "a\n";
    QString expected = QStringLiteral("a\n");
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x41; trail <= 0xFE; ++trail) {
            if (const auto pair = pairByTheCodec(quint8(lead), quint8(trail))) {
                all += char(lead);
                all += char(trail);
                expected += *pair;
            }
        }
    }
    all += "z";
    expected += u'z';
    QStringDecoder dec("windows-949", QStringDecoder::Flag::Stateless);
    EXPECT_EQ(QString(dec(all)), expected);
    EXPECT_EQ(Cp949::decode(all), expected);
    EXPECT_TRUE(Cp949::isValid(all));
}
