// A changed text keeps every stored byte outside the user's edit: bytes that
// are no CP949 character, carriage returns (lone or before a line feed) and
// the characters around them, wherever the edit is made.
#include "core/kept_text.h"
#include "fixtures/hex_bytes.h"
#include "platform/cp949.h"

#include <gtest/gtest.h>

using core::KeptText;
using fixtures::hexBytes;
using fixtures::toHex;

namespace {

// Texts as real files hold them: bytes that start no character (before a
// line feed, a blank, a letter and at the very end), a bad lead byte before
// ASCII, a lone carriage return, CR LF, Hangul and a literal backslash-n.
const char *const kStored[] = {
    "41 A1 0A 42 C9 20 43 B0",
    "93BA E8 74 6D6E 94",
    "61 0D 62 0D0A 63 0D",
    "0D 0D0A B0A1 FE41 5C6E 0D",
    "",
};

} // namespace

TEST(KeptText, ShowsOneCharacterForEachByteItCannotReadAndNoCarriageReturn)
{
    EXPECT_EQ(KeptText(hexBytes("41 A1 0A 42 C9 20 43 B0")).shown(), QStringLiteral("A\uFFFD\nB\uFFFD C\uFFFD"));
    EXPECT_EQ(KeptText(hexBytes("93BA E8 74")).shown(), QString(QChar(0xBC9F)) + QStringLiteral("\uFFFDt"));
    EXPECT_EQ(KeptText(hexBytes("61 0D 62 0D0A 63 0D")).shown(), QStringLiteral("ab\nc"));
    EXPECT_EQ(KeptText().shown(), QString());
}

TEST(KeptText, UntouchedGivesTheStoredBytes)
{
    for (const char *hex : kStored) {
        const KeptText kept(hexBytes(hex));
        EXPECT_EQ(toHex(kept.bytesFor(kept.shown(), kept.shown())), toHex(hexBytes(hex))) << hex;
    }
}

TEST(KeptText, ACharacterTypedAnywhereLeavesEveryStoredByte)
{
    for (const char *hex : kStored) {
        const QByteArray stored = hexBytes(hex);
        const KeptText kept(stored);
        const QString shown = kept.shown();
        // Where the bytes of each shown character begin, its carriage
        // returns first: a carriage return goes with what follows it.
        QList<qsizetype> starts;
        const QString decoded = platform::Cp949::decode(stored, &starts);
        QList<qsizetype> groups;
        qsizetype group = 0;
        for (qsizetype i = 0; i < decoded.size(); ++i) {
            if (decoded[i] == u'\r')
                continue;
            groups.append(group);
            group = starts[i + 1];
        }
        groups.append(group);
        ASSERT_EQ(groups.size(), shown.size() + 1) << hex;
        for (qsizetype at = 0; at <= shown.size(); ++at) {
            for (const QString typed : {QStringLiteral("Z"), QStringLiteral("가"), QStringLiteral("\n")}) {
                const QByteArray saved = kept.bytesFor(shown, QString(shown).insert(at, typed));
                const QByteArray typedBytes = platform::Cp949::encode(typed);
                // Typed beside the same character, it may count as typed on
                // either side of it; elsewhere it lands just where it was.
                const bool beside = (at > 0 && shown[at - 1] == typed[0]) || (at < shown.size() && shown[at] == typed[0]);
                bool found = false;
                for (qsizetype k = 0; k <= stored.size() && !found; ++k)
                    found = (beside || k == groups[at]) && saved == stored.left(k) + typedBytes + stored.mid(k);
                EXPECT_TRUE(found) << hex << " at " << at << ": " << toHex(saved).toStdString();
            }
        }
    }
}

TEST(KeptText, ADeletedCharacterTakesItsBytesAndItsCarriageReturnsAlone)
{
    struct Case
    {
        const char *stored;
        qsizetype at;  // shown character deleted
        const char *expected;
    };
    const Case cases[] = {
        {"41 A1 0A 42", 1, "41 0A 42"},        // the unreadable byte
        {"41 A1 0A 42", 2, "41 A1 42"},        // the line break after it
        {"61 0D0A 62", 1, "61 62"},            // a line break goes with its CR
        {"61 0D 62 63", 1, "61 63"},           // a lone CR goes with what follows it
        {"61 0D 62 63", 0, "0D 62 63"},
        {"93BA E8 74", 2, "93BA E8"},          // the letter after a bad lead byte
        {"93BA E8 74", 0, "E8 74"},
    };
    for (const Case &c : cases) {
        const KeptText kept(hexBytes(c.stored));
        const QString edited = QString(kept.shown()).remove(c.at, 1);
        EXPECT_EQ(toHex(kept.bytesFor(kept.shown(), edited)), toHex(hexBytes(c.expected)))
            << c.stored << " without " << c.at;
    }
}

TEST(KeptText, KeepsTheStoredTextAroundAnEdit)
{
    // Texts of one byte a character: stored, shown when loaded, edited, saved.
    struct Case
    {
        const char *stored, *loaded, *edited, *expected;
    };
    const Case cases[] = {
        {"a\r\nb", "a\nb", "a\nb", "a\r\nb"},     // untouched
        {"a\r\nb", "a\nb", "ax\nb", "ax\r\nb"},   // a CR goes with what follows it
        {"a\r\nb", "a\nb", "ab", "ab"},           // the line break goes with its CR
        {"a\rb", "ab", "Zab", "Za\rb"},
        {"a\r", "a", "ab", "ab\r"},
        {"[C00x]\r\n", "[C00x]\n", "Z[C00x]\n", "Z[C00x]\r\n"},
        {"abc", "xyz", "xyzq", "xyzq"},           // not the stored text: as edited
        {"abc", "xyz", "xyz", "abc"},             // ... but untouched, as stored
    };
    for (const Case &c : cases) {
        const KeptText kept(QByteArray(c.stored));
        EXPECT_EQ(kept.bytesFor(QString::fromLatin1(c.loaded), QString::fromLatin1(c.edited)), QByteArray(c.expected))
            << c.stored << " -> " << c.edited;
    }
}

TEST(KeptText, ReplacedTextIsEncodedAndWhatCannotBeStoredBecomesAQuestionMark)
{
    const KeptText kept(hexBytes("41 E8 42 43"));
    const QString shown = kept.shown();
    // The unreadable byte covered by the edit: the new text replaces it.
    EXPECT_EQ(toHex(kept.bytesFor(shown, QStringLiteral("A가C"))), toHex(hexBytes("41 B0A1 43")));
    // A typed character CP949 has no code for.
    EXPECT_EQ(toHex(kept.bytesFor(shown, shown + QStringLiteral("ก"))), toHex(hexBytes("41 E8 42 43 3F")));
    EXPECT_EQ(kept.loss(shown, shown), (core::TextLoss{false, true}));
    EXPECT_EQ(kept.loss(shown, shown + QStringLiteral("ก")), (core::TextLoss{true, true}));
    EXPECT_EQ(kept.loss(shown, QStringLiteral("A가C")), (core::TextLoss{false, false}));
    EXPECT_EQ(kept.loss(shown, QStringLiteral("ก")), (core::TextLoss{true, false}));
    EXPECT_EQ(KeptText(hexBytes("41")).loss(QStringLiteral("A"), QStringLiteral("A")), (core::TextLoss{}));
}
