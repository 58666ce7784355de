#include "workspace/actions.h"

namespace workspace {

QAction *Actions::recent(int entry) const
{
    static constexpr ActionSlot items[] = {&Actions::recent1, &Actions::recent2, &Actions::recent3,
                                           &Actions::recent4, &Actions::recent5};
    return entry >= 1 && entry <= 5 ? this->*items[entry - 1] : nullptr;
}

} // namespace workspace
