#pragma once
// The settings dialog "설정": the game folder and the nineteen counts and
// limits of section "Setting" that the command dialogs and name tables read.
// Save writes them all; Esc writes nothing. The folder button stores its
// choice at once (and reloads the name tables), saved or not.
#include "core/game/game_folder.h"
#include "workspace/prompts_folder_prompt.h"

#include <QDialog>

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

namespace platform {
class NumberBox;
}

namespace workspace {

class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // One number box: its control name, its caption and its settings key.
    struct Field
    {
        const char *box;
        const char *caption;
        const char *key;
    };
    static constexpr int kFieldCount = 19;
    // Row by row, left column first.
    static const std::array<Field, kFieldCount> &fields();
    // Keys in the order Save writes them.
    static const std::array<const char *, kFieldCount> &saveOrder();

    // After the folder button ran: the folder now stored (unchanged when the
    // browser was cancelled) and what loading the tables reported.
    using FolderChanged = std::function<void(const QString &folder, const core::game::GameLoadReport &report)>;

    // gameData: the tables the folder button reloads in place; when null the
    // dialog loads into a scratch copy and the caller reloads its own from
    // folderChanged. Without folderChanged, load problems are shown here.
    explicit SettingsDialog(QWidget *parent = nullptr, core::game::GameData *gameData = nullptr,
                        FolderChanged folderChanged = {});

    // Builds the dialog afresh and shows it modally; the dialog result.
    static int open(QWidget *parent, core::game::GameData *gameData = nullptr, FolderChanged folderChanged = {});

    QLineEdit *folderBox() const { return m_folder; }
    platform::NumberBox *box(const char *name) const;

    // cFolder: the folder browser, then store and reload.
    void chooseFolder();
    // cSave: writes the folder and every box, then closes.
    void save();

private:
    core::game::GameData *m_gameData;
    FolderChanged m_folderChanged;
    QLineEdit *m_folder = nullptr;
    QPushButton *m_folderButton = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
    std::array<platform::NumberBox *, kFieldCount> m_boxes{};
};

// The gate count is kept even: an odd number goes down by one. Text that is
// not a number (an empty box) is returned unchanged.
QString evenGateCount(const QString &text);

} // namespace workspace
