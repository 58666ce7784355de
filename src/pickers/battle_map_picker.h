#pragma once
// The battle-map picker: the scenario's battle map at a half or a third of
// its size with the units, fires, ships and zones that the file's commands
// place on it. A click picks the cell (or the two corners of a rectangle);
// in the whole-list run the clicks pick the cells of the own units one after
// another. The picker answers what was picked; the opener applies it.
#include "pickers/battle_map_model.h"
#include "workspace/edit_context.h"
#include "workspace/map_picks.h"

#include <QDialog>
#include <QImage>
#include <QPoint>

#include <memory>
#include <optional>
#include <vector>

namespace pickers {

class MapView;

inline const QString kBattleMapMissingText = QStringLiteral("전장 맵을 찾을 수 없습니다.");

class BattleMapPicker : public QDialog
{
    Q_OBJECT
public:
    // Null (after telling the user) when the file has no battle map or its
    // picture cannot be read.
    static std::unique_ptr<BattleMapPicker> create(const workspace::EditContext &ctx,
                                                   const workspace::BattleMapRequest &request);
    // Shows the picker modally (through the registry's runner) and returns
    // what was picked; nothing when it was closed without a choice or could
    // not be shown.
    static std::optional<workspace::BattleMapPick> pick(workspace::EditContext &ctx,
                                                        const workspace::BattleMapRequest &request);

    int scale() const { return m_scale; }
    MapView *mapView() const { return m_view; }
    // The shown map with the persistent marks (the current background).
    const QImage &shownMap() const { return m_back; }
    int runCount() const { return int(m_placed.size()); }
    // What was picked; empty until a choice closed the picker.
    const std::optional<workspace::BattleMapPick> &answer() const { return m_answer; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    BattleMapPicker(const workspace::EditContext &ctx, const QImage &plain, const BattleMapRequest &request,
                    int scale);

    void onMove(QPointF pos);
    void onPress(Qt::MouseButton button, QPointF pos);
    void paintOverlay(QPainter &p) const;
    void setBackFromFull(const QImage &full);
    void redrawPlaced();
    void answerWith(workspace::BattleMapPick pick);
    void runClick(Qt::MouseButton button, QPoint cell);
    void commitRun();

    const core::DocTree &m_tree;
    BattleMapRequest m_request;
    QImage m_plain;     // the full-size map as loaded
    QImage m_back;      // the shown map with its persistent marks
    QImage m_loadTime;  // the shown map as it stood at the end of loading
    int m_scale = 2;
    MapView *m_view = nullptr;
    std::optional<QPoint> m_hover;
    bool m_cornerSet = false;
    QPoint m_corner1, m_corner2;
    std::size_t m_runUnits = 0;
    std::vector<QPoint> m_placed;
    std::optional<workspace::BattleMapPick> m_answer;
};

} // namespace pickers
