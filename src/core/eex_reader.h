#pragma once
// The scenario reader: the bytes of an ".eex" file into a fresh scenario tree.
//
// The reader fills the tree it is given (which it clears first); the caller
// swaps that tree into the document only when the load succeeded
// (DocTree::swapContent), so a failed load leaves the open document as it was.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/eex_layout.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace core {

// Bytes the reader met but could not keep in the tree, or bytes it had to
// assume. Scene and section are 0-based; -1 outside any Section.
struct EexLoadWarning {
    enum class Kind {
        UnknownCode,    // a code above 0x79: two bytes passed over
        MarkerDropped,  // a child-event marker not followed by a nested list
        MarkerAssumed,  // the look-ahead assumed a marker the file does not hold
    };
    Kind kind = Kind::UnknownCode;
    int scene = -1;
    int section = -1;
    std::int64_t offset = 0;  // file offset of the bytes concerned
    int byteCount = 0;
};

struct EexLoadResult {
    bool ok = false;
    std::int64_t errorOffset = 0;  // the read position when the load failed
    QString errorDetail;           // for logs and tests; the user sees eexLoadErrorMessage
    std::vector<EexLoadWarning> warnings;
};

// Reads the file's bytes into `tree` (cleared first). `path` becomes the root's
// text. Keys take their serials from `keySerial`, which keeps counting across
// loads. Never throws; a damaged file gives ok = false with the offset.
EexLoadResult EEXLoad(const QByteArray &fileBytes, const QString &path, DocTree &tree, KeySerial &keySerial,
                      const CaptionContext &captions = {});
// Same, reading the file at `path` first; a file that cannot be read fails at offset 0.
EexLoadResult EEXLoadFile(const QString &path, DocTree &tree, KeySerial &keySerial,
                          const CaptionContext &captions = {});

// "EEX 파일 오류！ SeekAdr : 1A2B" - what the user is shown for a failed load.
QString eexLoadErrorMessage(std::int64_t seekAdr);
// One line per warning, for the message shown after a load with warnings.
QString eexLoadWarningMessage(const EexLoadWarning &warning);

// The reader's check whether the bytes at `offset` look like a record of
// `code`: 0 no, 1 yes, 2 the code has no items (nothing was looked at).
// Offsets outside the buffer answer 0.
int eexLooksLikeCommand(const QByteArray &image, int code, std::int64_t offset);

} // namespace core
