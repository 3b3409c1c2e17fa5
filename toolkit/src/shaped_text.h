#pragma once

// Text shaped once per font. Title bars and panels draw the same few strings
// at every paint, and measuring or drawing a string shapes it anew each time.

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPoint>
#include <QString>

class QPainter;

namespace tk {

struct ShapedText {
    // What QFontMetrics::horizontalAdvance answers.
    int Width = 0;
    // The glyphs on a baseline at y = 0; empty when the text is drawn unshaped.
    QList<QGlyphRun> Runs;
    bool Drawable = false;
};

// The text shaped in the font (kept; the store is bounded).
const ShapedText& ShapeText(const QFont& font, const QString& text);
// What QFontMetrics(font).horizontalAdvance(text) answers.
inline int TextWidthIn(const QFont& font, const QString& text) { return ShapeText(font, text).Width; }
// What QFontMetrics(font).elidedText(text, Qt::ElideRight, width) answers (kept).
QString ElidedText(const QFont& font, const QString& text, int width);
// Draws the text as painter.drawText(baseline, text) would, with the painter's font and pen.
void DrawShapedText(QPainter& painter, QPoint baseline, const QString& text);

} // namespace tk
