#include "core/key_codec.h"
#include "fixtures/hex_bytes.h"

#include <gtest/gtest.h>

using namespace core;

TEST(KeyCodec, LongToHexKeepsLowBytesInOrder)
{
    struct Case { std::int64_t v; int n; bool swap; const char *hex; };
    const Case cases[] = {
        {-1, 2, true, "FFFF"},       {0x0102, 2, true, "0201"},  {0x0102, 2, false, "0102"},
        {7, 4, true, "07000000"},    {0x12C, 1, true, "2C"},     {0x12C, 1, false, "2C"},
        {0x11223344, 4, true, "44332211"}, {-2, 4, true, "FEFFFFFF"}, {65536, 2, true, "0000"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(longToHex(c.v, c.n, c.swap), QString(c.hex)) << c.v << " " << c.n;
}

TEST(KeyCodec, HexToLongReadsLittleEndianSigned)
{
    EXPECT_EQ(hexToLong(u"1400FFFF", 5, 2), 65535);
    EXPECT_EQ(hexToLong(u"FFFFFFFF", 1, 4), -1);
    EXPECT_EQ(hexToLong(u"0A000000", 1, 4), 10);
    EXPECT_EQ(hexToLong(u"00000080", 1, 4), std::int32_t(0x80000000u));
    EXPECT_EQ(hexToLong(u"1400", 1, 2), 0x14);
    // Past the end reads fewer digits; no digit at all, or a character that
    // is not a hex digit, fails.
    EXPECT_EQ(hexToLong(u"14", 1, 2), 0x14);
    for (const auto &[text, pos] : {std::pair{u"14", 5}, {u"1G00", 1}, {u"", 1}, {u"00 0", 1}, {u"1400", 0}})
        EXPECT_FALSE(hexToLong(text, pos, 2).has_value()) << QString::fromUtf16(text).toStdString() << " @" << pos;
    // A key field reads the same; past a short record it reads 0.
    EXPECT_EQ(keyField(u"1400FFFF_3", 5, 2), 65535);
    EXPECT_EQ(keyField(u"1400", 5, 2), 0);
}

TEST(KeyCodec, FieldRewriteKeepsLengthAndSuffix)
{
    QString key = "2B000200FFFF_5";
    EXPECT_TRUE(keyValueApply("3", key, 9, false));
    EXPECT_EQ(key, "2B0002000300_5");
    // Not a number, or too big for the field: the call fails, the key stays.
    for (const char *bad : {"", "abc", "-", "65536", "-32769", "1e3"}) {
        EXPECT_FALSE(keyValueApply(bad, key, 9, false)) << bad;
        EXPECT_EQ(key, "2B0002000300_5") << bad;
    }
    EXPECT_TRUE(keyValueApply("-1", key, 9, false));
    EXPECT_EQ(key, "2B000200FFFF_5");
    QString wide = "0400FFFFFFFF_1";
    EXPECT_FALSE(keyValueApply("4294967296", wide, 5, true));
    EXPECT_FALSE(keyValueApply("-2147483649", wide, 5, true));
    EXPECT_EQ(wide, "0400FFFFFFFF_1");
    EXPECT_TRUE(keyValueApply("4294967295", wide, 5, true));
    EXPECT_TRUE(keyValueApply("-2147483648", wide, 5, true));
    EXPECT_EQ(wide, "040000000080_1");
    EXPECT_FALSE(keyWriteFieldChecked(key, 9, 2, 65536));
    EXPECT_FALSE(keyWriteFieldChecked(key, 11, 2, 1));  // runs into the suffix
    EXPECT_EQ(key, "2B000200FFFF_5");
    EXPECT_TRUE(keyWriteFieldChecked(key, 9, 2, 65535));
}

TEST(KeyCodec, FieldWritesStayInsideTheRecord)
{
    // A field past the end of a short record, or a width the codec does not
    // write, leaves the key (and its serial) as it was.
    struct Case { int pos; int n; };
    for (const Case c : {Case{9, 2}, {7, 2}, {9, 4}, {0, 2}, {1, 0}, {1, 5}, {-1, 2}}) {
        QString key = "67000400_123456789";
        keyWriteField(key, c.pos, c.n, 3);
        EXPECT_EQ(key, "67000400_123456789") << c.pos << "," << c.n;
        EXPECT_FALSE(keyWriteFieldChecked(key, c.pos, c.n, 3)) << c.pos << "," << c.n;
        EXPECT_EQ(key, "67000400_123456789") << c.pos << "," << c.n;
    }
    // A box's number for such a field is not applied, and the call says so.
    for (const auto &[pos, longValue] : {std::pair{9, false}, {7, false}, {5, true}, {0, false}, {-1, false}}) {
        QString key = "67000400_123456789";
        EXPECT_FALSE(keyValueApply("3", key, pos, longValue)) << pos << "," << longValue;
        EXPECT_EQ(key, "67000400_123456789") << pos << "," << longValue;
    }
    // The last field of the record is still written, with or without a suffix.
    QString key = "67000400_123456789";
    keyWriteField(key, 5, 2, 3);
    EXPECT_EQ(key, "67000300_123456789");
    EXPECT_TRUE(keyValueApply("5", key, 5, false));
    EXPECT_EQ(key, "67000500_123456789");
    QString bare = "67000400";
    keyWriteField(bare, 5, 2, 0x1234);
    EXPECT_EQ(bare, "67003412");
}

TEST(KeyCodec, KeyValueShowDecimalAndHex)
{
    const QString key = "0000FFFFFFFF_1";
    EXPECT_EQ(keyValueShow(key, 5, true), "-1");
    EXPECT_EQ(keyValueShow(key, 5, true, true), "FFFFFFFF");
    EXPECT_EQ(keyValueShow(key, 5, false), "65535");
}

TEST(KeyCodec, WAsciiEncodesCp949)
{
    EXPECT_EQ(wAscii(QString::fromUtf8("가A")), "B0A141");
    EXPECT_EQ(wAscii("\n"), "0A");
    EXPECT_EQ(wAscii(""), "");
    EXPECT_EQ(wAscii(QString(QChar(0x0E01))), "3F");
}

TEST(KeyCodec, WriteHexAtIgnoresBlanks)
{
    QByteArray buf;
    EXPECT_TRUE(writeHexAt(u"45 45 58 00 01 02 00 00 00 00", 0, buf));
    EXPECT_EQ(buf, fixtures::hexBytes("45455800010200000000"));
    EXPECT_TRUE(writeHexAt(u"AB", 12, buf));
    EXPECT_EQ(buf.size(), 13);
    EXPECT_FALSE(writeHexAt(u"", 0, buf));
    EXPECT_FALSE(writeHexAt(u"4X", 0, buf));
}

TEST(KeyCodec, RecordPartsAndCodes)
{
    EXPECT_EQ(recordPart("1400050000_7"), u"1400050000");
    EXPECT_EQ(keySuffix("020005004100_0000225"), u"_0000225");
    EXPECT_EQ(keyCode("6E000400000000000200_9"), 0x6E);
    EXPECT_EQ(keyCode("Section_1_10_"), -1);
    EXPECT_EQ(recordLength("1400050000_7"), 5);
    EXPECT_FALSE(recordBytes("14000_1").has_value());
    EXPECT_EQ(*recordBytes("1400_1"), fixtures::hexBytes("1400"));
}

TEST(KeyCodec, TextItemsReadAndReplaceCountingBytes)
{
    QString key = "14000500" + wAscii(QString::fromUtf8("가\nb")) + "00_3";
    EXPECT_EQ(keyTextString(key, 9), QString::fromUtf8("가\nb"));
    const int delta = keyReplaceText(key, 9, "xyz");
    EXPECT_EQ(delta, 3 - 4);
    EXPECT_EQ(key, "14000500" "78797A" "00_3");
    // Bytes that are not valid CP949 survive a byte-level rewrite untouched.
    EXPECT_EQ(keyReplaceTextBytes(key, 9, fixtures::hexBytes("FF")), -2);
    EXPECT_EQ(keyTextAt(key, 9).bytes, fixtures::hexBytes("FF"));
}
