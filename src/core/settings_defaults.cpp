#include "core/settings_defaults.h"

#include "core/settings.h"

#include <QSaveFile>
#include <QFileInfo>

#include <array>
#include <cmath>
#include <optional>

namespace core {

namespace {

constexpr std::array<SettingDefault, 39> kDefaults{{
    {"Folder", "Path", ""},
    {"FIleName", "EXE", "Ekd5.exe"},
    {"FIleName", "DATA", "Data.e5"},
    {"FIleName", "FACE", "Face.e5"},
    {"Setting", "UnitModelAddress", "D2800"},
    {"Setting", "TroopNameAddress", "D18D0"},
    {"Setting", "TroopNameLength", "9"},
    {"Setting", "TroopCount", "80"},
    {"Setting", "SceMax", "58"},
    {"Setting", "TrackMax", "21"},
    {"Setting", "SE_Max", "43"},
    {"Setting", "SEM_Max", "37"},
    {"Setting", "SEE_Max", "9"},
    {"Setting", "MMap1Max", "40"},
    {"Setting", "MMap2Max", "74"},
    {"Setting", "LogoMap", "100"},
    {"Setting", "PMapObjMax", "206"},
    {"Setting", "Unit", "151"},
    {"Setting", "Face", "228"},
    {"Setting", "CharLvMax", "50"},
    {"Setting", "ItemLvMax", "9"},
    {"Setting", "MEffMax", "58"},
    {"Setting", "MCallMax", "9"},
    {"Setting", "LogoMax", "99"},
    {"Setting", "GateMax", "186"},
    {"Setting", "AVIMax", "4"},
    {"Fast_Add", "0", "2"},
    {"Fast_Add", "1", "2"},
    {"Fast_Add", "2", "2"},
    {"Fast_Add", "3", "2"},
    {"Fast_Add", "0Child", "False"},
    {"Fast_Add", "1Child", "False"},
    {"Fast_Add", "2Child", "False"},
    {"Fast_Add", "3Child", "False"},
    {"Option", "RC_TabClose", "False"},
    {"Option", "Ctrl_Click", "True"},
    {"Option", "Shift_Click", "True"},
    {"Option", "VS_Speed", "1.0"},
    {"Option", "Char_Select", "0"},
}};

// The leading decimal number of text ("80", " 12.6abc"), or nothing.
std::optional<double> leadingNumber(const QString &text)
{
    const QString t = text.trimmed();
    int end = 0;
    if (end < t.size() && (t[end] == '+' || t[end] == '-'))
        ++end;
    const int digitsFrom = end;
    while (end < t.size() && t[end].isDigit() && t[end].unicode() < 128)
        ++end;
    int digits = end - digitsFrom;
    if (end < t.size() && t[end] == '.') {
        ++end;
        while (end < t.size() && t[end].isDigit() && t[end].unicode() < 128) {
            ++end;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double value = t.left(end).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

std::span<const SettingDefault> settingDefaults() { return kDefaults; }

int settingLoad()
{
    const QString path = iniPath();
    if (!QFileInfo::exists(path)) {
        // The whole default file in one atomic write: the same lines that
        // writing the entries one by one would give, without forty rewrites
        // of the file at every first start.
        QByteArray text;
        const char *section = "";
        for (const SettingDefault &d : kDefaults) {
            if (qstrcmp(section, d.section) != 0) {
                section = d.section;
                text += '[' + QByteArray(section) + "]\n";
            }
            text += QByteArray(d.key) + '=' + QByteArray(d.value) + '\n';
        }
        QSaveFile file(path);
        // A folder we cannot write to leaves no file; the reads below then
        // fall back to the defaults, so start-up goes on.
        if (file.open(QIODevice::WriteOnly)) {
            file.write(text);
            file.commit();
        }
    }
    return troopCountFromText(readINI(QStringLiteral("Setting"), QStringLiteral("TroopCount")));
}

int troopCountFromText(const QString &text)
{
    const auto number = leadingNumber(text);
    if (!number)
        return kFallbackTroopCount;
    const double rounded = std::nearbyint(*number); // halves go to the even number
    if (rounded < 1 || rounded > 32767)
        return kFallbackTroopCount;
    return static_cast<int>(rounded);
}

QString boolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

bool boolFromText(const QString &text, bool fallback)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = t.toDouble(&ok);
    return ok ? number != 0 : fallback;
}

OptionMarks readOptionMarks()
{
    const OptionMarks defaults;
    const auto option = [](const char *key) { return readINI(QStringLiteral("Option"), QString::fromUtf8(key)); };
    OptionMarks marks;
    marks.rightClickTabClose = boolFromText(option("RC_TabClose"), defaults.rightClickTabClose);
    marks.ctrlClick = boolFromText(option("Ctrl_Click"), defaults.ctrlClick);
    marks.shiftClick = boolFromText(option("Shift_Click"), defaults.shiftClick);
    marks.charSelect = charSelectModeFromText(option("Char_Select"));
    return marks;
}

} // namespace core
