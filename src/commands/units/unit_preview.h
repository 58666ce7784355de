#pragma once
// Which sprite a unit dialog's preview shows: the sheet, the frame and
// whether it is mirrored, chosen from the person's map model, the pose and
// the facing. Plain functions, so the choice is checked without pictures.
#include "workspace/edit_context.h"

#include <QImage>

#include <optional>

namespace commands {

enum class PreviewKind {
    None,
    PoseAndFacing, // the person in a pose, seen by the facing (0x30, 0x33)
    PoseFront,     // the person in a pose, from the front (0x34)
    MapModel,      // a map model's first front frame, whoever the person (0x35)
};

struct PreviewDraw {
    int sheet = 0;
    int frame = 0;
    bool mirrored = false;
    bool operator==(const PreviewDraw &) const = default;
};

// Pose list index and facing list index (0 north, 1 east, 2 south, 3 west,
// 4 the default facing) by the story map's rules: north and west show the
// back sheet, east and west are mirrored, the default faces south.
PreviewDraw facingPreview(int model, int poseIndex, int facingIndex);
// The front sheet, never mirrored.
PreviewDraw frontPreview(int model, int poseIndex);
// A model's first front frame.
PreviewDraw modelPreview(int modelIndex);

// The map model of a person: from the game data read, else from the data
// archive of the game folder; nullopt for a number the person table does
// not hold (groups, variable persons, none) or an unreadable archive.
std::optional<int> personMapModel(const workspace::ProgramServices &ctx, int person);

// The drawn preview: the frame with its key colour transparent, mirrored as
// asked. A sheet the game's files do not hold draws nothing visible.
QImage renderPreview(const workspace::ProgramServices &ctx, const PreviewDraw &draw);

} // namespace commands
