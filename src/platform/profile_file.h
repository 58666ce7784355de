#pragma once
// A settings (INI) file with the semantics the editor relies on: section and
// key names match without regard to letter case and surrounding blanks, a
// missing file/section/key reads as "", and a write changes one line in place
// and keeps every other line, comment and order.
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
    // False when the value cannot be stored (line breaks) or the file cannot
    // be written; the file is then unchanged.
    bool write(const QString &section, const QString &key, const QString &value);

private:
    QString m_path;
};

} // namespace platform
