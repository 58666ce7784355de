#include "pickers/battle_map_picker.h"

#include "core/game/game_files.h"
#include "pickers/map_view.h"
#include "pickers/run_picker.h"
#include "workspace/dialog_registry.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace pickers {

namespace {

QSize screenSize(const QWidget *parent)
{
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

} // namespace

std::unique_ptr<BattleMapPicker> BattleMapPicker::create(const workspace::EditContext &ctx,
                                                         const workspace::BattleMapRequest &request)
{
    const std::optional<int> mapNumber = findBattleMapNumber(ctx.doc());
    if (!mapNumber) {
        ctx.ask().message(ctx.parent, kBattleMapMissingText, QStringLiteral("Error!"), platform::MsgButtons::Ok,
                          platform::MsgIcon::Exclamation);
        return nullptr;
    }
    const QString path = battleMapPath(core::game::folderLoad(), *mapNumber);
    QImage plain(path);
    if (plain.isNull()) {
        ctx.ask().message(ctx.parent,
                          QStringLiteral("전장 맵 그림 파일(%1)을 읽을 수 없습니다.").arg(battleMapFileName(*mapNumber)),
                          QStringLiteral("Error!"), platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return nullptr;
    }
    plain = plain.convertToFormat(QImage::Format_RGB32);
    const int scale = battleMapScale(plain.size(), screenSize(ctx.parent));
    return std::unique_ptr<BattleMapPicker>(new BattleMapPicker(ctx, plain, request, scale));
}

std::optional<workspace::BattleMapPick> BattleMapPicker::pick(workspace::EditContext &ctx,
                                                              const workspace::BattleMapRequest &request)
{
    return showPicker<BattleMapPicker>(ctx, request);
}

BattleMapPicker::BattleMapPicker(const workspace::EditContext &ctx, const QImage &plain,
                                 const BattleMapRequest &request, int scale)
    : QDialog(ctx.parent), m_tree(ctx.doc()), m_request(request), m_plain(plain), m_scale(scale)
{
    setWindowTitle(QStringLiteral("맵 좌표 찍기"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_view = new MapView(this);
    layout->addWidget(m_view);
    m_view->setOverlay([this](QPainter &p) { paintOverlay(p); });
    connect(m_view, &MapView::pointerMoved, this, &BattleMapPicker::onMove);
    connect(m_view, &MapView::pressed, this, &BattleMapPicker::onPress);

    QImage full = m_plain;
    paintMarkers(full, m_plain, battleMapMarkers(m_tree, m_request, ReplayPass::Load));
    setBackFromFull(full);
    m_loadTime = m_back;

    // The run covers the own units its opener named.
    if (m_request.mode == 5 && m_request.whole)
        m_runUnits = m_request.runUnits;
    m_view->setFocus();
}

void BattleMapPicker::setBackFromFull(const QImage &full)
{
    // Pixel art: every shown pixel is one pixel of the map, so marker edges
    // stay sharp on the cell lines the picker's arithmetic expects.
    m_back = full.scaled(full.width() / m_scale, full.height() / m_scale, Qt::IgnoreAspectRatio,
                         Qt::FastTransformation);
    m_view->setPicture(m_back);
}

void BattleMapPicker::paintOverlay(QPainter &p) const
{
    if (!m_hover)
        return;
    const int h = shownCellSize(m_scale);
    const int l = h * m_hover->x(), t = h * m_hover->y();
    const QColor red(255, 0, 0);
    // Two rings of one pixel.
    p.fillRect(l, t, h, 2, red);
    p.fillRect(l, t + h - 2, h, 2, red);
    p.fillRect(l, t, 2, h, red);
    p.fillRect(l + h - 2, t, 2, h, red);
    if (m_cornerSet) {
        const int xa = std::min(m_corner1.x(), m_corner2.x()), xb = std::max(m_corner1.x(), m_corner2.x());
        const int ya = std::min(m_corner1.y(), m_corner2.y()), yb = std::max(m_corner1.y(), m_corner2.y());
        p.setPen(QPen(QColor(0, 255, 0), 3));
        p.drawLine(h * xa, h * ya, h * (xb + 1), h * ya);
        p.drawLine(h * xa, h * ya, h * xa, h * (yb + 1));
        p.drawLine(h * xa, h * (yb + 1), h * (xb + 1), h * (yb + 1));
        p.drawLine(h * (xb + 1), h * ya, h * (xb + 1), h * (yb + 1));
    }
}

void BattleMapPicker::onMove(QPointF pos)
{
    const QPoint cell = cellAt(pos, m_scale);
    m_hover = cell;
    if (m_cornerSet)
        m_corner2 = cell;
    m_view->update();
    setWindowTitle(QStringLiteral("(%1, %2)").arg(cell.x()).arg(cell.y()));
}

void BattleMapPicker::answerWith(workspace::BattleMapPick pick)
{
    m_answer = std::move(pick);
    accept();
}

void BattleMapPicker::onPress(Qt::MouseButton button, QPointF pos)
{
    const QPoint cell = cellAt(pos, m_scale);
    if (m_request.mode == 5 && m_request.whole) {
        runClick(button, cell);
        return;
    }
    if (button == Qt::RightButton) {
        reject();
        return;
    }
    if (m_request.mode == 3) {
        if (!m_cornerSet) {
            m_corner1 = m_corner2 = cell;
            m_cornerSet = true;
            // Redraw without the rectangle that loading drew.
            QImage full = m_plain;
            paintMarkers(full, m_plain, battleMapMarkers(m_tree, m_request, ReplayPass::CornerSet));
            setBackFromFull(full);
            return;
        }
        m_corner2 = cell;
        answerWith({m_corner1, m_corner2, {}});
        return;
    }
    answerWith({cell, std::nullopt, {}});
}

void BattleMapPicker::redrawPlaced()
{
    // From the load-time map with every square still placed, so a withdrawn
    // square leaves no trace even where it overhangs its cell.
    m_back = m_loadTime;
    for (const QPoint &c : m_placed)
        paintPlacedSquare(m_back, c, m_scale);
    m_view->setPicture(m_back);
}

void BattleMapPicker::runClick(Qt::MouseButton button, QPoint cell)
{
    if (button == Qt::RightButton) {
        if (m_placed.empty()) {
            reject();
            return;
        }
        m_placed.pop_back();
        redrawPlaced();
        return;
    }
    if (m_placed.size() < m_runUnits)
        m_placed.push_back(cell);
    if (m_placed.size() >= m_runUnits) {
        commitRun();
        return;
    }
    redrawPlaced();
}

void BattleMapPicker::commitRun()
{
    answerWith({{}, std::nullopt, m_placed});
}

void BattleMapPicker::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (m_request.mode == 5 && m_request.whole) {
        commitRun();
        return;
    }
    reject();
}

} // namespace pickers
