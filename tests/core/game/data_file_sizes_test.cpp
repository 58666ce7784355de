// A packed data archive whose directory promises entries shorter than the
// name loader reads (entry 0's 1,024 person records, entry 1's 104 item
// records) is reported as damaged before anything is written: unpacking it
// would rewrite the only copy into a file that still cannot be read.
#include "core/game/data_file_unpack.h"
#include "core/game/e5_archive.h"
#include "core/game/game_data.h"
#include "fixtures/game_folder_builder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace core::game;
using namespace fixtures;

namespace {

qint64 unpackedSizeField(int entry) { return kE5DirectoryOffset + kE5DirectoryStride * entry + 4; }

void putBE(QByteArray &bytes, qint64 pos, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[pos + i] = char(value >> (24 - 8 * i));
}

} // namespace

TEST(DecodeDataFileSizes, AnEntryShorterThanTheLoaderReadsIsDamagedAndNothingIsWritten)
{
    struct Case {
        const char *name;
        DataArchiveKind kind;
        int entry;
        qint64 size;  // the unpacked size the directory now gives
    };
    const qint64 persons = qint64(kPersonRecordSize) * kPersonCount;
    const qint64 items = qint64(kItemRecordSize) * kDataItemCount;
    const Case cases[] = {
        {"person table 0x8000 -> 0x4500", DataArchiveKind::Packed, 0, 0x4500},
        {"person table one byte short", DataArchiveKind::Packed, 0, persons - 1},
        {"person table one byte short, mixed", DataArchiveKind::PackedMixed, 0, persons - 1},
        {"item table one record short", DataArchiveKind::Packed, 1, items - kItemRecordSize},
        {"item table one byte short, mixed", DataArchiveKind::PackedMixed, 1, items - 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes = DataArchive(c.kind);
        ASSERT_EQ(*bytesToLongBE(bytes, unpackedSizeField(0)), persons);
        ASSERT_EQ(*bytesToLongBE(bytes, unpackedSizeField(1)), items);
        putBE(bytes, unpackedSizeField(c.entry), quint32(c.size));
        QTemporaryDir dir;
        const QString path = dir.filePath("Data.e5");
        WriteFileBytes(path, bytes);

        const DataFileResult r = decodeDataFile(path);
        EXPECT_EQ(r.status, DataFileStatus::Damaged);
        EXPECT_EQ(r.entry, c.entry);
        EXPECT_EQ(r.position, unpackedSizeField(c.entry));
        EXPECT_FALSE(r.message.isEmpty());
        EXPECT_EQ(ReadFileBytes(path), bytes) << "the damaged archive was rewritten";
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
    }
}
