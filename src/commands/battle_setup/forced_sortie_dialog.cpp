#include "commands/battle_setup/forced_sortie_dialog.h"

#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/common/list_sources.h"
#include "commands/common/number_field.h"
#include "commands/common/person_list_model.h"
#include "commands/common/placeholder_item.h"
#include "core/game/game_data.h"
#include "platform/number_box.h"
#include "workspace/dialog_registry.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace commands {

namespace {

constexpr int kForced = 0;
constexpr int kBarred = 1;
constexpr int kCountPos = 9;
constexpr int kForcedPos = 21;
constexpr int kBarredPos = 61;
constexpr int kSlotStride = 8;
const QString kNone = QStringLiteral("無");

PersonListModel &model(const workspace::ProgramServices &ctx)
{
    return PersonListModel::shared(ctx.nameTables());
}

void setTextIfDifferent(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

} // namespace

ForcedSortieDialog::ForcedSortieDialog(workspace::EditContext &ctx) : CommandDialog(ctx, kCode)
{
    setObjectName(QStringLiteral("FrmForceGoWar4A"));

    for (int i = 0; i < kSlots; ++i) {
        m_rows[kForced].values[std::size_t(i)] = field(kForcedPos + kSlotStride * i, 2) & 0xFFFF;
        m_rows[kBarred].values[std::size_t(i)] = field(kBarredPos + kSlotStride * i, 2) & 0xFFFF;
    }
    m_rows[kForced].forced = true;

    auto *modeRow = new QHBoxLayout;
    const char *modeNames[3] = {"oList", "oNum", "oName"};
    const char16_t *modeTexts[3] = {u"인물 리스트", u"인물 번호", u"인물 이름"};
    auto *modeGroup = new QButtonGroup(this);
    for (int m = 0; m < 3; ++m) {
        m_modes[std::size_t(m)] = new QRadioButton(QString::fromUtf16(modeTexts[m]), this);
        m_modes[std::size_t(m)]->setObjectName(QLatin1String(modeNames[m]));
        modeGroup->addButton(m_modes[std::size_t(m)], m);
        modeRow->addWidget(m_modes[std::size_t(m)]);
    }
    modeRow->addStretch();
    body()->addLayout(modeRow);
    connect(modeGroup, &QButtonGroup::idClicked, this, [this](int m) { setMode(core::CharSelectMode(m)); });

    auto *countRow = new QHBoxLayout;
    auto *countLabel = new QLabel(QStringLiteral("출전 인물 수  "), this);
    countLabel->setObjectName(QStringLiteral("Label1"));
    m_count = new NumberField(NumberKind::BattlefieldIndex, this);
    m_count->setObjectName(QStringLiteral("tGoCharNum"));
    countLabel->setBuddy(m_count);
    countRow->addWidget(countLabel);
    countRow->addWidget(m_count);
    countRow->addStretch();
    body()->addLayout(countRow);
    m_count->load(field(kCountPos, 4));

    buildRow(kForced, "T", QStringLiteral("강제 출현"), "Option1");
    buildRow(kBarred, "F", QStringLiteral("출현 불가"), "Option2");
    setMode(core::CharSelectMode::List);
    for (int r : {kForced, kBarred})
        showSlot(r, 0);
}

void ForcedSortieDialog::buildRow(int r, const char *suffix, const QString &label, const char *optionName)
{
    Row &row = m_rows[std::size_t(r)];
    auto *line = new QHBoxLayout;
    auto *rowLabel = new QLabel(label, this);
    rowLabel->setObjectName(r == kForced ? QStringLiteral("Label2") : QStringLiteral("Label3"));
    line->addWidget(rowLabel);

    auto *frame = new QGroupBox(QStringLiteral("번호"), this);
    auto *buttons = new QHBoxLayout(frame);
    row.slotButtons = new QButtonGroup(this);
    for (int i = 0; i < kSlots; ++i) {
        auto *b = new QRadioButton(QString::number(i + 1), frame);
        b->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(optionName)).arg(i));
        row.slotButtons->addButton(b, i);
        buttons->addWidget(b);
    }
    row.slotButtons->button(0)->setChecked(true);
    line->addWidget(frame);
    connect(row.slotButtons, &QButtonGroup::idClicked, this, [this, r](int i) { showSlot(r, i); });

    QStringList items;
    items.reserve(person::kRowCount);
    const PersonListModel &names = model(context());
    for (int i = 0; i < person::kRowCount; ++i)
        items << names.text(i);
    if (row.forced)
        items[0] = kNone;
    row.list = new QComboBox(this);
    row.list->setObjectName(QStringLiteral("cbList") + QLatin1String(suffix));
    row.list->setMaxVisibleItems(25);
    row.list->addItems(items);
    row.number = new NumberField(NumberKind::Unclamped, this);
    row.number->setObjectName(QStringLiteral("tNum") + QLatin1String(suffix));
    row.name = new QLineEdit(this);
    row.name->setObjectName(QStringLiteral("tName") + QLatin1String(suffix));
    platform::selectAllOnFocus(row.name);
    for (QWidget *w : {static_cast<QWidget *>(row.list), static_cast<QWidget *>(row.number),
                       static_cast<QWidget *>(row.name)}) {
        w->installEventFilter(this);
        line->addWidget(w, 1);
    }
    body()->addLayout(line);

    connect(row.list, &QComboBox::currentIndexChanged, this, [this, r](int i) { listChosen(r, i); });
    connect(row.number, &QLineEdit::textChanged, this, [this, r] { numberChanged(r); });
    // A change that is not the dialog showing a slot is the user's: leaving
    // the control stores it.
    const auto edited = [this, r] {
        if (!m_showing)
            m_rows[std::size_t(r)].edited = true;
    };
    connect(row.list, &QComboBox::currentIndexChanged, this, edited);
    connect(row.number, &QLineEdit::textChanged, this, edited);
    connect(row.name, &QLineEdit::textChanged, this, edited);
    if (row.forced) {
        // Person 0 is "無" in this row, typed or chosen.
        connect(row.name, &QLineEdit::textChanged, this, [this] {
            QLineEdit *name = m_rows[kForced].name;
            const QString first = model(context()).text(0);
            if (!first.isEmpty() && name->text() == first)
                name->setText(kNone);
        });
    }
}

int ForcedSortieDialog::chosenSlot(int r) const
{
    const int id = m_rows[std::size_t(r)].slotButtons->checkedId();
    return id < 0 ? 0 : id;
}

int ForcedSortieDialog::forcedSlot() const { return chosenSlot(kForced); }
int ForcedSortieDialog::barredSlot() const { return chosenSlot(kBarred); }

void ForcedSortieDialog::setMode(core::CharSelectMode mode)
{
    m_modes[std::size_t(mode)]->setChecked(true);
    for (Row &row : m_rows) {
        row.list->setVisible(mode == core::CharSelectMode::List);
        row.number->setVisible(mode == core::CharSelectMode::Number);
        row.name->setVisible(mode == core::CharSelectMode::Name);
    }
    const Row &forced = m_rows[kForced];
    QWidget *focus = mode == core::CharSelectMode::List     ? static_cast<QWidget *>(forced.list)
                     : mode == core::CharSelectMode::Number ? static_cast<QWidget *>(forced.number)
                                                            : static_cast<QWidget *>(forced.name);
    focus->setFocus();
}

void ForcedSortieDialog::showSlot(int r, int slot)
{
    Row &row = m_rows[std::size_t(r)];
    ++m_showing;
    // The placeholder of the slot shown before goes with it.
    while (row.list->count() > person::kRowCount)
        row.list->removeItem(row.list->count() - 1);
    const int value = row.values[std::size_t(slot)];
    const int item = person::rowOfValue(value);
    if (item == person::kNoneRow && value != person::kNone) {
        // A person past the table names nobody: it shows as the tree's
        // caption reads it in an item of its own, which keeps it until the
        // user picks another.
        const int pos = (r == kForced ? kForcedPos : kBarredPos) + kSlotStride * slot;
        const QString word = captionWordAt(context(), key(), pos);
        row.list->addItem(placeholderText(word, value, row.list->findText(word) >= 0 ? QStringList{word} : QStringList{}),
                          value);
        select(r, person::kRowCount);
    } else {
        select(r, item);
    }
    --m_showing;
    row.edited = false;
}

void ForcedSortieDialog::select(int r, int item)
{
    QComboBox *list = m_rows[std::size_t(r)].list;
    // Choosing the item shown already still rewrites the row's boxes.
    if (list->currentIndex() != item)
        list->setCurrentIndex(item);
    else
        listChosen(r, item);
}

QString ForcedSortieDialog::nameOf(int r, int item) const
{
    return m_rows[std::size_t(r)].list->itemText(item);
}

void ForcedSortieDialog::listChosen(int r, int item)
{
    if (item < 0)
        return;
    Row &row = m_rows[std::size_t(r)];
    if (item >= person::kRowCount) {
        // The placeholder: its own number, and the name it reads.
        setTextIfDifferent(row.number, QString::number(row.list->itemData(item).toInt()));
        setTextIfDifferent(row.name, row.list->itemText(item));
        return;
    }
    if (item == person::kNoneRow && row.forced) {
        // The forced row has no "nobody" apart from 0: back to item 0.
        setTextIfDifferent(row.number, QStringLiteral("0"));
        setTextIfDifferent(row.name, kNone);
        select(r, 0);
        return;
    }
    setTextIfDifferent(row.number, QString::number(person::valueOfRow(item)));
    setTextIfDifferent(row.name, nameOf(r, item));
}

void ForcedSortieDialog::numberChanged(int r)
{
    const Row &row = m_rows[std::size_t(r)];
    const std::int64_t v = row.number->number();
    int item = person::kNoneRow;
    if (v >= person::kFirstVariableValue && v < person::kNone)
        item = person::rowOfValue(int(v));
    else if (v < person::kFirstVariableRow)
        item = int(v);
    else if (row.list->count() > person::kRowCount && row.list->itemData(person::kRowCount).toLongLong() == v)
        item = person::kRowCount;  // the slot's own stored person, shown by its placeholder
    select(r, item);
}

void ForcedSortieDialog::commitList(int r)
{
    Row &row = m_rows[std::size_t(r)];
    const int item = row.list->currentIndex();
    row.values[std::size_t(chosenSlot(r))] =
        item >= person::kRowCount ? row.list->itemData(item).toInt() : person::valueOfRow(item);
}

void ForcedSortieDialog::commitNumber(int r)
{
    Row &row = m_rows[std::size_t(r)];
    platform::zeroIfEmpty(row.number);
    row.values[std::size_t(chosenSlot(r))] = int(row.number->number() & 0xFFFF);
}

void ForcedSortieDialog::commitName(int r)
{
    Row &row = m_rows[std::size_t(r)];
    int &slot = row.values[std::size_t(chosenSlot(r))];
    if (row.name->text().isEmpty())
        select(r, person::kNoneRow);
    if (row.name->text() == kNone) {
        slot = row.forced ? 0 : person::kNone;
        return;
    }
    if (const std::optional<int> item = model(context()).rowOfName(row.name->text())) {
        select(r, *item);
        slot = person::valueOfRow(*item);
    } else {
        select(r, person::kNoneRow);
        slot = person::kNone;
    }
}

bool ForcedSortieDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // Opening a list's popup or leaving the window is no leaving of the
        // control.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            for (int r : {kForced, kBarred}) {
                Row &row = m_rows[std::size_t(r)];
                const bool mine = watched == row.list || watched == row.number || watched == row.name;
                // Only what the user changed: a control left as it was shown
                // stores nothing, so "無" shown for 0xFFFF stays 0xFFFF.
                if (!mine || !row.edited)
                    continue;
                row.edited = false;
                if (watched == row.list)
                    commitList(r);
                else if (watched == row.number)
                    commitNumber(r);
                else if (watched == row.name)
                    commitName(r);
            }
        }
    }
    return CommandDialog::eventFilter(watched, event);
}

bool ForcedSortieDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        setMode(core::charSelectModeFromText(
            context().readSetting(QStringLiteral("Option"), QStringLiteral("Char_Select"))));
    return CommandDialog::event(event);
}

bool ForcedSortieDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    setFieldFromBox(key, kCountPos, m_count->text(), true);
    for (int i = 0; i < kSlots; ++i) {
        setField(key, kForcedPos + kSlotStride * i, 2, m_rows[kForced].values[std::size_t(i)]);
        setField(key, kBarredPos + kSlotStride * i, 2, m_rows[kBarred].values[std::size_t(i)]);
    }
    return true;
}

void registerForcedSortieDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(ForcedSortieDialog::kCode, QStringLiteral("FrmForceGoWar4A"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> { return std::make_unique<ForcedSortieDialog>(ctx); });
}

} // namespace commands
