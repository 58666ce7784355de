#pragma once
// What every headless edit works on and what it hands back to the window.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/edit_history.h"
#include "core/key_serial.h"

#include <QString>

namespace core {

// One document's tree and history, the program's key serial counter and
// what captions of new nodes need.
struct EditContext {
    DocTree &tree;
    KeySerial &keySerial;
    EditHistory &history;
    CaptionContext captions = {};
};

// The outcome of one edit command. The window shows `message` when it is not
// empty (an error box titled "Error！"), marks the tab modified when
// `changed`, and selects `select` when it is set.
struct EditResult {
    bool ok = false;
    bool changed = false;
    QString message;
    NodeId select = kNoNode;
};

// Messages of refused edits.
inline const QString kOnlySectionMessage = QStringLiteral("Scene 안에 Section이 하나만 존재합니다！");
inline const QString kOnlySceneMessage = QStringLiteral("Scene이 하나만 존재합니다！");
inline const QString kCannotPasteMessage = QStringLiteral("붙여넣기할 수 없습니다！");
inline const QString kCannotUndoMessage = QStringLiteral("실행 취소할 수 없습니다.");
inline const QString kCannotAddMessage = QStringLiteral("추가할 수 없습니다.");
inline const QString kTooLongMessage =
    QStringLiteral("목록이 65,535 바이트를 넘게 되어 실행할 수 없습니다.");

} // namespace core
