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

QString demoPersonName(int j);
quint8 demoItemType(int n);       // items 0..115
QString demoItemName(int n);      // items 0..115
QString demoTroopName(int i);

QByteArray demoPersonTable();     // 1024 records of 32 bytes
QByteArray demoItemTable();       // 104 records of 25 bytes (items 0..103)
QList<QByteArray> demoDataEntries(); // the six entries of the data archive
QByteArray demoDataArchive();     // all six entries raw
QByteArray demoStarFile();        // items 104..115 at offset 650
QByteArray demoExecutable(const DemoExeLayout &layout = {});

// Picture archives, small but shaped as the readers expect.
QByteArray demoFaceArchive(int faces = 16);           // entry f + 7: JPEG face f
QByteArray demoSpriteArchive(int models = 8);         // "PMAPOBJ.e5": two 48x1280 sheets a model
// "ATK", "Mov", "SPC": an entry for every unit number of the demo persons
// (three per troop type, then the models).
QByteArray demoUnitArchive(const QString &kind, int units = 768);
QByteArray demoLogoArchive();                         // entry 5: the duel background
QByteArray demoMapArchive(int backgrounds = 4);       // "mmap.e5": backgrounds, world map last
QByteArray demoJpeg(int width, int height, int seed);

// Writes the whole folder (created when missing). False with a message when a
// file cannot be written.
bool writeDemoGameFolder(const QString &folder, QString *error = nullptr);

} // namespace core::game
