#pragma once
// The fixed pictures of the text previews, drawn in code: the parchment
// panel of narration and text pages, and the pieces of the speech bubble.
#include <QImage>

class QPainter;

namespace commands {

// The parchment panel (356 x 147) and the surface inside it at (24, 21).
QImage parchmentPanel();
QImage parchmentSurface();   // 305 x 106, the panel's texture at that place
// The bubble's pointer: a white triangle pointing left, in a w x h box.
void paintBubblePointer(QPainter &p, int x, int y, int w, int h);
// The bubble's rounded end, white on black; `right` mirrors it.
void paintBubbleEnd(QPainter &p, int x, int y, int w, int h, bool right);

} // namespace commands
