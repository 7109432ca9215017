#include "platform/graphics/TextCache.h"

#include <QCache>
#include <QFontMetrics>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace {

struct TTextKey {
    QFont Font;
    QString Text;
    bool operator==(const TTextKey& Other) const { return Text == Other.Text && Font == Other.Font; }
};

size_t qHash(const TTextKey& Key, size_t Seed = 0)
{
    return qHashMulti(Seed, Key.Font, Key.Text);
}

// Enough for every caption of a few large windows; the cost per entry is
// the string and its glyph layout.
constexpr int CacheEntries = 2048;

} // namespace

int CachedTextWidth(const QFont& Font, const QFontMetrics& Metrics, const QString& Text)
{
    // Painting happens on the GUI thread only; the cache is per thread so
    // a worker measuring text (tests do) never races it.
    thread_local QCache<TTextKey, int> Widths(CacheEntries);
    const TTextKey Key{Font, Text};
    if (const int* Width = Widths.object(Key))
        return *Width;
    const int Width = Metrics.horizontalAdvance(Text);
    Widths.insert(Key, new int(Width));
    return Width;
}

namespace {

// Above this pixel size Qt's text call draws glyphs as paths, which glyph
// runs do not match pixel for pixel; plain text there has always gone
// through glyph runs, decorated text keeps Qt's text call.
constexpr int LargestDecoratedPixelSize = 64;

// The lines QPainter::drawText adds for the font's decorations: the
// underline just below the baseline but kept within the descent, the
// strike-out a third of the ascent above the baseline.
void PlaceDecorations(const QFont& Font, const QString& Text, TGlyphLayout& Layout)
{
    const QFontMetricsF Metrics(Font);
    const qreal Baseline = QFontMetrics(Font).ascent();
    Layout.LineWidth = Metrics.lineWidth();
    Layout.Width = std::floor(Metrics.horizontalAdvance(Text));
    if (Font.underline())
        Layout.UnderlineY =
            Baseline + std::min(std::ceil(Metrics.underlinePos()) + 0.5, Metrics.descent() - Metrics.lineWidth() / 2);
    if (Font.strikeOut())
        Layout.StrikeOutY = Baseline - Metrics.ascent() / 3;
}

} // namespace

const TGlyphLayout* CachedGlyphRuns(const QFont& Font, const QString& Text)
{
    const bool Decorated = Font.underline() || Font.strikeOut();
    if (Decorated && (Font.pixelSize() <= 0 || Font.pixelSize() > LargestDecoratedPixelSize))
        return nullptr;
    thread_local QCache<TTextKey, TGlyphLayout> Layouts(CacheEntries);
    const TTextKey Key{Font, Text};
    if (const TGlyphLayout* Cached = Layouts.object(Key))
        return Cached;
    QFont Plain = Font;
    Plain.setUnderline(false);
    Plain.setStrikeOut(false);
    QTextLayout Layout(Text, Plain);
    QTextOption Option;
    Option.setWrapMode(QTextOption::NoWrap);
    Layout.setTextOption(Option);
    Layout.beginLayout();
    QTextLine Line = Layout.createLine();
    Layout.endLayout();
    if (!Line.isValid())
        return nullptr;
    auto* Result = new TGlyphLayout;
    Result->Runs = Layout.glyphRuns();
    if (Decorated)
        PlaceDecorations(Font, Text, *Result);
    Layouts.insert(Key, Result);
    return Layouts.object(Key);
}
