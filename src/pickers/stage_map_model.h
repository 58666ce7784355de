#pragma once
// The story-stage picker without its window: the scene's inner background,
// the persons that the unit commands before the edited node put on the
// isometric stage, and the mapping between cells and picture points.
#include "core/doc_tree.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>
#include <vector>

namespace pickers {

constexpr int kStagePersons = 1028;     // persons 0..1023 and the four groups
constexpr QSize kStageSize{640, 400};
inline const QString kInnerBackgroundMissingText = QStringLiteral("내배경을 찾을 수 없습니다.");

// The picture point a person in cell (x, y) stands on.
QPoint stageMapPoint(QPoint cell);
// The cell under a picture position.
QPoint stageCellAt(QPointF pos);

// The nearest background (0x27) before `selected` in display order, when it
// sets an inner background (kind 2) with a number other than 0xFFFF.
struct InnerBackground
{
    core::NodeId node = core::kNoNode;
    int number = 0;
};
std::optional<InnerBackground> findInnerBackground(const core::DocTree &tree, core::NodeId selected);

// The bytes of entry `entry` of "mmap.e5" as stored (never unpacked); empty
// when the file or entry cannot be read.
QByteArray mapArchiveEntryAsStored(const QString &folder, int entry);
// The inner background picture: entry mmap1Max + number.
QImage innerBackgroundPicture(const QString &folder, int mmap1Max, int number);

struct StagePerson
{
    int x = -1, y = -1;
    int dir = -1;
    bool onStage() const { return x != -1 && y != -1; }
};
using Stage = std::vector<StagePerson>; // kStagePersons entries

// Replays the unit commands from `start` up to the node whose key is endKey.
Stage replayStage(const core::DocTree &tree, core::NodeId start, const QString &endKey);

// Draws every person on the stage, lowest number first.
void paintStage(QImage &map, const QString &folder, const Stage &stage);

// The facing of the person being placed from the facing list's index:
// 0 north, 1 east, 2 south, anything else west.
int placingFacing(int listIndex);

} // namespace pickers
