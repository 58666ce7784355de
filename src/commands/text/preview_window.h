#pragma once
// What the three text previews share: a black modal window of fixed size
// that draws itself from pictures, starts its first drawing pass once it is
// shown, and types with pauses that stop when it closes.
#include <QDialog>

namespace workspace {
struct EditContext;
struct ProgramServices;
}

namespace commands {

class PreviewWindow : public QDialog
{
    Q_OBJECT
public:
    PreviewWindow(QWidget *parent, int width, int height, const QString &title);
    // The window's activation: the first pass, once (showing the window
    // asks for it as soon as events run).
    void activate();
    bool closing() const { return m_closing; }

protected:
    virtual void start() = 0;

public:

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    // The pause after a glyph: repaints, waits unless skipping; false once
    // the window is closing.
    bool glyphPause(int ms, const bool &skip);

private:
    bool m_started = false;
    bool m_closing = false;
};

// The owner of a preview: the dialog that is open now, else the main window.
QWidget *previewOwner(const workspace::ProgramServices &ctx);
// The game folder the preview reads its files from.
QString previewFolder(const workspace::ProgramServices &ctx);

} // namespace commands
