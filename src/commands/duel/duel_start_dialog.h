#pragma once
// The duel start (0x68): the two fighters, each chosen with the character
// picker (one set of mode options for both), and the background logo, whose
// list is as long as the setting "LogoMap" says.
#include "commands/common/command_dialog.h"

class QComboBox;

namespace commands {

class CharacterPicker;

class DuelStartDialog : public CommandDialog
{
    Q_OBJECT
public:
    static constexpr int kCode = 0x68;
    explicit DuelStartDialog(workspace::EditContext &ctx);

    CharacterPicker *picker() const { return m_picker; }
    QComboBox *logoList() const { return m_logo; }

    // The number of logo items for a "LogoMap" text: 100 when it is empty,
    // not a number or not positive.
    static int logoCount(const QString &setting);

protected:
    bool saveFields(QString &key, int &lengthDelta) override;
    bool event(QEvent *event) override;

private:
    CharacterPicker *m_picker = nullptr;
    QComboBox *m_logo = nullptr;
};

} // namespace commands
