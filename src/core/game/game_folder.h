#pragma once
// Choosing and checking the game folder. The folder prompt and the error box
// are the UI's business: core asks through FolderPrompt and stays widget-free.
#include "core/game/game_data.h"

#include <QString>

namespace core::game {

inline const QString kFolderBrowseTitle = QStringLiteral("한빛록 폴더를 선택하세요.");
inline const QString kFolderMissingTitle = QStringLiteral("Error!");
inline const QString kFolderMissingText = QStringLiteral("설정하신 폴더가 존재하지 않습니다.");

class FolderPrompt
{
public:
    virtual ~FolderPrompt() = default;
    // Shows the folder browser; the chosen folder, or "" when cancelled.
    // The UI also puts the choice into the settings dialog's folder box.
    virtual QString browseForFolder(const QString &title) = 0;
    // A critical-error message box.
    virtual void showCritical(const QString &title, const QString &text) = 0;
};

// Asks for a folder; on a choice data.folder becomes it. True when chosen.
bool folderBrowse(GameData &data, FolderPrompt &prompt);
// Asks for the folder, stores it and reloads the tables from the chosen folder.
// Cancelling with no folder ever chosen empties the names.
GameLoadReport folder(GameData &data, FolderPrompt &prompt);
// Start-up: the stored folder, asked for when unset or missing, then loaded.
GameLoadReport folderCheck(GameData &data, FolderPrompt &prompt);

} // namespace core::game
