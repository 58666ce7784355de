#pragma once
// A battle-map picker for tests: it picks the cells it is given (one cell in
// mode 4, two corners in mode 3), as the picker answers, and remembers how
// it was asked.
#include "workspace/dialog_registry.h"

#include <QPoint>

#include <vector>

namespace battlefieldtest {

class FakeBattleMap
{
public:
    explicit FakeBattleMap(std::vector<QPoint> cells)
        : m_cells(std::move(cells)),
          m_override({.battle = [this](workspace::EditContext &, const workspace::BattleMapRequest &r) {
              return pick(r);
          }})
    {
    }

    int calls = 0;
    int mode = 0;

private:
    std::optional<workspace::BattleMapPick> pick(const workspace::BattleMapRequest &request)
    {
        ++calls;
        mode = request.mode;
        if (m_cells.empty())
            return std::nullopt;
        workspace::BattleMapPick answer{m_cells[0], std::nullopt, {}};
        if (request.mode == workspace::kTwoCorners && m_cells.size() > 1)
            answer.second = m_cells[1];
        return answer;
    }

    std::vector<QPoint> m_cells;
    workspace::ScopedMapPickers m_override;
};

} // namespace battlefieldtest
