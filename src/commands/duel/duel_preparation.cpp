#include "commands/duel/duel_preparation.h"

#include "commands/common/face_picture.h"
#include "core/game/sprite_palette.h"

namespace commands::duel {

namespace {

struct FrameRow
{
    FrameSet set;
    UnitKind kind;
    int frame;
};

// The order the frame sets are built in; the loading screen changes at the
// second attack frame and after the last row.
constexpr FrameRow kFrameRows[] = {
    {FrameSet::Move1, UnitKind::Mov, 4},   {FrameSet::Move2, UnitKind::Mov, 5},
    {FrameSet::Waiting, UnitKind::Mov, 8}, {FrameSet::Breath1, UnitKind::Mov, 9},
    {FrameSet::Breath2, UnitKind::Mov, 10}, {FrameSet::Atk1, UnitKind::Atk, 0},
    {FrameSet::Atk2, UnitKind::Atk, 1},    {FrameSet::Atk3, UnitKind::Atk, 2},
    {FrameSet::Atk4, UnitKind::Atk, 3},    {FrameSet::Defence, UnitKind::Spc, 0},
    {FrameSet::Hited, UnitKind::Spc, 1},   {FrameSet::HandUp, UnitKind::Spc, 2},
};

QString orDefault(const QString &text, const QString &fallback)
{
    const QString t = text.trimmed();
    return t.isEmpty() ? fallback : t;
}

} // namespace

DuelSettings readDuelSettings(const SettingRead &read)
{
    DuelSettings s;
    s.folder.folder = read(QStringLiteral("Folder"), QStringLiteral("Path")).trimmed();
    s.folder.exeName = orDefault(read(QStringLiteral("FileName"), QStringLiteral("EXE")), QStringLiteral("Ekd5.exe"));
    s.folder.dataName = orDefault(read(QStringLiteral("FileName"), QStringLiteral("Data")), QStringLiteral("Data.e5"));
    s.speed = leadingNumber(read(QStringLiteral("Option"), QStringLiteral("VS_Speed")));
    // Only a hand-edited file holds a speed of 0 or less (the speed dialog
    // never writes one); dividing by it would stop the play or skip it.
    if (!(s.speed > 0))
        s.speed = 1.0;
    s.unitModelAddress = hexAddress(read(QStringLiteral("Setting"), QStringLiteral("UnitModelAddress")));
    s.troopCount = int(leadingNumber(read(QStringLiteral("Setting"), QStringLiteral("TroopCount"))));
    return s;
}

bool previewablePerson(int person)
{
    return person >= 0 && person < 1028;
}

QString prepareDuel(const DuelSettings &settings, const int persons[2], DuelPictures &pictures, DuelStage &stage,
                    const std::function<void(LoadingStep)> &progress)
{
    const auto report = [&](LoadingStep step) {
        if (progress)
            progress(step);
    };
    const DuelFolder &folder = settings.folder;

    const Read<QImage> background = duelBackground(folder);
    if (!background.ok())
        return background.error.message;
    pictures.setBackground(*background.value);

    stage.resetFighters();
    stage.speed = settings.speed;

    DuelFighterData data[2];
    for (int m = 0; m < 2; ++m) {
        const Read<int> model = personModel(folder, settings.unitModelAddress, persons[m]);
        if (!model.ok())
            return model.error.message;
        data[m].model = *model.value;
    }
    for (int m = 0; m < 2; ++m) {
        const Read<int> face = personFace(folder, persons[m]);
        if (!face.ok())
            return face.error.message;
        data[m].face = *face.value;
    }
    for (int m = 0; m < 2; ++m) {
        const Read<QImage> face = faceImage(folder, faceEntryOf(data[m].face));
        if (!face.ok())
            return face.error.message;
        pictures.setFace(m, *face.value);
    }
    report(LoadingStep::FacesLoaded);

    for (int m = 0; m < 2; ++m) {
        const Read<int> troop = personTroop(folder, persons[m]);
        if (!troop.ok())
            return troop.error.message;
        data[m].troop = *troop.value;
        data[m].entry = unitNumber(data[m].model, m, data[m].troop, settings.troopCount);
        const Read<bool> bow = isBowTroop(folder, data[m].troop);
        if (!bow.ok())
            return bow.error.message;
        stage.bowTroop[m] = *bow.value;
    }

    const QList<QRgb> &palette = core::game::spritePalette();
    for (int m = 0; m < 2; ++m) {
        for (const FrameRow &row : kFrameRows) {
            const Read<QByteArray> bytes = unitFrameBytes(folder, row.kind, data[m].entry, row.frame);
            if (!bytes.ok())
                return bytes.error.message;
            pictures.setFrame(row.set, m, *bytes.value, unitFrameSize(row.kind), palette);
            if (row.set == FrameSet::Atk2)
                report(m == 0 ? LoadingStep::EnemyShown : LoadingStep::ArmyShown);
            report(LoadingStep::FrameSetReady);
        }
        report(LoadingStep::VsShown);
    }
    return {};
}

} // namespace commands::duel
