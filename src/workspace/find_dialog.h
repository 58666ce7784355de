#pragma once
// "찾기": the modeless find window of the main window. Finds the next
// command of a code (picked from the list or typed in hex) or the next
// command whose caption holds a text, and selects it. Half-transparent while
// another window has the focus.
#include "core/find_replace.h"
#include "workspace/find_target.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace workspace {

namespace add_dialogs {
class CodeBox;
}

// The last search, kept for the whole run (not saved). Every activation of
// the window writes it back into the fields; Cancel forgets the mode.
struct RememberedSearch {
    core::FindMode mode = core::FindMode::None;
    int code = 0;
    QString text;
};
RememberedSearch &rememberedSearch();

inline const QString kFindNotFoundMessage = QStringLiteral("메뉴를 찾을 수 없습니다.");
inline const QString kNotFoundTitle = QStringLiteral("Not Found!");

class FindDialog : public QDialog
{
    Q_OBJECT
public:
    FindDialog(FindTargetProvider provider, QWidget *owner);

    // Shows the owner's find window, building it when it is not open, and
    // brings it to the front.
    static FindDialog *open(QWidget *owner, FindTargetProvider provider);

    // cConfig ("찾기", Enter).
    void find();
    // cCancel ("취소", Esc): forgets the search mode and closes. Closing from
    // the title bar keeps it.
    void cancel();
    // What every activation and deactivation does (opacity, remembered fields).
    void activated();
    void deactivated();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FindTargetProvider m_provider;
    QRadioButton *m_fromListOption = nullptr;
    QComboBox *m_commandList = nullptr;
    QRadioButton *m_byCodeOption = nullptr;
    add_dialogs::CodeBox *m_codeBox = nullptr;
    QRadioButton *m_byTextOption = nullptr;
    QLineEdit *m_textBox = nullptr;
    QRadioButton *m_firstOnlyOption = nullptr;
    QRadioButton *m_continueOption = nullptr;
    QPushButton *m_findButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace workspace
