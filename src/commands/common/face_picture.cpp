#include "commands/common/face_picture.h"

#include "core/game/e5_archive.h"
#include "core/game/game_files.h"

namespace commands {

int faceEntryOf(int faceNumber)
{
    return faceNumber == 0 ? 0 : faceNumber + 7;
}

QImage facePicture(const QString &folder, int entry)
{
    if (folder.isEmpty() || entry < 0)
        return {};
    const core::game::E5Entry e =
        core::game::readE5Entry(core::game::gameFilePath(folder, kFaceArchive), entry);
    if (e.status != core::game::E5Status::Ok && e.status != core::game::E5Status::Damaged)
        return {};
    return QImage::fromData(e.bytes);
}

} // namespace commands
