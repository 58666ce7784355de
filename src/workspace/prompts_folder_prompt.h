#pragma once
// The folder browser and error box of the game-folder routines, answered
// through platform::Prompts so tests can choose a folder.
#include "core/game/game_folder.h"

#include <QWidget>

namespace workspace {

class PromptsFolderPrompt : public core::game::FolderPrompt
{
public:
    explicit PromptsFolderPrompt(QWidget *parent = nullptr) : m_parent(parent) {}
    // Starts in the stored game folder.
    QString browseForFolder(const QString &title) override;
    void showCritical(const QString &title, const QString &text) override;
    // Whether the last browse returned a folder.
    bool chosen() const { return m_chosen; }

private:
    QWidget *m_parent;
    bool m_chosen = false;
};

} // namespace workspace
