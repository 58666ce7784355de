#pragma once
// The name tables and records the editor reads from the game folder: persons
// and items from the data archive, twelve more items from "star.e5", troop
// names and unit models from the executable.
#include "core/name_tables.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

namespace core::game {

constexpr int kPersonCount = 1024;          // persons in the data archive
constexpr int kCharNameCount = 5124;        // + 4 group words + 4096 variable persons
constexpr int kVariablePersonCount = 4096;
constexpr int kItemCount = 116;
constexpr int kDataItemCount = 104;         // items 0..103 from the data archive
constexpr int kPersonRecordSize = 32;
constexpr int kPersonNameSize = 12;
constexpr int kItemRecordSize = 25;
constexpr int kItemNameSize = 17;
constexpr qint64 kPersonTableField = 0x118; // directory offset field of entry 0
constexpr qint64 kItemTableField = 0x124;   // directory offset field of entry 1
constexpr qint64 kStarItemOffset = 650;     // twelve item records in "star.e5"
constexpr int kDefaultTroopNameLength = 9;
constexpr int kDefaultTroopCount = 240;     // used when the setting is empty or invalid
constexpr int kWeaponBlanks = 39;
constexpr int kDefenceBlanks = 38;
constexpr int kAssistBlanks = 37;

inline const QString kDefaultExeName = QStringLiteral("Ekd5.exe");
inline const QString kDefaultDataName = QStringLiteral("Data.e5");
inline const QString kStarFileName = QStringLiteral("star.e5");

// The fields of a person that the dialogs and previews read.
struct PersonRecord
{
    QString name;
    quint16 face = 0;     // little-endian u16 at +13
    quint8 mapModel = 0;  // +15
    quint8 troop = 0;     // +26
};

// Everything loaded from one game folder.
struct GameData
{
    QString folder;                    // the game folder the tables came from
    NameTables names;
    QStringList weatherNames;
    std::vector<PersonRecord> persons; // kPersonCount when the data archive was read, else empty
    std::vector<quint8> unitModels;    // one per person from the executable, else empty
};

// Problems the user should hear about once (a damaged data archive, a
// settings write that failed). Missing files are not problems: their names
// stay empty.
struct GameLoadReport
{
    QStringList messages;
    bool ok() const { return messages.isEmpty(); }
};

// The troop-name table's place in the executable. An address that is not
// hexadecimal leaves the table empty; a length that is not positive gives 9;
// a count that is missing, not a number or below 1 gives 240.
struct TroopSettings
{
    qint64 address = -1; // -1: no valid address
    qint64 length = kDefaultTroopNameLength;
    int count = kDefaultTroopCount;
};
TroopSettings readTroopSettings();
// "Setting"/"TroopCount" as start-up reads it: the number the text begins
// with, rounded; 240 when empty, not a number, below 1 or beyond 16 bits.
int troopCountSetting();
// "Setting"/"UnitModelAddress" in hex; 0 when not hexadecimal.
qint64 unitModelAddressSetting();

// A name field: the whole field decoded from CP949, every NUL then removed
// (so "AB", 00, "C" reads "ABC").
QString decodeNameField(QByteArrayView field);
// A troop name: CP949 text up to its first 00 byte or the end of bytes.
QString decodeTroopName(QByteArrayView bytes, qint64 offset);
// An equipment list entry: trimmed name, blanks, the item's equipment value.
QString equipmentEntry(const QString &itemName, int blanks, int value);
// Which equipment list an item type belongs to: its blank count, or 0 for none.
int equipmentBlanksForType(quint8 type);

// Fills every table from folder (used directly, never re-read from the
// settings). Lists that a file does not provide are emptied, so nothing stale
// survives a change of folder. A short data archive is unpacked in place first.
GameLoadReport gameDataLoad(GameData &data, const QString &folder);

// Empties the person names 0..1023, items and troops (what a first start
// without a folder shows); the group words and variable persons stay filled.
void clearGameNames(GameData &data);

} // namespace core::game
