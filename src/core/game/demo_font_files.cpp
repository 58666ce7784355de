#include "core/game/demo_font_files.h"

#include "platform/cp949.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace core::game {

namespace {

constexpr int kHalfGlyphs = 256;
constexpr int kFullRows = 37;
constexpr int kFullColumns = 94;

// 3 x 5 hex digits for the stand-in glyphs, one row per 3-bit value.
constexpr quint8 kHexDigits[16][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2},
    {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}, {2, 5, 7, 5, 5}, {6, 5, 6, 5, 6},
    {7, 4, 4, 4, 7}, {6, 5, 5, 5, 6}, {7, 4, 6, 4, 7}, {7, 4, 6, 4, 4},
};

// A monochrome cell: true = ink.
struct Cell
{
    int width;
    int height;
    QList<bool> ink;
    Cell(int w, int h) : width(w), height(h), ink(w * h, false) {}
    void set(int x, int y)
    {
        if (x >= 0 && y >= 0 && x < width && y < height)
            ink[y * width + x] = true;
    }
    bool at(int x, int y) const { return ink[y * width + x]; }
    bool blank() const { return !ink.contains(true); }
};

void drawHex(Cell &cell, int x, int y, int digit)
{
    for (int r = 0; r < 5; ++r)
        for (int i = 0; i < 3; ++i)
            if (kHexDigits[digit][r] & (4 >> i))
                cell.set(x + i, y + r);
}

// A frame with the code's hex digits inside.
Cell standIn(int width, int height, unsigned code)
{
    Cell cell(width, height);
    for (int x = 0; x < width; ++x) {
        cell.set(x, 0);
        cell.set(x, height - 2);
    }
    for (int y = 0; y < height - 1; ++y) {
        cell.set(0, y);
        cell.set(width - 1, y);
    }
    if (width >= 16) {
        for (int d = 0; d < 4; ++d)
            drawHex(cell, 2 + (d % 2) * 6, 1 + (d / 2) * 6, int((code >> (12 - 4 * d)) & 15));
    } else {
        drawHex(cell, 2, 2, int((code >> 4) & 15));
        drawHex(cell, 2, 8, int(code & 15));
    }
    return cell;
}

bool canPaintText()
{
    return qobject_cast<QGuiApplication *>(QGuiApplication::instance()) != nullptr;
}

Cell painted(const QString &text, int width, int height, int pixelSize, const QString &family)
{
    Cell cell(width, height);
    if (text.isEmpty() || !text[0].isPrint() || text[0].isSpace() || !canPaintText())
        return cell;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QFont font(family);
        font.setPixelSize(pixelSize);
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter, text);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                cell.set(x, y);
    return cell;
}

QByteArray packRows(const Cell &cell)
{
    QByteArray bytes;
    const int perRow = cell.width / 8;
    for (int y = 0; y < cell.height; ++y)
        for (int b = 0; b < perRow; ++b) {
            quint8 v = 0;
            for (int i = 0; i < 8; ++i)
                if (cell.at(8 * b + i, y))
                    v |= quint8(0x80 >> i);
            bytes.append(char(v));
        }
    return bytes;
}

unsigned fullCode(int row, int column)
{
    const int lead = row < 12 ? 0xA1 + row : 0xA4 + row;
    return unsigned(lead) * 256u + unsigned(0xA1 + column);
}

} // namespace

QByteArray demoHalfFont()
{
    QByteArray font;
    for (int g = 0; g < kHalfGlyphs; ++g) {
        const unsigned code = unsigned(g) + 32u;
        Cell cell(8, 16);
        if (code == 32) {
            // space: no ink
        } else if (code < 127) {
            cell = painted(QString(QChar(char16_t(code))), 8, 16, 13,
                           QStringLiteral("DejaVu Sans Mono"));
            if (cell.blank())
                cell = standIn(8, 16, code);
        } else {
            cell = standIn(8, 16, g == 0 ? 0 : code);
        }
        if (g == 0)
            cell = Cell(8, 16); // glyph 0 (line ends, unknown codes) stays blank
        font.append(packRows(cell));
    }
    return font;
}

QByteArray demoFullFont()
{
    QByteArray font(2, '\0');
    for (int row = 0; row < kFullRows; ++row) {
        for (int column = 0; column < kFullColumns; ++column) {
            const unsigned code = fullCode(row, column);
            QByteArray bytes;
            bytes.append(char(code >> 8));
            bytes.append(char(code & 0xFF));
            const QString text = platform::Cp949::decode(bytes);
            Cell cell(16, 14);
            if (platform::Cp949::isValid(bytes) && text != QStringLiteral("\u3000")) {
                cell = painted(text, 16, 14, 13, QStringLiteral("NanumGothicCoding"));
                if (cell.blank())
                    cell = standIn(16, 14, code);
            }
            font.append(packRows(cell));
            font.append(2, '\0');
        }
    }
    return font;
}

QList<QPair<QString, QByteArray>> demoFontFiles()
{
    return {{QStringLiteral("ANKFONT.DAT"), demoHalfFont()},
            {QStringLiteral("ALL_FONT.16P"), demoFullFont()}};
}

} // namespace core::game
