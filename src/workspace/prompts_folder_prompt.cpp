#include "workspace/prompts_folder_prompt.h"

#include "core/game/game_files.h"
#include "platform/prompts.h"

namespace workspace {

QString PromptsFolderPrompt::browseForFolder(const QString &title)
{
    const QString folder = platform::Prompts::instance().folder(m_parent, title, core::game::folderLoad());
    m_chosen = !folder.isEmpty();
    return folder;
}

void PromptsFolderPrompt::showCritical(const QString &title, const QString &text)
{
    platform::Prompts::instance().message(m_parent, text, title, platform::MsgButtons::Ok,
                                          platform::MsgIcon::Critical);
}

} // namespace workspace
