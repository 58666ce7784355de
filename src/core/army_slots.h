#pragma once
// The unit slot tables of the army set-up commands (0x46 friendly, 0x47
// enemy) and the one-unit placement of own units (0x4B), read from and
// written into a command key in place. Plain code: the army dialog and the
// battle-map picker both read slots through here.
//
// Values are held as stored: persons and list values as the unsigned 16-bit
// word, cells as the signed 32-bit number. A slot whose person is 0xFFFF is
// empty.
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace core {

inline constexpr int kArmyNoPerson = 0xFFFF;
// Persons below this have a name entry (persons, groups, variable persons);
// the picker draws only slots whose person lies below it.
inline constexpr int kArmyDrawablePersonLimit = 5124;

struct ArmySlot
{
    int person = kArmyNoPerson;
    int relief = 0;        // reinforcement flag; only the enemy table stores it
    int hidden = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    int direction = 0xFFFF;
    int levelChange = 0;
    int troopLimit = 2;
    int aiPolicy = 1;
    int aiPerson = kArmyNoPerson;
    std::int32_t aiX = 0;
    std::int32_t aiY = 0;

    bool isEmpty() const { return person == kArmyNoPerson; }
    bool operator==(const ArmySlot &) const = default;
};

// The layout of one of the two table commands.
struct ArmyTableLayout
{
    int code;          // 0x46 or 0x47
    int slotCount;     // 20 or 80
    int slotChars;     // key characters per slot: 104 or 112
    bool hasRelief;    // the enemy slot carries the reinforcement flag

    // 1-based key positions of slot i's values.
    int slotStart(int i) const { return 5 + slotChars * i; }
    int personPos(int i) const { return slotStart(i) + 4; }
    int reliefPos(int i) const { return hasRelief ? slotStart(i) + 12 : -1; }
    int hiddenPos(int i) const { return slotStart(i) + (hasRelief ? 20 : 12); }
    int xPos(int i) const { return hiddenPos(i) + 8; }
    int yPos(int i) const { return xPos(i) + 12; }
    int directionPos(int i) const { return yPos(i) + 12; }
    int levelPos(int i) const { return directionPos(i) + 8; }
    int troopPos(int i) const { return levelPos(i) + 8; }
    int aiPolicyPos(int i) const { return troopPos(i) + 8; }
    int aiPersonPos(int i) const { return aiPolicyPos(i) + 8; }
    int aiXPos(int i) const { return aiPersonPos(i) + 8; }
    int aiYPos(int i) const { return aiXPos(i) + 12; }
    // Characters of the record part ("4600" + slots).
    int recordChars() const { return 4 + slotChars * slotCount; }
};

// 1-based key positions of every value of slot i in stored order, the
// reinforcement flag only where the table has it.
std::vector<int> armySlotValuePositions(const ArmyTableLayout &layout, int i);

inline constexpr ArmyTableLayout kAlliedArmyLayout{0x46, 20, 104, false};
inline constexpr ArmyTableLayout kEnemyArmyLayout{0x47, 80, 112, true};

// The layout for the code, or null for any other code.
const ArmyTableLayout *armyTableLayout(int code);

// True when the key's code is 0x46/0x47 and its record part holds every slot.
bool isArmyTableKey(const QString &key);

// Slot i read from the key (values as stored). Positions past the end of a
// short key read as 0.
ArmySlot readArmySlot(const QString &key, const ArmyTableLayout &layout, int i);
// Every slot of the key by its own code; empty for other codes or a key too
// short to hold the table.
std::vector<ArmySlot> readArmySlots(const QString &key);
// Writes every value of the slot in place (2 bytes for words, 4 for cells;
// only the low bits of out-of-range values). Tags, code and suffix untouched.
void writeArmySlot(QString &key, const ArmyTableLayout &layout, int i, const ArmySlot &slot);
void writeArmySlots(QString &key, const ArmyTableLayout &layout, const std::vector<ArmySlot> &table);

// Key text of one new slot (tags included), and the record part of a new
// command: code word followed by the new slots.
QString newArmySlotText(const ArmyTableLayout &layout);
QString newArmyTableRecord(const ArmyTableLayout &layout);

// Own-unit placement (0x4B): battlefield index, cell, facing, hidden flag.
struct OwnUnitPlacement
{
    std::int32_t bfIndex = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    int direction = 0xFFFF;
    int hidden = 0;
    bool operator==(const OwnUnitPlacement &) const = default;
};
inline constexpr int kOwnPlacementCode = 0x4B;
inline constexpr int kPlacementBFIndexPos = 9;
inline constexpr int kPlacementXPos = 21;
inline constexpr int kPlacementYPos = 33;
inline constexpr int kPlacementDirectionPos = 45;
inline constexpr int kPlacementHiddenPos = 53;

// The placement of a 0x4B key, or nullopt for another code or a short key.
std::optional<OwnUnitPlacement> readOwnUnitPlacement(const QString &key);
void writeOwnUnitPlacement(QString &key, const OwnUnitPlacement &placement);

} // namespace core
