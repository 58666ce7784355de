#include "core/game/game_folder.h"

#include "core/game/game_files.h"
#include "core/settings.h"

#include <QFileInfo>

namespace core::game {

bool folderBrowse(GameData &data, FolderPrompt &prompt)
{
    QString chosen = prompt.browseForFolder(kFolderBrowseTitle);
    const qsizetype nul = chosen.indexOf(QChar(u'\0'));
    if (nul >= 0)
        chosen.truncate(nul);
    if (chosen.isEmpty())
        return false;
    data.folder = chosen;
    return true;
}

GameLoadReport folder(GameData &data, FolderPrompt &prompt)
{
    const bool chosen = folderBrowse(data, prompt);
    if (data.folder.isEmpty()) {
        clearGameNames(data);
        return {};
    }
    // A cancelled question stores nothing: the folder in use may be one for
    // this run only (the invented game). The key keeps its trailing blank;
    // the settings store matches "Path".
    const bool stored = !chosen || writeINI(QStringLiteral("Folder"), QStringLiteral("Path "), data.folder);
    // Load what the user chose even if it could not be stored: the old
    // stored folder must not come back silently.
    GameLoadReport report = gameDataLoad(data, data.folder);
    if (!stored)
        report.messages.prepend(
            QStringLiteral("게임 폴더를 설정 파일(%1)에 저장하지 못했습니다. 다음 실행 때 폴더를 다시 물어봅니다.")
                .arg(iniPath()));
    return report;
}

GameLoadReport folderCheck(GameData &data, FolderPrompt &prompt)
{
    data.folder = folderLoad();
    if (data.folder.isEmpty())
        return folder(data, prompt);
    if (QFileInfo(data.folder).isDir())
        return gameDataLoad(data, data.folder);
    prompt.showCritical(kFolderMissingTitle, kFolderMissingText);
    return folder(data, prompt);
}

} // namespace core::game
