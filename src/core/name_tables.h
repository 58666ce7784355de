#pragma once
// The game's name tables as the captions and dialogs read them. The game-data
// loader fills them from the game folder; tests fill them by hand. Empty lists
// are valid (no game folder chosen).
#include <QStringList>

namespace core {

struct NameTables {
    QStringList charNames;     // persons 0..5123
    QStringList itemNames;     // items 0..115
    QStringList weaponNames;   // equipment lists by item type
    QStringList defenceNames;
    QStringList assistNames;
    QStringList troopNames;    // troop types, TroopCount entries
};

} // namespace core
