#pragma once
// A text preview that types page by page: a pass types the page (a click
// while typing makes it finish at once), then the pointer says a click goes
// on; each click continues the page, turns it, or closes the window after
// the last one. The two page previews differ only in their passes and
// their pages.
#include "commands/text/preview_passes.h"
#include "commands/text/preview_window.h"

namespace commands {

class PagedPreview : public PreviewWindow
{
    Q_OBJECT
public:
    using PreviewWindow::PreviewWindow;

    void click();

protected:
    // Types from where the state stands; false when the window closed meanwhile.
    virtual bool typePass() = 0;
    // What a click does to the state.
    virtual ClickStep clickStep() = 0;

    void showWord();
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace commands
