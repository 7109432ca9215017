#pragma once
// Text shaping is the dear part of painting a window: every caption is
// measured and laid out again on each repaint.  These caches keep the
// width and the laid-out glyphs of recently drawn strings per font, so a
// repaint of unchanged text costs a lookup.  Private to the drawing layer.
#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QString>
#include <optional>

class QFontMetrics;

// Metrics.horizontalAdvance(Text) for Metrics made from Font, remembered.
int CachedTextWidth(const QFont& Font, const QFontMetrics& Metrics, const QString& Text);

// Text laid out once in Font as glyph runs for QPainter::drawGlyphRun,
// positioned with the baseline at the font's ascent, with the lines of
// the font's decorations (glyph runs do not draw them); null where the
// glyph runs would not give the pixels QPainter::drawText gives (the
// decorations of glyphs too large for Qt's glyph cache), which must go
// through drawText.  Drawing glyph runs also spares the painter resolving
// its font for every piece of text.
struct TGlyphLayout {
    QList<QGlyphRun> Runs;
    // Underline and strike-out as QPainter::drawText places them: lines of
    // LineWidth from x = 0 to Width, UnderlineY and StrikeOutY below the
    // cell's top; unset for a font without them.
    qreal LineWidth = 0;
    qreal Width = 0;
    std::optional<qreal> UnderlineY;
    std::optional<qreal> StrikeOutY;
};
const TGlyphLayout* CachedGlyphRuns(const QFont& Font, const QString& Text);
