// The drawing kit against QPainter, in one run, on a 1000 x 700 image:
//
//   gradient/<direction>   FillGradientRect over the whole image, against
//                          QPainter filling the same rectangle with a
//                          QLinearGradient (ends, centres and diagonals;
//                          centres with the stop colour at 0.5) or a
//                          QRadialGradient from the centre (the box kinds)
//   masked/copy            CopyMaskedBitmap of a 256 x 256 glyph whose
//                          background is the transparent colour, against
//                          QPainter drawing a QPixmap with a mask
//   masked/stretch         StretchMaskedBitmap of the same glyph, 1:1
//
// After the Google Benchmark output a summary prints each figure as
// ours / Qt; the target is a ratio of at most 1 everywhere.
#include "bench/BenchArgs.h"
#include "controls/foundation/FcGrafx.h"

#include <benchmark/benchmark.h>

#include <QBitmap>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int GWidth = 1000, GHeight = 700, GGlyph = 256;
constexpr TColor GStart = TColor(0x00C86432), GStop = TColor(0x003264C8);
constexpr TColor GTransparent = clFuchsia;

const char* const GDirectionNames[] = {"DiagonalUp", "DiagonalDown", "HorizontalEnd", "HorizontalCenter",
                                       "HorizontalBox", "VerticalEnd", "VerticalCenter", "VerticalBox",
                                       "SquareBox", "BigSquareBox"};

QColor QtColor(TColor C)
{
    return QColor::fromRgb(ColorToQRgb(C));
}

// The Qt brush that paints what the direction paints.
QBrush QtGradient(TGradientDirection D)
{
    const QColor Start = QtColor(GStart), Stop = QtColor(GStop);
    const QPointF Centre(GWidth / 2.0, GHeight / 2.0);
    switch (D) {
    case gdDiagonalUp: {
        QLinearGradient G(0, GHeight, GWidth, 0);
        G.setColorAt(0, Start);
        G.setColorAt(1, Stop);
        return G;
    }
    case gdDiagonalDown: {
        QLinearGradient G(0, 0, GWidth, GHeight);
        G.setColorAt(0, Start);
        G.setColorAt(1, Stop);
        return G;
    }
    case gdHorizontalEnd:
    case gdVerticalEnd: {
        QLinearGradient G(0, 0, D == gdVerticalEnd ? GWidth : 0, D == gdHorizontalEnd ? GHeight : 0);
        G.setColorAt(0, Start);
        G.setColorAt(1, Stop);
        return G;
    }
    case gdHorizontalCenter:
    case gdVerticalCenter: {
        QLinearGradient G(0, 0, D == gdVerticalCenter ? GWidth : 0, D == gdHorizontalCenter ? GHeight : 0);
        G.setColorAt(0, Start);
        G.setColorAt(0.5, Stop);
        G.setColorAt(1, Start);
        return G;
    }
    default: {
        QRadialGradient G(Centre, GWidth / 2.0);
        G.setColorAt(0, Stop);
        G.setColorAt(1, Start);
        return G;
    }
    }
}

void OursGradient(benchmark::State& State, TGradientDirection D)
{
    TBitmap Target;
    Target.SetSize(GWidth, GHeight);
    TCanvas* Canvas = Target.Canvas();
    for (auto _ : State) {
        FillGradientRect(Canvas, Rect(0, 0, GWidth, GHeight), D, GStart, GStop, 1);
        benchmark::DoNotOptimize(Target.Image().constBits());
    }
}

void QtGradientFill(benchmark::State& State, TGradientDirection D)
{
    QImage Target(GWidth, GHeight, QImage::Format_RGB32);
    Target.fill(Qt::white);
    const QBrush Brush = QtGradient(D);
    for (auto _ : State) {
        QPainter P(&Target);
        P.fillRect(QRect(0, 0, GWidth, GHeight), Brush);
        P.end();
        benchmark::DoNotOptimize(Target.constBits());
    }
}

// A glyph: a filled ring and a bar on the transparent colour.
QImage GlyphImage()
{
    QImage Img(GGlyph, GGlyph, QImage::Format_RGB32);
    Img.fill(QtColor(GTransparent));
    QPainter P(&Img);
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0, 96, 160));
    P.drawEllipse(QRect(16, 16, GGlyph - 32, GGlyph - 32));
    P.setBrush(QtColor(GTransparent));
    P.drawEllipse(QRect(64, 64, GGlyph - 128, GGlyph - 128));
    P.setBrush(QColor(220, 180, 0));
    P.drawRect(QRect(GGlyph / 2 - 12, 8, 24, GGlyph - 16));
    return Img;
}

void OursMasked(benchmark::State& State, bool Stretch)
{
    TBitmap Glyph;
    Glyph.SetImage(GlyphImage());
    TBitmap Target;
    Target.SetSize(GWidth, GHeight);
    const TRect Dest = Bounds(100, 100, GGlyph, GGlyph), Source = Rect(0, 0, GGlyph, GGlyph);
    for (auto _ : State) {
        if (Stretch)
            StretchMaskedBitmap(Target.Canvas(), &Glyph, Dest, Source, GTransparent);
        else
            CopyMaskedBitmap(Target.Canvas(), &Glyph, Dest, Source, GTransparent);
        benchmark::DoNotOptimize(Target.Image().constBits());
    }
}

void QtMasked(benchmark::State& State)
{
    const QImage Img = GlyphImage();
    QPixmap Glyph = QPixmap::fromImage(Img);
    Glyph.setMask(QBitmap::fromImage(Img.createMaskFromColor(ColorToQRgb(GTransparent), Qt::MaskInColor)));
    QImage Target(GWidth, GHeight, QImage::Format_RGB32);
    Target.fill(Qt::white);
    for (auto _ : State) {
        QPainter P(&Target);
        P.drawPixmap(100, 100, Glyph);
        P.end();
        benchmark::DoNotOptimize(Target.constBits());
    }
}

// --- summary -------------------------------------------------------------------

void PrintSummary(TRatioReporter& Reporter)
{
    char Title[160];
    std::snprintf(Title, sizeof Title,
                  "Summary: ours / Qt per fill or blit (%d x %d image, %d x %d glyph); target ratio <= 1", GWidth,
                  GHeight, GGlyph, GGlyph);
    Reporter.PrintRatios(Title);
}

void RegisterAll()
{
    for (int D = gdDiagonalUp; D <= gdBigSquareBox; ++D) {
        const std::string Base = std::string("gradient/") + GDirectionNames[D];
        const auto Dir = TGradientDirection(D);
        benchmark::RegisterBenchmark((Base + "/ours").c_str(), [Dir](benchmark::State& S) { OursGradient(S, Dir); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((Base + "/qt").c_str(), [Dir](benchmark::State& S) { QtGradientFill(S, Dir); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("masked/copy/ours", [](benchmark::State& S) { OursMasked(S, false); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("masked/copy/qt", QtMasked)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("masked/stretch/ours", [](benchmark::State& S) { OursMasked(S, true); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("masked/stretch/qt", QtMasked)->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);

    if (!InitializeBenchmarks(argc, argv, "0.2"))
        return 1;
    RegisterAll();
    TRatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    PrintSummary(Reporter);
    benchmark::Shutdown();
    return 0;
}
