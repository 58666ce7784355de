#include "core/game/e5_archive.h"
#include "core/game/e5_writer.h"
#include "fixtures/e5_encoder.h"
#include "fixtures/hex_bytes.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QFile>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace core::game;
using fixtures::hexBytes;

namespace {

// "10 11" -> bits packed MSB first into bytes (blanks ignored).
QByteArray bitString(const std::string &bits)
{
    fixtures::E5BitWriter w;
    for (char c : bits)
        if (c == '0' || c == '1')
            w.putBits(c == '1' ? 1u : 0u, 1);
    return w.bytes();
}

int decode(QByteArray &dst, const E5Dictionary &dict, qint64 remaining, const QByteArray &stream)
{
    BitReader bits(stream);
    return decodeEntry(std::span<quint8>(reinterpret_cast<quint8 *>(dst.data()), size_t(dst.size())), dict,
                       remaining, bits);
}

} // namespace

TEST(E5Gamma, ReadsTheVariableLengthNumbers)
{
    const struct { const char *bits; qint64 value; } cases[] = {
        {"0 0", 0},          {"0 1", 1},          {"10 00", 2},        {"10 11", 5},
        {"110 000", 6},      {"1110 0000", 14},   {"11111110 00000010", 256},
        {"11111110 11111111", 509},
    };
    for (const auto &c : cases) {
        const QByteArray stream = bitString(c.bits);
        BitReader bits(stream);
        EXPECT_EQ(bits.ReadGamma(), c.value) << c.bits;
    }
}

TEST(E5Gamma, EndOfInputAndOverflowGiveMinusOne)
{
    BitReader empty(QByteArrayView{});
    EXPECT_EQ(empty.ReadBits(1), -1);
    EXPECT_EQ(empty.ReadBits(0), 0);
    const QByteArray cut = bitString("1110 00"); // needs 4 bits, has 2 + padding... then ends
    BitReader c(QByteArrayView(cut).first(0));
    EXPECT_EQ(c.ReadGamma(), -1);
    // 31 leading ones would need a value beyond 2^31 - 1.
    const QByteArray ones(8, char(0xFF));
    BitReader o(ones);
    EXPECT_EQ(o.ReadGamma(), -1);
    // The writer's largest 31-bit value round-trips.
    fixtures::E5BitWriter w;
    w.putGamma(0x7FFFFFFF);
    BitReader big(w.bytes());
    EXPECT_EQ(big.ReadGamma(), 0x7FFFFFFF);
}

TEST(E5Decode, WorkedExampleIgnoresTheLastBits)
{
    E5Dictionary dict{};
    dict[0] = 0x41;
    dict[1] = 0x42;
    QByteArray out(6, '\0');
    EXPECT_EQ(decode(out, dict, 6, hexBytes("1F E0 44")), 0);
    EXPECT_EQ(out, hexBytes("41 42 41 42 41 42"));
    // The same stream with other trailing bits gives the same output.
    QByteArray again(6, '\0');
    EXPECT_EQ(decode(again, dict, 6, hexBytes("1F E0 47")), 0);
    EXPECT_EQ(again, out);
}

TEST(E5Decode, DistanceEdgeCases)
{
    const E5Dictionary dict = identityDictionary();
    fixtures::E5BitWriter ok;
    ok.putLiteral(7);
    ok.putLiteral(8);
    ok.putCopy(2, 3); // distance == i: copies from the first byte
    QByteArray out(5, '\0');
    EXPECT_EQ(decode(out, dict, 5, ok.bytes()), 0);
    EXPECT_EQ(out, hexBytes("07 08 07 08 07"));

    fixtures::E5BitWriter far;
    far.putLiteral(7);
    far.putLiteral(8);
    far.putCopy(3, 3); // distance i + 1
    QByteArray out2(5, '\0');
    EXPECT_EQ(decode(out2, dict, 5, far.bytes()), -1);

    fixtures::E5BitWriter zero;
    zero.putCopy(0, 3); // distance 0 keeps the zero-filled buffer
    QByteArray out3(3, '\0');
    EXPECT_EQ(decode(out3, dict, 3, zero.bytes()), 0);
    EXPECT_EQ(out3, QByteArray(3, '\0'));
}

TEST(E5Decode, NeverWritesPastTheRequestOrTheBuffer)
{
    const E5Dictionary dict = identityDictionary();
    fixtures::E5BitWriter w;
    w.putLiteral(1);
    w.putCopy(1, 10); // 11 bytes for a request of 4
    QByteArray out = hexBytes("00 00 00 00 55 55 55 55");
    EXPECT_EQ(decode(out, dict, 4, w.bytes()), -1);
    EXPECT_EQ(out, hexBytes("01 01 01 01 55 55 55 55"));

    QByteArray small(2, '\0');
    EXPECT_EQ(decode(small, dict, 3, w.bytes()), -1); // request larger than the buffer

    BitReader nothing(QByteArrayView{});
    EXPECT_EQ(decodeEntry({}, dict, 0, nothing), 0);
    EXPECT_EQ(nothing.bytesConsumed(), 0);
}

TEST(E5Decode, TruncatedStreamGivesMinusOne)
{
    const QByteArray data("abcabcabcabcxyz");
    const QByteArray packed = fixtures::E5Pack(data, identityDictionary());
    QByteArray out(data.size(), '\0');
    EXPECT_EQ(decode(out, identityDictionary(), data.size(), packed.first(packed.size() - 1)), -1);
}

TEST(E5Decode, EncoderRoundTrips)
{
    QRandomGenerator rng(1234);
    const E5Dictionary dicts[] = {identityDictionary(), fixtures::ShuffledDictionary()};
    for (int round = 0; round < 40; ++round) {
        const int size = int(rng.bounded(1, 5000));
        QByteArray data(size, '\0');
        const int alphabet = round % 3 == 0 ? 256 : 4; // noise or long repeats
        for (int i = 0; i < size; ++i)
            data[i] = char(rng.bounded(alphabet));
        for (const E5Dictionary &dict : dicts) {
            for (const QByteArray &stream : {fixtures::E5Pack(data, dict), fixtures::E5PackLiterals(data, dict)}) {
                QByteArray out(size, '\0');
                ASSERT_EQ(decode(out, dict, size, stream), 0) << "round " << round;
                ASSERT_EQ(out, data) << "round " << round;
            }
        }
    }
}

TEST(E5BytesToLongBE, ReadsPositiveNumbersOnly)
{
    EXPECT_EQ(bytesToLongBE(hexBytes("00 00 01 10")), 272);
    EXPECT_EQ(bytesToLongBE(hexBytes("7F FF FF FF")), 2147483647);
    EXPECT_FALSE(bytesToLongBE(hexBytes("80 00 00 00")));
    EXPECT_FALSE(bytesToLongBE(hexBytes("00 00 01")));
    EXPECT_EQ(bytesToLongBE(hexBytes("FF 00 00 01 10"), 1), 272);
    EXPECT_FALSE(bytesToLongBE(hexBytes("00 00 01 10"), 1));
    EXPECT_FALSE(bytesToLongBE(hexBytes("00 00 01 10"), -1));
    // The first directory field of an archive.
    const QByteArray a = buildE5Archive({E5StoredEntry::raw("xyz")}, identityDictionary());
    EXPECT_EQ(bytesToLongBE(a, 272), 3);
    EXPECT_EQ(bytesToLongBE(a, 280), 284);
}

class E5ArchiveRead : public ::testing::Test
{
protected:
    QByteArray plain{"the quick brown fox jumps over the lazy dog, the quick brown fox"};
    QByteArray archive = buildE5Archive(
        {E5StoredEntry::raw("raw entry bytes"), fixtures::E5PackedEntry(plain, fixtures::ShuffledDictionary()),
         E5StoredEntry{"ab", 2}},
        fixtures::ShuffledDictionary());
};

TEST_F(E5ArchiveRead, RawAndPackedEntriesFromMemoryAndFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.e5");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(archive);
    f.close();
    for (int n = 0; n < 3; ++n) {
        const E5Entry mem = readE5EntryFromBytes(archive, n);
        const E5Entry file = readE5Entry(path, n);
        ASSERT_TRUE(mem.ok()) << n;
        EXPECT_EQ(mem.bytes, file.bytes) << n;
        EXPECT_EQ(file.status, E5Status::Ok);
    }
    EXPECT_EQ(readE5EntryFromBytes(archive, 0).bytes, QByteArray("raw entry bytes"));
    EXPECT_EQ(readE5EntryFromBytes(archive, 1).bytes, plain);
    EXPECT_EQ(readE5EntryFromBytes(archive, 2).bytes, QByteArray("ab")); // equal sizes: raw whatever the bytes
    EXPECT_EQ(readE5Entry(dir.filePath("missing.e5"), 0).status, E5Status::CannotOpen);
}

TEST_F(E5ArchiveRead, DamagedDirectoriesGiveAStatusWithPosition)
{
    auto withBE = [&](qint64 pos, quint32 v) {
        QByteArray a = archive;
        a[pos] = char(v >> 24);
        a[pos + 1] = char(v >> 16);
        a[pos + 2] = char(v >> 8);
        a[pos + 3] = char(v);
        return a;
    };
    const struct { const char *what; QByteArray bytes; int entry; E5Status status; qint64 pos; } cases[] = {
        {"sign bit in stored size", withBE(272, 0x80000000u), 0, E5Status::BadDirectory, 272},
        {"entry past the directory", archive.first(300), 3, E5Status::BadDirectory, 308},
        {"negative entry", archive, -1, E5Status::BadDirectory, 272},
        {"raw offset past end", withBE(280, quint32(archive.size())), 0, E5Status::BadOffset, 280},
        {"packed offset past end", withBE(272 + 12 + 8, 0x7FFFFFFFu), 1, E5Status::BadOffset, 272 + 12 + 8},
        {"absurd unpacked size", withBE(272 + 12 + 4, 0x7FFFFFFFu), 1, E5Status::TooLarge, 272 + 12 + 4},
        {"file cut before the last entry", archive.first(archive.size() - 1), 2, E5Status::BadOffset, 272 + 24 + 8},
    };
    for (const auto &c : cases) {
        const E5Entry e = readE5EntryFromBytes(c.bytes, c.entry);
        EXPECT_EQ(e.status, c.status) << c.what;
        if (c.pos != -2) {
            EXPECT_EQ(e.errorPosition, c.pos) << c.what;
        }
        EXPECT_FALSE(e5StatusMessage(e.status, "t.e5", c.entry, e.errorPosition).isEmpty()) << c.what;
    }
}

TEST_F(E5ArchiveRead, DamagedPackedEntryKeepsItsSizeWithZeroTail)
{
    QByteArray a = archive;
    const qint64 packedOffset = *bytesToLongBE(a, 272 + 12 + 8);
    a.truncate(packedOffset + 3); // cuts the stream and everything after it
    const E5Entry e = readE5EntryFromBytes(a, 1);
    EXPECT_EQ(e.status, E5Status::Damaged);
    ASSERT_EQ(e.bytes.size(), plain.size());
    EXPECT_EQ(e.bytes.back(), '\0');
    EXPECT_EQ(e.bytes.front(), plain.front());
}

// Entries made from one shared payload are stored once and all read back.
TEST(E5Writer, SharedPayloadsAreStoredOnce)
{
    const QByteArray a(3000, 'a'), b(2000, 'b');
    QList<E5StoredEntry> entries;
    for (int e = 0; e < 100; ++e)
        entries << E5StoredEntry::raw(e % 2 ? b : a);
    entries << E5StoredEntry::raw(QByteArray(3000, 'a'));  // equal bytes, its own copy
    const QByteArray archive = buildE5Archive(entries, identityDictionary());
    EXPECT_LT(archive.size(), 4 * 3000 + 2000);
    for (int e = 0; e < entries.size(); ++e) {
        const E5Entry got = readE5EntryFromBytes(archive, e);
        ASSERT_TRUE(got.ok()) << e;
        EXPECT_EQ(got.bytes, entries[e].stored) << e;
    }
}
