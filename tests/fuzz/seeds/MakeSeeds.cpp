// Writes the seed corpora of the fuzz targets (tests/fuzz/corpus/<target>/)
// from the project's own API and forms: the address book's tables as its
// data module defines them, test components streamed by the writer, ini
// files written by the settings and the ini classes, filters in every form
// the filter language has.  Seeds are written under fixed names and
// replace their earlier selves; other files in the folders (inputs a fuzz
// run found) are left alone.
//
//   fuzz_make_seeds <source root> <corpus folder>
//
// scripts/fuzz-seeds.sh builds and runs it.
#include "app/qv_set.h"
#include "platform/classes/DataModule.h"
#include "platform/classes/Filer.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/Field.h"
#include "platform/db/TableFile.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/IniFiles.h"
#include "tests/platform/classes/TestComponents.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

QString Corpus;
QTemporaryDir Scratch;
int Written = 0;

void Seed(const char* Target, const QString& Name, const QByteArray& Bytes)
{
    const QString Folder = Corpus + QLatin1Char('/') + QLatin1String(Target);
    QDir().mkpath(Folder);
    QFile File(Folder + QLatin1Char('/') + Name);
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate) || File.write(Bytes) != Bytes.size())
        throw EInOutError(QStringLiteral("Cannot write %1").arg(File.fileName()));
    ++Written;
}

QByteArray ReadFile(const QString& Path)
{
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot read %1").arg(Path));
    return File.readAll();
}

// --- table files ----------------------------------------------------------------

// A value of the field's type; every fifth record leaves it empty.
void FillField(TField* Field, int Row)
{
    static const char* const Words[] = {"Jansen", "de Vries", "Émile",  "ĳsselmeer", "O'Brien",
                                        "",       "BAKKER",   "bakker", "Straße 12", "regel\r\nregel"};
    if (Row % 5 == 4 && !Field->Required())
        return;
    switch (Field->DataType()) {
    case ftInteger:
    case ftSmallint:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
        Field->SetAsInteger(Row * 7 + 1);
        break;
    case ftDate:
        Field->SetAsDateTime(EncodeDate(1940 + Row * 3, 1 + Row % 12, 1 + Row % 28));
        break;
    case ftDateTime:
        Field->SetAsDateTime(EncodeDate(2000 + 4 * Row, 2, 29) + Row / 24.0);
        break;
    case ftFloat:
    case ftCurrency:
        Field->SetAsFloat(Row * 1.25 - 3);
        break;
    case ftBoolean:
        Field->SetAsBoolean(Row % 2 == 0);
        break;
    default:
        Field->SetAsString(QString::fromUtf8(Words[Row % 10]).left(Field->Size() > 0 ? Field->Size() : 64));
    }
}

QByteArray SavedImage(TClientDataSet* Table, const QString& Name)
{
    const QString Path = Scratch.filePath(Name);
    Table->SaveToFile(Path);
    return ReadFile(Path);
}

// The address book's tables as its data module defines them, a few records
// each.  Its handlers are not needed and are skipped.
void AddressBookTables(const QString& Root)
{
    TDataModule Module(nullptr);
    TReader Reader(ReadFile(Root + QStringLiteral("/app/qv_data.form")), QStringLiteral("qv_data.form"));
    Reader.OnError = [](TReader&, const String&, bool& Handled) { Handled = true; };
    Reader.ReadRootComponent(&Module);
    for (int I = 0; I < Module.ComponentCount(); ++I) {
        auto* Table = dynamic_cast<TClientDataSet*>(Module.Components(I));
        if (Table == nullptr)
            continue;
        Table->CreateDataSet();
        for (int Row = 0; Row < 6; ++Row) {
            Table->Append();
            for (int F = 0; F < Table->FieldCount(); ++F)
                FillField(Table->Fields()->Fields(F), Row);
            Table->Post();
        }
        Seed("table_file", Table->Name() + QStringLiteral(".quorvy"), SavedImage(Table, Table->Name()));
        Table->EmptyDataSet();
        Seed("table_file", Table->Name() + QStringLiteral("-empty.quorvy"), SavedImage(Table, Table->Name()));
        Table->Close();
    }
}

// Every stored type, every index option, and values at their edges.
void EdgeTable()
{
    TTableData T;
    T.Define({{"I", ftInteger, 0, true},
              {"L", ftLargeint, 0, false},
              {"S", ftString, 8, false},
              {"M", ftMemo, 0, false},
              {"D", ftDate, 0, false},
              {"T", ftDateTime, 0, false},
              {"F", ftFloat, 0, false},
              {"B", ftBoolean, 0, false}},
             {{"I_ASC", "I", "", "", {ixPrimary, ixUnique}},
              {"S_CI", "S", "", "", {ixCaseInsensitive}},
              {"S_DESC", "S;I", "S", "S", {}},
              {"D_F", "D;F", "", "", {ixDescending}},
              {"B_L", "B;L;T", "L", "", {}}});
    const TRecordLayout& L = T.Layout();
    const double Doubles[] = {0, -0.0, 1e300, -1e-300, std::nan(""), std::numeric_limits<double>::infinity()};
    const char* const Texts[] = {"", "a", "A", "ÿ", "\xF0\x9F\x98\x80", "zzzzzzzz"};
    for (int Row = 0; Row < 6; ++Row) {
        TRecordBuffer R = L.EmptyRecord();
        L.SetInt32(R, 0, Row == 5 ? std::numeric_limits<std::int32_t>::min() : Row);
        L.SetInt64(R, 1, Row % 2 ? std::numeric_limits<std::int64_t>::max() : -Row);
        L.SetText(R, 2, QString::fromUtf8(Texts[Row]));
        L.SetText(R, 3, QString::fromUtf8(Texts[5 - Row]).repeated(Row));
        if (Row % 3)
            L.SetDouble(R, 4, Doubles[Row]);
        L.SetDouble(R, 5, Doubles[5 - Row]);
        L.SetDouble(R, 6, Doubles[Row]);
        if (Row != 2)
            L.SetBool(R, 7, Row % 2 == 0);
        T.Append(R);
    }
    Seed("table_file", QStringLiteral("edges.quorvy"), TTableFile::Image(T));
}

// --- form text --------------------------------------------------------------------

// Every property kind of the test components, set through their API.
QByteArray ComponentsByApi()
{
    TTestModule Module(nullptr);
    Module.SetName(QStringLiteral("TestModule"));
    auto* Panel = new TTestPanel(&Module);
    Panel->SetName(QStringLiteral("Panel1"));
    Panel->SetWidth(300);
    Panel->SetCaption(QStringLiteral("It's a\r\ntest: Quorvy\u00AE 2023"));
    Panel->SetHint(QStringLiteral("help"));
    Panel->SetParentHint(false);
    Panel->SetRatio(1.5);
    Panel->SetAlign(taClient);
    Panel->SetAnchors({takLeft, takRight});
    Panel->SetColor(tclRed);
    Panel->SetAccel(QLatin1Char('k'));
    Panel->SetBig(-5000000000);
    Panel->Font()->SetName(QStringLiteral("Verdana"));
    Panel->Font()->SetBold(true);
    Panel->Items()->Add(QStringLiteral("een"));
    Panel->Items()->Add(QString());
    Panel->SetBevelWidth(3);
    auto* Button = new TTestControl(&Module);
    Button->SetName(QStringLiteral("Button1"));
    Button->SetParent(Panel);
    Button->SetWidth(-75);
    Button->SetColor(TTestColor(0x7FFFFFFF));
    Button->SetPicture(QByteArray::fromHex("0102FF00"));
    Button->Points = {{1, -3}, {2147483647, 0}};
    auto* Column = static_cast<TTestColumn*>(Button->Columns()->Add());
    Column->SetCaption(QStringLiteral("Naam"));
    Column->SetLink(Panel);
    static_cast<TTestColumn*>(Button->Columns()->Add())->SetWidth(80);
    Panel->SetBuddy(Button);
    auto* Loose = new TTestControl(&Module);
    Loose->SetName(QStringLiteral("Loose"));
    Loose->SetAnchors({});
    return WriteComponentToText(&Module);
}

// Events bound by name, and a reference to a module that is not loaded
// (which the writer leaves out).  Read once here, so the seed is known to
// read.
QByteArray EventsAndReferences()
{
    const QByteArray Text = "object Handlers: TTestModule\n"
                            "  OnCreate = ModuleCreate\n"
                            "  object Grid: TTestControl\n"
                            "    Buddy = OtherModule.Source\n"
                            "    OnClick = ButtonClick\n"
                            "    OnValue = ValueChanged\n"
                            "    Columns = <\n"
                            "      item\n"
                            "        Link = Grid\n"
                            "      end>\n"
                            "  end\n"
                            "end\n";
    TTestModule Module(nullptr);
    ReadComponentFromText(Text, &Module, QStringLiteral("events.form"));
    return Text;
}

void FormTexts(const QString& Root)
{
    Seed("form_text", QStringLiteral("components.form"), ComponentsByApi());
    Seed("form_text", QStringLiteral("events.form"), EventsAndReferences());
    // The address book's own data module: parsed and printed only, as its
    // classes are not for arbitrary input.
    Seed("form_text", QStringLiteral("qv_data.form"), ReadFile(Root + QStringLiteral("/app/qv_data.form")));
    // A collection set twice, the first time with a reference: the reader
    // once wrote that reference into a freed item.
    Seed("form_text", QStringLiteral("regress-collection-set-twice.form"),
         "object TestModule: TTestModule\n"
         "  object Panel1: TTestPanel\n"
         "    Columns = <\n"
         "      item\n"
         "        Caption = 'a'\n"
         "        Link = Button1\n"
         "      end>\n"
         "    Columns = <\n"
         "      item\n"
         "        Caption = 'b'\n"
         "      end>\n"
         "  end\n"
         "  object Button1: TTestControl\n"
         "  end\n"
         "end\n");
}

// --- ini files ---------------------------------------------------------------------

void IniFiles()
{
    // The program's own settings file.
    const QString SettingsPath = Scratch.filePath(QStringLiteral("quorvy.ini"));
    TSettings::SetIniFileName(SettingsPath);
    Settings->SaveSettings = true;
    Settings->ConfirmOnExit = true;
    Settings->DataFolder = QStringLiteral("/home/gebruiker/Quorvy data/");
    Settings->Top = -8;
    Settings->Left = 1920;
    Settings->Width = 832;
    Settings->Height = 600;
    Settings->Save();
    TSettings::SetIniFileName(String());
    Seed("ini_file", QStringLiteral("quorvy.ini"), ReadFile(SettingsPath));

    // What hand editing leaves: comments, blanks, quotes, duplicates in
    // other cases, keys before any section, lone CR line ends.
    const QString Edited = Scratch.filePath(QStringLiteral("edited.ini"));
    QFile File(Edited);
    File.open(QIODevice::WriteOnly);
    File.write("los=voor elke sectie\n"
               "; commentaar\n"
               "[Algemeen]\n"
               "  Naam = \"  met spaties  \" \n"
               "naam=tweede\r\n"
               "Leeg=\r"
               "=zonder naam\n"
               "geen gelijkteken\n"
               "\n"
               "[algemeen]\n"
               "Naam=uit de tweede sectie\n"
               "[Open\n"
               "Citaat='enkel'\n");
    File.close();
    TMemIniFile Ini(Edited);
    Ini.WriteString(QStringLiteral("Nieuw"), QStringLiteral("Datum"), DateToStr(EncodeDate(2023, 12, 31)));
    Ini.WriteFloat(QStringLiteral("Nieuw"), QStringLiteral("Getal"), -1.5e-7);
    Ini.UpdateFile();
    Seed("ini_file", QStringLiteral("edited.ini"), ReadFile(Edited));
    // Old single-byte files and a byte-order mark.
    Seed("ini_file", QStringLiteral("windows-1252.ini"), "[Adres]\r\nStraat=Caf\xE9 \x80 \x93plein\x94\r\n");
    Seed("ini_file", QStringLiteral("bom.ini"), "\xEF\xBB\xBF[Sectie]\r\nSleutel=\xC3\xA9\xC3\xA9n\r\n");
}

// --- filters -------------------------------------------------------------------------

void Filters()
{
    const char* const Texts[] = {
        "ID = 1",
        "ID_GROEP IN (5, '7') AND NOT ACTIEF",
        "NAAM = 'Jan*'",
        "UPPER(NAAM) LIKE 'J_N%' OR LOWER(OPMERKING) NOT LIKE '%z'",
        "GEBOORTE_DATUM >= '01-01-1980' AND YEAR(GEBOORTE_DATUM) < 2000",
        "BEDRAG > -1.5e3 OR BEDRAG IS NULL",
        "[MET SPATIE] <> \"NAAM\"",
        "TRIM(OPMERKING) = TRIMLEFT('  z') AND MONTH(GEWIJZIGD) = DAY(GEWIJZIGD)",
        "NOT (ACTIEF = TRUE) OR ACTIEF = NULL",
        "((ID > 2) AND (ID <= 6)) OR (NAAM IS NOT NULL AND OPMERKING <> '')",
        "GEWIJZIGD < '02-01-2023 12:00:00'",
        // Refused, and longer than a message quotes.
        "NAAM = 'Jansen' AND ID > 5 AND GEBOORTE_DATUM < '01-01-2000' AND",
        "[EEN VELD MET EEN ZEER LANGE NAAM DIE NIET BESTAAT] = 1",
    };
    for (std::size_t I = 0; I < std::size(Texts); ++I)
        Seed("filter", QStringLiteral("filter-%1.txt").arg(I + 1, 2, 10, QLatin1Char('0')), Texts[I]);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <source root> <corpus folder>\n", argv[0]);
        return 2;
    }
    const QString Root = QString::fromLocal8Bit(argv[1]);
    Corpus = QString::fromLocal8Bit(argv[2]);
    try {
        AddressBookTables(Root);
        EdgeTable();
        FormTexts(Root);
        IniFiles();
        Filters();
    } catch (const Exception& E) {
        std::fprintf(stderr, "%s\n", E.Message().toUtf8().constData());
        return 1;
    }
    std::printf("%d seeds written to %s\n", Written, argv[2]);
    return 0;
}
