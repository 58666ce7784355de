#include "commands/text/markup_text_box.h"

#include "commands/text/color_markup.h"
#include "core/color_table.h"

#include <QAction>
#include <QLayout>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>

namespace commands {

namespace {

QString crlf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

// The loaded run a coloured character belongs to, and its stored head.
constexpr int kRunNumber = QTextFormat::UserProperty + 1;
constexpr int kRunHead = QTextFormat::UserProperty + 2;
// What loadStoredText remembers on the box.
constexpr char kStoredText[] = "storedText";
constexpr char kLoadedMarkup[] = "loadedMarkup";

void colourRun(QTextEdit *box, const ColorSpan &span, int run)
{
    QTextCursor cursor(box->document());
    cursor.setPosition(span.start);
    cursor.setPosition(span.start + span.length, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setForeground(core::toQColor(core::colorTable()[std::size_t(span.index)]));
    format.setProperty(kRunNumber, run);
    format.setProperty(kRunHead, span.head);
    cursor.mergeCharFormat(format);
}

} // namespace

QTextEdit *makeTextBox(QWidget *parent)
{
    auto *box = new QTextEdit(parent);
    box->setObjectName(QStringLiteral("tString"));
    box->setAcceptRichText(false);
    box->setTabChangesFocus(true);
    return box;
}

QToolBar *makeColorToolbar(QWidget *parent, QTextEdit *box)
{
    auto *bar = new QToolBar(parent);
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setIconSize(QSize(16, 16));
    // Ten buttons side by side in the narrowest text dialog: no handle, no
    // gaps, so none of them goes behind the overflow arrow.
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->layout()->setContentsMargins(0, 0, 0, 0);
    bar->layout()->setSpacing(0);
    for (const ColorButton &button : colorButtons()) {
        const QString key = QString::fromUtf16(button.key);
        QPixmap swatch(16, 16);
        swatch.fill(core::toQColor(colorButtonColor(button)));
        QAction *action = bar->addAction(QIcon(swatch), key);
        action->setObjectName(key);
        action->setToolTip(key);
        const std::uint32_t color = colorButtonColor(button);
        QObject::connect(action, &QAction::triggered, box, [box, color] { paintSelection(box, color); });
    }
    return bar;
}

QString boxPlainText(const QTextEdit *box)
{
    return crlf(box->toPlainText());
}

void setMarkupBoxText(QTextEdit *box, const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.remove(u'\r');
    // setPlainText gives the whole text the format at the cursor: start
    // uncoloured, whatever the box held before.
    box->setCurrentCharFormat(QTextCharFormat());
    box->setPlainText(plain);
}

void applyColorRuns(QTextEdit *box)
{
    const QString text = box->toPlainText();
    if (text.isEmpty())
        return;
    const LoadedMarkup loaded = loadColorMarkup(text);
    if (loaded.spans.isEmpty())
        return;
    box->setPlainText(loaded.text);
    // The colouring is part of loading: Ctrl+Z must not take it back.
    box->document()->setUndoRedoEnabled(false);
    for (int k = 0; k < loaded.spans.size(); ++k)
        colourRun(box, loaded.spans[k], k);
    box->document()->setUndoRedoEnabled(true);
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::Start);
    box->setTextCursor(end);
}

QString colorTextFromBox(const QTextEdit *box)
{
    QList<ColoredPiece> pieces;
    const QTextDocument *doc = box->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin())
            pieces.append({QStringLiteral("\r\n"), std::nullopt, true, -1, {}});
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            std::optional<std::uint32_t> color;
            if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
                color = core::fromQColor(format.foreground().color());
            const bool loadedRun = format.hasProperty(kRunNumber);
            pieces.append({fragment.text(), color, false, loadedRun ? format.intProperty(kRunNumber) : -1,
                           format.stringProperty(kRunHead)});
        }
    }
    return markupFromPieces(pieces);
}

void loadStoredText(QTextEdit *box, const QByteArray &stored, bool colourRuns)
{
    const core::KeptText kept(stored);
    // The half-loaded box is nobody's business: one textChanged at the end.
    const bool blocked = box->blockSignals(true);
    setMarkupBoxText(box, kept.shown());
    if (colourRuns)
        applyColorRuns(box);
    box->setProperty(kStoredText, stored);
    box->setProperty(kLoadedMarkup, storedTextFromBox(colorTextFromBox(box)));
    box->blockSignals(blocked);
    emit box->textChanged();
}

namespace {

// The stored text and the box's mark-up when loaded and now. A box filled
// some other way has no stored text: it keeps nothing and is written whole.
struct BoxTexts
{
    core::KeptText kept;
    QString loaded;
    QString edited;
};

BoxTexts boxTexts(const QTextEdit *box)
{
    const QString edited = storedTextFromBox(colorTextFromBox(box));
    const QVariant stored = box->property(kStoredText);
    if (!stored.isValid())
        return {core::KeptText(), QString(), edited};
    return {core::KeptText(stored.toByteArray()), box->property(kLoadedMarkup).toString(), edited};
}

} // namespace

QByteArray storedBoxBytes(const QTextEdit *box)
{
    const BoxTexts t = boxTexts(box);
    return t.kept.bytesFor(t.loaded, t.edited);
}

core::TextLoss storedBoxLoss(const QTextEdit *box)
{
    const BoxTexts t = boxTexts(box);
    return t.kept.loss(t.loaded, t.edited);
}

void paintSelection(QTextEdit *box, std::uint32_t color)
{
    QTextCursor cursor = box->textCursor();
    if (!cursor.hasSelection())
        return;
    QTextCharFormat format;
    format.setForeground(core::toQColor(color));
    cursor.mergeCharFormat(format);
    box->mergeCurrentCharFormat(format);
}

} // namespace commands
