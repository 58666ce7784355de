#pragma once
// Preparing a duel for the preview: the background, the persons' models,
// faces and troop types from the game files, the speed, and every frame set
// of both fighters. Stops at the first file that cannot be read, with a
// Korean line saying which.
#include "commands/duel/duel_game_files.h"
#include "commands/duel/duel_pictures.h"
#include "commands/duel/duel_stage.h"

#include <functional>

namespace commands::duel {

// The loading screen's steps, in order, for the window to show.
enum class LoadingStep {
    FacesLoaded,   // both face pictures are ready (still hidden)
    EnemyShown,    // fighter 1's face and name appear
    ArmyShown,     // fighter 0's face and name appear
    VsShown,       // "VS" appears
    FrameSetReady, // one frame set is done (the window keeps its events going)
};

struct DuelSettings
{
    DuelFolder folder;
    double speed = 1.0;
    qint64 unitModelAddress = 0;
    int troopCount = 0;
};

using SettingRead = std::function<QString(const QString &section, const QString &key)>;
DuelSettings readDuelSettings(const SettingRead &read);

// A person from 1028 on (a variable person or "無") cannot be previewed.
bool previewablePerson(int person);
inline const QString kNoPersonMessage = QStringLiteral("無 로 설정된 인물이 있습니다!");

struct DuelFighterData
{
    int model = 0;
    int face = 0;
    int troop = 0;
    int entry = 0;
    bool bow = false;
};

// Reads what the stage needs and builds the pictures; on success the stage
// holds the speed, the fighters as the preview opens them and their bow
// flags. Returns "" or the message of the first failure.
QString prepareDuel(const DuelSettings &settings, const int persons[2], DuelPictures &pictures, DuelStage &stage,
                    const std::function<void(LoadingStep)> &progress = {});

} // namespace commands::duel
