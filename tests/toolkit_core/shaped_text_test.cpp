// Text shaped once and drawn from the kept glyphs looks and measures exactly
// as Qt draws and measures it each time.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "shaped_text.h"

namespace {

QImage Drawn(const QFont& font, const QString& text, bool shaped) {
    QImage image(220, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    if (shaped)
        tk::DrawShapedText(p, QPoint(3, 20), text);
    else
        p.drawText(QPoint(3, 20), text);
    return image;
}

TEST(ShapedText, DrawsAndMeasuresAsQtDoes) {
    QFont font;
    font.setPointSize(9);
    const QFontMetrics metrics(font);
    const QString caption = QStringLiteral("Test Panel 1 voVert 50% with a long caption");
    const QString elided = tk::ElidedText(font, caption, 90);
    EXPECT_EQ(elided, metrics.elidedText(caption, Qt::ElideRight, 90));
    for (const QString& text : {QStringLiteral("Height = 272"), elided, QStringLiteral("tab\tand more"),
                                QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d left"), QString()}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(tk::TextWidthIn(font, text), metrics.horizontalAdvance(text));
        EXPECT_EQ(Drawn(font, text, true), Drawn(font, text, false));
        // Kept: asked again, the same.
        EXPECT_EQ(Drawn(font, text, true), Drawn(font, text, false));
    }
}

} // namespace
