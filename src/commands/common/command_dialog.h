#pragma once
// The frame every command dialog shares: a modal window owned by the main
// window, titled "수정 - " and the command's name, with "확인" (cConfig, the
// default button) and "취소" (cCancel, Esc) under a body that the dialog
// fills. It is built afresh at every showing from the key of the node the
// dispatch hands it, and on OK hands the new key back to the dispatch, which
// stores it, passes a change of the record's length to the enclosing nested
// lists and rebuilds the caption.
//
// A dialog reads its fields in its constructor (key(), field(), text()) and
// writes them in saveFields(); everything else is here. What saveFields()
// writes right after loading is the dialog's picture of the stored key; at
// OK, every parameter item that still reads as in that picture keeps its
// stored bytes, so a value the controls cannot show survives an OK, and an OK
// without a change hands back nothing.
#include "workspace/edit_context.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <vector>

class QPushButton;
class QVBoxLayout;
class QWidget;

namespace commands {

class CommandDialog : public QDialog
{
    Q_OBJECT
public:
    // `code` is the command the dialog edits; the node is ctx.node.
    CommandDialog(workspace::EditContext &ctx, int code);
    ~CommandDialog() override;

    int code() const { return m_code; }
    core::DocTree &tree() const { return m_tree; }
    core::NodeId node() const { return m_node; }
    // The key as the dialog loaded it.
    const QString &key() const { return m_key; }
    const QString &caption() const { return m_caption; }
    workspace::EditContext &context() const { return m_ctx; }
    // The node is a command an add made in this session and no OK has
    // confirmed yet: OK gives it the values the dialog shows. A stored
    // command never is one, whatever its key holds.
    bool isNewCommand() const { return m_newCommand; }

    QPushButton *configButton() const { return m_config; }
    QPushButton *cancelButton() const { return m_cancel; }
    // Where the dialog puts its fields.
    QVBoxLayout *body() const { return m_body; }

    // --- reading the loaded key -------------------------------------------
    // A field of `width` bytes at the 1-based character position.
    std::int32_t field(int pos, int width) const;
    // A 4-byte (longValue) or 2-byte field as the decimal text of a box.
    QString fieldText(int pos, bool longValue) const;
    // The text item at the position, line feeds shown as CR LF for an edit box.
    QString text(int pos) const;

    // --- writing into a working copy --------------------------------------
    static void setField(QString &key, int pos, int width, std::int64_t value);
    // False (the key as it was) when the text is no number that fits.
    static bool setFieldFromBox(QString &key, int pos, const QString &boxText, bool longValue);
    // Writes an edit box's text as a game text (CR LF becomes LF, CP949,
    // then 00); returns the change of the record's byte length.
    static int setText(QString &key, int pos, const QString &boxText);

    // Hands the new key to the dispatch and closes. False, with a message
    // and the dialog left open, when an enclosing list cannot take the
    // change of length or the key is already held by another node.
    bool handBack(const QString &newKey);

    // The key the dialog showed when it opened (empty before its first
    // showing) and whether saveFields() is being run to take that picture
    // (dialogs skip their refusals then).
    const QString &shownKey() const { return m_shown; }
    bool takingPicture() const { return m_takingPicture; }

protected:
    // The item at this character position is written as computed whenever
    // anything else changed, although no control shows it.
    void writeOnChange(int pos) { m_writtenOnChange.push_back(pos); }
    // The user set the item at this character position as a whole (a paste
    // or a clear): OK writes it as computed, even where it reads as shown.
    void touchItem(int pos) { m_touched.push_back(pos); }
    void showEvent(QShowEvent *event) override;
    // Writes the fields into `key` (a copy of the loaded key) and returns
    // the change of the record's byte length through `lengthDelta`. False
    // keeps the dialog open.
    virtual bool saveFields(QString &key, int &lengthDelta);
    // The three army dialogs store the key and leave the caption.
    virtual bool keepsCaption() const { return false; }
    // cConfig: write and close. cCancel: close.
    virtual void onConfig();
    virtual void onCancel();

private:
    workspace::EditContext &m_ctx;
    core::DocTree &m_tree;
    core::NodeId m_node;
    int m_code;
    QString m_key;
    QString m_caption;
    bool m_newCommand = false;
    QString m_shown;
    bool m_takingPicture = false;
    std::vector<int> m_writtenOnChange;
    std::vector<int> m_touched;
    QVBoxLayout *m_body = nullptr;
    QPushButton *m_config = nullptr;
    QPushButton *m_cancel = nullptr;
};

// "수정 - " and the command's name ("수정 - 4B : 아군출현설정").
QString commandDialogTitle(int code);

} // namespace commands
