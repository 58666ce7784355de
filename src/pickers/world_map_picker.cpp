#include "pickers/world_map_picker.h"

#include "core/game/game_files.h"
#include "pickers/battle_map_model.h"
#include "pickers/scene_replay.h"
#include "pickers/map_view.h"
#include "pickers/run_picker.h"
#include "workspace/dialog_registry.h"

#include <QCursor>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

namespace pickers {

namespace {

core::NodeId editedNode(const workspace::EditContext &ctx)
{
    const core::DocTree &tree = ctx.doc();
    return tree.isValid(ctx.node) ? ctx.node : tree.selected();
}

} // namespace

std::unique_ptr<WorldMapPicker> WorldMapPicker::create(const workspace::EditContext &ctx,
                                                       const workspace::WorldMapRequest &request)
{
    const QString folder = core::game::folderLoad();
    QImage map(kWorldMapSize, QImage::Format_RGB32);
    {
        const QImage game = gameWorldMap(folder);
        QPainter p(&map);
        p.drawImage(0, 0, game.isNull() ? builtInWorldMap() : game);
    }
    const core::NodeId edited = editedNode(ctx);
    const core::DocTree &tree = ctx.doc();
    FaceBoard board = replayFaces(tree, faceReplayStart(tree, edited),
                                  edited != core::kNoNode ? tree.key(edited) : QString());
    auto cache = std::make_unique<FaceCache>(folder);
    paintFaces(map, *cache, folder, board);
    return std::unique_ptr<WorldMapPicker>(
        new WorldMapPicker(ctx, request, folder, map, std::move(board), std::move(cache)));
}

std::optional<QPoint> WorldMapPicker::pick(workspace::EditContext &ctx,
                                           const workspace::WorldMapRequest &request)
{
    return showPicker<WorldMapPicker>(ctx, request);
}

WorldMapPicker::WorldMapPicker(const workspace::EditContext &ctx, const workspace::WorldMapRequest &request,
                               QString folder, const QImage &map, FaceBoard board, std::unique_ptr<FaceCache> cache)
    : QDialog(ctx.parent), m_request(request), m_folder(std::move(folder)), m_board(std::move(board)),
      m_cache(std::move(cache))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 2, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_view = new MapView(this);
    layout->addWidget(m_view);
    m_view->setPicture(map);
    m_view->setOverlay([this](QPainter &p) { paintOverlay(p); });
    connect(m_view, &MapView::pointerMoved, this, &WorldMapPicker::onMove);
    connect(m_view, &MapView::pressed, this, &WorldMapPicker::onPress);
    setWindowTitle(QStringLiteral("(%1, %2)").arg(m_request.start.x()).arg(m_request.start.y()));
}

bool WorldMapPicker::faceMode() const
{
    return m_request.person >= 0 && m_request.person < kFacePersons;
}

QImage WorldMapPicker::composed() const
{
    return m_view->composed();
}

void WorldMapPicker::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    const QPoint start = boundedFacePoint(m_request.start.x(), m_request.start.y());
    QCursor::setPos(m_view->mapToGlobal(start));
    // Putting the pointer in place reports no move on most platforms, and
    // some do not move it at all: draw under the pointer now, not at the
    // first move.
    const QPoint pointer = m_view->mapFromGlobal(QCursor::pos());
    showPointer(m_view->rect().contains(pointer) ? pointer : start);
}

void WorldMapPicker::paintOverlay(QPainter &p) const
{
    if (!m_pointer)
        return;
    const QPoint at = *m_pointer;
    if (faceMode()) {
        drawFace(p, at, m_cache->face(faceEntryFor(m_folder, m_request.person)));
        const QPoint from = m_board[size_t(m_request.person)];
        if (m_request.moving && faceShown(from)) {
            p.setPen(QPen(QColor(255, 255, 255), 1));
            p.drawLine(from + QPoint(60, 60), at + QPoint(60, 60));
        }
        return;
    }
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(at, QSize(kFaceSize, kFaceSize)).adjusted(0, 0, -1, -1));
}

void WorldMapPicker::onMove(QPointF pos)
{
    showPointer(QPoint(int(roundHalfEven(pos.x())), int(roundHalfEven(pos.y()))));
}

void WorldMapPicker::showPointer(QPoint at)
{
    m_pointer = at;
    m_view->update();
    setWindowTitle(QStringLiteral("(%1, %2)").arg(at.x()).arg(at.y()));
}

void WorldMapPicker::onPress(Qt::MouseButton, QPointF pos)
{
    const QPoint at(int(roundHalfEven(pos.x())), int(roundHalfEven(pos.y())));
    m_answer = at;
    accept();
}

} // namespace pickers
