#pragma once
// In-place unpacking of the game's short data archive, so the name loader can
// read its records directly. The file is rewritten only when all six entries
// decoded cleanly, entries 0 and 1 to at least the person and item tables
// the loader reads, and then atomically.
#include <QString>

namespace core::game {

constexpr int kDataFileEntryCount = 6;
// A data archive shorter than this still holds packed entries.
constexpr qint64 kPackedDataFileLimit = 29581;

enum class DataFileStatus {
    Unpacked,         // rewritten with every entry raw
    AlreadyUnpacked,  // every entry was raw already: file not touched
    CannotOpen,
    NotArchive,       // too short or directory fields out of range: untouched
    TrailingData,     // bytes after the last entry: untouched
    Damaged,          // an entry did not decode, or is shorter than its table: untouched
    WriteFailed,      // the new file could not be written: old file kept
};

struct DataFileResult
{
    DataFileStatus status = DataFileStatus::CannotOpen;
    int entry = -1;       // the entry at fault, -1 when none
    qint64 position = -1; // file offset of the fault, -1 when none
    QString message;      // for the user; empty on success
    bool ok() const { return status == DataFileStatus::Unpacked || status == DataFileStatus::AlreadyUnpacked; }
};

DataFileResult decodeDataFile(const QString &path);

} // namespace core::game
