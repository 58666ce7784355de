#pragma once
// An engine dialog laid out as its window shows it: the fields stand in rows
// that read left to right, each control to the right of its label, under the
// character picker's options when the dialog has a person; and labels that
// the window names carry those names.
#include "commands/common/dialog_engine.h"

#include <span>
#include <vector>

class QHBoxLayout;
class QLabel;

namespace commands {

// Ends one row of a sentence layout and starts the next.
inline constexpr int kRowBreak = -1;

// The objectName of the label of field `field`.
struct LabelName {
    int field = 0;
    const char *name = "";
};

struct FieldLayout {
    // Field indexes in reading order, kRowBreak between rows; empty keeps
    // the engine's rows.
    std::span<const int> rows = {};
    std::span<const LabelName> labels = {};
};

class SentenceDialog : public EngineDialog
{
    Q_OBJECT
public:
    // `layout` and what it points to are static tables.
    SentenceDialog(workspace::EditContext &ctx, const DialogDescription &description, const FieldLayout &layout);

    // What stands in the row for field i: for a person the place its list,
    // number box and name box share, else the control.
    QWidget *place(int field) const;
    // The label beside field i, or null.
    QLabel *label(int field) const;
    // The rows of the layout, top to bottom.
    QHBoxLayout *row(int i) const { return m_rows.at(std::size_t(i)); }

private:
    std::vector<QHBoxLayout *> m_rows;
};

// Registers the description's dialog laid out by `layout` (static tables).
void registerSentenceDialog(workspace::DialogRegistry &registry, const DialogDescription &description,
                            const FieldLayout &layout);

} // namespace commands
