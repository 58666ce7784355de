#include "commands/battle_setup/army_table_dialog.h"

#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/common/character_picker.h"
#include "commands/common/list_sources.h"
#include "commands/common/map_button.h"
#include "commands/common/number_field.h"
#include "commands/common/placeholder_item.h"
#include "commands/common/person_list_model.h"
#include "core/game/game_data.h"
#include "core/param_tags.h"
#include "platform/number_box.h"
#include "workspace/dialog_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace commands {

namespace {

constexpr int kVariableCellBase = 0x10000;
constexpr int kCellLimit = 40;
constexpr int kDefaultFacingItem = 4;
constexpr QStringView kDirectionWords[] = {u"북쪽", u"동쪽", u"남쪽", u"서쪽", u"묵인방향"};
constexpr QStringView kTroopWords[] = {u"초급", u"중급", u"고급"};
constexpr QStringView kPolicyWords[] = {u"적이 오면 출격", u"무조건 출격", u"항상 제자리", u"공격 무장",
                                        u"도착 지점",      u"동행 무장",   u"퇴각 지점"};

QComboBox *fixedCombo(QWidget *owner, const char *name, std::span<const QStringView> words)
{
    auto *box = new QComboBox(owner);
    box->setObjectName(QLatin1String(name));
    for (QStringView w : words)
        box->addItem(w.toString());
    return box;
}

// The value of a coordinate text; `overLimit` tells a plain number above 40.
std::int32_t coordinateValue(const QString &text, bool *overLimit = nullptr)
{
    static const QRegularExpression leading(QStringLiteral("^-?\\d+"));
    if (overLimit)
        *overLimit = false;
    if (text.startsWith(u'*')) {
        static const QRegularExpression digits(QStringLiteral("^\\d+"));
        const auto m = digits.match(QStringView(text).mid(1));
        qint64 k = m.hasMatch() ? m.captured().left(12).toLongLong() : 0;
        // Past 32 bits there is no cell: the variable number is cut.
        k = std::min<qint64>(k, std::numeric_limits<std::int32_t>::max() - kVariableCellBase);
        return std::int32_t(kVariableCellBase + k);
    }
    const auto m = leading.match(text);
    if (!m.hasMatch())
        return 0;
    const qint64 v = m.captured().left(12).toLongLong();
    if (v > kCellLimit) {
        if (overLimit)
            *overLimit = true;
        return kCellLimit;
    }
    return std::int32_t(std::max<qint64>(v, std::numeric_limits<std::int32_t>::min()));
}

constexpr int kStoredDefaultFacing = 0xFFFF;

// Flags above 1 load clear. The default facing is stored as 0xFFFF and held
// as its item; list values no item stands for stay as stored, for the
// placeholders that show them.
core::ArmySlot loadedSlot(core::ArmySlot s)
{
    if (s.relief > 1)
        s.relief = 0;
    if (s.hidden > 1)
        s.hidden = 0;
    if (s.direction == kStoredDefaultFacing)
        s.direction = kDefaultFacingItem;
    return s;
}

// A stored list value past the items shows as its number (the policy as its
// word, where it has one).
QString placeholderFor(int value, const workspace::EditContext &ctx, int captionTag = 0)
{
    ListSpec spec;
    spec.captionTag = captionTag;
    return placeholderText(spec, value, ctx);
}

} // namespace

QString ArmyTableDialog::coordinateText(std::int32_t value)
{
    if (value >= kVariableCellBase)
        return u'*' + QString::number(value - kVariableCellBase);
    return QString::number(value);
}

ArmyTableDialog::ArmyTableDialog(workspace::EditContext &ctx, const ArmyTableConfig &config)
    : CommandDialog(ctx, config.layout->code), m_config(config)
{
    setObjectName(QLatin1String(config.formName));
    m_levelMax = readSettingCount(ctx, kCharLvMax);
    build();

    auto &model = PersonListModel::shared(ctx.nameTables());
    const core::ArmyTableLayout &layout = *config.layout;
    m_table.reserve(std::size_t(layout.slotCount));
    m_touchedSlots.assign(std::size_t(layout.slotCount), false);
    for (int i = 0; i < layout.slotCount; ++i) {
        m_table.push_back(loadedSlot(core::readArmySlot(key(), layout, i)));
        m_list->addItem(model.text(person::rowOfValue(m_table.back().person)));
    }
    m_list->setCurrentRow(0);
    m_loaded = true;
}

void ArmyTableDialog::build()
{
    auto *columns = new QHBoxLayout;
    body()->addLayout(columns);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lChar"));
    m_list->installEventFilter(this);
    columns->addWidget(m_list);

    auto *right = new QVBoxLayout;
    columns->addLayout(right);

    PickerOptions options;
    options.pair = true;
    options.focusSelectsMode = true;
    m_picker = new CharacterPicker(this, context().nameTables(), options);
    right->addWidget(m_picker->modeRow());

    auto *grid = new QGridLayout;
    right->addLayout(grid);
    int r = 0;
    auto *personLabel = new QLabel(QStringLiteral("인물"), this);
    personLabel->setObjectName(QStringLiteral("Label1"));
    personLabel->setBuddy(m_picker->elementWidget(0));
    grid->addWidget(personLabel, r, 0);
    grid->addWidget(m_picker->elementWidget(0), r++, 1);

    auto *flags = new QHBoxLayout;
    if (m_config.layout->hasRelief) {
        m_relief = new QCheckBox(QStringLiteral("원군"), this);
        m_relief->setObjectName(QStringLiteral("ckRelief"));
        flags->addWidget(m_relief);
        connect(m_relief, &QCheckBox::toggled, this, [this](bool on) {
            if (auto *s = current())
                s->relief = on ? 1 : 0;
        });
    }
    m_hide = new QCheckBox(QStringLiteral("숨음"), this);
    m_hide->setObjectName(QStringLiteral("ckHide"));
    flags->addWidget(m_hide);
    flags->addStretch();
    connect(m_hide, &QCheckBox::toggled, this, [this](bool on) {
        if (auto *s = current())
            s->hidden = on ? 1 : 0;
    });
    grid->addLayout(flags, r++, 0, 1, 2);

    // A coordinate row: "좌표 : (x, y)" with its Map button.
    auto coordinateRow = [this](int element, QWidget *owner) {
        auto *row = new QHBoxLayout;
        auto *label = new QLabel(QStringLiteral("좌표 : ("), owner);
        label->setObjectName(QStringLiteral("Label2_%1").arg(element));
        row->addWidget(label);
        for (int k = 0; k < 2; ++k) {
            auto *box = new QLineEdit(owner);
            box->setObjectName(QStringLiteral("%1%2").arg(k == 0 ? "tX" : "tY").arg(element));
            box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9*]*")), box));
            platform::selectAllOnFocus(box);
            platform::forceAlphaIME(box);
            box->installEventFilter(this);
            box->setMaximumWidth(60);
            (k == 0 ? m_x : m_y)[element] = box;
            row->addWidget(box);
            row->addWidget(new QLabel(k == 0 ? QStringLiteral(",") : QStringLiteral(")"), owner));
            connect(box, &QLineEdit::textChanged, this, [this, element, k] { coordinateChanged(element, k == 1); });
        }
        m_map[element] = new QPushButton(QStringLiteral("Map"), owner);
        m_map[element]->setObjectName(QStringLiteral("cMap%1").arg(element));
        m_map[element]->setAutoDefault(false);
        connect(m_map[element], &QPushButton::clicked, this, [this, element] { openMap(element); });
        row->addWidget(m_map[element]);
        row->addStretch();
        return row;
    };
    grid->addLayout(coordinateRow(0, this), r++, 0, 1, 2);

    auto addListRow = [&](const QString &text, const char *labelName, QComboBox *box) {
        auto *label = new QLabel(text, this);
        label->setObjectName(QLatin1String(labelName));
        label->setBuddy(box);
        grid->addWidget(label, r, 0);
        grid->addWidget(box, r++, 1);
    };
    m_direction = fixedCombo(this, "cbDirection", kDirectionWords);
    addListRow(QStringLiteral("방향"), "Label3_1", m_direction);
    m_level = new QComboBox(this);
    m_level->setObjectName(QStringLiteral("cbLV"));
    m_level->setMaxVisibleItems(25);
    for (int j = 0; j <= m_levelMax; ++j)
        m_level->addItem(QStringLiteral("+ Lv ") + QString::number(j));
    for (int k = 1; k <= m_levelMax; ++k)
        m_level->addItem(QStringLiteral("- Lv ") + QString::number(k));
    addListRow(QStringLiteral("유닛 Lv 상승"), "Label4", m_level);
    m_troop = fixedCombo(this, "cbArmyLv", kTroopWords);
    addListRow(QStringLiteral("병종 등급 제한"), "Label5", m_troop);

    // A placeholder picked back gives the slot its stored value again.
    const std::pair<QComboBox *, int core::ArmySlot::*> slotLists[] = {
        {m_direction, &core::ArmySlot::direction},
        {m_level, &core::ArmySlot::levelChange},
        {m_troop, &core::ArmySlot::troopLimit},
    };
    for (const auto &row : slotLists) {
        QComboBox *box = row.first;
        int core::ArmySlot::*member = row.second;
        markOwnItems(box);
        connect(box, &QComboBox::currentIndexChanged, this, [this, box, member](int i) {
            if (auto *s = current(); s && i >= 0)
                s->*member = itemValue(box, i);
        });
    }

    // Three AI panels in one place; the policy decides which one shows.
    const char *panelNames[3] = {"gbNomal", "gbChar", "gbCoor"};
    const char *aiLabelNames[3] = {"Label6", "Label7", "Label8"};
    auto *panelStack = new QVBoxLayout;
    for (int k = 0; k < 3; ++k) {
        m_panels[k] = new QGroupBox(QStringLiteral("AI"), this);
        m_panels[k]->setObjectName(QLatin1String(panelNames[k]));
        auto *panel = new QGridLayout(m_panels[k]);
        auto *aiLabel = new QLabel(QStringLiteral("AI"), m_panels[k]);
        aiLabel->setObjectName(QLatin1String(aiLabelNames[k]));
        m_ai[k] = fixedCombo(m_panels[k], "", kPolicyWords);
        markOwnItems(m_ai[k]);
        aiLabel->setBuddy(m_ai[k]);
        m_ai[k]->setObjectName(QStringLiteral("cbAI%1").arg(k));
        panel->addWidget(aiLabel, 0, 0);
        panel->addWidget(m_ai[k], 0, 1);
        connect(m_ai[k], &QComboBox::currentIndexChanged, this, [this, k](int i) { aiChosen(k, i); });
        panelStack->addWidget(m_panels[k]);
    }
    {
        auto *panel = static_cast<QGridLayout *>(m_panels[1]->layout());
        auto *label = new QLabel(QStringLiteral("인물"), m_panels[1]);
        label->setObjectName(QStringLiteral("Label3_0"));
        label->setBuddy(m_picker->elementWidget(1));
        panel->addWidget(label, 1, 0);
        m_picker->elementWidget(1)->setParent(m_panels[1]);
        panel->addWidget(m_picker->elementWidget(1), 1, 1);
        auto *coor = static_cast<QGridLayout *>(m_panels[2]->layout());
        coor->addLayout(coordinateRow(1, m_panels[2]), 1, 0, 1, 2);
    }
    right->addLayout(panelStack);
    right->addStretch();

    for (int i = 0; i < 2; ++i)
        connect(m_picker->list(i), &QComboBox::currentIndexChanged, this, [this, i](int row) { personChosen(i, row); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { showSlot(row); });
}

core::ArmySlot *ArmyTableDialog::current()
{
    const int row = m_list ? m_list->currentRow() : -1;
    return row >= 0 && row < int(m_table.size()) ? &m_table[std::size_t(row)] : nullptr;
}

void ArmyTableDialog::showSlot(int row)
{
    if (row < 0 || row >= int(m_table.size()))
        return;
    // Every control set here writes back into the slot through its own
    // handler, so work from a copy.
    const core::ArmySlot s = m_table[std::size_t(row)];
    m_showing = true;
    m_picker->setStoredValue(0, s.person);
    personChosen(0, m_picker->list(0)->currentIndex());
    if (m_relief)
        m_relief->setChecked(s.relief == 1);
    m_hide->setChecked(s.hidden == 1);
    m_x[0]->setText(coordinateText(s.x));
    m_y[0]->setText(coordinateText(s.y));
    showListValues(s);
    m_picker->setStoredValue(1, s.aiPerson);
    personChosen(1, m_picker->list(1)->currentIndex());
    m_x[1]->setText(coordinateText(s.aiX));
    m_y[1]->setText(coordinateText(s.aiY));
    m_showing = false;
    if (m_loaded)
        m_list->setFocus();
}

void ArmyTableDialog::showListValues(const core::ArmySlot &s)
{
    const workspace::EditContext &ctx = context();
    showStoredValue(m_direction, s.direction, placeholderFor(s.direction, ctx));
    showStoredValue(m_level, s.levelChange, placeholderFor(s.levelChange, ctx));
    showStoredValue(m_troop, s.troopLimit, placeholderFor(s.troopLimit, ctx));
    for (QComboBox *ai : m_ai)
        showStoredValue(ai, s.aiPolicy, placeholderFor(s.aiPolicy, ctx, core::tags::AIPolicy));
    aiChosen(0, m_ai[0]->currentIndex());
}

void ArmyTableDialog::personChosen(int element, int row)
{
    core::ArmySlot *s = current();
    if (!s || row < 0)
        return;
    const int value = person::valueOfRow(row);
    if (element == 0) {
        s->person = value;
        auto &model = PersonListModel::shared(context().nameTables());
        m_list->currentItem()->setText(model.text(row));
    } else {
        s->aiPerson = value;
    }
}

void ArmyTableDialog::coordinateChanged(int element, bool isY)
{
    QLineEdit *box = isY ? m_y[element] : m_x[element];
    bool over = false;
    const std::int32_t v = coordinateValue(box->text(), &over);
    // A stored cell is shown as it is and stays in the slot unchanged.
    if (m_showing)
        return;
    if (over) {
        box->setText(QString::number(kCellLimit));  // runs this handler again
        return;
    }
    core::ArmySlot *s = current();
    if (!s)
        return;
    (element == 0 ? (isY ? s->y : s->x) : (isY ? s->aiY : s->aiX)) = v;
}

void ArmyTableDialog::aiChosen(int index, int item)
{
    if (m_syncingAI)
        return;
    ++m_syncingAI;
    // The three lists hold the same items, a placeholder included.
    for (QComboBox *box : m_ai)
        box->setCurrentIndex(item);
    --m_syncingAI;
    const int policy = itemValue(m_ai[0], item);
    if (core::ArmySlot *s = current(); s && policy >= 0)
        s->aiPolicy = policy;
    const bool person = policy == 3 || policy == 5;
    const bool cell = policy == 4 || policy == 6;
    const int shown = person ? 1 : cell ? 2 : 0;
    m_panels[0]->setVisible(shown == 0);
    m_panels[2]->setVisible(shown == 2);
    m_panels[1]->setVisible(shown == 1);
    if (m_loaded && index >= 0)
        m_ai[shown]->setFocus();
}

void ArmyTableDialog::openMap(int element)
{
    const workspace::MapPickers &pickers = workspace::DialogRegistry::instance().mapPickers();
    if (!pickers.battle)
        return;
    workspace::BattleMapRequest request;
    request.mode = element == 1 ? workspace::kOneCell : m_config.unitMapMode;
    request.x0 = numberInBox(m_x[element]->text());
    request.y0 = numberInBox(m_y[element]->text());
    for (int i = 0; i < m_list->count(); ++i)
        request.unitNames << m_list->item(i)->text();
    for (const core::ArmySlot &s : m_table) {
        request.unitX.push_back(s.x);
        request.unitY.push_back(s.y);
    }
    const std::optional<workspace::BattleMapPick> pick = pickers.battle(context(), request);
    if (!pick)
        return;
    // As decimal text, so the boxes' handlers store and limit it.
    m_x[element]->setText(QString::number(pick->first.x()));
    m_y[element]->setText(QString::number(pick->first.y()));
}

void ArmyTableDialog::copySlot()
{
    // Every control writes its changes into the slot at once, so the slot is
    // what the controls show, values they show as stored (a cell above 40, a
    // placeholder) included.
    if (const core::ArmySlot *s = current())
        *m_config.copyBuffer = *s;
}

void ArmyTableDialog::pasteSlot(const core::ArmySlot &s)
{
    core::ArmySlot *target = current();
    if (!target)
        return;
    // The slot takes the values as they are and shows them as a stored slot
    // is shown, so no limit of a control cuts one of them.
    *target = s;
    touchSlot(m_list->currentRow());
    showSlot(m_list->currentRow());
    auto &model = PersonListModel::shared(context().nameTables());
    m_list->currentItem()->setText(model.text(person::rowOfValue(target->person)));
    m_list->setFocus();
}

void ArmyTableDialog::touchSlot(int row)
{
    // Every field of the slot is now what its controls show, also where it
    // reads as when the slot was loaded: a flag stored above 1 shows clear,
    // and the paste or clear writes it so.
    if (m_touchedSlots[std::size_t(row)])
        return;
    m_touchedSlots[std::size_t(row)] = true;
    for (int pos : core::armySlotValuePositions(*m_config.layout, row))
        touchItem(pos);
}

bool ArmyTableDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool ctrlOnly = key->modifiers() == Qt::ControlModifier;
        if (key->key() == Qt::Key_Delete) {
            core::ArmySlot cleared;
            cleared.direction = kDefaultFacingItem;
            pasteSlot(cleared);
            return true;
        }
        if ((key->key() == Qt::Key_C || key->key() == Qt::Key_V) && (key->modifiers() & Qt::ControlModifier)) {
            if (ctrlOnly && key->key() == Qt::Key_C)
                copySlot();
            else if (ctrlOnly)
                pasteSlot(*m_config.copyBuffer);
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut)
        for (QLineEdit *box : {m_x[0], m_y[0], m_x[1], m_y[1]})
            if (watched == box)
                platform::zeroIfEmpty(box);
    return CommandDialog::eventFilter(watched, event);
}

bool ArmyTableDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        m_list->setFocus();
        m_picker->applyStartMode(context().readSetting(QStringLiteral("Option"), QStringLiteral("Char_Select")));
    }
    return CommandDialog::event(event);
}

bool ArmyTableDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    // Entries are compared as text: two persons who share a name are refused
    // too; any number of empty slots pass.
    const QString none = QStringLiteral("無");
    for (int i = 0; !takingPicture() && i < m_list->count(); ++i) {
        const QString name = m_list->item(i)->text();
        if (name == none)
            continue;
        for (int j = i + 1; j < m_list->count(); ++j) {
            if (m_list->item(j)->text() == name) {
                context().ask().message(this, QStringLiteral("중복된 인물이 존재합니다!"), QStringLiteral("Error!"),
                                        platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
                m_list->setCurrentRow(j);
                return false;
            }
        }
    }
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        core::ArmySlot s = m_table[i];
        if (s.direction == kDefaultFacingItem)
            s.direction = kStoredDefaultFacing;
        core::writeArmySlot(key, *m_config.layout, int(i), s);
    }
    return true;
}

namespace {

core::ArmySlot zeroSlot()
{
    core::ArmySlot s;
    s.person = s.aiPerson = 0;
    s.direction = s.levelChange = s.troopLimit = s.aiPolicy = 0;
    return s;
}

// One copy buffer per command for the whole run; all zeros until a copy.
core::ArmySlot g_alliedBuffer = zeroSlot();
core::ArmySlot g_enemyBuffer = zeroSlot();

} // namespace

void resetArmyCopyBuffers()
{
    g_alliedBuffer = zeroSlot();
    g_enemyBuffer = zeroSlot();
}

namespace {

const ArmyTableConfig kAllied{&core::kAlliedArmyLayout, "FrmAlliedArmy46", 1, &g_alliedBuffer};
const ArmyTableConfig kEnemy{&core::kEnemyArmyLayout, "FrmEnemy47", 2, &g_enemyBuffer};

workspace::DialogFactory factory(const ArmyTableConfig &config)
{
    return [&config](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
        if (!core::isArmyTableKey(ctx.doc().key(ctx.node)))
            return nullptr;
        return std::make_unique<ArmyTableDialog>(ctx, config);
    };
}

} // namespace

void registerArmyTableDialogs(workspace::DialogRegistry &registry)
{
    registry.registerDialog(0x46, QLatin1String(kAllied.formName), factory(kAllied));
    registry.registerDialog(0x47, QLatin1String(kEnemy.formName), factory(kEnemy));
}

} // namespace commands
