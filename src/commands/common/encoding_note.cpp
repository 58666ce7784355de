#include "commands/common/encoding_note.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace commands {

namespace {

template <class Box>
QLabel *attach(QBoxLayout *layout, Box *box, TextLossFunction loss)
{
    auto *note = new QLabel(box->parentWidget());
    note->setObjectName(QStringLiteral("lblEncoding"));
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #b00000;"));
    layout->addWidget(note);
    const auto update = [note, loss = std::move(loss)] {
        const QString text = encodingNoteText(loss());
        note->setText(text);
        note->setVisible(!text.isEmpty());
    };
    QObject::connect(box, &Box::textChanged, note, update);
    update();
    return note;
}

} // namespace

QString encodingNoteText(const core::TextLoss &loss)
{
    QString text;
    if (loss.replaced)
        text = QStringLiteral("이 글에는 게임 글자(CP949)로 저장할 수 없는 글자가 있습니다. "
                              "저장하면 그 글자는 '?'로 바뀝니다.");
    if (loss.keptUnreadable) {
        if (!text.isEmpty())
            text += u' ';
        text += QStringLiteral("'\uFFFD'로 보이는 곳은 게임 글자(CP949)로 읽을 수 없는 바이트입니다. "
                               "고치지 않으면 저장된 그대로 남습니다.");
    }
    return text;
}

QLabel *addEncodingNote(QBoxLayout *layout, QTextEdit *box, TextLossFunction loss)
{
    return attach(layout, box, std::move(loss));
}

QLabel *addEncodingNote(QBoxLayout *layout, QPlainTextEdit *box, TextLossFunction loss)
{
    return attach(layout, box, std::move(loss));
}

QLabel *addEncodingNote(QBoxLayout *layout, QLineEdit *box, TextLossFunction loss)
{
    return attach(layout, box, std::move(loss));
}

} // namespace commands
