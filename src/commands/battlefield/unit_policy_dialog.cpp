// Command 0x4E "무장방침변경": units (a person or a zone) get a new AI policy
// and the policy's target: a person for "공격 무장" and "동행 무장", a cell
// for "도착 지점" and "퇴각 지점". Three panels, one per kind of target, each
// with its own copy of the policy list; the chosen policy shows its panel.
// Both targets are always written, whatever the policy.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/character_picker.h"
#include "commands/common/list_sources.h"
#include "commands/common/number_field.h"
#include "commands/common/placeholder_item.h"
#include "core/param_tags.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace commands {

namespace {

constexpr int kPolicyPos = 81;
constexpr int kTargetPersonPos = 89;
constexpr int kTargetXPos = 97;
constexpr int kTargetYPos = 109;

enum Panel { Normal, TargetPerson, TargetCell };

// The AI target point's boxes (loaded and written by the dialog itself).
constexpr FieldSpec kTargetX = coordinateField(kTargetXPos, "tX2", NumberKind::Coordinate);
constexpr FieldSpec kTargetY = coordinateField(kTargetYPos, "tY2", NumberKind::Coordinate);

// A policy no item stands for uses no target.
Panel panelOf(int policy)
{
    if (policy == 3 || policy == 5)
        return TargetPerson;
    return policy == 4 || policy == 6 ? TargetCell : Normal;
}

class UnitPolicyDialog : public EngineDialog
{
public:
    UnitPolicyDialog(workspace::EditContext &ctx, const DialogDescription &description)
        : EngineDialog(ctx, description)
    {
        buildPanels();
        loadPanels();
    }

protected:
    bool saveFields(QString &key, int &lengthDelta) override
    {
        EngineDialog::saveFields(key, lengthDelta);
        setField(key, kPolicyPos, 2, itemValue(m_policy[Normal], m_policy[Normal]->currentIndex()));
        setField(key, kTargetPersonPos, 2, picker()->value(1));
        setFieldFromBox(key, kTargetXPos, m_x->text(), true);
        setFieldFromBox(key, kTargetYPos, m_y->text(), true);
        return true;
    }

private:
    // The panels below the target block.
    void buildPanels()
    {
        const char *panelNames[] = {"gbNomal", "gbAIChar", "gbCoor"};
        auto *place = new QVBoxLayout;
        for (int p = 0; p < 3; ++p) {
            m_panels[p] = new QGroupBox(QStringLiteral("AI"), this);
            m_panels[p]->setObjectName(QString::fromLatin1(panelNames[p]));
            auto *layout = new QGridLayout(m_panels[p]);
            m_policy[p] = new QComboBox(m_panels[p]);
            m_policy[p]->setObjectName(QStringLiteral("cbAI%1").arg(p));
            for (const QStringView w : core::aiPolicyWords())
                m_policy[p]->addItem(w.toString());
            markOwnItems(m_policy[p]);
            layout->addWidget(labelFor(m_policy[p], u"AI", QStringLiteral("lblcbAI%1").arg(p)), 0, 0);
            layout->addWidget(m_policy[p], 0, 1);
            place->addWidget(m_panels[p]);
        }
        {
            auto *layout = static_cast<QGridLayout *>(m_panels[TargetPerson]->layout());
            layout->addWidget(labelFor(picker()->elementWidget(1), u"인물", QStringLiteral("lblcbChar1")), 1, 0);
            layout->addWidget(picker()->elementWidget(1), 1, 1);
        }
        {
            FieldGrid cell{static_cast<QGridLayout *>(m_panels[TargetCell]->layout()), 1};
            m_x = new NumberField(NumberKind::Coordinate, m_panels[TargetCell]);
            m_x->setObjectName(QStringLiteral("tX2"));
            m_y = new NumberField(NumberKind::Coordinate, m_panels[TargetCell]);
            m_y->setObjectName(QStringLiteral("tY2"));
            placeCoordinate(cell, kTargetX, m_x);
            CoordinateRow *row = placeCoordinate(cell, kTargetY, m_y);
            static const MapButtonRow kTargetCell{.x0 = "tX2", .y0 = "tY2"};
            row->addAfter(makeBattleMapButton(kTargetCell));
        }
        grid()->addLayout(place, grid()->rowCount(), 0, 1, 2);
        for (int p = 0; p < 3; ++p)
            connect(m_policy[p], &QComboBox::currentIndexChanged, this, [this](int i) { choose(i); });
    }

    void loadPanels()
    {
        const int policy = field(kPolicyPos, 2) & 0xFFFF;
        const QString word = captionWordAt(context(), key(), kPolicyPos);
        for (QComboBox *l : m_policy)
            showStoredValue(l, policy, word);
        choose(m_policy[Normal]->currentIndex());
        picker()->setStoredValue(1, field(kTargetPersonPos, 2) & 0xFFFF);
        m_x->load(fieldText(kTargetXPos, true).toLongLong());
        m_y->load(fieldText(kTargetYPos, true).toLongLong());
    }

    QLabel *labelFor(QWidget *control, const char16_t *text, const QString &name)
    {
        auto *label = new QLabel(QString::fromUtf16(text), this);
        label->setObjectName(name);
        label->setBuddy(control);
        return label;
    }

    // A policy chosen in any of the three lists: all three show it, and the
    // panel of its target is the one shown. The lists hold the same items, a
    // stored policy's placeholder included.
    void choose(int item)
    {
        if (m_choosing || item < 0)
            return;
        ++m_choosing;
        for (QComboBox *l : m_policy)
            if (l->currentIndex() != item)
                l->setCurrentIndex(item);
        --m_choosing;
        const Panel shown = panelOf(itemValue(m_policy[Normal], item));
        for (int p = 0; p < 3; ++p)
            m_panels[p]->setVisible(p == shown);
        // While loading the dialog is not shown yet and nothing takes the focus.
        if (isVisible())
            m_policy[shown]->setFocus(Qt::OtherFocusReason);
    }

    QGroupBox *m_panels[3] = {};
    QComboBox *m_policy[3] = {};
    NumberField *m_x = nullptr;
    NumberField *m_y = nullptr;
    int m_choosing = 0;
};

const DialogDescription kUnitPolicy{
    .code = 0x4E,
    .formName = "FrmChangeCharPolicy4E",
    .title = u"수정 - 4E : 무장방침변경",
    .target = {.form = TargetForm::PersonZone, .frameCaption = u"범위", .zoneMapName = "cMap0"},
    .picker = {.pair = true, .focusSelectsMode = true},
    .startModeOnlyForPerson = true,
    .numbers = NumberSave::WholeNumberOnly,
    .checks = CheckPlace::FieldColumn,
};

} // namespace

void registerUnitPolicyDialog(workspace::DialogRegistry &registry)
{
    registerEngineDialogAs<UnitPolicyDialog>(registry, kUnitPolicy, &kUnitPolicy);
}

} // namespace commands
