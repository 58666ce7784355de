#pragma once
// "바꾸기": the modeless replace window of the main window. Replaces a text
// inside the text parameters of the text-bearing commands: in the first
// command from the selection on that holds it, or in the whole tree. Each
// use is one undo step. Half-transparent while another window has the focus.
#include "workspace/find_target.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace workspace {

inline const QString kReplaceNotFoundMessage =
    QStringLiteral("명령어가 존재하지 않거나 내용을 찾을 수 없어 바꾸지 못했습니다.");
inline const QString kReplaceTitle = QStringLiteral("바꾸기");
inline const QString kReplacingTitle = QStringLiteral("바꾸는 중\u2026");

class ReplaceDialog : public QDialog
{
    Q_OBJECT
public:
    ReplaceDialog(FindTargetProvider provider, QWidget *owner);

    // Shows the owner's replace window, building it when it is not open, and
    // brings it to the front.
    static ReplaceDialog *open(QWidget *owner, FindTargetProvider provider);

    // cReplace ("바꾸기").
    void replaceOne();
    // cAllReplace ("모두 바꾸기", Enter).
    void replaceAll();
    void activated();
    void deactivated();

protected:
    void changeEvent(QEvent *event) override;

private:
    // Lists the matches left alone because their list would grow too long.
    void reportTooLong(const core::DocTree &tree, const std::vector<core::NodeId> &nodes);

    FindTargetProvider m_provider;
    QLineEdit *m_findBox = nullptr;
    QLineEdit *m_replaceBox = nullptr;
    QPushButton *m_replaceButton = nullptr;
    QPushButton *m_replaceAllButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace workspace
