#pragma once
// Makes this program the current user's handler of "*.eex" files the
// freedesktop way: a MIME type, a desktop entry that opens a file with this
// program, and the default-application entry. Rewritten at every start, so a
// changed association is put back; nothing here ever stops the start.
#include <QString>

namespace platform {

inline constexpr const char *kScenarioMimeType = "application/x-storyloom-scenario";
inline constexpr const char *kDesktopFileName = "storyloom.desktop";

struct AssociationPaths
{
    QString mimePackage;   // <data>/mime/packages/storyloom-eex.xml
    QString desktopEntry;  // <data>/applications/storyloom.desktop
    QString mimeApps;      // <config>/mimeapps.list
};

// Paths under XDG_DATA_HOME and XDG_CONFIG_HOME (or their defaults).
AssociationPaths associationFiles();

// The desktop entry's Exec value for programPath, quoted as the desktop entry
// rules demand, followed by " %f".
QString desktopExecLine(const QString &programPath);

// Writes the three entries; returns false when any of them could not be
// written (callers ignore it). When the MIME package changed, the user's MIME
// database is refreshed in the background.
bool registerFileAssociation(const QString &programPath);

} // namespace platform
