#pragma once
// Converts scenario files from the editor's layout (2-byte list lengths) to
// the extended layout: every Section, body and nested length becomes 4 bytes,
// several commands gain items, the army tables double their slots, some
// equipment numbers move up and the group persons 1024..1027 are renumbered.
//
// Conversion runs on a copy in memory; a file is replaced (atomically) only
// when the whole conversion succeeded, so a failure leaves it byte-identical.
// Parts already in the extended layout are recognised and left alone, so a
// second run changes nothing.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace core {

struct EexConvertOptions {
    // The files were converted before: the group persons are already
    // renumbered and must not move again.
    bool convertedBefore = false;
};

struct EexConversion {
    bool ok = false;
    QByteArray bytes;         // the converted file when ok
    qint64 errorOffset = -1;  // offset in the input at which the walk failed
    QString reason;           // what was wrong there, in Korean
};

EexConversion convertEexBytes(const QByteArray &input, const EexConvertOptions &options = {});

// True when the bytes are in the extended layout as the converter recognises
// a file it converted before: it holds at least one Section and a run over it
// would change nothing. Stops at the first change a run would make, so a file
// in the editor's layout is told apart at its first Section.
bool isExtendedLayout(const QByteArray &bytes);

// True for a path whose extension is ".eex" in any letter case.
bool isEexPath(const QString &path);

// "EEX 파일 오류！ SeekAdr : " with the offset in upper-case hex, then the
// file and the reason on lines of their own.
QString eexConvertErrorText(const QString &path, qint64 offset, const QString &reason);

struct EexFileConversion {
    bool ok = false;
    bool changed = false;  // false: already in the extended layout, not rewritten
    QString message;       // the error text when !ok
};

// Reads, converts and atomically replaces one file.
EexFileConversion convertEexFile(const QString &path, const EexConvertOptions &options = {});

// Tells whether a path is open in a document tab (such files are refused).
using EexPathIsOpen = std::function<bool(const QString &absolutePath)>;
// Called after each file: files done so far, files to do.
using EexProgress = std::function<void(int done, int total)>;

// The ".eex" files of the list (as absolute paths) that are open in a tab.
QStringList eexFilesOpenInTabs(const QStringList &paths, const EexPathIsOpen &isOpen);
// Why a batch holding such files converts nothing, naming them.
QString eexFilesOpenText(const QStringList &openFiles);

struct EexBatchResult {
    bool ok = false;
    QString title;             // "Complete!" or "Error!"
    QString message;           // "적용 완료!" or why the run stopped
    QStringList changedFiles;  // files rewritten
};

// Converts every ".eex" file of the list in order; other files are skipped.
// When one of them is open in a tab nothing is converted. The first failing
// file ends the run: it and the files after it stay untouched.
EexBatchResult convertEexFiles(const QStringList &paths, const EexConvertOptions &options,
                               const EexPathIsOpen &isOpen, const EexProgress &progress = {});

} // namespace core
