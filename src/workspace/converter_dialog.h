#pragma once
// The converter dialog: picks scenario files and converts them to the
// extended layout. The main window opens it modally; the file choice and the
// messages go through replaceable hooks so the dialog runs in tests without
// blocking; by default they go through the prompts.
#include "core/eex_converter.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QProgressBar;
class QPushButton;

namespace workspace {

class ConverterDialog : public QDialog
{
    Q_OBJECT
public:
    // Asks for files to open; an empty list means the user cancelled.
    using ChooseFiles = std::function<QStringList(QWidget *parent, const QString &title, const QString &folder,
                                                  const QString &filter)>;
    // Shows a message with an OK button.
    using ShowMessage = std::function<void(QWidget *parent, const QString &title, const QString &text, bool error)>;

    struct Hooks {
        core::EexPathIsOpen isPathOpen;  // files open in a document tab are refused
        ChooseFiles chooseFiles;         // default: a multi-selection open dialog
        ShowMessage showMessage;         // default: a message box
    };

    explicit ConverterDialog(Hooks hooks, QWidget *parent = nullptr);

    // cAdd: asks for scenario files starting in the game folder, refuses
    // them when one is open in a tab, asks (through the prompts, default
    // 아니요) whether to rewrite them into the extended layout, and converts
    // them. Cancelling, a refusal or 아니요 leaves the dialog open.
    void chooseFilesToConvert();
    // Converts the ".eex" files of the list, shows the outcome and closes the
    // dialog (accepted when every file was converted).
    void convertFiles(const QStringList &files);

    const core::EexBatchResult &lastResult() const { return m_result; }

private:
    Hooks m_hooks;
    QCheckBox *m_oneMore = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_add = nullptr;
    core::EexBatchResult m_result;
};

} // namespace workspace
