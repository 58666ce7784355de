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

// Pose list index -> frame of a sheet: "보통" frame 0, pose k frame k + 2.
// The list's last item ("無 ", index 18) gives 20, one past the sheet: an
// empty picture.
constexpr int poseFrame(int poseIndex) { return poseIndex == 0 ? 0 : poseIndex + 2; }

// Facing list index (0 north, 1 east, 2 south, 3 west, 4 default): north and
// west show the back sheet, east and west are mirrored.
constexpr PreviewDraw facingPreview(int model, int poseIndex, int facingIndex)
{
    const bool back = facingIndex == 0 || facingIndex == 3;
    const bool mirrored = facingIndex == 1 || facingIndex == 3;
    return {2 * model + (back ? 1 : 0), poseFrame(poseIndex), mirrored};
}

constexpr PreviewDraw frontPreview(int model, int poseIndex) { return {2 * model, poseFrame(poseIndex), false}; }

constexpr PreviewDraw modelPreview(int modelIndex) { return {2 * modelIndex, 0, false}; }

// The map model of a person from the game data; nullopt when there is no
// game data or no record for the number.
std::optional<int> personMapModel(const workspace::EditContext &ctx, int person);

// The drawn preview: the frame with its key colour transparent over the
// background, mirrored as asked. A null image when the game's files do not
// hold the sheet.
QImage renderPreview(const workspace::EditContext &ctx, const PreviewDraw &draw);

} // namespace commands
