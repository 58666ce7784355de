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
#include <vector>

namespace core {

// Bytes the reader met but could not keep in the tree, or bytes it had to
// assume. Scene and section are 0-based; -1 outside any Section.
struct EexLoadWarning {
    enum class Kind {
        UnknownCode,    // a code above 0x79: two bytes passed over
        MarkerDropped,  // a child-event marker not followed by a nested list
        MarkerAssumed,  // the look-ahead assumed a marker the file does not hold
        BytesAfterEnd,  // bytes behind the last Scene, which saving does not write
    };
    Kind kind = Kind::UnknownCode;
    int scene = -1;
    int section = -1;
    std::int64_t offset = 0;  // file offset of the bytes concerned
    std::int64_t byteCount = 0;
};

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
};

struct EexLoadResult {
    bool ok = false;
    EexLoadFailure failure = EexLoadFailure::None;
    std::int64_t fileSize = 0;
    std::int64_t errorOffset = 0;  // the read position when the load failed
    QString errorDetail;           // for logs and tests; the user sees eexLoadErrorMessage
    std::vector<EexLoadWarning> warnings;
};

// Reads the file's bytes into `tree` (cleared first). `path` becomes the root's
// text. Keys take their serials from `keySerial`, which keeps counting across
// loads. Never throws; a damaged file gives ok = false with the offset.
// `progress` is told the work done now and then (bytes read, of the file's
// size); when it answers false the load stops as Cancelled.
EexLoadResult eexLoad(const QByteArray &fileBytes, const QString &path, DocTree &tree, KeySerial &keySerial,
                      const CaptionContext &captions = {}, const WorkProgress &progress = {});
// Same, reading the file at `path` first. A missing file, a folder, an
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

// The reader's check whether the bytes at `offset` look like a record of
// `code`: 0 no, 1 yes, 2 the code has no items (nothing was looked at).
// Offsets outside the buffer answer 0.
int eexLooksLikeCommand(const QByteArray &image, int code, std::int64_t offset);

} // namespace core
