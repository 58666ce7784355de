#include "workspace/new_commands.h"

#include "core/key_codec.h"

namespace workspace {

void NewCommands::add(const core::DocTree &tree, core::NodeId node)
{
    if (tree.isValid(node))
        m_serials[node] = core::keySuffix(tree.key(node)).toString();
}

bool NewCommands::contains(const core::DocTree &tree, core::NodeId node) const
{
    const auto it = m_serials.find(node);
    return it != m_serials.end() && tree.isValid(node) && core::keySuffix(tree.key(node)) == it->second;
}

void NewCommands::settle(core::NodeId node)
{
    m_serials.erase(node);
}

} // namespace workspace
