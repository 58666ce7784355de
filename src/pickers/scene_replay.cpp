#include "pickers/scene_replay.h"

#include "core/catalogue.h"
#include "core/tree_queries.h"

#include <cmath>

namespace pickers {

bool replayFrom(const core::DocTree &tree, core::NodeId start, const QString &endKey, const ReplayVisitor &visit)
{
    static const QString endCaption = core::menuName(0);
    for (core::NodeId node = start; node != core::kNoNode; node = tree.next(node)) {
        if (tree.key(node) == endKey)
            return true;
        const int code = core::nodeNumber(tree, node);
        if (code >= 0)
            visit(node, code);
        if (tree.childCount(node) > 0) {
            const bool reached = replayFrom(tree, tree.firstChild(node), endKey, visit);
            if (reached && code < 0)
                return true;
        }
        if (tree.text(node) == endCaption)
            return false;
    }
    return false;
}

qint64 roundHalfEven(double value)
{
    return qint64(std::nearbyint(value));
}

} // namespace pickers
