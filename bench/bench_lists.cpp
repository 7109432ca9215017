// The framed list box and combo box against Qt Widgets, in one run:
//
//   fill         100,000 items into a framed list box (inside BeginUpdate and
//                EndUpdate), against QListWidget::addItems
//   first paint  the first paint of a freshly filled list into its window's
//                image, against the first render of a freshly filled
//                QListWidget into an image
//   search       the characters of a prefix that only an item near the end
//                begins with, typed into the list one by one (incremental
//                search), against one QListWidget::keyboardSearch per
//                character (which goes on with the characters before it)
//
// The QListWidget has uniform item sizes: our list box's items all have
// one height, and without it Qt lays out every item on the first paint.
//   scroll end   End and Home in turn, each with the paint that follows,
//                against the current row moved to the last and first item
//                with a render
//   complete key one character typed into a combo box of 10,000 items,
//                completed from the first item it begins (per key), against
//                an editable QComboBox with its inline completer
//
// After the Google Benchmark output a summary prints each figure as
// ours / Qt (target: at most 1; a completed key under 1 ms).
#include "bench/BenchArgs.h"
#include "controls/lists/FcComboBox.h"
#include "controls/lists/FcListBox.h"
#include "platform/forms/Application.h"
#include "platform/stdctrls/ListMessages.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include <cstdio>
#include <memory>

namespace {

constexpr int GItems = 100000, GComboItems = 10000, GWidth = 300, GHeight = 400;

const char* const Surnames[] = {"Jansen",   "de Vries",  "van den Berg",   "Bakker",       "Visser",  "Smit",
                                "Meijer",   "de Boer",   "Mulder",         "de Groot",     "Bos",     "Vos",
                                "Peters",   "Hendriks",  "Dekker",         "van Leeuwen",  "Brouwer", "de Wit",
                                "Dijkstra", "Smits",     "de Graaf",       "van der Meer", "Kok",     "Jacobs",
                                "de Haan",  "Vermeulen", "van den Heuvel", "Wouters",      "Willems"};
const char* const Firsts[] = {"Anna", "Bram",  "Chris", "Daan", "Emma", "Fleur", "Gijs",  "Hanna", "Ivo",   "Julia",
                              "Kees", "Lotte", "Milan", "Noor", "Olaf", "Pien",  "Ruben", "Sanne", "Thijs", "Vera"};

// Names as a contact list holds them, each one different.
QStringList Names(int Count)
{
    QStringList Result;
    Result.reserve(Count);
    constexpr int S = int(std::size(Surnames)), F = int(std::size(Firsts));
    for (int I = 0; I < Count; ++I)
        Result << QStringLiteral("%1, %2 %3")
                      .arg(QString::fromLatin1(Surnames[I % S]), QString::fromLatin1(Firsts[(I / S) % F]))
                      .arg(I, 6, 10, QLatin1Char('0'));
    return Result;
}

const QStringList& ListNames()
{
    static const QStringList N = Names(GItems);
    return N;
}

const QStringList& ComboNames()
{
    static const QStringList N = Names(GComboItems);
    return N;
}

// What is typed: the beginning of an item near the end that no earlier
// item shares.
QString LatePrefix(const QStringList& Items)
{
    return Items.at(Items.size() - 10).chopped(1);
}

// The first paint of a list just filled (TList: TOurList or TQtList).
template <typename TList>
void FirstPaint(benchmark::State& State)
{
    for (auto _ : State) {
        State.PauseTiming();
        auto L = std::make_unique<TList>();
        L->Fill();
        State.ResumeTiming();
        L->Paint();
        State.PauseTiming();
        L.reset();
        State.ResumeTiming();
    }
}

// --- ours ----------------------------------------------------------------------------------

struct TOurList {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    TFcListBox* List = new TFcListBox(Form);
    TOurList()
    {
        Form->SetBounds(0, 0, GWidth + 40, GHeight + 40);
        List->SetBoundsRect(Bounds(10, 10, GWidth, GHeight));
        List->SetParent(Form);
        Form->Show();
        UpdateWindow(Form->Handle());
    }
    ~TOurList() { Form->Free(); }
    void Fill()
    {
        TStrings* Items = List->Items();
        Items->BeginUpdate();
        for (const QString& S : ListNames())
            Items->Add(S);
        Items->EndUpdate();
    }
    void Paint() { UpdateWindow(List->Handle()); }
};

void OursFill(benchmark::State& State)
{
    TOurList L;
    for (auto _ : State) {
        State.PauseTiming();
        L.List->Items()->Clear();
        State.ResumeTiming();
        L.Fill();
    }
}

void OursSearch(benchmark::State& State)
{
    TOurList L;
    L.Fill();
    L.List->SetFocus();
    const QString Prefix = LatePrefix(ListNames());
    for (auto _ : State) {
        for (QChar C : Prefix)
            L.List->Perform(WM_CHAR, C.unicode(), 0);
        State.PauseTiming();
        if (L.List->ItemIndex() != GItems - 10) {
            State.SkipWithError("the search found another item");
            break;
        }
        L.List->SearchTimer()->OnTimer()(L.List->SearchTimer());
        State.ResumeTiming();
    }
}

void OursScrollEnd(benchmark::State& State)
{
    TOurList L;
    L.Fill();
    L.List->SetFocus();
    L.Paint();
    bool End = false;
    for (auto _ : State) {
        End = !End;
        L.List->Perform(WM_KEYDOWN, End ? VK_END : VK_HOME, 0);
        L.Paint();
    }
}

void OursCompleteKey(benchmark::State& State)
{
    TForm* Form = CreateNewForm<TForm>(nullptr);
    Form->SetBounds(0, 0, 300, 100);
    auto* Combo = new TFcComboBox(Form);
    Combo->SetBoundsRect(Bounds(10, 10, 200, 21));
    Combo->SetParent(Form);
    Form->Show();
    Combo->Items()->BeginUpdate();
    for (const QString& S : ComboNames())
        Combo->Items()->Add(S);
    Combo->Items()->EndUpdate();
    Combo->SetFocus();
    const QString Prefix = LatePrefix(ComboNames());
    const HWND Edit = Combo->EditHandle();
    for (auto _ : State) {
        for (QChar C : Prefix)
            SendMessage(Edit, WM_CHAR, C.unicode(), 0);
        State.PauseTiming();
        if (Combo->ItemIndex() != GComboItems - 10) {
            State.SkipWithError("the completion chose another item");
            break;
        }
        Combo->ForceText(String());
        Combo->SetItemIndex(-1);
        Combo->SearchTimer()->OnTimer()(Combo->SearchTimer());
        State.ResumeTiming();
    }
    State.counters["keys"] = double(Prefix.size());
    Form->Free();
}

// --- Qt ------------------------------------------------------------------------------------------

struct TQtList {
    std::unique_ptr<QListWidget> List = std::make_unique<QListWidget>();
    QImage Image{GWidth, GHeight, QImage::Format_RGB32};
    TQtList()
    {
        List->setUniformItemSizes(true);
        List->resize(GWidth, GHeight);
        List->show();
    }
    void Fill() { List->addItems(ListNames()); }
    void Paint()
    {
        List->render(&Image);
        benchmark::DoNotOptimize(Image.constBits());
    }
};

void QtFill(benchmark::State& State)
{
    TQtList L;
    for (auto _ : State) {
        State.PauseTiming();
        L.List->clear();
        State.ResumeTiming();
        L.Fill();
    }
}

void QtSearch(benchmark::State& State)
{
    TQtList L;
    L.Fill();
    L.List->setFocus();
    const QString Prefix = LatePrefix(ListNames());
    for (auto _ : State) {
        // Each typed character goes on with the ones before it, as a user's
        // typing does within the keyboard interval.
        for (QChar C : Prefix)
            L.List->keyboardSearch(QString(C));
        State.PauseTiming();
        if (L.List->currentRow() != GItems - 10) {
            std::printf("Qt's search found row %d\n", L.List->currentRow());
            State.SkipWithError("the search found another item");
            break;
        }
        L.List->keyboardSearch(QString());
        L.List->setCurrentRow(0);
        State.ResumeTiming();
    }
}

void QtScrollEnd(benchmark::State& State)
{
    TQtList L;
    L.Fill();
    L.Paint();
    bool End = false;
    for (auto _ : State) {
        End = !End;
        L.List->setCurrentRow(End ? GItems - 1 : 0);
        L.Paint();
    }
}

void QtCompleteKey(benchmark::State& State)
{
    QComboBox Combo;
    Combo.setEditable(true);
    Combo.addItems(ComboNames());
    Combo.completer()->setCompletionMode(QCompleter::InlineCompletion);
    Combo.completer()->setCaseSensitivity(Qt::CaseInsensitive);
    Combo.show();
    Combo.setCurrentIndex(-1);
    QLineEdit* Edit = Combo.lineEdit();
    Edit->clear();
    const QString Prefix = LatePrefix(ComboNames());
    for (auto _ : State) {
        for (QChar C : Prefix) {
            QKeyEvent Press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(C));
            QCoreApplication::sendEvent(Edit, &Press);
        }
        State.PauseTiming();
        if (!Edit->text().startsWith(Prefix, Qt::CaseInsensitive)) {
            std::printf("Qt's text: %s\n", qPrintable(Edit->text()));
            State.SkipWithError("the text is not the prefix");
            break;
        }
        Edit->clear();
        State.ResumeTiming();
    }
}

BENCHMARK(OursFill)->Name("fill/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtFill)->Name("fill/qt")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(FirstPaint, TOurList)->Name("first paint/ours")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_TEMPLATE(FirstPaint, TQtList)->Name("first paint/qt")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(OursSearch)->Name("search/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtSearch)->Name("search/qt")->Unit(benchmark::kMillisecond);
BENCHMARK(OursScrollEnd)->Name("scroll end/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtScrollEnd)->Name("scroll end/qt")->Unit(benchmark::kMillisecond);
BENCHMARK(OursCompleteKey)->Name("complete key/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtCompleteKey)->Name("complete key/qt")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    if (!InitializeBenchmarks(argc, argv, "0.2"))
        return 1;
    TRatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    const int Keys = int(LatePrefix(ComboNames()).size());
    Reporter.PrintRatios("Summary: ours / Qt Widgets (100,000 list items, 10,000 combo items); target ratio <= 1, "
                         "a completed key < 1 ms",
                         {{"complete key", Keys}});
    return 0;
}
