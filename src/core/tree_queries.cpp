#include "core/tree_queries.h"

#include "core/key_codec.h"

namespace core {

namespace {

bool isSkipped(const DocTree &tree, NodeId n)
{
    return tree.key(n) == u"Path" || isScene(tree.text(n)) || isSection(tree.text(n));
}

bool matches(const DocTree &tree, NodeId n, int findOption, int findNum, const QString &strFind)
{
    if (isSkipped(tree, n))
        return false;
    if (findOption >= kFindByTextOption)
        return tree.text(n).contains(strFind, Qt::CaseSensitive);
    return nodeNumber(tree.text(n)) == findNum;
}

} // namespace

bool isScene(const QString &nodeText) { return nodeText == u"Scene"; }
bool isSection(const QString &nodeText) { return nodeText == u"Section"; }

int nodeNumber(const QString &nodeText)
{
    if (nodeText.isEmpty())
        return -1;
    const int hi = hexDigitValue(nodeText.at(0));
    if (hi < 0)
        return -1;
    if (nodeText.size() < 2 || nodeText.at(1) == u' ')
        return hi;
    const int lo = hexDigitValue(nodeText.at(1));
    return lo < 0 ? -1 : hi * 16 + lo;
}

int nodeNumber(const DocTree &tree, NodeId node)
{
    return tree.isValid(node) ? nodeNumber(tree.text(node)) : -1;
}

bool menuFind(const DocTree &tree, NodeId &node, int findOption, int findNum, const QString &strFind,
              bool upFind)
{
    const NodeId root = tree.root();
    if (!tree.isValid(node))
        return false;
    for (;;) {
        if (matches(tree, node, findOption, findNum, strFind))
            return true;
        if (!upFind) {
            if (tree.childCount(node) > 0) {
                node = tree.firstChild(node);
                continue;
            }
            NodeId n = node;
            for (;;) {
                if (n == root) {
                    // Past the last node (or a root without children).
                    node = root;
                    return false;
                }
                if (tree.next(n) != kNoNode) {
                    node = tree.next(n);
                    break;
                }
                n = tree.parent(n);
                if (n == root) {
                    node = root;
                    return false;
                }
            }
        } else {
            if (node == root)
                return false;  // nothing lies before the root
            if (tree.previous(node) != kNoNode) {
                node = tree.previous(node);
                while (tree.childCount(node) > 0)
                    node = tree.lastChild(node);
            } else if (isScene(tree.text(node))) {
                return false;
            } else {
                node = tree.parent(node);
            }
        }
    }
}

} // namespace core
