#pragma once
// Files of the game folder. The game was made for a case-blind file system, so
// its names ("Data.e5", "PMAPOBJ.e5", "Map\M001.JPG") are looked up without
// regard to case: the exact name first, then any entry that differs only in case.
#include <QString>

namespace core::game {

// The stored game folder: the settings entry [Folder] Path, trimmed.
QString folderLoad();

// folder joined with relative ("/" or "\" separated), each part resolved
// case-insensitively. A part that is not found is kept as written, so the
// result then names a file that does not exist.
QString gameFilePath(const QString &folder, const QString &relative);

} // namespace core::game
