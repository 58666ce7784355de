#include "commands/presentation/media_lists.h"

namespace commands::media {

namespace {
const QString kNoneText = QStringLiteral("無");
}

QString twoDigits(int n)
{
    return (QStringLiteral("0") + QString::number(n)).right(2);
}

QStringList movieItems(int aviMax)
{
    QStringList items{QStringLiteral("Logo.avi"), QStringLiteral("Open.avi"), QStringLiteral("End.avi"),
                      QStringLiteral("Press.avi")};
    for (int i = 4; i < aviMax; ++i)
        items << movieText(i);
    return items;
}

QString movieText(int movie)
{
    if (movie >= 0 && movie < 4)
        return movieItems(0).at(movie);
    return QStringLiteral("영상") + QString::number(movie);
}

QString effectFileName(int value)
{
    if (value >= 200)
        return QStringLiteral("SE_E_") + twoDigits(value - 200) + QStringLiteral(".WAV");
    if (value >= 100)
        return QStringLiteral("SE_M_") + twoDigits(value - 100) + QStringLiteral(".WAV");
    return QStringLiteral("SE") + twoDigits(value) + QStringLiteral(".WAV");
}

QString effectFileOf(int value)
{
    const int base = value >= 200 ? 200 : value >= 100 ? 100 : 0;
    const int number = value - base;
    if (number < 100)
        return effectFileName(value);
    return QStringLiteral("SE_E_") + QString::number(number) + QStringLiteral(".WAV");
}

QStringList effectItems(const EffectCounts &counts)
{
    QStringList items;
    for (int k = 0; k < counts.se; ++k)
        items << effectFileName(k);
    for (int k = 0; k < counts.sem; ++k)
        items << effectFileName(100 + k);
    for (int k = 0; k < counts.see; ++k)
        items << effectFileName(200 + k);
    return items;
}

std::optional<int> effectIndex(int value, const EffectCounts &counts)
{
    if (value < 0)
        return std::nullopt;
    if (value < 100)
        return value < counts.se ? std::optional<int>(value) : std::nullopt;
    if (value < 200)
        return value - 100 < counts.sem ? std::optional<int>(counts.se + value - 100) : std::nullopt;
    return value - 200 < counts.see ? std::optional<int>(counts.se + counts.sem + value - 200) : std::nullopt;
}

int effectValue(int index, const EffectCounts &counts)
{
    if (index < counts.se)
        return index;
    if (index < counts.se + counts.sem)
        return 100 + (index - counts.se);
    return 200 + (index - counts.se - counts.sem);
}

QStringList trackItems(int trackMax)
{
    QStringList items;
    for (int i = 0; i < trackMax; ++i)
        items << QStringLiteral("Track") + QString::number(i + 2);
    items << kNoneText;
    return items;
}

std::optional<QString> musicFileOfTrack(const QString &listText, int track)
{
    if (track < 0)
        return std::nullopt;
    int seen = 0;
    for (QString line : listText.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (seen++ == track)
            return line;
    }
    return std::nullopt;
}

QStringList outerBackgroundItems(int mmap1)
{
    QStringList items;
    for (int n = 1; n <= mmap1; ++n)
        items << QStringLiteral("MMAP-") + QString::number(n);
    items << kNoneText;
    return items;
}

QStringList innerBackgroundItems(int mmap1, int mmap2)
{
    QStringList items;
    for (int j = 0; j < mmap2; ++j)
        items << QStringLiteral("MMAP-") + QString::number(mmap1 + j + 1);
    items << kNoneText;
    return items;
}

QStringList battleMapItems(int sceMax)
{
    QStringList items;
    for (int k = 0; k < sceMax; ++k)
        items << QStringLiteral("HM") + twoDigits(k);
    items << kNoneText;
    return items;
}

} // namespace commands::media
