#pragma once
// The world-map face picker: the world map with the faces placed so far,
// the face being placed (or a square of its size) under the pointer and,
// for a move, a line from the face's present place. Any click writes the
// pointer's pixel position into the opener's boxes.
#include "pickers/world_map_model.h"
#include "workspace/edit_context.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace pickers {

class MapView;

class WorldMapPicker : public QDialog
{
    Q_OBJECT
public:
    static std::unique_ptr<WorldMapPicker> create(workspace::EditContext &ctx);

    MapView *mapView() const { return m_view; }
    const FaceBoard &faces() const { return m_board; }
    QImage composed() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    WorldMapPicker(workspace::EditContext &ctx, QString folder, const QImage &map, FaceBoard board,
                     std::unique_ptr<FaceCache> cache);

    void onMove(QPointF pos);
    void showPointer(QPoint at);
    void onPress(Qt::MouseButton button, QPointF pos);
    void paintOverlay(QPainter &p) const;
    bool faceMode() const;

    workspace::WorldMapProtocol &m_call;
    QString m_folder;
    FaceBoard m_board;
    std::unique_ptr<FaceCache> m_cache;
    MapView *m_view = nullptr;
    bool m_activated = false;
    std::optional<QPoint> m_pointer;
};

} // namespace pickers
