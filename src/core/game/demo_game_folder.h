#pragma once
// An invented game folder: every name and picture here is made up, no byte
// comes from the game. The program uses it when no settings exist yet, and
// the test fixtures build on it.
#include <QByteArray>
#include <QList>
#include <QString>

namespace core::game {

struct DemoExeLayout
{
    qint64 size = 0xD3000;
    qint64 troopAddress = 0xD18D0;
    int troopLength = 9;
    int troopCount = 240;
    qint64 unitModelAddress = 0xD2800;
};

QString DemoPersonName(int j);
quint8 DemoItemType(int n);       // items 0..115
QString DemoItemName(int n);      // items 0..115
QString DemoTroopName(int i);

QByteArray DemoPersonTable();     // 1024 records of 32 bytes
QByteArray DemoItemTable();       // 104 records of 25 bytes (items 0..103)
QList<QByteArray> DemoDataEntries(); // the six entries of the data archive
QByteArray DemoDataArchive();     // all six entries raw
QByteArray DemoStarFile();        // items 104..115 at offset 650
QByteArray DemoExecutable(const DemoExeLayout &layout = {});

// Picture archives, small but shaped as the readers expect.
QByteArray DemoFaceArchive(int faces = 16);           // entry f + 7: JPEG face f
QByteArray DemoSpriteArchive(int models = 8);         // "PMAPOBJ.e5": two 48x1280 sheets a model
// "ATK", "Mov", "SPC": an entry for every unit number of the demo persons
// (three per troop type, then the models).
QByteArray DemoUnitArchive(const QString &kind, int units = 768);
QByteArray DemoLogoArchive();                         // entry 5: the duel background
QByteArray DemoMapArchive(int backgrounds = 4);       // "mmap.e5": backgrounds, world map last
QByteArray DemoJpeg(int width, int height, int seed);

// Writes the whole folder (created when missing). False with a message when a
// file cannot be written.
bool WriteDemoGameFolder(const QString &folder, QString *error = nullptr);

} // namespace core::game
