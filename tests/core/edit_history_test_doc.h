#pragma once
// A document for the edit engine tests: a tree loaded from hand-built bytes,
// its history, the key serial, and the small lookups the tests share.
#include "core/clipboard_ops.h"
#include "core/edit_context.h"
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "core/key_codec.h"
#include "fixtures/hex_bytes.h"
#include "fixtures/nested_length_check.h"

#include <gtest/gtest.h>

#include <functional>

namespace edit_test {

// Records used by the hand-built fixtures (values keep every record unique).
inline QByteArray plain(int v) { return fixtures::hexBytes("0F 00 12 00") + QByteArray(1, char(v)) + QByteArray(1, '\0'); }
inline QByteArray word(int v) { return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char(v >> 8)); }
// A child event: marker, block record, its nested length and the nested list.
inline QByteArray childEvent(const QByteArray &block, const QByteArray &nestedWithoutEnd)
{
    const QByteArray nested = nestedWithoutEnd + fixtures::hexBytes("00 00");
    return fixtures::hexBytes("01 00") + block + word(int(nested.size())) + nested;
}
inline QByteArray lockedComment() { return fixtures::hexBytes("02 00 05 00 00"); }

// A file of one Scene with the given Sections (head without its end record,
// body without its end record).
inline QByteArray eexFile(const std::vector<std::pair<QByteArray, QByteArray>> &sections)
{
    QByteArray scene = word(int(sections.size()));
    for (const auto &[head, body] : sections) {
        const QByteArray h = head + fixtures::hexBytes("00 00");
        const QByteArray b = body + fixtures::hexBytes("00 00");
        scene += word(int(h.size() + 2 + b.size())) + h + word(int(b.size())) + b;
    }
    return fixtures::hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00") + scene;
}
inline QByteArray eexFile(const QByteArray &body) { return eexFile({{lockedComment(), body}}); }

struct Doc {
    core::DocTree tree;
    core::KeySerial serial = 1;
    core::EditHistory history;
    core::EditContext ctx{tree, serial, history};

    explicit Doc(const QByteArray &bytes = {})
    {
        if (!bytes.isEmpty())
            load(bytes);
    }
    void load(const QByteArray &bytes)
    {
        const core::EexLoadResult r = core::eexLoad(bytes, QStringLiteral("t.eex"), tree, serial);
        ASSERT_TRUE(r.ok) << r.errorDetail.toStdString();
    }
    QByteArray bytes() const
    {
        const core::EexSerializeResult r = core::eexSerialize(tree);
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        return r.bytes;
    }
    // The first node (in order of addition) whose record part is the hex of `record`.
    core::NodeId byRecord(const QByteArray &record) const
    {
        const QString hex = fixtures::toHex(record);
        for (int i = 1; i <= tree.count(); ++i)
            if (core::recordPart(tree.key(tree.byIndex(i))) == hex)
                return tree.byIndex(i);
        ADD_FAILURE() << "no node with record " << hex.toStdString();
        return core::kNoNode;
    }
    // The node whose record starts with these bytes (blocks end with their word).
    core::NodeId byRecordPrefix(const QByteArray &prefix) const
    {
        const QString hex = fixtures::toHex(prefix);
        for (int i = 1; i <= tree.count(); ++i)
            if (core::recordPart(tree.key(tree.byIndex(i))).startsWith(hex))
                return tree.byIndex(i);
        ADD_FAILURE() << "no node with record prefix " << hex.toStdString();
        return core::kNoNode;
    }
    core::NodeId section(int i = 0) const { return tree.child(tree.child(tree.root(), 0), i); }
    core::NodeId lockedCommentNode(int i = 0) const { return tree.firstChild(section(i)); }
    core::NodeId headEnd(int i = 0) const { return tree.lastChild(section(i)); }
    core::NodeId bodyEnd(int i = 0) const { return tree.lastChild(headEnd(i)); }
};

} // namespace edit_test
