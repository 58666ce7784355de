#include "core/army_slots.h"

#include "core/key_codec.h"

namespace core {

namespace {

int word(const QString &key, int pos) { return keyField(key, pos, 2) & 0xFFFF; }

QString tagged(int tag, std::int64_t value, int n) { return longToHex(tag, 2) + longToHex(value, n); }

} // namespace

const ArmyTableLayout *armyTableLayout(int code)
{
    if (code == kAlliedArmyLayout.code)
        return &kAlliedArmyLayout;
    if (code == kEnemyArmyLayout.code)
        return &kEnemyArmyLayout;
    return nullptr;
}

std::vector<int> armySlotValuePositions(const ArmyTableLayout &layout, int i)
{
    std::vector<int> positions{layout.personPos(i)};
    if (layout.hasRelief)
        positions.push_back(layout.reliefPos(i));
    for (int pos : {layout.hiddenPos(i), layout.xPos(i), layout.yPos(i), layout.directionPos(i), layout.levelPos(i),
                    layout.troopPos(i), layout.aiPolicyPos(i), layout.aiPersonPos(i), layout.aiXPos(i),
                    layout.aiYPos(i)})
        positions.push_back(pos);
    return positions;
}

bool isArmyTableKey(const QString &key)
{
    const ArmyTableLayout *layout = armyTableLayout(keyCode(key));
    return layout && recordPart(key).size() >= layout->recordChars();
}

ArmySlot readArmySlot(const QString &key, const ArmyTableLayout &layout, int i)
{
    ArmySlot s;
    s.person = word(key, layout.personPos(i));
    s.relief = layout.hasRelief ? word(key, layout.reliefPos(i)) : 0;
    s.hidden = word(key, layout.hiddenPos(i));
    s.x = keyField(key, layout.xPos(i), 4);
    s.y = keyField(key, layout.yPos(i), 4);
    s.direction = word(key, layout.directionPos(i));
    s.levelChange = word(key, layout.levelPos(i));
    s.troopLimit = word(key, layout.troopPos(i));
    s.aiPolicy = word(key, layout.aiPolicyPos(i));
    s.aiPerson = word(key, layout.aiPersonPos(i));
    s.aiX = keyField(key, layout.aiXPos(i), 4);
    s.aiY = keyField(key, layout.aiYPos(i), 4);
    return s;
}

std::vector<ArmySlot> readArmySlots(const QString &key)
{
    std::vector<ArmySlot> table;
    if (!isArmyTableKey(key))
        return table;
    const ArmyTableLayout &layout = *armyTableLayout(keyCode(key));
    table.reserve(layout.slotCount);
    for (int i = 0; i < layout.slotCount; ++i)
        table.push_back(readArmySlot(key, layout, i));
    return table;
}

void writeArmySlot(QString &key, const ArmyTableLayout &layout, int i, const ArmySlot &s)
{
    keyWriteField(key, layout.personPos(i), 2, s.person);
    if (layout.hasRelief)
        keyWriteField(key, layout.reliefPos(i), 2, s.relief);
    keyWriteField(key, layout.hiddenPos(i), 2, s.hidden);
    keyWriteField(key, layout.xPos(i), 4, s.x);
    keyWriteField(key, layout.yPos(i), 4, s.y);
    keyWriteField(key, layout.directionPos(i), 2, s.direction);
    keyWriteField(key, layout.levelPos(i), 2, s.levelChange);
    keyWriteField(key, layout.troopPos(i), 2, s.troopLimit);
    keyWriteField(key, layout.aiPolicyPos(i), 2, s.aiPolicy);
    keyWriteField(key, layout.aiPersonPos(i), 2, s.aiPerson);
    keyWriteField(key, layout.aiXPos(i), 4, s.aiX);
    keyWriteField(key, layout.aiYPos(i), 4, s.aiY);
}

void writeArmySlots(QString &key, const ArmyTableLayout &layout, const std::vector<ArmySlot> &table)
{
    const int n = std::min<int>(layout.slotCount, static_cast<int>(table.size()));
    for (int i = 0; i < n; ++i)
        writeArmySlot(key, layout, i, table[static_cast<size_t>(i)]);
}

QString newArmySlotText(const ArmyTableLayout &layout)
{
    const ArmySlot s;
    QString t = tagged(0x02, s.person, 2);
    if (layout.hasRelief)
        t += tagged(0x26, s.relief, 2);
    t += tagged(0x26, s.hidden, 2);
    t += tagged(0x04, s.x, 4) + tagged(0x04, s.y, 4);
    t += tagged(0x2B, s.direction, 2) + tagged(0x3E, s.levelChange, 2) + tagged(0x45, s.troopLimit, 2);
    t += tagged(0x07, s.aiPolicy, 2) + tagged(0x02, s.aiPerson, 2);
    t += tagged(0x04, s.aiX, 4) + tagged(0x04, s.aiY, 4);
    return t;
}

QString newArmyTableRecord(const ArmyTableLayout &layout)
{
    return longToHex(layout.code, 2) + newArmySlotText(layout).repeated(layout.slotCount);
}

std::optional<OwnUnitPlacement> readOwnUnitPlacement(const QString &key)
{
    if (keyCode(key) != kOwnPlacementCode || recordPart(key).size() < kPlacementHiddenPos + 3)
        return std::nullopt;
    OwnUnitPlacement p;
    p.bfIndex = keyField(key, kPlacementBFIndexPos, 4);
    p.x = keyField(key, kPlacementXPos, 4);
    p.y = keyField(key, kPlacementYPos, 4);
    p.direction = word(key, kPlacementDirectionPos);
    p.hidden = word(key, kPlacementHiddenPos);
    return p;
}

void writeOwnUnitPlacement(QString &key, const OwnUnitPlacement &p)
{
    keyWriteField(key, kPlacementBFIndexPos, 4, p.bfIndex);
    keyWriteField(key, kPlacementXPos, 4, p.x);
    keyWriteField(key, kPlacementYPos, 4, p.y);
    keyWriteField(key, kPlacementDirectionPos, 2, p.direction);
    keyWriteField(key, kPlacementHiddenPos, 2, p.hidden);
}

} // namespace core
