#pragma once
// Writes a patched copy of the game's executable: "ekd5_2.exe" in the game
// folder is copied to "ekd5_3.exe" with a few bytes and one procedure changed.
// The source is never written. The copy is built in memory and saved
// atomically, so a failure leaves any earlier "ekd5_3.exe" as it was.
#include <QString>

namespace core {

struct ExePatchResult {
    bool ok = false;
    // "GODD" on success (the caller shows it), else a Korean error message.
    QString message;
};

// The game folder from the settings file ("Folder", "Path").
ExePatchResult exePatch();
ExePatchResult exePatch(const QString &gameFolder);

// The smallest source length the patch accepts: one past its highest offset.
qsizetype exePatchMinimumSize();

} // namespace core
