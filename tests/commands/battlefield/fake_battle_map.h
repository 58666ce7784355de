#pragma once
// A battle-map picker for tests: it writes the cells it is given into the
// boxes its opener handed over (one cell in mode 4, two corners in mode 3)
// as decimal text, as the picker does, and remembers how it was called.
#include "workspace/dialog_registry.h"

#include <QLineEdit>
#include <QPoint>

#include <vector>

namespace battlefieldtest {

class FakeBattleMap
{
public:
    explicit FakeBattleMap(std::vector<QPoint> cells)
        : m_cells(std::move(cells)),
          m_override(workspace::kBattleMapPickerTool,
                     [this](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
                         pick(ctx.armyMap);
                         return nullptr;  // nothing to show: the cells are written
                     })
    {
    }

    int calls = 0;
    int mode = 0;
    bool secondBoxesSet = false;

private:
    void pick(const workspace::ArmyMapProtocol &call)
    {
        ++calls;
        mode = call.mode;
        secondBoxesSet = call.xBox[1] && call.yBox[1];
        const int n = call.mode == 3 ? 2 : 1;
        for (int i = 0; i < n && i < int(m_cells.size()); ++i) {
            if (call.xBox[i])
                call.xBox[i]->setText(QString::number(m_cells[std::size_t(i)].x()));
            if (call.yBox[i])
                call.yBox[i]->setText(QString::number(m_cells[std::size_t(i)].y()));
        }
    }

    std::vector<QPoint> m_cells;
    workspace::ScopedDialogOverride m_override;
};

} // namespace battlefieldtest
