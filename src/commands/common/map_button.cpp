#include "commands/common/map_button.h"

#include "commands/common/tab_caption.h"
#include "core/key_codec.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_context.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace commands {

namespace {

QLineEdit *box(QWidget &dialog, const char *name)
{
    return name ? dialog.findChild<QLineEdit *>(QLatin1String(name)) : nullptr;
}

int boxNumber(QWidget &dialog, const char *name)
{
    const QLineEdit *b = box(dialog, name);
    return b ? numberInBox(b->text()) : 0;
}

// The picked cell goes in as decimal text, so the boxes' own handlers (and
// limits) take it up as if it were typed.
void writeCell(QWidget &dialog, const char *xName, const char *yName, QPoint cell)
{
    if (QLineEdit *x = box(dialog, xName))
        x->setText(QString::number(cell.x()));
    if (QLineEdit *y = box(dialog, yName))
        y->setText(QString::number(cell.y()));
}

// The first point into the row's first boxes, a second one into its second.
void writeCells(QWidget &dialog, const MapButtonRow &row, QPoint first, std::optional<QPoint> second)
{
    writeCell(dialog, row.x0, row.y0, first);
    if (second)
        writeCell(dialog, row.x1, row.y1, *second);
}

workspace::MapPickers pickers()
{
    return workspace::DialogRegistry::instance().mapPickers();
}

// The kind the chosen item of the kind list stands for. An own item stands
// for its index; a stored kind no own item stands for is shown by a
// placeholder after them, the last item, and that stands for the stored kind.
int chosenKind(const QComboBox &kinds, const workspace::EditContext &ctx, const MapButtonRow &row)
{
    const int index = kinds.currentIndex();
    if (row.kindPos <= 0 || !ctx.tree || !ctx.doc().isValid(ctx.node))
        return index;
    const int stored = int(core::keyField(ctx.doc().key(ctx.node), row.kindPos, 2) & 0xFFFF);
    const int last = kinds.count() - 1;
    return index == last && stored >= last ? stored : index;
}

void openBattleMap(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row, int)
{
    if (!pickers().battle)
        return;
    workspace::BattleMapRequest request;
    request.mode = row.mode;
    request.x0 = boxNumber(dialog, row.x0);
    request.y0 = boxNumber(dialog, row.y0);
    request.x1 = boxNumber(dialog, row.x1);
    request.y1 = boxNumber(dialog, row.y1);
    request.sortieIndex = request.x1;
    if (const auto *kinds = row.kindList ? dialog.findChild<QComboBox *>(QLatin1String(row.kindList)) : nullptr) {
        request.objectNode = ctx.node;
        request.objectKind = chosenKind(*kinds, ctx, row);
    }
    const std::optional<workspace::BattleMapPick> pick = pickers().battle(ctx, request);
    if (!pick)
        return;
    writeCells(dialog, row, pick->first, pick->second);
}

void openStageMap(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row, int person)
{
    if (!pickers().stage)
        return;
    auto *facing = row.direction ? dialog.findChild<QComboBox *>(QLatin1String(row.direction)) : nullptr;
    workspace::StageMapRequest request;
    request.twoPoint = row.x1 != nullptr;
    request.start = {boxNumber(dialog, row.x0), boxNumber(dialog, row.y0)};
    request.facingIndex = facing ? facing->currentIndex() : -1;
    request.person = person;
    const std::optional<workspace::StageMapPick> pick = pickers().stage(ctx, request);
    if (!pick)
        return;
    writeCells(dialog, row, pick->first, pick->second);
    if (facing && pick->facing)
        facing->setCurrentIndex(*pick->facing);
}

void openWorldMap(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row, int person)
{
    if (!pickers().world)
        return;
    workspace::WorldMapRequest request;
    request.start = {boxNumber(dialog, row.x0), boxNumber(dialog, row.y0)};
    request.person = person;
    request.moving = row.faceMoving;
    if (const std::optional<QPoint> at = pickers().world(ctx, request))
        writeCell(dialog, row.x0, row.y0, *at);
}

} // namespace

int numberInBox(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype end = 0;
    if (end < t.size() && (t[end] == u'-' || t[end] == u'+'))
        ++end;
    while (end < t.size() && t[end].isDigit() && t[end].unicode() < 128)
        ++end;
    bool ok = false;
    const qint64 v = t.left(end).toLongLong(&ok);
    return ok ? int(std::clamp<qint64>(v, INT_MIN, INT_MAX)) : 0;
}

void openMapPicker(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row, int person)
{
    switch (row.target) {
    case MapTarget::Battle:
        openBattleMap(dialog, ctx, row, person);
        break;
    case MapTarget::Stage:
        openStageMap(dialog, ctx, row, person);
        break;
    case MapTarget::World:
        openWorldMap(dialog, ctx, row, person);
        break;
    case MapTarget::BattleOrStage:
        if (scenarioKind(ctx) == workspace::ScenarioKind::Battle)
            openBattleMap(dialog, ctx, row, person);
        else
            openStageMap(dialog, ctx, row, person);
        break;
    }
}

QPushButton *makeMapButton(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row,
                           std::function<int()> person, std::function<void()> after)
{
    auto *button = new QPushButton(QString::fromUtf16(row.text), &dialog);
    button->setObjectName(QLatin1String(row.button));
    button->setAutoDefault(false);
    QWidget *d = &dialog;
    workspace::EditContext *c = &ctx;
    const MapButtonRow *r = &row;
    QObject::connect(button, &QPushButton::clicked, &dialog, [d, c, r, person, after] {
        openMapPicker(*d, *c, *r, person ? person() : 0);
        if (after)
            after();
    });
    return button;
}

} // namespace commands
