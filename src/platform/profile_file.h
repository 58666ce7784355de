#pragma once
// A settings (INI) file with the semantics the editor relies on: section and
// key names match without regard to letter case and surrounding blanks, a
// missing file/section/key reads as "", and a write changes one line in place
// and keeps every other line, comment, order and line ending.
//
// Nothing is cached: every read opens the file afresh, so what another
// running copy wrote is seen. A write reads, changes and replaces the file
// under an inter-process lock (a lock file beside it), and the replacement is
// atomic, so a reader never sees half a file and two copies writing
// different keys lose nothing.
//
// Encodings never mix: a new file is UTF-8; an existing file that is not
// valid UTF-8 is taken as CP949 and stays CP949 (a value CP949 cannot hold
// is refused). Only when a write would leave CP949 bytes that also form
// valid UTF-8 -- which the next read would take for UTF-8 -- is the whole
// file turned into UTF-8 instead.
#include <QString>

namespace platform {

class ProfileFile
{
public:
    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }
    bool exists() const;
    // "" when the file, section or key is missing. Every call reads the file
    // afresh, so a value another running copy wrote is seen.
    QString read(const QString &section, const QString &key) const;
    // False when the value cannot be stored (line breaks, a character the
    // file's encoding lacks, an empty name), the lock cannot be had or the
    // file cannot be written; the file is then unchanged.
    bool write(const QString &section, const QString &key, const QString &value);

    // How long a write waits for another copy's lock before giving up.
    static constexpr int kLockTimeoutMs = 5000;
    void setLockTimeout(int ms) { m_lockTimeoutMs = ms; }
    // The lock file that guards writes: the file's path with ".lock".
    QString lockPath() const { return m_path + QStringLiteral(".lock"); }

private:
    QString m_path;
    int m_lockTimeoutMs = kLockTimeoutMs;
};

} // namespace platform
