#include "pickers/stage_map_picker.h"

#include "core/game/game_files.h"
#include "core/game/unit_sprites.h"
#include "core/settings.h"
#include "pickers/battle_map_model.h"
#include "pickers/map_view.h"
#include "pickers/run_picker.h"
#include "workspace/dialog_registry.h"

#include <QCursor>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace pickers {

namespace {

constexpr int kDefaultMMap1Max = 40;

int mmap1Max(const workspace::EditContext &ctx)
{
    double v = 0;
    if (!core::parseLeadingNumber(ctx.readSetting(QStringLiteral("Setting"), QStringLiteral("MMap1Max")), &v))
        return kDefaultMMap1Max;
    return int(std::clamp<double>(v, -65536, 65536));
}

core::NodeId editedNode(const workspace::EditContext &ctx)
{
    const core::DocTree &tree = ctx.doc();
    return tree.isValid(ctx.node) ? ctx.node : tree.selected();
}

} // namespace

std::unique_ptr<StageMapPicker> StageMapPicker::create(const workspace::EditContext &ctx,
                                                       const workspace::StageMapRequest &request)
{
    const core::NodeId edited = editedNode(ctx);
    const std::optional<InnerBackground> bg = findInnerBackground(ctx.doc(), edited);
    if (!bg) {
        ctx.ask().message(ctx.parent, kInnerBackgroundMissingText, QStringLiteral("Error!"), platform::MsgButtons::Ok,
                          platform::MsgIcon::Exclamation);
        return nullptr;
    }
    const QString folder = core::game::folderLoad();
    // A picture that cannot be read leaves a dark stage; picking still works.
    QImage background(kStageSize, QImage::Format_RGB32);
    background.fill(Qt::black);
    const QImage picture = innerBackgroundPicture(folder, mmap1Max(ctx), bg->number);
    if (!picture.isNull()) {
        QPainter p(&background);
        p.drawImage(0, 0, picture);
    }
    Stage stage = replayStage(ctx.doc(), bg->node, ctx.doc().key(edited));
    paintStage(background, folder, stage);
    return std::unique_ptr<StageMapPicker>(new StageMapPicker(ctx, request, background, std::move(stage)));
}

std::optional<workspace::StageMapPick> StageMapPicker::pick(workspace::EditContext &ctx,
                                                            const workspace::StageMapRequest &request)
{
    return showPicker<StageMapPicker>(ctx, request);
}

StageMapPicker::StageMapPicker(const workspace::EditContext &ctx, const workspace::StageMapRequest &request,
                               const QImage &background, Stage stage)
    : QDialog(ctx.parent), m_request(request), m_folder(core::game::folderLoad()), m_stage(std::move(stage))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_view = new MapView(this);
    layout->addWidget(m_view);
    m_view->setPicture(background);
    m_view->setOverlay([this](QPainter &p) { paintOverlay(p); });
    connect(m_view, &MapView::pointerMoved, this, &StageMapPicker::onMove);
    connect(m_view, &MapView::pressed, this, &StageMapPicker::onPress);

    if (!m_request.twoPoint)
        buildSprite(placingFacing(m_request.facingIndex));
    setWindowTitle(QStringLiteral("(%1, %2)").arg(m_request.start.x()).arg(m_request.start.y()));
}

void StageMapPicker::buildSprite(int facing)
{
    m_facing = facing;
    const int person = m_request.person;
    m_sprite = person >= 0 && person < kStagePersons ? core::game::personSprite(m_folder, person, facing) : QImage();
}

QImage StageMapPicker::composed() const
{
    return m_view->composed();
}

void StageMapPicker::paintOverlay(QPainter &p) const
{
    if (m_spriteAt && !m_sprite.isNull())
        core::game::drawUnitSprite(p, *m_spriteAt, m_sprite);
    if (m_zone) {
        const QPoint a = m_zone->first, c = m_zone->second;
        p.setPen(QPen(QColor(255, 0, 0), 1));
        const QPoint corner = stageMapPoint(a), acrossEnd = stageMapPoint({c.x(), a.y()}),
                     downEnd = stageMapPoint({a.x(), c.y()}), far = stageMapPoint(c);
        p.drawLine(corner, acrossEnd);
        p.drawLine(corner, downEnd);
        p.drawLine(acrossEnd, far);
        p.drawLine(downEnd, far);
    }
    if (m_personLine) {
        p.setPen(QPen(QColor(255, 255, 255), 1));
        p.drawLine(m_personLine->first, QPointF(m_personLine->second));
    }
}

void StageMapPicker::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    if (m_request.start.x() == 0)
        return;
    const QPoint point = stageMapPoint(m_request.start);
    QCursor::setPos(m_view->mapToGlobal(point));
    if (!m_request.twoPoint) {
        m_spriteAt = point;
        m_view->update();
    }
}

void StageMapPicker::onMove(QPointF pos)
{
    m_cell = stageCellAt(pos);
    const QPoint point = stageMapPoint(m_cell);
    if (!m_request.twoPoint) {
        m_spriteAt = point;
        const int person = m_request.person;
        if (person >= 0 && person < kStagePersons && m_stage[size_t(person)].onStage()) {
            const StagePerson &s = m_stage[size_t(person)];
            m_personLine = std::make_pair(pos, stageMapPoint({s.x, s.y}));
        } else {
            m_personLine.reset();
        }
    } else if (m_cornerSet && m_answer) {
        m_zone = std::make_pair(m_answer->first, m_cell);
    }
    m_view->update();
    setWindowTitle(QStringLiteral("(%1, %2)").arg(m_cell.x()).arg(m_cell.y()));
}

void StageMapPicker::onPress(Qt::MouseButton button, QPointF pos)
{
    if (button == Qt::RightButton) {
        reject();
        return;
    }
    m_cell = stageCellAt(pos);
    if (!m_request.twoPoint) {
        m_answer = workspace::StageMapPick{m_cell, std::nullopt, m_facing};
        accept();
        return;
    }
    if (!m_cornerSet) {
        // The first corner counts even if the picker is closed before the
        // second.
        m_answer = workspace::StageMapPick{m_cell, std::nullopt, std::nullopt};
        m_cornerSet = true;
        return;
    }
    m_answer->second = m_cell;
    accept();
}

void StageMapPicker::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    if (m_request.twoPoint)
        return;
    static const std::pair<int, int> kFacingKeys[] = {{Qt::Key_W, 0}, {Qt::Key_D, 1}, {Qt::Key_S, 2}, {Qt::Key_A, 3}};
    for (const auto &[key, facing] : kFacingKeys)
        if (event->key() == key)
            buildSprite(facing);
    // The sprite stands at the pointer itself, not snapped to a cell.
    m_spriteAt = m_view->mapFromGlobal(QCursor::pos());
    m_view->update();
}

} // namespace pickers
