#include "platform/prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

Prompts *&installed()
{
    static Prompts *prompts = nullptr;
    return prompts;
}

MsgResult closedAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoDefaultNo:
        return MsgResult::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
        break;
    }
    return MsgResult::Cancel;
}

QList<MsgResult> buttonsOf(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return {MsgResult::Ok};
    case MsgButtons::OkCancel:
        return {MsgResult::Ok, MsgResult::Cancel};
    case MsgButtons::YesNo:
    case MsgButtons::YesNoDefaultNo:
        return {MsgResult::Yes, MsgResult::No};
    case MsgButtons::YesNoCancel:
        break;
    }
    return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
}

QMessageBox::ButtonRole roleOf(MsgResult button)
{
    switch (button) {
    case MsgResult::Ok:
        return QMessageBox::AcceptRole;
    case MsgResult::Yes:
        return QMessageBox::YesRole;
    case MsgResult::No:
        return QMessageBox::NoRole;
    case MsgResult::Cancel:
        break;
    }
    return QMessageBox::RejectRole;
}

QMessageBox::Icon iconOf(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        break;
    }
    return QMessageBox::Critical;
}

// A dialog given no folder would start in the program's working folder,
// where a save is easily written by accident: the home folder instead.
QString dialogStartFolder(const QString &folder) { return folder.isEmpty() ? QDir::homePath() : folder; }

} // namespace

Prompts &Prompts::instance()
{
    static DesktopPrompts desktop;
    return installed() ? *installed() : desktop;
}

void Prompts::setInstance(Prompts *prompts) { installed() = prompts; }

QString buttonText(MsgResult button)
{
    switch (button) {
    case MsgResult::Ok:
        return QStringLiteral("확인");
    case MsgResult::Yes:
        return QStringLiteral("예");
    case MsgResult::No:
        return QStringLiteral("아니요");
    case MsgResult::Cancel:
        break;
    }
    return QStringLiteral("취소");
}

MsgResult DesktopPrompts::message(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                                  MsgIcon icon)
{
    QMessageBox box(iconOf(icon), title, text, QMessageBox::NoButton, parent);
    QList<QPair<QAbstractButton *, MsgResult>> made;
    for (MsgResult b : buttonsOf(buttons)) {
        QPushButton *button = box.addButton(buttonText(b), roleOf(b));
        made.append({button, b});
    }
    const auto &byDefault = buttons == MsgButtons::YesNoDefaultNo ? made.last() : made.first();
    box.setDefaultButton(static_cast<QPushButton *>(byDefault.first));
    // Esc answers as closing the box does: Cancel, else No, else Ok.
    box.setEscapeButton(made.last().first);
    box.exec();
    for (const auto &[button, result] : made) {
        if (box.clickedButton() == button)
            return result;
    }
    return closedAnswer(buttons);
}

QStringList DesktopPrompts::openFiles(QWidget *parent, const FileDialogRequest &request)
{
    return QFileDialog::getOpenFileNames(parent, request.title, dialogStartFolder(request.folder), request.filter);
}

QString DesktopPrompts::saveFile(QWidget *parent, const FileDialogRequest &request)
{
    QString start = dialogStartFolder(request.folder);
    if (!request.fileName.isEmpty())
        start += QLatin1Char('/') + request.fileName;
    return QFileDialog::getSaveFileName(parent, request.title, start, request.filter);
}

QString DesktopPrompts::folder(QWidget *parent, const QString &title, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, startFolder);
}

ScriptedPrompts::ScriptedPrompts() : m_previous(installed()) { setInstance(this); }

ScriptedPrompts::~ScriptedPrompts()
{
    if (installed() == this)
        setInstance(m_previous);
}

MsgResult ScriptedPrompts::message(QWidget *, const QString &text, const QString &title, MsgButtons buttons,
                                   MsgIcon icon)
{
    messages.append({text, title, buttons, icon});
    if (messageAnswers.empty())
        return closedAnswer(buttons);
    const MsgResult answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

QStringList ScriptedPrompts::openFiles(QWidget *, const FileDialogRequest &request)
{
    fileRequests.append(request);
    if (openAnswers.empty())
        return {};
    QStringList answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

QString ScriptedPrompts::saveFile(QWidget *, const FileDialogRequest &request)
{
    fileRequests.append(request);
    if (saveAnswers.empty())
        return {};
    QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

QString ScriptedPrompts::folder(QWidget *, const QString &title, const QString &)
{
    folderTitles.append(title);
    if (folderAnswers.empty())
        return {};
    QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

} // namespace platform
