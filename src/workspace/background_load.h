#pragma once
// Opening a scenario without freezing the window: the file is read into a
// fresh tree on a reading thread while the window keeps handling its events
// and, past half a second, shows a progress dialog with a cancel button.
// The reading thread works on its own tree, serial and copies of the name
// tables, so nothing it touches is shared with the window. A cancelled read
// stops at the reader's next progress check.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/eex_reader.h"
#include "core/key_serial.h"

#include <optional>

class QWidget;

namespace workspace {

// Reads `path` into `tree` as core::eexLoadFile does and advances `keySerial`
// the same way. nullopt when the user cancelled: `tree` and `keySerial` are
// then left as they were.
std::optional<core::EexLoadResult> loadWithProgress(QWidget *parent, const QString &path, core::DocTree &tree,
                                                    core::KeySerial &keySerial,
                                                    const core::CaptionContext &captions);

// Waits for the reads the user cancelled; each stops at its next progress
// check. The program calls it before it ends, so that no reading thread
// outlives the application (it is also done when the program's statics go).
void finishCancelledReads();
// Cancelled reads not waited for yet.
int cancelledReadsPending();

} // namespace workspace
