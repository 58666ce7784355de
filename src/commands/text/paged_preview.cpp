#include "commands/text/paged_preview.h"

namespace commands {

void PagedPreview::showWord()
{
    unsetCursor();
    if (!typePass())
        return;
    // The page stands: the pointer says a click goes on.
    setCursor(Qt::PointingHandCursor);
    update();
}

void PagedPreview::click()
{
    switch (clickStep()) {
    case ClickStep::Continue:
    case ClickStep::NextPage:
        showWord();
        break;
    case ClickStep::Close:
        accept();
        break;
    case ClickStep::None:
        break;
    }
}

void PagedPreview::mousePressEvent(QMouseEvent *)
{
    click();
}

} // namespace commands
