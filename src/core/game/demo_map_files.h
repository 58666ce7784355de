#pragma once
// Invented battle-map pictures for the demo game folder: "Map/M000.JPG" and
// on, fields, a river and roads drawn in code, sized in whole 48-pixel cells.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace core::game {

constexpr int kDemoBattleMapCount = 3;

// One picture (JPEG bytes) of `cellsX` x `cellsY` cells.
QByteArray demoBattleMap(int cellsX, int cellsY, int seed);
// Relative path -> bytes, for every demo battle map.
QList<QPair<QString, QByteArray>> demoMapFiles();

} // namespace core::game
