#pragma once
// The one way the editor asks the user something: message boxes and file or
// folder dialogs. The desktop implementation shows real dialogs with Korean
// buttons; tests install ScriptedPrompts and answer in advance.
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

class QWidget;

namespace platform {

// YesNoDefaultNo: 예 and 아니요 with 아니요 the default, for questions whose
// yes cannot be taken back.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgResult { Ok, Cancel, Yes, No };

struct FileDialogRequest
{
    QString title;
    QString folder;    // the folder the dialog starts in (empty: the home folder)
    QString fileName;  // proposed name (save dialogs)
    QString filter;    // Qt filter text, e.g. "EEX 파일 (*.eex)"
};

class Prompts
{
public:
    virtual ~Prompts() = default;

    // Shows a message and waits for the answer. Closing the box without a
    // button answers Cancel where there is one, else No, else Ok.
    virtual MsgResult message(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                              MsgIcon icon) = 0;
    // Full paths of the chosen files; empty when cancelled.
    virtual QStringList openFiles(QWidget *parent, const FileDialogRequest &request) = 0;
    // Full path to save to; empty when cancelled.
    virtual QString saveFile(QWidget *parent, const FileDialogRequest &request) = 0;
    // Chosen folder; empty when cancelled.
    virtual QString folder(QWidget *parent, const QString &title, const QString &startFolder) = 0;

    // The prompts the program uses; the desktop dialogs unless a test set
    // others. setInstance(nullptr) restores the desktop dialogs.
    static Prompts &instance();
    static void setInstance(Prompts *prompts);
};

// Korean texts of the buttons.
QString buttonText(MsgResult button);

class DesktopPrompts : public Prompts
{
public:
    MsgResult message(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                      MsgIcon icon) override;
    QStringList openFiles(QWidget *parent, const FileDialogRequest &request) override;
    QString saveFile(QWidget *parent, const FileDialogRequest &request) override;
    QString folder(QWidget *parent, const QString &title, const QString &startFolder) override;
};

// Answers from queues filled by a test and records every question. A question
// with no queued answer gets the "closed without choosing" answer (Cancel,
// No or Ok for messages; nothing for dialogs). While alive it is the
// program's Prompts instance.
class ScriptedPrompts : public Prompts
{
public:
    struct Asked
    {
        QString text;
        QString title;
        MsgButtons buttons;
        MsgIcon icon;
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;

    std::deque<MsgResult> messageAnswers;
    std::deque<QStringList> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> folderAnswers;

    QList<Asked> messages;
    QList<FileDialogRequest> fileRequests;
    QStringList folderTitles;

    MsgResult message(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                      MsgIcon icon) override;
    QStringList openFiles(QWidget *parent, const FileDialogRequest &request) override;
    QString saveFile(QWidget *parent, const FileDialogRequest &request) override;
    QString folder(QWidget *parent, const QString &title, const QString &startFolder) override;

private:
    Prompts *m_previous;
};

} // namespace platform
