// Command 0x75 "S특수형상지정": a person and the number of a special shape.
// The shape field holds 2 bytes, so its box stops at 65,535.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/number_field.h"

namespace commands {

namespace {

constexpr std::int64_t kShapeMax = 0xFFFF;

const FieldSpec kFields[] = {
    labelNamed(personField(9), "Label1"),
    labelNamed(numberField(17, "tCompareNum", u"S 형상", NumberKind::Plain, 2), "Label2"),
};

const DialogDescription kSpecialModel{
    .code = 0x75,
    .formName = "FrmSetSModel75",
    .title = u"수정 - 75 : S특수형상지정",
    .fields = kFields,
};

class SpecialModelDialog final : public EngineDialog
{
public:
    explicit SpecialModelDialog(workspace::EditContext &ctx) : EngineDialog(ctx, kSpecialModel)
    {
        // Pulled down as soon as it appears, typed or pasted, like the
        // box's own wider limit.
        auto *shape = findChild<NumberField *>(QStringLiteral("tCompareNum"));
        connect(shape, &QLineEdit::textChanged, shape, [shape] {
            if (!shape->text().startsWith(u'-') && shape->number() > kShapeMax)
                shape->setText(QString::number(kShapeMax));
        });
    }
};

} // namespace

void registerSpecialModelDialog(workspace::DialogRegistry &registry)
{
    registerEngineDialogAs<SpecialModelDialog>(registry, kSpecialModel);
}

} // namespace commands
