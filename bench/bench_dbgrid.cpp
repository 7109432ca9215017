// The data grids against Qt's table view, in one run, on the address book's
// person list (the 19 columns of the main window, 100 pixels each) at 1,000
// and 100,000 persons: the platform's TDBGrid plain and the framed
// TFcDBGrid (alternate rows shaded, its own line colours, a quick-compare
// rule on the gender that colours about half the rows), each over a
// TClientDataSet through a data source, against a QTableView over a
// QAbstractTableModel of the same generated persons.
//
//   first_paint   a 1000 x 600 grid made, bound to the table and painted
//                 once (a shown form's image; Qt: a shown view rendered),
//                 then freed
//   page_down     100 page-downs from the first record, each painted (a
//                 page-down at the end goes back to the first record, on
//                 both sides, so both do 100 full pages at any size)
//   sort_switch   the sort order switched between last name and first name
//                 and painted (both orders built beforehand: our indexes
//                 are cached, Qt's model holds both permutations)
//
// After the Google Benchmark output a summary prints each figure as plain /
// Qt and framed / Qt (targets <= 1), framed / plain (target <= 1.2) and
// each grid at 100,000 / at 1,000 (target <= 1.5).
// QV_BENCH_IMAGES=<folder> also saves the grids after a page-down there.
#include "bench/BenchArgs.h"
#include "bench/ContactGenerator.h"
#include "controls/lists/FcDBGrid.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/DataSource.h"
#include "platform/dbctrls/DBGrids.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/SysUtils.h"

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QDate>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <numeric>
#include <string>

namespace {

constexpr int GWidth = 1000, GHeight = 600, GColumnWidth = 100, GPageDowns = 100;
const int GSizes[] = {1000, 100000};

struct TPersonColumn {
    const char* Title;
    const char* Field;
};
// The main window's person columns, in grid order.
const TPersonColumn GColumns[] = {
    {"Achternaam", "ACHTER_NAAM"},
    {"Tussenvoegsel", "TUSSEN_VOEGSEL"},
    {"Roepnaam", "ROEP_NAAM"},
    {"Voorletters", "VOOR_LETTERS"},
    {"Aanhef", "AANHEF"},
    {"Voorvoegsel", "VOOR_VOEGSEL"},
    {"Achtervoegsel", "ACHTER_VOEGSEL"},
    {"Gender", "GENDER"},
    {"Geboortedatum", "GEBOORTE_DATUM"},
    {"Nationaliteit", "NATIONALITEIT"},
    {"Telefoonnummer Werk", "TELEFOON_NUMMER_WERK"},
    {"Mobiel", "MOBIEL"},
    {"Emailadres #1", "EMAIL_ADRES_1"},
    {"Emailadres #2", "EMAIL_ADRES_2"},
    {"Skype ID", "SKYPE_ID"},
    {"MSD ID", "MSN_ID"},
    {"Website", "WEBSITE"},
    {"Datum Actief", "DATUM_ACTIEF"},
    {"Datum Inactief", "DATUM_INACTIEF"},
};
constexpr int GColumnCount = int(std::size(GColumns));

// --- the data, made once per size --------------------------------------------

struct TData {
    std::vector<TBenchPerson> Persons;
    // Qt's two orders (positions into Persons) and where each person stands in them.
    std::vector<int> ByLastName, ByFirstName, LastNameRank, FirstNameRank;
    // Ours: the table with both indexes built, and its data source.
    std::unique_ptr<TComponent> Module;
    TClientDataSet* Table = nullptr;
    TDataSource* Source = nullptr;
};

std::vector<int> SortedBy(const std::vector<TBenchPerson>& Persons, QString TBenchPerson::*Field)
{
    std::vector<int> Order(Persons.size());
    std::iota(Order.begin(), Order.end(), 0);
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) {
        return QString::compare(Persons[std::size_t(A)].*Field, Persons[std::size_t(B)].*Field, Qt::CaseInsensitive)
            < 0;
    });
    return Order;
}

std::vector<int> Ranks(const std::vector<int>& Order)
{
    std::vector<int> Rank(Order.size());
    for (std::size_t I = 0; I < Order.size(); ++I)
        Rank[std::size_t(Order[I])] = int(I);
    return Rank;
}

TData& Data(int Size)
{
    static std::map<int, std::unique_ptr<TData>> All;
    auto& D = All[Size];
    if (D)
        return *D;
    D = std::make_unique<TData>();
    D->Persons = TContactGenerator().Generate(Size).Persons;
    D->ByLastName = SortedBy(D->Persons, &TBenchPerson::AchterNaam);
    D->ByFirstName = SortedBy(D->Persons, &TBenchPerson::RoepNaam);
    D->LastNameRank = Ranks(D->ByLastName);
    D->FirstNameRank = Ranks(D->ByFirstName);
    D->Module = std::make_unique<TComponent>(nullptr);
    D->Table = new TClientDataSet(D->Module.get());
    DefineTable(D->Table, PersonTableDef());
    D->Table->CreateDataSet();
    D->Table->SetLogChanges(false);
    const std::vector<TField*> Fields = TableFields(D->Table, PersonTableDef());
    for (const TBenchPerson& P : D->Persons)
        AppendPerson(D->Table, Fields, P);
    D->Table->SetIndexName(QStringLiteral("ROEP_NAAM_ASC"));
    D->Table->SetIndexName(QStringLiteral("ACHTER_NAAM_ASC"));
    D->Table->First();
    D->Source = new TDataSource(D->Module.get());
    D->Source->SetDataSet(D->Table);
    return *D;
}

// --- ours ----------------------------------------------------------------------

struct TOurGrid {
    TForm* Form = nullptr;
    TDBGrid* Grid = nullptr;
    ~TOurGrid() { Form->Free(); }
    void Paint() { UpdateWindow(Form->Handle()); }
};

// The platform's grid, or the framed one with everything it adds on.
enum TOurKind { okPlain, okFramed };

TDBGrid* NewGrid(TOurKind Kind, TComponent* Owner)
{
    if (Kind == okPlain)
        return new TDBGrid(Owner);
    auto* Grid = new TFcDBGrid(Owner);
    Grid->SetAltRowShading(true);
    Grid->SetLineColor(clSilver);
    Grid->SetFixedLineColor(clBlack);
    TFcDBGridQuickCompare* Rule = Grid->QuickCompare();
    Rule->SetFieldName(QStringLiteral("GENDER"));
    Rule->SetFieldValue(QStringLiteral("M"));
    Rule->SetActive(true);
    return Grid;
}

std::unique_ptr<TOurGrid> MakeOurGrid(TData& D, TOurKind Kind = okPlain)
{
    auto G = std::make_unique<TOurGrid>();
    G->Form = CreateNewForm<TForm>(nullptr);
    G->Form->SetBounds(0, 0, GWidth, GHeight);
    G->Grid = NewGrid(Kind, G->Form);
    G->Grid->SetAlign(alClient);
    G->Grid->SetOptions(
        {dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit});
    for (const TPersonColumn& C : GColumns) {
        TColumn* Column = G->Grid->Columns()->Add();
        Column->SetFieldName(QString::fromLatin1(C.Field));
        Column->Title()->SetCaption(QString::fromUtf8(C.Title));
        Column->SetWidth(GColumnWidth);
    }
    G->Grid->SetParent(G->Form);
    G->Grid->SetDataSource(D.Source);
    G->Form->Show();
    G->Paint();
    return G;
}

// --- Qt ------------------------------------------------------------------------

QString DateText(const TBenchDate& D)
{
    return D.IsNull() ? QString() : QDate(D.Year, D.Month, D.Day).toString(QStringLiteral("dd/MM/yyyy"));
}

class TPersonModel : public QAbstractTableModel {
public:
    explicit TPersonModel(const TData& Data) : FData(Data), FOrder(&Data.ByLastName) {}

    int rowCount(const QModelIndex& Parent) const override { return Parent.isValid() ? 0 : int(FOrder->size()); }
    int columnCount(const QModelIndex& Parent) const override { return Parent.isValid() ? 0 : GColumnCount; }

    QVariant data(const QModelIndex& Index, int Role) const override
    {
        if (Role != Qt::DisplayRole || !Index.isValid())
            return {};
        const TBenchPerson& P = FData.Persons[std::size_t((*FOrder)[std::size_t(Index.row())])];
        switch (Index.column()) {
        case 0:
            return P.AchterNaam;
        case 1:
            return P.TussenVoegsel;
        case 2:
            return P.RoepNaam;
        case 3:
            return P.VoorLetters;
        case 4:
            return P.Aanhef;
        case 5:
            return P.VoorVoegsel;
        case 6:
            return P.AchterVoegsel;
        case 7:
            return P.Gender;
        case 8:
            return DateText(P.GeboorteDatum);
        case 9:
            return P.Nationaliteit;
        case 10:
            return P.TelefoonNummerWerk;
        case 11:
            return P.Mobiel;
        case 12:
            return P.EmailAdres1;
        case 13:
            return P.EmailAdres2;
        case 14:
            return P.SkypeId;
        case 15:
            return P.MsnId;
        case 16:
            return P.Website;
        case 17:
            return DateText(P.DatumActief);
        case 18:
            return DateText(P.DatumInactief);
        default:
            return {};
        }
    }

    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override
    {
        if (Role != Qt::DisplayRole)
            return {};
        if (Orientation == Qt::Horizontal)
            return QString::fromUtf8(GColumns[Section].Title);
        return {};
    }

    // The other order; the current person stays current.
    void SwitchOrder()
    {
        const bool ToFirst = FOrder == &FData.ByLastName;
        const std::vector<int>& Rank = ToFirst ? FData.FirstNameRank : FData.LastNameRank;
        emit layoutAboutToBeChanged();
        const QModelIndexList Old = persistentIndexList();
        QModelIndexList New;
        for (const QModelIndex& I : Old)
            New << index(Rank[std::size_t((*FOrder)[std::size_t(I.row())])], I.column());
        FOrder = ToFirst ? &FData.ByFirstName : &FData.ByLastName;
        changePersistentIndexList(Old, New);
        emit layoutChanged();
    }

private:
    const TData& FData;
    const std::vector<int>* FOrder;
};

struct TQtGrid {
    std::unique_ptr<TPersonModel> Model;
    std::unique_ptr<QTableView> View;
    QImage Image{GWidth, GHeight, QImage::Format_RGB32};
    void Paint()
    {
        View->render(&Image);
        benchmark::DoNotOptimize(Image.constBits());
    }
};

std::unique_ptr<TQtGrid> MakeQtGrid(TData& D, int RowHeight)
{
    auto G = std::make_unique<TQtGrid>();
    G->Model = std::make_unique<TPersonModel>(D);
    G->View = std::make_unique<QTableView>();
    QFont Font(QStringLiteral("MS Sans Serif"));
    Font.setPixelSize(11);
    G->View->setFont(Font);
    G->View->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    G->View->verticalHeader()->setDefaultSectionSize(RowHeight);
    G->View->horizontalHeader()->setDefaultSectionSize(GColumnWidth);
    G->View->setModel(G->Model.get());
    G->View->resize(GWidth, GHeight);
    G->View->show();
    G->View->setCurrentIndex(G->Model->index(0, 0));
    G->Paint();
    return G;
}

// The row height our grid chose, so that both show as many rows.
int OurRowHeight()
{
    static const int Height = [] {
        auto G = MakeOurGrid(Data(GSizes[0]));
        return G->Grid->DefaultRowHeight() + G->Grid->GridLineWidth();
    }();
    return Height;
}

// --- the benchmarks --------------------------------------------------------------

void OursFirstPaint(benchmark::State& State, TOurKind Kind)
{
    TData& D = Data(int(State.range(0)));
    for (auto _ : State)
        MakeOurGrid(D, Kind);
}

void QtFirstPaint(benchmark::State& State)
{
    TData& D = Data(int(State.range(0)));
    const int RowHeight = OurRowHeight();
    for (auto _ : State)
        MakeQtGrid(D, RowHeight);
}

void OursPageDown(benchmark::State& State, TOurKind Kind)
{
    TData& D = Data(int(State.range(0)));
    auto G = MakeOurGrid(D, Kind);
    for (auto _ : State) {
        D.Table->First();
        G->Paint();
        for (int I = 0; I < GPageDowns; ++I) {
            if (D.Table->Eof())
                D.Table->First();
            else
                G->Grid->Perform(WM_KEYDOWN, VK_NEXT, 0);
            G->Paint();
        }
    }
    State.counters["rows"] = G->Grid->RowCount() - 1;
}

void QtPageDown(benchmark::State& State)
{
    TData& D = Data(int(State.range(0)));
    auto G = MakeQtGrid(D, OurRowHeight());
    QTableView* V = G->View.get();
    for (auto _ : State) {
        V->setCurrentIndex(G->Model->index(0, 0));
        V->scrollToTop();
        G->Paint();
        for (int I = 0; I < GPageDowns; ++I) {
            if (V->currentIndex().row() == G->Model->rowCount({}) - 1) {
                V->setCurrentIndex(G->Model->index(0, 0));
                V->scrollToTop();
            } else {
                QKeyEvent Key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
                QCoreApplication::sendEvent(V, &Key);
            }
            G->Paint();
        }
    }
}

void OursSortSwitch(benchmark::State& State, TOurKind Kind)
{
    TData& D = Data(int(State.range(0)));
    auto G = MakeOurGrid(D, Kind);
    bool ByFirstName = false;
    for (auto _ : State) {
        ByFirstName = !ByFirstName;
        D.Table->SetIndexName(ByFirstName ? QStringLiteral("ROEP_NAAM_ASC") : QStringLiteral("ACHTER_NAAM_ASC"));
        G->Paint();
    }
    D.Table->SetIndexName(QStringLiteral("ACHTER_NAAM_ASC"));
}

void QtSortSwitch(benchmark::State& State)
{
    TData& D = Data(int(State.range(0)));
    auto G = MakeQtGrid(D, OurRowHeight());
    for (auto _ : State) {
        G->Model->SwitchOrder();
        G->Paint();
    }
}

void Sizes(benchmark::internal::Benchmark* B)
{
    for (int Size : GSizes)
        B->Arg(Size);
    B->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(OursFirstPaint, plain, okPlain)->Name("first_paint/plain")->Apply(Sizes);
BENCHMARK_CAPTURE(OursFirstPaint, framed, okFramed)->Name("first_paint/framed")->Apply(Sizes);
BENCHMARK(QtFirstPaint)->Name("first_paint/qt")->Apply(Sizes);
BENCHMARK_CAPTURE(OursPageDown, plain, okPlain)->Name("page_down/plain")->Apply(Sizes);
BENCHMARK_CAPTURE(OursPageDown, framed, okFramed)->Name("page_down/framed")->Apply(Sizes);
BENCHMARK(QtPageDown)->Name("page_down/qt")->Apply(Sizes);
BENCHMARK_CAPTURE(OursSortSwitch, plain, okPlain)->Name("sort_switch/plain")->Apply(Sizes);
BENCHMARK_CAPTURE(OursSortSwitch, framed, okFramed)->Name("sort_switch/framed")->Apply(Sizes);
BENCHMARK(QtSortSwitch)->Name("sort_switch/qt")->Apply(Sizes);

// Seconds per iteration by operation, side and size.
std::map<std::string, std::map<std::string, std::map<int, double>>> GTimes;

class TCollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Reports) override
    {
        ConsoleReporter::ReportRuns(Reports);
        for (const Run& R : Reports) {
            if (R.run_type != Run::RT_Iteration || R.error_occurred || R.iterations == 0)
                continue;
            // "operation/side/size"
            const std::string Name = R.benchmark_name();
            const auto First = Name.find('/');
            const auto Second = Name.find('/', First + 1);
            GTimes[Name.substr(0, First)][Name.substr(First + 1, Second - First - 1)]
                  [std::stoi(Name.substr(Second + 1))] = R.real_accumulated_time / double(R.iterations);
        }
    }
};

// The grids after one page-down, as PNG files in Folder, to look at.
void SaveImages(const QString& Folder)
{
    for (TOurKind Kind : {okPlain, okFramed}) {
        auto G = MakeOurGrid(Data(GSizes[1]), Kind);
        G->Grid->Perform(WM_KEYDOWN, VK_NEXT, 0);
        G->Paint();
        WindowSurfaceImage(G->Form->Handle())
            ->save(Folder
                   + (Kind == okPlain ? QStringLiteral("/dbgrid_plain.png") : QStringLiteral("/dbgrid_framed.png")));
    }
    auto Q = MakeQtGrid(Data(GSizes[1]), OurRowHeight());
    QKeyEvent Key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QCoreApplication::sendEvent(Q->View.get(), &Key);
    Q->Paint();
    Q->Image.save(Folder + QStringLiteral("/dbgrid_qt.png"));
}

void PrintSummary()
{
    std::printf("\nSummary: TDBGrid (plain), TFcDBGrid (framed) and QTableView, %d x %d, %d columns\n"
                "(targets: plain / Qt and framed / Qt <= 1, framed / plain <= 1.2, at %d / at %d <= 1.5)\n",
                GWidth, GHeight, GColumnCount, GSizes[1], GSizes[0]);
    std::printf("%-12s %8s %12s %12s %12s %9s %9s %9s\n", "operation", "persons", "plain", "framed", "Qt", "plain/Qt",
                "framed/Qt", "fr/plain");
    auto Ratio = [](double A, double B) { return B > 0 ? A / B : 0.0; };
    for (auto& [Op, Sides] : GTimes) {
        for (int Size : GSizes) {
            const double Plain = Sides["plain"][Size], Framed = Sides["framed"][Size], Qt = Sides["qt"][Size];
            std::printf("%-12s %8d %9.3f ms %9.3f ms %9.3f ms %9.2f %9.2f %9.2f\n", Op.c_str(), Size, Plain * 1e3,
                        Framed * 1e3, Qt * 1e3, Ratio(Plain, Qt), Ratio(Framed, Qt), Ratio(Framed, Plain));
        }
        std::printf("%-12s at %d / at %d: plain %.2f, framed %.2f\n", Op.c_str(), GSizes[1], GSizes[0],
                    Ratio(Sides["plain"][GSizes[1]], Sides["plain"][GSizes[0]]),
                    Ratio(Sides["framed"][GSizes[1]], Sides["framed"][GSizes[0]]));
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    FormatSettings.DateSeparator = QLatin1Char('/');
    FormatSettings.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    if (!InitializeBenchmarks(argc, argv, "0.2"))
        return 1;
    if (qEnvironmentVariableIsSet("QV_BENCH_IMAGES"))
        SaveImages(qEnvironmentVariable("QV_BENCH_IMAGES"));
    TCollectingReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    PrintSummary();
    return 0;
}
