#pragma once
// The scenario writer: a scenario tree back to the bytes of an ".eex" file,
// and the safe save of those bytes.
//
// Every command's bytes come from the record part of its node key; only the
// Scene table and the Section and body lengths are recomputed. Nested lengths
// are written as the keys hold them, after checking each against the real
// byte length of its list.
#include "core/doc_tree.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <functional>

class QIODevice;

namespace core {

struct EexWriteResult {
    bool ok = false;
    QString message;   // Korean, for the user; empty on success
    int scene = -1;    // 0-based place of the fault, -1 when not tied to one
    int section = -1;
    NodeId node = kNoNode;  // the command the fault is found at, when it is one
    QString reason;         // what is wrong, without the place and the save's closing words
};

struct EexSerializeResult : EexWriteResult {
    QByteArray bytes;
};

// The tree as file bytes. Refused (ok = false, no bytes) when a key's record
// part is not hex, a Section or body list exceeds 65,535 bytes, or a nested
// length does not match its list.
EexSerializeResult eexSerialize(const DocTree &tree);
// One Section's bytes as the file holds them (length word, head list, body
// length word, body list), refused as eexSerialize refuses.
EexSerializeResult eexSerializeSection(const DocTree &tree, NodeId section);

// Where a command stands, as the author finds it in the tree: "Scene 2,
// Section 1, 7번째 명령(32 : …)", its row counted among every row below its
// Section. A Section gives "Scene 2, Section 1"; empty above Sections.
QString eexCommandPlace(const DocTree &tree, NodeId node);

// The first place, in display order, where two scenario trees differ in
// shape or in a command's record (keys' serials aside): found, with its Scene
// and Section (0-based, -1 when before them).
struct EexTreeDifference {
    bool found = false;
    int scene = -1;
    int section = -1;
    NodeId node = kNoNode;  // the node of the first tree there; none when it ended first
};
EexTreeDifference eexTreeDifference(const DocTree &a, const DocTree &b);

// eexSerialize, then the bytes read back with the scenario reader: refused
// unless they read back into a tree of the same shape and records, so no
// save writes what cannot be opened. The refusal names the first command
// where the reading parts from the tree.
EexSerializeResult eexSerializeChecked(const DocTree &tree);

// The same check for one Section: its bytes, read back as the reader reads
// a Section (from its own bytes alone), give the same nodes. The cost is the
// Section's, not the file's. ok, or refused with the place and `reason`.
EexWriteResult eexCheckSection(const DocTree &tree, NodeId section);

// Writes `bytes` to the device; returns false when the write failed. The
// default writes everything at once; tests pass one that fails half-way.
using EexWriteHook = std::function<bool(QIODevice &device, const QByteArray &bytes)>;

// Serializes the tree (checked as eexSerializeChecked does) and saves it at
// `path` through a temporary file beside it, renamed over the target only
// when everything was written; the target keeps its permissions. On any
// failure or refusal the old file is untouched.
EexWriteResult eexWrite(const DocTree &tree, const QString &path, const EexWriteHook &hook = {});

// What decides the message of a failed save, looked up after the failure.
struct SaveConditions {
    bool targetIsFolder = false;
    bool folderExists = true;
    bool folderWritable = true;
    bool targetWritable = true;
    bool readOnlyDisk = false;
    qint64 bytesFree = -1;  // -1: unknown
};
SaveConditions saveConditionsOf(const QString &path);
// The Korean reason for the user: read-only disk, disk full, no right to
// write, no such folder, a folder in the way, else a write error.
QString saveFailureText(const SaveConditions &conditions, qint64 needed, QFileDevice::FileError error);

// Same for bytes already serialized.
EexWriteResult saveFileAtomically(const QByteArray &bytes, const QString &path, const EexWriteHook &hook = {});

} // namespace core
