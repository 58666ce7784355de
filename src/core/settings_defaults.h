#pragma once
#include "core/settings.h"
// The default contents of the settings file and the start-up reads of it:
// creating the file with its defaults, the troop count, and the option marks.
#include <QString>

#include <span>

namespace core {

struct SettingDefault
{
    const char *section;
    const char *key;
    const char *value;
};

// Every default entry, in the order a fresh settings file holds them.
std::span<const SettingDefault> settingDefaults();

// The troop count used when the stored one is missing or unusable.
inline constexpr int kFallbackTroopCount = 240;

// Creates the settings file at iniPath() with every default, in table order,
// when no file exists there; an existing file is left untouched. Returns the
// troop count the name tables are to be sized with.
int settingLoad();

// "Setting"/"TroopCount" read as a count: the decimal number the text begins
// with, rounded; missing, empty, not a number, below 1 or beyond a 16-bit
// count gives kFallbackTroopCount.
int troopCountFromText(const QString &text);


struct OptionMarks
{
    bool rightClickTabClose = false;
    bool ctrlClick = true;
    bool shiftClick = true;
    CharSelectMode charSelect = CharSelectMode::List;
};

// Reads the option entries; an entry that is missing or cannot be read takes
// its default.
OptionMarks readOptionMarks();

// "True"/"False" as the settings file stores a flag.
QString boolText(bool value);
// Reads a stored flag; text that is no flag gives fallback.
bool boolFromText(const QString &text, bool fallback);

} // namespace core
