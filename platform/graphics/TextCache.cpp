#include "platform/graphics/TextCache.h"

#include <QCache>
#include <QFontMetrics>
#include <QTextLayout>
#include <QTextOption>

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

const QList<QGlyphRun>* CachedGlyphRuns(const QFont& Font, const QString& Text)
{
    if (Font.underline() || Font.strikeOut())
        return nullptr;
    thread_local QCache<TTextKey, QList<QGlyphRun>> Layouts(CacheEntries);
    const TTextKey Key{Font, Text};
    if (const QList<QGlyphRun>* Runs = Layouts.object(Key))
        return Runs;
    QTextLayout Layout(Text, Font);
    QTextOption Option;
    Option.setWrapMode(QTextOption::NoWrap);
    Layout.setTextOption(Option);
    Layout.beginLayout();
    QTextLine Line = Layout.createLine();
    Layout.endLayout();
    if (!Line.isValid())
        return nullptr;
    auto* Runs = new QList<QGlyphRun>(Layout.glyphRuns());
    Layouts.insert(Key, Runs);
    return Layouts.object(Key);
}
