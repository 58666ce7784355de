#include "commands/battlefield/engine_load_clamp.h"

#include "commands/common/dialog_engine.h"
#include "commands/common/number_field.h"
#include "workspace/dialog_registry.h"

namespace commands {

bool registerEngineDialogClampingLoad(const DialogDescription &description)
{
    // The engine's own registration keeps the description in its list (for
    // the shared dialog tests); the factory registered after it replaces the
    // engine's, with the same dialog and the clamp applied once loaded.
    registerEngineDialog(description);
    return workspace::registerEditDialog(
        description.code, [&description](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            auto d = std::make_unique<EngineDialog>(ctx, description);
            for (std::size_t i = 0; i < description.fields.size(); ++i) {
                if (description.fields[i].kind != FieldKind::Number)
                    continue;
                auto *box = static_cast<NumberField *>(d->control(int(i)));
                const std::optional<std::int64_t> limit = numberLimit(box->kind());
                if (limit && !box->text().startsWith(u'-') && box->number() > *limit)
                    box->setText(QString::number(*limit));
            }
            return d;
        });
}

} // namespace commands
