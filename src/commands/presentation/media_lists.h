#pragma once
// The items of the movie, sound-effect, music-track and background lists and
// the values they stand for, from the counts of the settings file. Pure
// functions, so the numbering is tested without a window.
#include "commands/common/list_sources.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace commands::media {

inline constexpr SettingCount kAviMax{"AVIMax", 4, 0, 4096};
// An effect value is its group's base (0, 100, 200) plus its number, so the
// first two groups hold at most 100 each.
inline constexpr SettingCount kSeMax{"SE_Max", 43, 0, 100};
inline constexpr SettingCount kSemMax{"SEM_Max", 37, 0, 100};
inline constexpr SettingCount kSeeMax{"SEE_Max", 9, 0, 1000};
// 255 stands for no music.
inline constexpr SettingCount kTrackMax{"TrackMax", 21, 0, 255};
inline constexpr SettingCount kMMap1Max{"MMap1Max", 40, 0, 4096};
inline constexpr SettingCount kMMap2Max{"MMap2Max", 74, 0, 4096};
inline constexpr SettingCount kSceMax{"SceMax", 58, 0, 4096};

inline constexpr int kNoTrack = 255;
inline constexpr int kNone = 0xFFFF;

// The last two characters of "0" and the number: 7 -> "07", 42 -> "42",
// 105 -> "05".
QString twoDigits(int n);

// "Logo.avi", "Open.avi", "End.avi", "Press.avi", then "영상" 4 .. aviMax-1.
QStringList movieItems(int aviMax);
QString movieText(int movie);

struct EffectCounts {
    int se = 0;
    int sem = 0;
    int see = 0;
    int total() const { return se + sem + see; }
};
// The file name of an effect value: "SE07.WAV", "SE_M_00.WAV", "SE_E_08.WAV".
QString effectFileName(int value);
// The game's file of an effect value: its group's name with the number in
// full where it needs more than two digits ("SE_E_100.WAV" for 300, whose
// list text would read as 200's).
QString effectFileOf(int value);
QStringList effectItems(const EffectCounts &counts);
// The item of a stored value, nullopt when its number lies beyond its group.
std::optional<int> effectIndex(int value, const EffectCounts &counts);
int effectValue(int index, const EffectCounts &counts);

// "Track" 2 .. trackMax+1, then "無".
QStringList trackItems(int trackMax);
// The music file of track n in the text of the music list: the (n+1)-th line
// that is not empty; nullopt when the list is shorter.
std::optional<QString> musicFileOfTrack(const QString &listText, int track);

// The background lists: outer "MMAP-" 1..mmap1, inner "MMAP-" mmap1+1 ..
// mmap1+mmap2, battle maps "HM" 00..; each followed by "無".
QStringList outerBackgroundItems(int mmap1);
QStringList innerBackgroundItems(int mmap1, int mmap2);
QStringList battleMapItems(int sceMax);

} // namespace commands::media
