#pragma once
// The world-map face picker: the world map with the faces placed so far,
// the face being placed (or a square of its size) under the pointer and,
// for a move, a line from the face's present place. Any click writes the
// pointer's pixel position into the opener's boxes.
#include "pickers/world_map_model.h"
#include "workspace/edit_context.h"
#include "workspace/map_picks.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace pickers {

class MapView;

class WorldMapPicker : public QDialog
{
    Q_OBJECT
public:
    static std::unique_ptr<WorldMapPicker> create(const workspace::EditContext &ctx,
                                                  const workspace::WorldMapRequest &request);
    // Shows the picker modally (through the registry's runner) and returns
    // the picked position; nothing when it was closed without a click.
    static std::optional<QPoint> pick(workspace::EditContext &ctx, const workspace::WorldMapRequest &request);

    MapView *mapView() const { return m_view; }
    const FaceBoard &faces() const { return m_board; }
    QImage composed() const;
    const std::optional<QPoint> &answer() const { return m_answer; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    WorldMapPicker(const workspace::EditContext &ctx, const workspace::WorldMapRequest &request, QString folder,
                   const QImage &map, FaceBoard board, std::unique_ptr<FaceCache> cache);

    void onMove(QPointF pos);
    void showPointer(QPoint at);
    void onPress(Qt::MouseButton button, QPointF pos);
    void paintOverlay(QPainter &p) const;
    bool faceMode() const;

    workspace::WorldMapRequest m_request;
    QString m_folder;
    FaceBoard m_board;
    std::unique_ptr<FaceCache> m_cache;
    MapView *m_view = nullptr;
    bool m_activated = false;
    std::optional<QPoint> m_pointer;
    std::optional<QPoint> m_answer;
};

} // namespace pickers
