#pragma once
// The one dialog of the eight commands whose only parameter is a text:
// comments (0x02), dialogue (0x14), information (0x16), place and event
// names, victory conditions (0x17..0x1A) and asides (0x69). It tells them
// apart by the command name the dispatch hands it: only dialogue shows its
// colour runs as coloured words, and only dialogue and information preview.
#include "commands/common/command_dialog.h"

class QAction;
class QTextEdit;

namespace commands {

class SharedTextDialog : public CommandDialog
{
    Q_OBJECT
public:
    SharedTextDialog(workspace::EditContext &ctx, int code);

    QTextEdit *textBox() const { return m_box; }
    QAction *previewAction() const { return m_preview; }
    // The box text right after loading (mark-up as characters, CR LF).
    const QString &loadedText() const { return m_loadedText; }
    void preview();

protected:
    bool saveFields(QString &key, int &lengthDelta) override;

private:
    bool isMenu(int code) const;
    // The text follows the code and its "0500" tag.
    static constexpr int kTextPos = 9;
    static bool hasText(const QString &key);

    QTextEdit *m_box = nullptr;
    QAction *m_preview = nullptr;
    QString m_loadedText;
};

} // namespace commands
