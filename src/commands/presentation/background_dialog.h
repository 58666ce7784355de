#pragma once
// The dialog of command 0x27 "배경설정": the kind of background (outer,
// the whole map, inner, battle map) and, beside it, the list of that kind.
// The command holds one field per kind; the lists of the other kinds are
// hidden but keep what they loaded, so OK writes their fields back as they
// were. A stored value no item stands for (a background beyond the counts
// of the moment, a kind above 3) shows as the tree's caption reads it and
// is kept until the user picks another item.
#include "commands/common/command_dialog.h"

#include <array>

class QComboBox;
class QLabel;

namespace commands {

class BackgroundDialog : public CommandDialog
{
    Q_OBJECT
public:
    static constexpr int kCode = 0x27;
    explicit BackgroundDialog(workspace::EditContext &ctx);

    QComboBox *kindList() const { return m_kind; }
    // The list of kind 0 outer, 1 whole map, 2 inner, 3 battle map.
    QComboBox *valueList(int kind) const { return m_lists[std::size_t(kind)]; }
    // Shows the list of the kind with its label and hides the other three;
    // any kind above 2 shows the battle maps.
    void showKindList(int kind);

protected:
    bool saveFields(QString &key, int &lengthDelta) override;

private:
    QComboBox *m_kind = nullptr;
    std::array<QComboBox *, 4> m_lists{};
    std::array<QLabel *, 4> m_labels{};
    // The stored values shown as the last item of a list (-1: none).
    std::array<int, 4> m_kept{-1, -1, -1, -1};
    int m_keptKind = -1;
};

} // namespace commands
