#pragma once
// Stand-ins for the command dialogs, previews and pickers that are not built
// yet. A command's stand-in shows the node's caption and key read-only under
// the real dialog's title; OK and Cancel close it and change nothing. The
// real dialog replaces it by registering for the same code.
#include "commands/common/command_dialog.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace commands {

class StandInDialog : public CommandDialog
{
    Q_OBJECT
public:
    // The window's objectName is the real dialog's name (editFormName).
    StandInDialog(workspace::EditContext &ctx, int code);

    QLabel *captionLabel() const { return m_captionLabel; }
    QLineEdit *keyBox() const { return m_keyBox; }

protected:
    void onConfig() override;

private:
    QLabel *m_captionLabel = nullptr;
    QLineEdit *m_keyBox = nullptr;
};

// A stand-in for a tool window (duel preview, battle-map picker, variable
// list): a title, a note and a read-only list of lines; changes nothing.
class StandInToolDialog : public QDialog
{
    Q_OBJECT
public:
    StandInToolDialog(QWidget *parent, const QString &objectName, const QString &title, const QStringList &lines);

    QPlainTextEdit *listBox() const { return m_list; }

private:
    QPlainTextEdit *m_list = nullptr;
};

std::unique_ptr<QDialog> makeStandInDialog(workspace::EditContext &ctx);

} // namespace commands
