#include "commands/units/unit_dialog.h"

#include "commands/common/character_picker.h"
#include "commands/common/number_field.h"
#include "core/param_tags.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace commands {

namespace {

constexpr int kPreviewWidth = 48;
constexpr int kPreviewHeight = 64;
// The first list row that is not a person of the game or a group.
constexpr int kFirstVariableRow = 1028;

} // namespace

UnitDialog::UnitDialog(workspace::EditContext &ctx, const UnitDialogSpec &spec)
    : EngineDialog(ctx, spec.description), m_spec(spec)
{
    if (spec.map) {
        m_mapButton = makeMapButton(*this, ctx, *spec.map, [this] { return mapPerson(); });
        if (!placeBesideCoordinates(m_mapButton))
            body()->addWidget(m_mapButton, 0, Qt::AlignLeft);
    }

    if (spec.toggle.chooser >= 0) {
        QWidget *chooser = control(spec.toggle.chooser);
        if (auto *list = qobject_cast<QComboBox *>(chooser)) {
            connect(list, &QComboBox::currentIndexChanged, this, [this] { applyToggle(); });
        } else if (auto *option = qobject_cast<QRadioButton *>(chooser)) {
            connect(option, &QRadioButton::toggled, this, [this] { applyToggle(); });
        }
        if (spec.toggle.startModeOnlyWith0 && picker())
            picker()->startModeCondition = [this] { return fieldValue(m_spec.toggle.chooser) == 0; };
        applyToggle();
    }

    if (spec.disable.chooser >= 0) {
        auto *list = qobject_cast<QComboBox *>(control(spec.disable.chooser));
        auto apply = [this, list] {
            control(m_spec.disable.target)->setEnabled(list->currentIndex() != m_spec.disable.value);
        };
        connect(list, &QComboBox::currentIndexChanged, this, apply);
        apply();
    }

    if (spec.preview.kind != PreviewKind::None) {
        m_preview = new QLabel(this);
        m_preview->setObjectName(QStringLiteral("pbModel"));
        m_preview->setFixedSize(kPreviewWidth, kPreviewHeight);
        m_preview->setAutoFillBackground(true);
        body()->addWidget(m_preview, 0, Qt::AlignLeft);
        connectPreview();
        // The loaded fields draw once, then every change draws.
        if (spec.preview.kind == PreviewKind::MapModel || picker()->value(0) < kFirstVariableRow)
            redraw();
        m_loaded = true;
    }
}

int UnitDialog::listIndex(int field) const
{
    if (auto *list = qobject_cast<QComboBox *>(control(field)))
        return list->currentIndex();
    return -1;
}

int UnitDialog::fieldValue(int field) const
{
    QWidget *w = control(field);
    if (auto *option = qobject_cast<QRadioButton *>(w))
        return option->isChecked() ? 0 : 1;  // the control is the first option
    if (auto *list = qobject_cast<QComboBox *>(w))
        return list->currentIndex();
    if (auto *check = qobject_cast<QCheckBox *>(w))
        return check->isChecked() ? 1 : 0;
    return 0;
}

void UnitDialog::applyToggle()
{
    const ToggleSpec &t = m_spec.toggle;
    const int v = fieldValue(t.chooser);
    for (int f : t.shownBy0)
        setFieldShown(f, v == 0);
    for (int f : t.shownBy1)
        setFieldShown(f, v != 0);
    if (m_mapButton && t.mapButtonWith1)
        m_mapButton->setVisible(v != 0);
}

int UnitDialog::mapPerson() const
{
    const int f = m_spec.mapPerson;
    const int person = f >= 0 ? picker()->value(description().fields[std::size_t(f)].element) : 0;
    // A variable person draws nothing on the stage.
    return person <= kFirstVariableRow ? person : 0;
}

void UnitDialog::connectPreview()
{
    const PreviewSpec &p = m_spec.preview;
    auto onList = [this](int field) {
        if (field < 0)
            return;
        connect(qobject_cast<QComboBox *>(control(field)), &QComboBox::currentIndexChanged, this, [this] {
            if (m_loaded || m_spec.preview.kind == PreviewKind::MapModel)
                redraw();
        });
    };
    onList(p.pose);
    onList(p.facing);
    onList(p.model);
    if (p.kind == PreviewKind::MapModel)
        return;  // the person plays no part in a model's picture
    QComboBox *persons = picker()->list(0);
    connect(persons, &QComboBox::currentIndexChanged, this, [this, persons](int row) {
        if (!m_loaded || row < 0 || row >= kFirstVariableRow)
            return;
        if (m_spec.preview.needsName && persons->itemText(row).isEmpty())
            return;
        redraw();
    });
}

void UnitDialog::redraw()
{
    const PreviewSpec &p = m_spec.preview;
    std::optional<PreviewDraw> draw;
    if (p.kind == PreviewKind::MapModel) {
        draw = modelPreview(std::max(0, listIndex(p.model)));
    } else if (const std::optional<int> model = personMapModel(context(), picker()->value(0))) {
        const int pose = std::max(0, listIndex(p.pose));
        draw = p.kind == PreviewKind::PoseFront ? frontPreview(*model, pose)
                                                : facingPreview(*model, pose, std::max(0, listIndex(p.facing)));
    }
    m_lastDraw = draw;
    const QImage image = draw ? renderPreview(context(), *draw) : QImage();
    m_preview->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}

void registerUnitDialog(workspace::DialogRegistry &registry, const UnitDialogSpec &spec)
{
    registerEngineDialogAs<UnitDialog>(registry, spec.description, &spec);
}

} // namespace commands
