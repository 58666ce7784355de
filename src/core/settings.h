#pragma once
// Program-wide access to the settings file "Q_T.ini". The path is set once at
// start-up (tests point it at a temporary file). Every call opens and closes
// the file, so two running copies share it entry by entry.
#include <QString>

#include <climits>

namespace core {

// The program's folder, ending in "/".
QString appPath();
// The settings file: "Q_T.ini" in the program's folder, or in the user's
// configuration folder when the program's folder cannot be written.
QString iniPath();
void setIniPath(const QString &path);
// Where the settings file belongs for a program in `appDir`; `configDir` is
// the fallback when nothing can be created in `appDir`.
QString chooseIniPath(const QString &appDir, const QString &configDir);

// "" when the file, section or key is missing; blanks around the value are
// removed. No length limit.
// Without a file: the program's settings as this run sees them, a session
// value (below) standing in for an entry the file leaves empty.
QString readINI(const QString &section, const QString &key);
QString readINI(const QString &section, const QString &key, const QString &file);
// A value for this run only, read where the settings file holds none (the
// invented game folder after a cancelled first question); the file is never
// written with it. An empty value removes it; setIniPath drops them all.
void setSessionValue(const QString &section, const QString &key, const QString &value);
// False when the value could not be written (see platform::ProfileFile).
bool writeINI(const QString &section, const QString &key, const QString &value);
bool writeINI(const QString &section, const QString &key, const QString &value, const QString &file);

// Why the settings file at `path` cannot be read, in Korean for the user:
// it is a folder, unreadable, not text, or text without one readable entry.
// Empty when it reads (or does not exist, or is empty: a first start).
QString settingsFileProblem(const QString &path);

// Typed readers of the settings file. Each falls back to `fallback` when the
// entry is missing, empty or not of its type.
//
// Numbers are the decimal number the text begins with ("80", " 12.6 x"
// gives 13), rounded half to even; a number outside [min, max] also gives
// the fallback.
int readIntSetting(const QString &section, const QString &key, int fallback,
                   int min = INT_MIN, int max = INT_MAX);
// Hexadecimal text such as "D2800" (an optional "0x" or "&H" prefix).
qint64 readHexSetting(const QString &section, const QString &key, qint64 fallback);
// "True"/"False" in any letter case, or a number (non-zero is true).
bool readBoolSetting(const QString &section, const QString &key, bool fallback);
// A decimal number such as "1.0" (dot as decimal point).
double readDoubleSetting(const QString &section, const QString &key, double fallback);

// Parsers behind the typed readers, for values that come from elsewhere.
bool parseLeadingNumber(const QString &text, double *value);
bool parseSettingBool(const QString &text, bool *value);

// The start mode of the person pickers, from [Option] Char_Select.
enum class CharSelectMode { List = 0, Number = 1, Name = 2 };
// 0 list, 1 number, any other number up to 255 name; a missing entry, text
// that is not a number and a number outside 0..255 mean list.
CharSelectMode loadCharSelectOption();
CharSelectMode charSelectModeFromText(const QString &text);

} // namespace core
