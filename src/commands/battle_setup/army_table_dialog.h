#pragma once
// The army table dialog of commands 0x46 (twenty friendly slots) and 0x47
// (eighty enemy slots): one class, configured per command. The slots are
// listed by person name; the controls show the selected slot and every
// change goes straight into the working copy, which OK writes back into the
// key after refusing a list in which one name stands twice. The caption of
// these commands is their name alone and stays as it was.
#include "commands/common/command_dialog.h"
#include "core/army_slots.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace commands {

class CharacterPicker;

struct ArmyTableConfig
{
    const core::ArmyTableLayout *layout;
    const char *formName;
    int unitMapMode;            // picker mode of the unit's own Map button
    core::ArmySlot *copyBuffer; // lives for the run, one per command
};

class ArmyTableDialog : public CommandDialog
{
    Q_OBJECT
public:
    ArmyTableDialog(workspace::EditContext &ctx, const ArmyTableConfig &config);

    // The working copy: list values as list indices (direction 4 is the
    // default facing), those no item stands for and the rest as stored.
    const std::vector<core::ArmySlot> &slotsInWork() const { return m_table; }
    QListWidget *slotList() const { return m_list; }
    CharacterPicker *picker() const { return m_picker; }

    // Coordinate text rule: "*k" is the cell held in variable k.
    static QString coordinateText(std::int32_t value);

protected:
    bool saveFields(QString &key, int &lengthDelta) override;
    bool keepsCaption() const override { return true; }
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void showSlot(int row);
    void showListValues(const core::ArmySlot &s);
    void personChosen(int element, int row);
    void coordinateChanged(int element, bool isY);
    void aiChosen(int index, int item);
    void openMap(int element);
    void copySlot();
    void pasteSlot(const core::ArmySlot &s);
    void touchSlot(int row);
    core::ArmySlot *current();

    const ArmyTableConfig &m_config;
    std::vector<core::ArmySlot> m_table;
    std::vector<bool> m_touchedSlots;  // pasted over or cleared: written whole
    int m_levelMax = 50;
    bool m_loaded = false;
    bool m_showing = false;  // a slot's stored values are being shown
    int m_syncingAI = 0;

    QListWidget *m_list = nullptr;
    CharacterPicker *m_picker = nullptr;
    QCheckBox *m_hide = nullptr;
    QCheckBox *m_relief = nullptr;
    QLineEdit *m_x[2] = {nullptr, nullptr};
    QLineEdit *m_y[2] = {nullptr, nullptr};
    QPushButton *m_map[2] = {nullptr, nullptr};
    QComboBox *m_direction = nullptr;
    QComboBox *m_level = nullptr;
    QComboBox *m_troop = nullptr;
    QComboBox *m_ai[3] = {nullptr, nullptr, nullptr};
    QGroupBox *m_panels[3] = {nullptr, nullptr, nullptr}; // gbNomal, gbChar, gbCoor
};

// Both copy buffers as at the program's start: every field 0.
void resetArmyCopyBuffers();

} // namespace commands
