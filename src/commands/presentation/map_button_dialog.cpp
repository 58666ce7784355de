#include "commands/presentation/map_button_dialog.h"

#include "commands/common/character_picker.h"
#include "commands/common/number_field.h"
#include "workspace/dialog_registry.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace commands {

namespace {

QLineEdit *box(const EngineDialog &d, int field)
{
    return field < 0 ? nullptr : qobject_cast<QLineEdit *>(d.control(field));
}

} // namespace

QString documentTabCaption(const core::DocTree &tree)
{
    if (tree.root() == core::kNoNode)
        return {};
    // The root holds the file's path, with either kind of separator.
    const QString text = tree.text(tree.root());
    const qsizetype cut = std::max(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\'));
    return text.mid(cut + 1);
}

bool isBattleScenarioCaption(const QString &tabCaption)
{
    return tabCaption.toLower().contains(u's');
}

MapButtonDialog::MapButtonDialog(workspace::EditContext &ctx, const DialogDescription &description,
                                 const MapButtonSpec &spec)
    : EngineDialog(ctx, description), m_spec(spec)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    m_button = new QPushButton(QString::fromUtf16(spec.buttonText), this);
    m_button->setObjectName(QString::fromLatin1(spec.buttonName));
    m_button->setAutoDefault(false);
    row->addWidget(m_button);
    body()->addLayout(row);
    connect(m_button, &QPushButton::clicked, this, [this] { openPicker(); });
}

bool MapButtonDialog::zoneUsesBattleMap() const
{
    return isBattleScenarioCaption(documentTabCaption(tree()));
}

void MapButtonDialog::openPicker()
{
    workspace::EditContext &ctx = context();
    auto &registry = workspace::DialogRegistry::instance();
    switch (m_spec.pick) {
    case MapPick::BattleCell:
    case MapPick::BattleObject: {
        workspace::ArmyMapProtocol &p = ctx.armyMap;
        p.xBox[0] = box(*this, m_spec.x0);
        p.yBox[0] = box(*this, m_spec.y0);
        // The picker does not read the second element in these modes; no box
        // of an earlier dialog is left behind in it.
        p.xBox[1] = p.yBox[1] = nullptr;
        if (m_spec.pick == MapPick::BattleObject) {
            p.objectNode = node();
            const auto *kinds = qobject_cast<QComboBox *>(control(m_spec.kindField));
            p.objectKind = kinds ? kinds->currentIndex() : 0;
            p.mode = 6;
        } else {
            p.mode = 4;
        }
        registry.runTool(workspace::kBattleMapPickerTool, ctx);
        break;
    }
    case MapPick::Zone:
        if (zoneUsesBattleMap()) {
            workspace::ArmyMapProtocol &p = ctx.armyMap;
            p.xBox[0] = box(*this, m_spec.x0);
            p.yBox[0] = box(*this, m_spec.y0);
            p.xBox[1] = box(*this, m_spec.x1);
            p.yBox[1] = box(*this, m_spec.y1);
            p.mode = 3;
            registry.runTool(workspace::kBattleMapPickerTool, ctx);
        } else {
            workspace::StageMapProtocol &p = ctx.stageMap;
            p.twoPoint = true;
            p.pixelMode = false;
            p.xBox = box(*this, m_spec.x0);
            p.yBox = box(*this, m_spec.y0);
            p.x2Box = box(*this, m_spec.x1);
            p.y2Box = box(*this, m_spec.y1);
            registry.runTool(workspace::kStageMapPickerTool, ctx);
        }
        break;
    case MapPick::WorldFace: {
        workspace::WorldMapProtocol &p = ctx.worldMap;
        p.faceXBox = box(*this, m_spec.x0);
        p.faceYBox = box(*this, m_spec.y0);
        p.facePerson = picker() ? picker()->value(0) : 0xFFFF;
        p.faceMoving = m_spec.faceMoving;
        registry.runTool(workspace::kWorldMapPickerTool, ctx);
        break;
    }
    }
}

bool registerMapButtonDialog(const DialogDescription &description, const MapButtonSpec &spec)
{
    registerEngineDialog(description);
    return workspace::registerEditDialog(description.code,
                                         [&description, &spec](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
                                             return std::make_unique<MapButtonDialog>(ctx, description, spec);
                                         });
}

} // namespace commands
