#include "core/game/data_file_unpack.h"
#include "core/game/e5_archive.h"
#include "core/game/e5_writer.h"
#include "fixtures/game_folder_builder.h"

#include <QFileInfo>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace core::game;
using namespace fixtures;

namespace {
QString writeTemp(QTemporaryDir &dir, const QByteArray &bytes)
{
    const QString path = dir.filePath("Data.e5");
    WriteFileBytes(path, bytes);
    return path;
}
} // namespace

TEST(DecodeDataFile, UnpacksPackedArchiveOnceAndInPlace)
{
    for (DataArchiveKind kind : {DataArchiveKind::Packed, DataArchiveKind::PackedMixed}) {
        const QByteArray packed = DataArchive(kind);
        ASSERT_LT(packed.size(), kPackedDataFileLimit);
        QTemporaryDir dir;
        const QString path = writeTemp(dir, packed);

        const DataFileResult first = decodeDataFile(path);
        ASSERT_EQ(first.status, DataFileStatus::Unpacked) << first.message.toStdString();
        const QByteArray unpacked = ReadFileBytes(path);
        EXPECT_EQ(unpacked, ExpectedUnpackedArchive(kind));

        // Every entry now reads raw with the bytes the packed file held.
        const QList<QByteArray> entries = FixtureDataEntries();
        for (int k = 0; k < kDataFileEntryCount; ++k) {
            EXPECT_EQ(readE5EntryFromBytes(packed, k).bytes, entries[k]) << k;
            const E5Entry e = readE5EntryFromBytes(unpacked, k);
            EXPECT_TRUE(e.ok());
            EXPECT_EQ(e.bytes, entries[k]) << k;
            EXPECT_EQ(*bytesToLongBE(unpacked, 272 + 12 * k), entries[k].size());
        }
        EXPECT_EQ(*bytesToLongBE(unpacked, 292), *bytesToLongBE(unpacked, 280) + entries[0].size());

        // A second run finds nothing to do.
        EXPECT_EQ(decodeDataFile(path).status, DataFileStatus::AlreadyUnpacked);
        EXPECT_EQ(ReadFileBytes(path), unpacked);
    }
}

TEST(DecodeDataFile, DamagedArchivesAreLeftUntouched)
{
    const struct { DataDamage damage; DataFileStatus status; int entry; } cases[] = {
        {DataDamage::BadDistance, DataFileStatus::Damaged, 2},
        {DataDamage::OverrunSize, DataFileStatus::Damaged, 2},
        {DataDamage::StreamEnds, DataFileStatus::Damaged, 2},
        {DataDamage::DirectorySign, DataFileStatus::NotArchive, 3},
        {DataDamage::OffsetPastEnd, DataFileStatus::NotArchive, 4},
        {DataDamage::AbsurdSize, DataFileStatus::NotArchive, 5},
        {DataDamage::TrailingData, DataFileStatus::TrailingData, -1},
        {DataDamage::NotArchive, DataFileStatus::NotArchive, -1},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const QByteArray bytes = DamagedDataArchive(c.damage);
        const QString path = writeTemp(dir, bytes);
        const QDateTime before = QFileInfo(path).lastModified();
        const DataFileResult r = decodeDataFile(path);
        EXPECT_EQ(r.status, c.status) << int(c.damage);
        EXPECT_EQ(r.entry, c.entry) << int(c.damage);
        EXPECT_FALSE(r.ok());
        EXPECT_FALSE(r.message.isEmpty());
        EXPECT_EQ(ReadFileBytes(path), bytes) << int(c.damage);
        EXPECT_EQ(QFileInfo(path).lastModified(), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
    }
}

TEST(DecodeDataFile, SmallUnpackedFileIsNeverRewritten)
{
    // Raw entries only, but short: a truncated person table.
    QList<E5StoredEntry> entries;
    for (int k = 0; k < 6; ++k)
        entries << E5StoredEntry::raw(QByteArray(100 + k, char('a' + k)));
    const QByteArray bytes = buildE5Archive(entries, identityDictionary());
    QTemporaryDir dir;
    const QString path = writeTemp(dir, bytes);
    EXPECT_EQ(decodeDataFile(path).status, DataFileStatus::AlreadyUnpacked);
    EXPECT_EQ(ReadFileBytes(path), bytes);
    EXPECT_EQ(decodeDataFile(dir.filePath("none.e5")).status, DataFileStatus::CannotOpen);
}
