#include "shaped_text.h"

#include <QFontMetrics>
#include <QHashFunctions>
#include <QPainter>
#include <QTextLayout>
#include <unordered_map>

namespace tk {

namespace {

struct Key {
    QFont Font;
    QString Text;
    bool operator==(const Key& other) const { return Text == other.Text && Font == other.Font; }
};

struct KeyHash {
    std::size_t operator()(const Key& key) const { return qHash(key.Text, qHash(key.Font)); }
};

// Bounded: an application that shows ever new strings does not grow it for ever.
constexpr std::size_t kMaxKept = 1024;

// Left-to-right text of one line without tabs, in a font without lines
// through or under it: a layout shapes and places it as drawText does.
bool PlainLine(const QFont& font, const QString& text) {
    if (font.underline() || font.strikeOut() || font.overline())
        return false;
    for (const QChar c : text)
        // Below the right-to-left scripts, or the ellipsis that ends elided text.
        if (c.unicode() < 0x20 || (c.unicode() >= 0x0590 && c.unicode() != 0x2026))
            return false;
    return true;
}

ShapedText Shape(const QFont& font, const QString& text) {
    ShapedText shaped;
    shaped.Width = QFontMetrics(font).horizontalAdvance(text);
    if (text.isEmpty() || !PlainLine(font, text))
        return shaped;
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return shaped;
    // The layout puts the baseline at the line's ascent; the runs keep it at 0.
    const qreal ascent = line.ascent();
    for (QGlyphRun run : layout.glyphRuns()) {
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions)
            p.ry() -= ascent;
        run.setPositions(positions);
        shaped.Runs.push_back(run);
    }
    shaped.Drawable = true;
    return shaped;
}

} // namespace

const ShapedText& ShapeText(const QFont& font, const QString& text) {
    static std::unordered_map<Key, ShapedText, KeyHash> kept;
    Key key{font, text};
    if (const auto it = kept.find(key); it != kept.end())
        return it->second;
    if (kept.size() >= kMaxKept)
        kept.clear();
    ShapedText shaped = Shape(font, text);
    return kept.emplace(std::move(key), std::move(shaped)).first->second;
}

QString ElidedText(const QFont& font, const QString& text, int width) {
    struct ElidedKey {
        Key Text;
        int Width;
        bool operator==(const ElidedKey& other) const { return Width == other.Width && Text == other.Text; }
    };
    struct ElidedHash {
        std::size_t operator()(const ElidedKey& key) const { return KeyHash()(key.Text) ^ std::size_t(key.Width); }
    };
    static std::unordered_map<ElidedKey, QString, ElidedHash> kept;
    ElidedKey key{{font, text}, width};
    if (const auto it = kept.find(key); it != kept.end())
        return it->second;
    if (kept.size() >= kMaxKept)
        kept.clear();
    QString elided = QFontMetrics(font).elidedText(text, Qt::ElideRight, width);
    kept.emplace(std::move(key), elided);
    return elided;
}

void DrawShapedText(QPainter& painter, QPoint baseline, const QString& text) {
    const ShapedText& shaped = ShapeText(painter.font(), text);
    if (!shaped.Drawable) {
        painter.drawText(baseline, text);
        return;
    }
    for (const QGlyphRun& run : shaped.Runs)
        painter.drawGlyphRun(baseline, run);
}

} // namespace tk
