#pragma once
// The dialog of command 0x20 "얼굴변화설정": one of nine face variants of
// four particular persons, each standing for a fixed value. A stored value
// that is none of the nine opens on the first.
#include "commands/common/command_dialog.h"

#include <array>

class QComboBox;

namespace commands {

class FaceChangeDialog : public CommandDialog
{
    Q_OBJECT
public:
    static constexpr int kCode = 0x20;
    static constexpr std::array<int, 9> kValues{0, 1, 2, 3, 4, 16, 32, 128, 255};

    explicit FaceChangeDialog(workspace::EditContext &ctx);
    QComboBox *faceList() const { return m_face; }

protected:
    bool saveFields(QString &key, int &lengthDelta) override;

private:
    QComboBox *m_face = nullptr;
    int m_kept = -1;  // a stored value shown as a tenth item
};

} // namespace commands
