#pragma once
// What the duel preview reads from the game folder: the duel background,
// faces, the unit frames of the three frame archives, and per person the
// unit model, the face number and the troop type; plus the lookups that turn
// a model into an archive entry and tell a bow troop. Every reader bounds
// what it reads and reports a failure as a Korean line for the user.
#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace commands::duel {

// A read that failed says why; the preview shows `message` and closes.
struct FileError
{
    QString message;
};

template <typename T>
struct Read
{
    std::optional<T> value;
    FileError error;
    bool ok() const { return value.has_value(); }
    static Read fail(const QString &message) { return {std::nullopt, {message}}; }
    static Read of(T v) { return {std::move(v), {}}; }
};

struct DuelFolder
{
    QString folder;    // the game folder, no trailing separator needed
    QString exeName = QStringLiteral("Ekd5.exe");
    QString dataName = QStringLiteral("Data.e5");
    QString path(const QString &name) const;
};

// Entry n of an ".e5" archive of the folder, unpacked. With `rawSize` > 0 an
// entry whose stored size is exactly that many bytes is taken as stored,
// whatever its unpacked size says.
Read<QByteArray> archiveEntry(const DuelFolder &f, const QString &archive, int n, qint64 rawSize = 0);

// The background: entry 5 of "LOGO.e5", a JPEG.
Read<QImage> duelBackground(const DuelFolder &f);
// A face: entry n of "face.e5".
Read<QImage> faceImage(const DuelFolder &f, int entry);

// One frame of a unit archive as bare palette indexes: "ATK" frames 0..3 are
// sheet frames 8..11 (64 × 64), "Mov" frames are sheet frames (48 × 48),
// "SPC" frames 0..2 are sheet frames 2..4.
enum class UnitKind { Atk, Mov, Spc };
Read<QByteArray> unitFrameBytes(const DuelFolder &f, UnitKind kind, int entry, int frame);
int unitFrameSize(UnitKind kind);  // 64 or 48

// Person fields from the data archive's records and the executable's model
// table.
Read<int> personModel(const DuelFolder &f, qint64 unitModelAddress, int person);
Read<int> personFace(const DuelFolder &f, int person);   // signed 16-bit
Read<int> personTroop(const DuelFolder &f, int person);
Read<bool> isBowTroop(const DuelFolder &f, int troop);

// The archive entry of a fighter's frames. `troop` is only read for model 0.
int unitNumber(int model, int fighter, int troop, int troopCount);
inline int baseNumber(int troop) { return troop * 3; }

// Settings as the preview reads them: the number a text begins with ("2x"
// gives 2, "abc" 0) and a hexadecimal address (0 when not hexadecimal).
double leadingNumber(const QString &text);
qint64 hexAddress(const QString &text);

} // namespace commands::duel
