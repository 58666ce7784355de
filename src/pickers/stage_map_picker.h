#pragma once
// The story-stage picker: the scene's inner background on the isometric
// stage with the persons placed so far, the person being placed under the
// pointer (W, A, S, D turn it), and a click that picks the cell and facing,
// or the two corners of a zone; the opener writes them into its boxes.
#include "pickers/stage_map_model.h"
#include "workspace/edit_context.h"
#include "workspace/map_picks.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace pickers {

class MapView;

class StageMapPicker : public QDialog
{
    Q_OBJECT
public:
    // Null (after telling the user) when no inner background precedes the
    // edited node.
    static std::unique_ptr<StageMapPicker> create(const workspace::EditContext &ctx,
                                                  const workspace::StageMapRequest &request);
    // Shows the picker modally (through the registry's runner) and returns
    // what was picked: nothing when it was closed before the first click.
    static std::optional<workspace::StageMapPick> pick(workspace::EditContext &ctx,
                                                       const workspace::StageMapRequest &request);

    MapView *mapView() const { return m_view; }
    const Stage &stage() const { return m_stage; }
    int placeFacing() const { return m_facing; }
    // The shown picture with the pointer's layer.
    QImage composed() const;
    // What was picked so far: a first corner stays picked when the picker is
    // closed before the second.
    const std::optional<workspace::StageMapPick> &answer() const { return m_answer; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    StageMapPicker(const workspace::EditContext &ctx, const workspace::StageMapRequest &request,
                   const QImage &background, Stage stage);

    void buildSprite(int facing);
    void onMove(QPointF pos);
    void onPress(Qt::MouseButton button, QPointF pos);
    void paintOverlay(QPainter &p) const;

    workspace::StageMapRequest m_request;
    std::optional<workspace::StageMapPick> m_answer;
    QString m_folder;
    Stage m_stage;
    MapView *m_view = nullptr;
    QImage m_sprite;
    int m_facing = 3;
    bool m_cornerSet = false;
    bool m_activated = false;
    QPoint m_cell;
    // The pointer's layer.
    std::optional<QPoint> m_spriteAt;
    std::optional<std::pair<QPoint, QPoint>> m_zone; // first corner cell, pointer cell
    std::optional<std::pair<QPointF, QPoint>> m_personLine;
};

} // namespace pickers
