#include "commands/common/dialogue_pages.h"

#include "commands/common/face_picture.h"
#include "core/game/game_data.h"

namespace commands {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

template <typename T>
void ensureSize(QList<T> &list, int size)
{
    // Grow or shrink to `size`, keeping what stays.
    list.resize(size);
}

constexpr int kLastNamedSlot = 1027;   // persons 0..1023 and the four groups

} // namespace

QStringList DialoguePages::pageLines(int p) const
{
    QStringList out;
    if (p < 0 || p + 1 >= pageStart.size())
        return out;
    for (int i = pageStart[p]; i <= pageStart[p + 1] - 2 && i < dialogueLines.size(); ++i)
        if (i >= 0)
            out << dialogueLines[i];
    return out;
}

DialoguePages &sharedDialoguePages()
{
    static DialoguePages pages;
    return pages;
}

QStringList splitBoxLines(const QString &text)
{
    return text.split(kCrLf);
}

int personFaceEntry(const core::game::GameData *data, int person)
{
    if (!data || person < 0 || person >= int(data->persons.size()))
        return 0;
    return faceEntryOf(data->persons[std::size_t(person)].face);
}

int findSpeaker(const core::game::GameData *data, const QString &name)
{
    if (!data)
        return -1;
    const QStringList &names = data->names.charNames;
    for (int j = 0; j <= kLastNamedSlot / 2; ++j) {
        for (int person : {j, kLastNamedSlot - j}) {
            if (person < names.size() && names[person] == name)
                return person;
        }
    }
    return -1;
}

void cutDialoguePages(DialoguePages &pages, const QString &text, const core::game::GameData *data)
{
    QStringList &lines = pages.dialogueLines;
    lines = splitBoxLines(text);
    int k = 0;
    auto beginPage = [&](int start, int face, const QString &speaker) {
        ensureSize(pages.pageStart, k + 1);
        ensureSize(pages.pageFace, std::max(int(pages.pageFace.size()), k + 1));
        ensureSize(pages.pageSpeaker, std::max(int(pages.pageSpeaker.size()), k + 1));
        pages.pageStart[k] = start;
        pages.pageFace[k] = face;
        pages.pageSpeaker[k] = speaker;
        ++k;
    };
    // The walk follows the lines as they grow (an empty page line put in).
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith(u'&')) {
            if (k == 0)
                beginPage(0, kNarrationFace, k < pages.pageSpeaker.size() ? pages.pageSpeaker[0] : QString());
            if (i != lines.size() - 1)
                lines[i] += kCrLf;
            continue;
        }
        if (i > 0 && lines[i - 1].startsWith(u'&')) {
            // The earlier speaker gets an empty page.
            lines.insert(i, QString());
            ++i;
        }
        const QString speaker = lines[i].mid(1);
        const int person = findSpeaker(data, speaker);
        // A group word names no person record: shown as narration.
        const int face = (person < 0 || person >= core::game::kPersonCount) ? kNarrationFace
                                                                            : personFaceEntry(data, person);
        beginPage(i + 1, face, speaker);
    }
    const int walked = int(lines.size());
    if (!lines.isEmpty() && lines.last().startsWith(u'&'))
        lines.append(QString());
    ensureSize(pages.pageStart, k + 1);
    pages.pageStart[k] = walked + 1;
}

void fillTalkPage(DialoguePages &pages, const QString &text, int speaker, const core::game::GameData *data)
{
    pages.dialogueLines = splitBoxLines(text);
    for (QString &line : pages.dialogueLines)
        line += kCrLf;
    const int person = (speaker >= 0 && speaker < 1028) ? speaker : 0;
    ensureSize(pages.pageStart, 2);
    ensureSize(pages.pageFace, std::max(int(pages.pageFace.size()), 2));
    ensureSize(pages.pageSpeaker, std::max(int(pages.pageSpeaker.size()), 2));
    pages.pageStart[0] = 0;
    pages.pageFace[0] = personFaceEntry(data, person);
    pages.pageSpeaker[0] = (data && person < data->names.charNames.size()) ? data->names.charNames[person] : QString();
    pages.pageStart[1] = int(pages.dialogueLines.size()) + 1;
}

} // namespace commands
