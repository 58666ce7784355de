#pragma once
// The three dialogs that choose one command to add, from a list of command
// names or by its hexadecimal code:
// - BodyAddDialog: a command of a body or nested list (any code 02..79);
// - HeadAddDialog: a command of a Section's head list (a fixed list, or
//   a typed block code other than 02);
// - ChildEventAddDialog: the block command of a new child event (block codes).
// They share one shape, configured by AddDialogKind. A dialog only chooses:
// the caller inserts the command once exec() returned Accepted and reads
// chosenCode(). Each kind remembers its last successful choice for the run
// (AddDialogMemory), and a new dialog opens on it.
#include <QDialog>
#include <QList>

#include <optional>

class QComboBox;
class QPushButton;
class QRadioButton;

namespace workspace::add_dialogs {

class CodeBox;

enum class AddDialogKind { Body, Head, ChildEvent };

struct AddDialogMemory
{
    int mode = 0;       // 0 not used yet, 1 chosen from the list, 2 typed
    int code = 0;       // the code last added
    int listIndex = 0;  // list position at that add (the body list derives it from code)
};

// The run-wide memory of one kind; never saved.
AddDialogMemory &addDialogMemory(AddDialogKind kind);
void resetAddDialogMemory();

// The codes a kind's list shows, in order.
const QList<int> &addDialogCodes(AddDialogKind kind);
// True when a typed code is accepted by the kind.
bool acceptsTypedCode(AddDialogKind kind, int code);

class AddCommandDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AddCommandDialog(AddDialogKind kind, QWidget *parent = nullptr);

    AddDialogKind kind() const { return m_kind; }
    // The code chosen by a successful add; empty before and after a cancel.
    std::optional<int> chosenCode() const { return m_chosen; }

    // The code of list item `listIdx`: the item's text up to its first blank,
    // read as hexadecimal; 0 when that fails.
    int itemCode(int listIdx) const;

    // cAdd: takes the code by the selected way; a refused typed code shows a
    // message and leaves the dialog open.
    void add();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restoreMemory();
    int listCode(int position) const;

    AddDialogKind m_kind;
    QRadioButton *m_fromListOption = nullptr;
    QComboBox *m_commandList = nullptr;
    QRadioButton *m_byCodeOption = nullptr;
    CodeBox *m_codeBox = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    std::optional<int> m_chosen;
};

class BodyAddDialog : public AddCommandDialog
{
public:
    explicit BodyAddDialog(QWidget *parent = nullptr) : AddCommandDialog(AddDialogKind::Body, parent) {}
};

class HeadAddDialog : public AddCommandDialog
{
public:
    explicit HeadAddDialog(QWidget *parent = nullptr) : AddCommandDialog(AddDialogKind::Head, parent) {}
};

class ChildEventAddDialog : public AddCommandDialog
{
public:
    explicit ChildEventAddDialog(QWidget *parent = nullptr) : AddCommandDialog(AddDialogKind::ChildEvent, parent) {}
};

} // namespace workspace::add_dialogs
