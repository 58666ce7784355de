#pragma once
// What a text dialog hands to its preview: the lines of the text, cut into
// pages with a face and a speaker each (dialogue), or the lines of a choice.
// One shared set lives for the whole run; a writer resizes what it uses and
// keeps entries it does not set, as later previews may still read them.
#include <QList>
#include <QString>
#include <QStringList>

namespace core::game {
struct GameData;
}

namespace commands {

// A page face of this value is narration: no face, no name.
constexpr int kNarrationFace = 10000;

struct DialoguePages
{
    QStringList dialogueLines;
    QList<int> pageFace;        // face.e5 entry per page, or kNarrationFace
    QStringList pageSpeaker;    // speaker's name per page
    QList<int> pageStart;       // first line per page, then one final entry
    QStringList choiceLines;

    // The final entry of pageStart is no page.
    int pageCount() const { return int(pageStart.size()) - 1; }
    // The lines of page p (the entry before the next page's start is the next
    // speaker line, or one past the last line, and is never part of page p).
    QStringList pageLines(int p) const;
};

DialoguePages &sharedDialoguePages();

// The box text split at every CR LF.
QStringList splitBoxLines(const QString &text);

// The face entry shown for a person (face number + 7, 0 stays 0); 0 for a
// person without a record (the groups 1024..1027, or no game data).
int personFaceEntry(const core::game::GameData *data, int person);
// The person whose name equals `name`, tried in the order 0, 1027, 1, 1026,
// ..., 513, 514; -1 when none.
int findSpeaker(const core::game::GameData *data, const QString &name);

// A dialogue text (CR LF line breaks, mark-up kept) cut into pages: text
// before the first "&" line is narration; each "&name" line starts a page of
// that speaker (narration when the name is no person's). Two speaker lines in
// a row give the first an empty page.
void cutDialoguePages(DialoguePages &pages, const QString &text, const core::game::GameData *data);

// One page of one speaker: every line ends with CR LF; a speaker number from
// 1028 on (variables, none) shows person 0.
void fillTalkPage(DialoguePages &pages, const QString &text, int speaker, const core::game::GameData *data);

} // namespace commands
