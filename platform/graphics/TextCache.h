#pragma once
// Text shaping is the dear part of painting a window: every caption is
// measured and laid out again on each repaint.  These caches keep the
// width and the laid-out glyphs of recently drawn strings per font, so a
// repaint of unchanged text costs a lookup.  Private to the drawing layer.
#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QString>

class QFontMetrics;

// Metrics.horizontalAdvance(Text) for Metrics made from Font, remembered.
int CachedTextWidth(const QFont& Font, const QFontMetrics& Metrics, const QString& Text);

// Text laid out once in Font as glyph runs for QPainter::drawGlyphRun,
// positioned with the baseline at the font's ascent; null for fonts whose
// decorations glyph runs do not draw (underline, strike-out), which must
// go through QPainter::drawText.  Drawing glyph runs also spares the
// painter resolving its font for every piece of text.
const QList<QGlyphRun>* CachedGlyphRuns(const QFont& Font, const QString& Text);
