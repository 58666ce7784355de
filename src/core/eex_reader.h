#pragma once
// The scenario reader: the bytes of an ".eex" file into a fresh scenario tree.
//
// The reader fills the tree it is given (which it clears first); the caller
// swaps that tree into the document only when the load succeeded
// (DocTree::swapContent), so a failed load leaves the open document as it was.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/eex_layout.h"
#include "core/work_progress.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace core {

// Bytes the reader met but could not keep in the tree, or bytes it had to
// assume, and what a save will do about them. Scene and section are 0-based;
// -1 outside any Section.
struct EexLoadWarning {
    enum class Kind {
        UnknownCode,     // a code above 0x79: two bytes passed over
        MarkerDropped,   // a child-event marker not followed by a nested list
        MarkerAssumed,   // the look-ahead assumed a marker the file does not hold
        BytesAfterEnd,   // bytes behind the last Scene, which saving does not write
        BytesSkipped,    // bytes before, between or inside Scenes that no Section holds
        BytesReadTwice,  // bytes two Scenes or Sections both hold: saving writes them twice
        BytesPastEnd,    // the file ends inside what it promises: saving writes zeros there
        NestedLengthRepaired,  // a nested length that disagreed with its list, set to the list's
        Unsaveable,      // the tree cannot be saved as it is: `reason` says why
    };
    Kind kind = Kind::UnknownCode;
    int scene = -1;
    int section = -1;
    std::int64_t offset = 0;  // file offset of the bytes concerned
    std::int64_t byteCount = 0;
    // BytesReadTwice: the bytes of the file held more than once; byteCount
    // counts them once for every further time.
    std::int64_t stretch = 0;
    int storedLength = 0;     // NestedLengthRepaired: the length as the file had it
    int listLength = 0;       // NestedLengthRepaired: the length of the list as read
    QString reason;           // Unsaveable
    // 0: found reading the file. n > 0: found in the n-th reading of the
    // saved bytes, which the reader repeats until they read back unchanged;
    // the offset is then one of those bytes.
    int pass = 0;
};

// What saving does with the bytes of a warning: negative when it drops them,
// positive when it adds them, 0 when the count of bytes stays.
std::int64_t eexSaveByteChange(const EexLoadWarning &warning);

// The most a tree may hold of a file of `fileBytes` bytes, counting bytes
// that overlapping Scenes or Sections name again: an eighth more than the
// file and a small allowance. Beyond it the file is refused (Overlapping),
// so a damaged file costs about what an undamaged one of its size does.
std::int64_t eexReadBudget(std::int64_t fileBytes);

// Larger files are refused unread: no real scenario comes near it, and
// reading one would take the memory of every open document.
constexpr std::int64_t kMaxScenarioBytes = 256LL * 1024 * 1024;

enum class EexLoadFailure {
    None,
    Damaged,      // the bytes are not a scenario: errorOffset says where
    Missing,      // no such file
    NotAFile,     // a folder or a device
    Unreadable,   // the system refused to read it
    TooLarge,     // over kMaxScenarioBytes
    OutOfMemory,  // an allocation failed while loading
    Cancelled,    // the progress callback asked to stop; the tree is left empty
    // Scenes or Sections name the same bytes so often that reading them
    // would take many times the work of an undamaged file of that size.
    Overlapping,
    ExtendedLayout,  // written by the converter into the extended layout, which this editor does not read
};

struct EexLoadResult {
    bool ok = false;
    EexLoadFailure failure = EexLoadFailure::None;
    std::int64_t fileSize = 0;
    std::int64_t errorOffset = 0;  // the read position when the load failed
    QString errorDetail;           // for logs and tests; the user sees eexLoadErrorMessage
    // Overlapping: the offset of the Scene the Scene table names more than
    // once (-1 when Sections overlap instead), and how often it names it.
    std::int64_t repeatedScene = -1;
    int repeatedSceneTimes = 0;
    std::vector<EexLoadWarning> warnings;
};

// Reads the file's bytes into `tree` (cleared first). `path` becomes the root's
// text. Keys take their serials from `keySerial`, which keeps counting across
// loads. Never throws; a damaged file gives ok = false with the offset.
// `progress` is told the work done now and then (bytes read, of the file's
// size); when it answers false the load stops as Cancelled.
EexLoadResult eexLoad(const QByteArray &fileBytes, const QString &path, DocTree &tree, KeySerial &keySerial,
                      const CaptionContext &captions = {}, const WorkProgress &progress = {});
// What the reader reads, kept as a flat list instead of a tree, for checking
// the bytes of a save against the document: every node in display order with
// its depth (root 0, Scenes 1, Sections 2, ...) and record part. About 20
// bytes a node, where a document tree takes about 200. The building calls are
// the tree's that the reader uses.
class EexFlatTree
{
public:
    NodeId addRoot(const QString &key, const QString &text);
    void setCaptionSource(const std::shared_ptr<const CaptionSource> &) {}
    void setRecordImage(const QByteArray &image) { m_image = image; }
    NodeId appendNew(NodeId parent, QString key, int captionKind, const QString &text = QString());
    NodeId appendRecord(NodeId parent, qsizetype offset, int length, std::uint64_t serial, int captionKind);
    bool remove(NodeId n);
    QString key(NodeId n) const;
    void rekeyNew(NodeId n, QString key, int captionKind);
    void setTextColor(NodeId, const QColor &) {}
    void setBackColor(NodeId, const QColor &) {}
    void setExpanded(NodeId, bool) {}

    // Nodes 0 .. size() - 1 in display order, removed ones included.
    int size() const { return int(m_nodes.size()); }
    bool alive(int i) const { return m_nodes[std::size_t(i)].alive; }
    int depth(int i) const { return m_nodes[std::size_t(i)].depth; }
    // The record as bytes of the read image, or (when empty) as hex text.
    QByteArrayView recordBytes(int i) const;
    QStringView recordHex(int i) const;

private:
    struct Node {
        std::int32_t depth = 0;
        std::int32_t length = 0;
        std::uint32_t offset = 0;
        std::int32_t key = -1;  // index into m_keys; -1: the record is image bytes
        bool alive = true;
    };
    NodeId push(NodeId parent, Node node);

    std::vector<Node> m_nodes;
    std::vector<QString> m_keys;
    QByteArray m_image;
};

// Reads bytes a save is about to write into `flat`, as eexLoad reads into a
// tree, but without trying a save of its own.
EexLoadResult eexReadFlat(const QByteArray &bytes, EexFlatTree &flat);
// Same as eexLoad, reading the file at `path` first. A missing file, a folder, an
// unreadable or too large file fails with its own kind and reads nothing.
EexLoadResult eexLoadFile(const QString &path, DocTree &tree, KeySerial &keySerial,
                          const CaptionContext &captions = {}, const WorkProgress &progress = {});
// Runs a load; a failed allocation in it becomes OutOfMemory with `tree`
// cleared, instead of ending the program.
EexLoadResult eexLoadGuarded(DocTree &tree, const std::function<EexLoadResult()> &load);

// What the user is shown for a failed load of `path`: the damaged-file text
// below, or a Korean sentence saying what kept the file from opening.
QString eexLoadFailureMessage(const EexLoadResult &result, const QString &path);

// "EEX 파일 오류！ SeekAdr : 1A2B" - what the user is shown for a failed load.
QString eexLoadErrorMessage(std::int64_t seekAdr);
// One line per warning, for the message shown after a load with warnings.
QString eexLoadWarningMessage(const EexLoadWarning &warning);
// The message shown after a load with warnings, lines joined by CR LF: the
// first `listed` warnings (one that the document cannot be saved first), how
// many more there are, and the bytes a save drops and adds for all of them.
QString eexLoadWarningsText(const std::vector<EexLoadWarning> &warnings, int listed = 20);

// The reader's check whether the bytes at `offset` look like a record of
// `code`: 0 no, 1 yes, 2 the code has no items (nothing was looked at).
// Offsets outside the buffer answer 0.
int eexLooksLikeCommand(const QByteArray &image, int code, std::int64_t offset);

} // namespace core
