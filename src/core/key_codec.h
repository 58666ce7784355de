#pragma once
// The command key and the small codec through which every part of the editor
// reads and writes a command's fields.
//
// A key is the command's record as upper-case hex text (two digits a byte,
// numbers little-endian), "_", and a suffix that only keeps the key unique.
// Positions inside a key are 1-based character positions: byte i of the record
// occupies characters 2i+1 and 2i+2.
#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace core {

// Value of one hex digit (either case), or -1 for any other character.
constexpr int hexDigitValue(char16_t u)
{
    return (u >= '0' && u <= '9') ? u - '0'
         : (u >= 'A' && u <= 'F') ? u - 'A' + 10
         : (u >= 'a' && u <= 'f') ? u - 'a' + 10
         : -1;
}
inline int hexDigitValue(QChar c) { return hexDigitValue(c.unicode()); }

// The record part: everything before the first "_" (the whole key if none).
QStringView recordPart(const QString &key);
// The suffix including its leading "_" (empty when the key has none).
QStringView keySuffix(const QString &key);
// The record's bytes; odd trailing digits and non-hex characters give nullopt.
std::optional<QByteArray> recordBytes(const QString &key);
// The record's byte length (record part length / 2).
int recordLength(const QString &key);
// Bytes -> upper-case hex without separators.
QString bytesToHex(const QByteArray &bytes);
// The command code (first two bytes, little-endian), or -1 when the key has
// fewer than four hex digits before the "_".
int keyCode(const QString &key);

// n bytes (1..4) of hex text from the 1-based position, little-endian, as a
// signed 32-bit value (FFFFFFFF reads -1). Digits past the end of the text
// are read as missing; fails (nullopt) when no digit is left at all or a
// character is not a hex digit.
std::optional<std::int32_t> hexToLong(QStringView hex, int pos, int n);
// A field of a command key, read as HexToLong reads it. Keys hold hex digits
// only; a field that runs past the end of a record cut short by a damaged
// file reads the digits that are there, and one with none reads 0, so such a
// record still shows and saves as it was read.
std::int32_t keyField(QStringView key, int pos, int n);

// The low n bytes (1, 2 or 4) of the value as 2n upper-case hex digits; with
// swap little-endian, else big-endian. Higher bytes are cut: (0x12C,1) = "2C",
// (-1,2) = "FFFF".
QString longToHex(std::int64_t value, int n, bool swap = true);

// Writes the bytes of the hex text (blanks ignored, an odd last digit dropped)
// into the buffer at the 0-based offset, extending it when needed. False (and
// nothing written) when the text holds a character that is not a hex digit or
// no digit pair at all.
bool writeHexAt(QStringView hex, int offset, QByteArray &buffer);

// Hex of the text's CP949 bytes, no terminator. A line feed gives "0A"; a
// character CP949 cannot hold gives "3F".
QString wAscii(const QString &text);

// first + 256 * second (0..65535).
int integerLong(std::uint8_t first, std::uint8_t second);

// Replaces the 8 (longValue) or 4 characters of the key at the 1-based
// position with the value of the box text, read as a decimal number. False,
// and the key as it was, when the text is not a whole number, does not fit
// the field (-2,147,483,648..4,294,967,295 for 4 bytes, -32,768..65,535 for 2)
// or the field does not lie wholly inside the record part.
bool keyValueApply(const QString &boxText, QString &key, int pos, bool longValue);
// Same, with a number (the low n bytes, 1..4). A field that does not lie
// wholly inside the record part leaves the key as it was.
void keyWriteField(QString &key, int pos, int n, std::int64_t value);
// Checked writer for core code that must not wrap: false (key unchanged) when
// the value does not fit n bytes unsigned, or the field lies outside the
// record part.
bool keyWriteFieldChecked(QString &key, int pos, int n, std::int64_t value);
// Text of a 4-byte (longValue) or 2-byte field: decimal, or upper-case hex
// without leading zeros when longValue and hex are both set.
QString keyValueShow(const QString &key, int pos, bool longValue, bool hex = false);

// A text item inside a key: the CP949 bytes from the 1-based character
// position up to (not including) the first 00 byte.
struct KeyText {
    QByteArray bytes;      // stored bytes, no terminator
    int endPos = 0;        // 1-based position just after the 00 terminator
    bool terminated = false;
};
KeyText keyTextAt(const QString &key, int pos);
// Decoded text (line feeds kept as '\n'; invalid bytes as U+FFFD).
QString keyTextString(const QString &key, int pos);
// Replaces the text item at pos (through its terminator) with the new text
// plus 00. Returns the change in the record's byte length (new - old).
int keyReplaceText(QString &key, int pos, const QString &text);
// Same with raw bytes (used where the user did not edit the text, so stored
// bytes that are not valid CP949 survive).
int keyReplaceTextBytes(QString &key, int pos, const QByteArray &bytes);

} // namespace core
