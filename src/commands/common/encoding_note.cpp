#include "commands/common/encoding_note.h"

#include "platform/cp949.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace commands {

namespace {

template <class Box>
QLabel *attach(QBoxLayout *layout, Box *box)
{
    auto *note = new QLabel(QStringLiteral("이 글에는 게임 글자(CP949)로 저장할 수 없는 글자가 있습니다. "
                                           "저장하면 그 글자는 '?'로 바뀝니다."),
                            box->parentWidget());
    note->setObjectName(QStringLiteral("lblEncoding"));
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #b00000;"));
    layout->addWidget(note);
    const auto update = [note, box] { note->setVisible(!platform::Cp949::canEncode(box->toPlainText())); };
    QObject::connect(box, &Box::textChanged, note, update);
    update();
    return note;
}

} // namespace

QLabel *addEncodingNote(QBoxLayout *layout, QTextEdit *box) { return attach(layout, box); }
QLabel *addEncodingNote(QBoxLayout *layout, QPlainTextEdit *box) { return attach(layout, box); }

} // namespace commands
