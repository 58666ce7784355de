// The Search menu on a real main window: the replace window acts on the
// current tab's document, marks it, and one undo brings the bytes back.
#include "edit_window_fixture.h"
#include "fixtures/hex_bytes.h"
#include "workspace/find_dialog.h"
#include "workspace/replace_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace edit_window;

QByteArray dialogue(const QByteArray &text)
{
    return fixtures::hexBytes("14 00 05 00") + text + QByteArray(1, '\0');
}

template <class W> W *openWindow()
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *w = qobject_cast<W *>(top))
            return w;
    return nullptr;
}

TEST_F(EditWindow, ReplaceAllFromTheMenuEditsTheCurrentTabAndUndoes)
{
    const QByteArray original = eexFile(dialogue("ab") + childEvent(blk, dialogue("xab")));
    ASSERT_TRUE(openBytes("replace.eex", original));
    act("mnuReplace")->trigger();
    auto *replace = openWindow<workspace::ReplaceDialog>();
    ASSERT_NE(replace, nullptr);
    replace->findChild<QLineEdit *>("tFind")->setText("ab");
    replace->findChild<QLineEdit *>("tReplace")->setText("long text");
    replace->findChild<QPushButton *>("cAllReplace")->click();

    EXPECT_EQ(bytes(), eexFile(dialogue("long text") + childEvent(blk, dialogue("xlong text"))));
    EXPECT_TRUE(w.tabStrip()->tabText(docs->currentTab()).endsWith(" *"));
    EXPECT_TRUE(act("mnuHistoryCancle")->isEnabled());
    act("mnuHistoryCancle")->trigger();
    EXPECT_EQ(bytes(), original);
    replace->close();
}

} // namespace
