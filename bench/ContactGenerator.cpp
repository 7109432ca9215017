#include "bench/ContactGenerator.h"

#include <sqlite3.h>

#include <QFile>
#include <array>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "platform/db/ClientDataSet.h"

// --- table layout ---------------------------------------------------------

namespace {

using K = TBenchFieldKind;

const TBenchTableDef GPersonDef{
    "QUORVY", "", "ID_QUORVY",
    {
        {"ID_QUORVY", K::Integer, 0},
        {"ID_ADRES", K::Integer, 0},
        {"ID_GROEP", K::Integer, 0},
        {"DATUM_ACTIEF", K::Date, 0},
        {"DATUM_INACTIEF", K::Date, 0},
        {"AANHEF", K::String, 25},
        {"VOOR_VOEGSEL", K::String, 10},
        {"VOOR_LETTERS", K::String, 10},
        {"ROEP_NAAM", K::String, 25},
        {"TUSSEN_VOEGSEL", K::String, 10},
        {"ACHTER_NAAM", K::String, 50},
        {"ACHTER_VOEGSEL", K::String, 10},
        {"GENDER", K::String, 1},
        {"GEBOORTE_DATUM", K::DateTime, 0},
        {"NATIONALITEIT", K::String, 50},
        {"MOBIEL", K::String, 20},
        {"TELEFOON_NUMMER_WERK", K::String, 20},
        {"EMAIL_ADRES_1", K::String, 126},
        {"EMAIL_ADRES_2", K::String, 126},
        {"SKYPE_ID", K::String, 126},
        {"MSN_ID", K::String, 126},
        {"WEBSITE", K::String, 126},
        {"OPMERKINGEN", K::Memo, 0},
    },
    {"ID_QUORVY", "ID_ADRES", "ID_GROEP", "ACHTER_NAAM", "TUSSEN_VOEGSEL", "ROEP_NAAM",
     "VOOR_LETTERS", "AANHEF", "VOOR_VOEGSEL", "ACHTER_VOEGSEL", "GENDER", "GEBOORTE_DATUM",
     "NATIONALITEIT", "TELEFOON_NUMMER_WERK", "MOBIEL", "EMAIL_ADRES_1", "EMAIL_ADRES_2",
     "SKYPE_ID", "MSN_ID", "WEBSITE", "DATUM_ACTIEF", "DATUM_INACTIEF"},
};

const TBenchTableDef GAdresDef{
    "ADRES", ".adres", "ID_ADRES",
    {
        {"ID_ADRES", K::Integer, 0},
        {"STRAAT_NAAM", K::String, 40},
        {"HUIS_NUMMER", K::String, 6},
        {"TOEVOEGING", K::String, 5},
        {"POSTCODE", K::String, 6},
        {"ZIP_CODE", K::String, 10},
        {"WOON_PLAATS", K::String, 40},
        {"LAND", K::String, 40},
        {"TELEFOON_NUMMER_1", K::String, 20},
        {"TELEFOON_NUMMER_2", K::String, 20},
        {"OPMERKINGEN", K::Memo, 0},
    },
    {"ID_ADRES", "STRAAT_NAAM", "HUIS_NUMMER", "TOEVOEGING", "POSTCODE", "ZIP_CODE",
     "WOON_PLAATS", "LAND", "TELEFOON_NUMMER_1", "TELEFOON_NUMMER_2"},
};

const TBenchTableDef GGroepDef{
    "GROEP", ".groep", "ID_GROEP",
    {
        {"ID_GROEP", K::Integer, 0},
        {"GROEP_NAAM", K::String, 50},
        {"GROEP_TEXT", K::Memo, 0},
    },
    {"ID_GROEP", "GROEP_NAAM"},
};

const std::vector<const char*> GSearchable{
    "DATUM_ACTIEF", "DATUM_INACTIEF", "AANHEF", "VOOR_VOEGSEL", "VOOR_LETTERS",
    "ROEP_NAAM", "TUSSEN_VOEGSEL", "ACHTER_NAAM", "ACHTER_VOEGSEL", "GENDER",
    "GEBOORTE_DATUM", "NATIONALITEIT", "MOBIEL", "TELEFOON_NUMMER_WERK", "EMAIL_ADRES_1",
    "EMAIL_ADRES_2", "SKYPE_ID", "MSN_ID", "WEBSITE", "OPMERKINGEN",
};

// Calls Visit(value) for every field of a row in field order; a value is an
// int, a QString (empty: no value) or a TBenchDate.  Both writers go through
// here so they cannot disagree about the order.
template <typename F>
void ForEachValue(const TBenchPerson& P, F&& Visit)
{
    Visit(P.IdQuorvy); Visit(P.IdAdres); Visit(P.IdGroep);
    Visit(P.DatumActief); Visit(P.DatumInactief);
    Visit(P.Aanhef); Visit(P.VoorVoegsel); Visit(P.VoorLetters); Visit(P.RoepNaam);
    Visit(P.TussenVoegsel); Visit(P.AchterNaam); Visit(P.AchterVoegsel); Visit(P.Gender);
    Visit(P.GeboorteDatum); Visit(P.Nationaliteit); Visit(P.Mobiel);
    Visit(P.TelefoonNummerWerk); Visit(P.EmailAdres1); Visit(P.EmailAdres2);
    Visit(P.SkypeId); Visit(P.MsnId); Visit(P.Website); Visit(P.Opmerkingen);
}

template <typename F>
void ForEachValue(const TBenchAdres& A, F&& Visit)
{
    Visit(A.IdAdres); Visit(A.StraatNaam); Visit(A.HuisNummer); Visit(A.Toevoeging);
    Visit(A.Postcode); Visit(A.ZipCode); Visit(A.WoonPlaats); Visit(A.Land);
    Visit(A.TelefoonNummer1); Visit(A.TelefoonNummer2); Visit(A.Opmerkingen);
}

template <typename F>
void ForEachValue(const TBenchGroep& G, F&& Visit)
{
    Visit(G.IdGroep); Visit(G.GroepNaam); Visit(G.GroepText);
}

} // namespace

const TBenchTableDef& PersonTableDef() { return GPersonDef; }
const TBenchTableDef& AdresTableDef() { return GAdresDef; }
const TBenchTableDef& GroepTableDef() { return GGroepDef; }
const std::vector<const char*>& SearchableFields() { return GSearchable; }

// --- dates and random numbers --------------------------------------------

double TBenchDate::ToDateTime() const
{
    // Days from the civil date (proleptic Gregorian), shifted to 1899-12-30.
    const int Y = Month <= 2 ? Year - 1 : Year;
    const int Era = (Y >= 0 ? Y : Y - 399) / 400;
    const int YearOfEra = Y - Era * 400;
    const int DayOfYear = (153 * (Month + (Month > 2 ? -3 : 9)) + 2) / 5 + Day - 1;
    const int DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
    const long DaysSince1970 = long(Era) * 146097 + DayOfEra - 719468;
    return double(DaysSince1970 + 25569);
}

QString TBenchDate::ToIso() const
{
    return QStringLiteral("%1-%2-%3")
        .arg(Year, 4, 10, QLatin1Char('0'))
        .arg(Month, 2, 10, QLatin1Char('0'))
        .arg(Day, 2, 10, QLatin1Char('0'));
}

std::uint64_t TBenchRandom::Next()
{
    std::uint64_t Z = (FState += 0x9E3779B97F4A7C15ull);
    Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
    Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
    return Z ^ (Z >> 31);
}

int TBenchRandom::Below(int Count)
{
    return Count <= 1 ? 0 : int(Next() % std::uint64_t(Count));
}

int TBenchRandom::Between(int Low, int High)
{
    return Low + Below(High - Low + 1);
}

bool TBenchRandom::Chance(int Percent)
{
    return Below(100) < Percent;
}

// --- word lists -------------------------------------------------------------

namespace {

template <typename T, std::size_t N>
const T& Pick(TBenchRandom& Random, const std::array<T, N>& List)
{
    return List[std::size_t(Random.Below(int(N)))];
}

const std::array<const char*, 64> GMaleNames{
    "Jan", "Pieter", "Kees", "Henk", "Johan", "Willem", "Gerrit", "Dirk", "Hendrik", "Bram",
    "Daan", "Sem", "Lucas", "Finn", "Levi", "Luuk", "Milan", "Jesse", "Thijs", "Ruben",
    "Bas", "Joost", "Maarten", "Sander", "Tim", "Tom", "Stijn", "Niels", "Jeroen", "Marco",
    "Erik", "Frank", "Ruud", "Arjen", "Wouter", "Koen", "Teun", "Gijs", "Sjoerd", "Hidde",
    "Jelle", "Wim", "Cor", "Ad", "Ton", "Rob", "Hans", "Theo", "Bart", "Noël",
    "Mohammed", "Ömer", "Rik", "Floris", "Casper", "Jurre", "Siem", "Mees", "Boaz", "Otto",
    "Frits", "Egbert", "Menno", "Tjeerd",
};

const std::array<const char*, 64> GFemaleNames{
    "Anna", "Emma", "Sophie", "Julia", "Fleur", "Sanne", "Lotte", "Eva", "Lisa", "Iris",
    "Anouk", "Femke", "Maaike", "Marieke", "Ingrid", "Annemarie", "Petra", "Monique", "Wilma",
    "Gerda", "Truus", "Miep", "Joke", "Ria", "Els", "Ans", "Marjolein", "Esther", "Linda",
    "Saskia", "Mirjam", "Hanneke", "Chloë", "Zoë", "Noor", "Tess", "Sara", "Mila", "Yara",
    "Lieke", "Roos", "Nina", "Evi", "Loes", "Daphne", "Ilse", "Inge", "Renée", "Anne-Marie",
    "Fatima", "Griet", "Aaltje", "Geertruida", "Johanna", "Cornelia", "Wilhelmina", "Tineke",
    "Marloes", "Jolien", "Kim", "Bo", "Lynn", "Isa", "Feline",
};

struct TLastName {
    const char* Infix;
    const char* Name;
};

const std::array<TLastName, 96> GLastNames{{
    {"de", "Jong"}, {"", "Jansen"}, {"de", "Vries"}, {"van den", "Berg"}, {"van", "Dijk"},
    {"", "Bakker"}, {"", "Janssen"}, {"", "Visser"}, {"", "Smit"}, {"", "Meijer"},
    {"de", "Boer"}, {"", "Mulder"}, {"de", "Groot"}, {"", "Bos"}, {"", "Vos"},
    {"", "Peters"}, {"", "Hendriks"}, {"van", "Leeuwen"}, {"", "Dekker"}, {"", "Brouwer"},
    {"de", "Wit"}, {"", "Dijkstra"}, {"", "Smits"}, {"de", "Graaf"}, {"van der", "Meer"},
    {"van der", "Linden"}, {"", "Kok"}, {"", "Jacobs"}, {"de", "Haan"}, {"", "Vermeulen"},
    {"van den", "Heuvel"}, {"van der", "Veen"}, {"van den", "Broek"}, {"de", "Bruijn"},
    {"de", "Bruin"}, {"van der", "Heijden"}, {"", "Schouten"}, {"van", "Beek"},
    {"", "Willems"}, {"van", "Vliet"}, {"van de", "Ven"}, {"", "Hoekstra"}, {"", "Maas"},
    {"", "Verhoeven"}, {"", "Koster"}, {"van", "Dam"}, {"van der", "Wal"}, {"", "Prins"},
    {"", "Blom"}, {"", "Huisman"}, {"", "Peeters"}, {"de", "Jonge"}, {"", "Kuipers"},
    {"van", "Veen"}, {"", "Post"}, {"", "Kuiper"}, {"", "Veenstra"}, {"", "Kramer"},
    {"van den", "Brink"}, {"", "Scholten"}, {"van", "Wijk"}, {"", "Postma"}, {"", "Martens"},
    {"", "Vink"}, {"de", "Ruiter"}, {"", "Timmermans"}, {"", "Groen"}, {"", "Gerritsen"},
    {"", "Jonker"}, {"van", "Loon"}, {"", "Boer"}, {"van der", "Velde"}, {"", "Willemsen"},
    {"", "Smeets"}, {"de", "Lange"}, {"de", "Vos"}, {"", "Bosch"}, {"van", "Dongen"},
    {"", "Schipper"}, {"de", "Koning"}, {"van der", "Laan"}, {"", "Koning"},
    {"van der", "Velden"}, {"", "Driessen"}, {"van", "Doorn"}, {"", "Hermans"},
    {"", "Evers"}, {"van den", "Bosch"}, {"van der", "Meulen"}, {"", "Hofman"},
    {"", "Bosman"}, {"", "Wolters"}, {"", "Sanders"}, {"ter", "Haar"}, {"in 't", "Veld"},
    {"van 't", "Hof"},
}};

const std::array<const char*, 40> GStreetParts{
    "Kerk", "Molen", "Dorps", "School", "Stations", "Beuken", "Eiken", "Linden", "Wilgen",
    "Prinses Beatrix", "Oranje", "Juliana", "Wilhelmina", "Nassau", "Rembrandt", "Vondel",
    "Spoor", "Haven", "Markt", "Zuid", "Noord", "Oost", "West", "Hooge", "Lange", "Korte",
    "Berken", "Populieren", "Esdoorn", "Jasmijn", "Tulpen", "Rozen", "Kastanje", "Dijk",
    "Polder", "Sluis", "Brink", "Koning", "Koningin Emma", "Van Goghs",
};

const std::array<const char*, 12> GStreetKinds{
    "straat", "laan", "weg", "plein", "gracht", "kade", "singel", "dreef", "hof", "pad",
    "steeg", "park",
};

const std::array<const char*, 60> GPlaces{
    "Amsterdam", "Rotterdam", "'s-Gravenhage", "Utrecht", "Eindhoven", "Groningen", "Tilburg",
    "Almere", "Breda", "Nijmegen", "Apeldoorn", "Haarlem", "Arnhem", "Enschede", "Amersfoort",
    "Zaandam", "'s-Hertogenbosch", "Zwolle", "Leiden", "Maastricht", "Dordrecht", "Delft",
    "Alkmaar", "Venlo", "Deventer", "Leeuwarden", "Hilversum", "Hengelo", "Roermond", "Gouda",
    "Zoetermeer", "Purmerend", "Oss", "Schiedam", "Lelystad", "Assen", "Emmen", "Den Helder",
    "Middelburg", "Vlissingen", "Goes", "Sneek", "Harderwijk", "Zeist", "Ede", "Wageningen",
    "Doetinchem", "Kampen", "Meppel", "Hoorn", "Enkhuizen", "Volendam", "Bussum", "Naarden",
    "Heerlen", "Sittard", "Kerkrade", "Vaals", "Terneuzen", "Krommenie-Assendelft",
};

const std::array<const char*, 14> GAreaCodes{
    "020", "010", "070", "030", "040", "050", "013", "036", "076", "024", "0513", "0229",
    "0345", "0475",
};

const std::array<const char*, 12> GProviders{
    "gmail.com", "hotmail.com", "ziggo.nl", "kpnmail.nl", "xs4all.nl", "planet.nl",
    "home.nl", "outlook.com", "live.nl", "casema.nl", "hetnet.nl", "upcmail.nl",
};

const std::array<const char*, 32> GSentences{
    "Verjaardag niet vergeten.",
    "Heeft een nieuw telefoonnummer sinds vorig jaar.",
    "Kerstkaart sturen.",
    "Oud-collega van de afdeling inkoop.",
    "Buurman, heeft een reservesleutel.",
    "Bellen na 18:00 uur.",
    "Lid van de tennisclub, speelt op dinsdagavond.",
    "Kent iedereen in het dorp.",
    "Is verhuisd naar het buitenland, adres nog controleren.",
    "Contactpersoon voor de reünie van 2015.",
    "Allergisch voor noten.",
    "Spreekt ook Duits en Frans.",
    "Heeft twee kinderen, een hond en een kat.",
    "Liever mailen dan bellen.",
    "Penningmeester van de vereniging.",
    "Ontmoet tijdens de vakantie in Zeeland.",
    "Neemt de bestellingen voor het schoolfeest aan.",
    "Mobiel alleen in het weekend bereikbaar.",
    "Huisarts: dokter Van der Linden, praktijk aan de Kerkstraat.",
    "Oppas op woensdagmiddag.",
    "Vraagt altijd naar de familie.",
    "Heeft geholpen met de verhuizing.",
    "Jarig op dezelfde dag als oma.",
    "Komt uit Friesland, woont nu in de Randstad.",
    "Zakelijk contact, zie ook het visitekaartje in de la.",
    "Wil geen nieuwsbrief meer ontvangen.",
    "Kookt heerlijke Indische gerechten.",
    "Voorzitter van het wijkcomité.",
    "Heeft de sleutel van het clubhuis.",
    "Fietst elk jaar de Elfstedentocht.",
    "Stuurt elk jaar een ansichtkaart uit Italië.",
    "Nog 25 euro tegoed van het uitje.",
};

const std::array<const char*, 16> GGroupNames{
    "Familie", "Vrienden", "Werk", "Tennisclub", "Buren", "Koor", "Voetbal", "School",
    "Studievereniging", "Kerk", "Leveranciers", "Klanten", "Oud-collega's", "Zangvereniging",
    "Bridgeclub", "Vakantievrienden",
};

const std::array<const char*, 9> GNationalities{
    "Belgische", "Duitse", "Marokkaanse", "Turkse", "Surinaamse", "Poolse", "Britse",
    "Indonesische", "Franse",
};

QString S(const char* Utf8) { return QString::fromUtf8(Utf8); }

// Lower-case ASCII for e-mail addresses and user names: accents dropped,
// blanks and apostrophes left out.
QString Handle(const QString& Text)
{
    QString Result;
    for (QChar C : Text.normalized(QString::NormalizationForm_D)) {
        if (C.isLetterOrNumber() && C.unicode() < 128)
            Result += C.toLower();
        else if (C == QLatin1Char('-'))
            Result += C;
    }
    return Result;
}

QString Initials(const QString& FirstName, TBenchRandom& Random)
{
    QString Result = FirstName.left(1) + QLatin1Char('.');
    const int Extra = Random.Chance(45) ? Random.Between(1, 3) : 0;
    for (int I = 0; I < Extra; ++I)
        Result += QChar(u'A' + Random.Below(26)) + QLatin1Char('.');
    return Result;
}

} // namespace

// --- rows -----------------------------------------------------------------

TBenchDate TContactGenerator::DateBetween(int FirstYear, int LastYear)
{
    TBenchDate D;
    D.Year = FRandom.Between(FirstYear, LastYear);
    D.Month = FRandom.Between(1, 12);
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int Last = Days[D.Month - 1];
    if (D.Month == 2 && D.Year % 4 == 0 && (D.Year % 100 != 0 || D.Year % 400 == 0))
        Last = 29;
    D.Day = FRandom.Between(1, Last);
    return D;
}

QString TContactGenerator::PhoneNumber(bool Mobile)
{
    if (Mobile)
        return QStringLiteral("06-%1").arg(FRandom.Below(100000000), 8, 10, QLatin1Char('0'));
    const QString Area = S(Pick(FRandom, GAreaCodes));
    const int Digits = 10 - int(Area.size());
    int Max = 1;
    for (int I = 0; I < Digits; ++I)
        Max *= 10;
    const QString Number = QStringLiteral("%1").arg(FRandom.Below(Max), Digits, 10, QLatin1Char('0'));
    if (FRandom.Chance(15))
        return QStringLiteral("+31 %1 %2").arg(Area.mid(1), Number);
    return Area + QLatin1Char('-') + Number;
}

QString TContactGenerator::Remark(int MaxSentences)
{
    // Mostly empty or short, now and then a long story: the spread real
    // address books have.
    const int Roll = FRandom.Below(100);
    int Count;
    if (Roll < 45)
        Count = 0;
    else if (Roll < 80)
        Count = 1;
    else if (Roll < 95)
        Count = FRandom.Between(2, 4);
    else
        Count = FRandom.Between(5, MaxSentences);
    QString Result;
    for (int I = 0; I < Count; ++I) {
        if (I > 0)
            Result += (I % 6 == 0) ? QStringLiteral("\r\n") : QStringLiteral(" ");
        Result += S(Pick(FRandom, GSentences));
    }
    return Result;
}

TBenchPerson TContactGenerator::NewPerson(int IdQuorvy, int AdresCount, int GroepCount)
{
    TBenchPerson P;
    P.IdQuorvy = IdQuorvy;
    P.IdAdres = (AdresCount > 0 && FRandom.Chance(85)) ? FRandom.Between(1, AdresCount) : -1;
    P.IdGroep = (GroepCount > 0 && FRandom.Chance(70)) ? FRandom.Between(1, GroepCount) : -1;
    P.DatumActief = DateBetween(1998, 2023);
    if (FRandom.Chance(10))
        P.DatumInactief = DateBetween(std::max(P.DatumActief.Year, 2005), 2024);

    const int GenderRoll = FRandom.Below(100);
    const bool Male = GenderRoll < 49;
    P.Gender = GenderRoll < 49 ? QStringLiteral("M") : GenderRoll < 98 ? QStringLiteral("V") : QStringLiteral("X");
    P.RoepNaam = S(Male ? Pick(FRandom, GMaleNames) : Pick(FRandom, GFemaleNames));
    P.VoorLetters = Initials(P.RoepNaam, FRandom);

    static const std::array<const char*, 6> MaleSalutations{"De heer", "Dhr.", "De heer", "Dhr.", "Familie", ""};
    static const std::array<const char*, 6> FemaleSalutations{"Mevrouw", "Mevr.", "Mevrouw", "Mw.", "Familie", ""};
    P.Aanhef = S(Male ? Pick(FRandom, MaleSalutations) : Pick(FRandom, FemaleSalutations));
    if (FRandom.Chance(6)) {
        static const std::array<const char*, 8> Titles{"Dr.", "Mr.", "Ir.", "Drs.", "Prof.", "Ing.", "Jhr.", "Ds."};
        P.VoorVoegsel = S(Pick(FRandom, Titles));
    }

    const TLastName& Last = Pick(FRandom, GLastNames);
    P.TussenVoegsel = S(Last.Infix);
    P.AchterNaam = S(Last.Name);
    if (FRandom.Chance(12))
        P.AchterNaam += QLatin1Char('-') + S(Pick(FRandom, GLastNames).Name);
    if (FRandom.Chance(5)) {
        static const std::array<const char*, 8> Suffixes{"jr.", "sr.", "MSc", "BSc", "MBA", "RA", "LLM", "PhD"};
        P.AchterVoegsel = S(Pick(FRandom, Suffixes));
    }

    if (FRandom.Chance(90))
        P.GeboorteDatum = DateBetween(1930, 2012);
    P.Nationaliteit = FRandom.Chance(85) ? QStringLiteral("Nederlandse") : S(Pick(FRandom, GNationalities));
    if (FRandom.Chance(80))
        P.Mobiel = PhoneNumber(true);
    if (FRandom.Chance(35))
        P.TelefoonNummerWerk = PhoneNumber(false);

    const QString First = Handle(P.RoepNaam);
    const QString Family = Handle(P.TussenVoegsel + P.AchterNaam);
    if (FRandom.Chance(85)) {
        switch (FRandom.Below(4)) {
        case 0: P.EmailAdres1 = First + QLatin1Char('.') + Family; break;
        case 1: P.EmailAdres1 = First.left(1) + Family; break;
        case 2: P.EmailAdres1 = First + Family + QString::number(FRandom.Between(1, 99)); break;
        default: P.EmailAdres1 = First + QLatin1Char('_') + Family.left(12); break;
        }
        P.EmailAdres1 += QLatin1Char('@') + S(Pick(FRandom, GProviders));
    }
    if (FRandom.Chance(30))
        P.EmailAdres2 = First.left(1) + QLatin1Char('.') + Family + QStringLiteral("@")
                        + Family + QStringLiteral("-advies.nl");
    if (FRandom.Chance(20))
        P.SkypeId = QStringLiteral("live:") + First + QLatin1Char('.') + Family
                    + QLatin1Char('_') + QString::number(FRandom.Below(1000));
    if (FRandom.Chance(15))
        P.MsnId = First + Family.left(6) + QString::number(FRandom.Between(60, 99))
                  + QStringLiteral("@hotmail.com");
    if (FRandom.Chance(10))
        P.Website = (FRandom.Chance(50) ? QStringLiteral("https://www.") : QStringLiteral("www."))
                    + Family + (FRandom.Chance(50) ? QStringLiteral("-bouw.nl") : QStringLiteral(".nl"));
    P.Opmerkingen = Remark(30);
    return P;
}

TBenchAdres TContactGenerator::NewAdres(int IdAdres)
{
    TBenchAdres A;
    A.IdAdres = IdAdres;
    A.StraatNaam = S(Pick(FRandom, GStreetParts)) + S(Pick(FRandom, GStreetKinds));
    A.HuisNummer = QString::number(FRandom.Chance(80) ? FRandom.Between(1, 150) : FRandom.Between(151, 2500));
    if (FRandom.Chance(15)) {
        static const std::array<const char*, 8> Additions{"A", "B", "C", "bis", "hs", "-1", "-2", "III"};
        A.Toevoeging = S(Pick(FRandom, Additions));
    }
    if (FRandom.Chance(95)) {
        // Stored without the blank the edit mask shows: "1234AB".
        A.Postcode = QString::number(FRandom.Between(1000, 9999))
                     + QChar(u'A' + FRandom.Below(26)) + QChar(u'A' + FRandom.Below(26));
        A.WoonPlaats = S(Pick(FRandom, GPlaces));
        A.Land = QStringLiteral("Nederland");
    } else {
        static const std::array<const char*, 4> Countries{"België", "Duitsland", "Frankrijk", "Spanje"};
        static const std::array<const char*, 4> Cities{"Antwerpen", "Düsseldorf", "Lille", "Málaga"};
        static const std::array<const char*, 4> Prefixes{"B-", "D-", "F-", "E-"};
        const int Country = FRandom.Below(4);
        A.ZipCode = S(Prefixes[std::size_t(Country)]) + QString::number(FRandom.Between(1000, 99999));
        A.WoonPlaats = S(Cities[std::size_t(Country)]);
        A.Land = S(Countries[std::size_t(Country)]);
    }
    if (FRandom.Chance(80))
        A.TelefoonNummer1 = PhoneNumber(false);
    if (FRandom.Chance(15))
        A.TelefoonNummer2 = PhoneNumber(FRandom.Chance(50));
    A.Opmerkingen = Remark(12);
    return A;
}

TBenchGroep TContactGenerator::NewGroep(int IdGroep)
{
    TBenchGroep G;
    G.IdGroep = IdGroep;
    const int Round = (IdGroep - 1) / int(GGroupNames.size());
    G.GroepNaam = S(GGroupNames[std::size_t((IdGroep - 1) % int(GGroupNames.size()))]);
    if (Round > 0)
        G.GroepNaam += QLatin1Char(' ') + QString::number(Round + 1);
    G.GroepText = Remark(8);
    return G;
}

TContactData TContactGenerator::Generate(int PersonCount)
{
    TContactData Data;
    const int AdresCount = std::max(1, PersonCount / 2);
    const int GroepCount = std::max(1, PersonCount / 50);
    Data.Groups.reserve(std::size_t(GroepCount));
    for (int I = 1; I <= GroepCount; ++I)
        Data.Groups.push_back(NewGroep(I));
    Data.Addresses.reserve(std::size_t(AdresCount));
    for (int I = 1; I <= AdresCount; ++I)
        Data.Addresses.push_back(NewAdres(I));
    Data.Persons.reserve(std::size_t(PersonCount));
    for (int I = 1; I <= PersonCount; ++I)
        Data.Persons.push_back(NewPerson(I, AdresCount, GroepCount));
    return Data;
}

// --- SQLite -----------------------------------------------------------------

void SqliteExec(sqlite3* Db, const char* Sql)
{
    char* Error = nullptr;
    if (sqlite3_exec(Db, Sql, nullptr, nullptr, &Error) != SQLITE_OK) {
        std::string Message = std::string("SQLite: ") + (Error ? Error : "error") + " in: " + Sql;
        sqlite3_free(Error);
        throw std::runtime_error(Message);
    }
}

namespace {

std::string CreateTableSql(const TBenchTableDef& Def)
{
    std::string Sql = std::string("CREATE TABLE ") + Def.Name + " (";
    bool First = true;
    for (const TBenchFieldDef& F : Def.Fields) {
        if (!First)
            Sql += ", ";
        First = false;
        Sql += F.Name;
        if (std::string(F.Name) == Def.KeyField)
            Sql += " INTEGER PRIMARY KEY";
        else if (F.Kind == TBenchFieldKind::Integer)
            Sql += " INTEGER";
        else if (F.Kind == TBenchFieldKind::String)
            Sql += " VARCHAR(" + std::to_string(F.Size) + ")";
        else
            Sql += " TEXT";
    }
    return Sql + ")";
}

std::string InsertSql(const TBenchTableDef& Def)
{
    std::string Sql = std::string("INSERT INTO ") + Def.Name + " VALUES (";
    for (std::size_t I = 0; I < Def.Fields.size(); ++I)
        Sql += I == 0 ? "?" : ", ?";
    return Sql + ")";
}

// Binds one row's values in field order; text stays alive until the step.
struct TSqliteBinder {
    sqlite3_stmt* Statement;
    std::vector<QString>& Keep;
    int Index = 0;

    void operator()(int Value) { sqlite3_bind_int(Statement, ++Index, Value); }
    void operator()(const QString& Value)
    {
        if (Value.isEmpty())
            sqlite3_bind_null(Statement, ++Index);
        else
            sqlite3_bind_text16(Statement, ++Index, Value.utf16(), int(Value.size() * 2), SQLITE_STATIC);
    }
    void operator()(const TBenchDate& Value)
    {
        if (Value.IsNull()) {
            sqlite3_bind_null(Statement, ++Index);
            return;
        }
        Keep.push_back(Value.ToIso());
        const QString& Text = Keep.back();
        sqlite3_bind_text16(Statement, ++Index, Text.utf16(), int(Text.size() * 2), SQLITE_STATIC);
    }
};

} // namespace

void CreateSqliteTables(sqlite3* Db)
{
    for (const TBenchTableDef* Def : {&GPersonDef, &GAdresDef, &GGroepDef})
        SqliteExec(Db, CreateTableSql(*Def).c_str());
}

TSqliteInserter::TSqliteInserter(sqlite3* Db, const TBenchTableDef& Def)
{
    if (sqlite3_prepare_v2(Db, InsertSql(Def).c_str(), -1, &FStatement, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(Db));
}

TSqliteInserter::~TSqliteInserter()
{
    sqlite3_finalize(FStatement);
}

void TSqliteInserter::Step()
{
    if (sqlite3_step(FStatement) != SQLITE_DONE)
        throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(sqlite3_db_handle(FStatement)));
    sqlite3_reset(FStatement);
}

// Dates need their text kept until the step; one small list per row,
// reserved so that the bound pointers do not move.
template <typename Row>
void TSqliteInserter::InsertRow(const Row& Values)
{
    std::vector<QString> Keep;
    Keep.reserve(4);
    ForEachValue(Values, TSqliteBinder{FStatement, Keep});
    Step();
}

void TSqliteInserter::Insert(const TBenchPerson& Person) { InsertRow(Person); }
void TSqliteInserter::Insert(const TBenchAdres& Adres) { InsertRow(Adres); }
void TSqliteInserter::Insert(const TBenchGroep& Groep) { InsertRow(Groep); }

void WriteSqliteFile(const TContactData& Data, const QString& Path)
{
    QFile::remove(Path);
    sqlite3* Db = nullptr;
    if (sqlite3_open(Path.toUtf8().constData(), &Db) != SQLITE_OK) {
        sqlite3_close(Db);
        throw std::runtime_error("SQLite: cannot create " + Path.toStdString());
    }
    try {
        SqliteExec(Db, "PRAGMA journal_mode = OFF");
        SqliteExec(Db, "BEGIN");
        CreateSqliteTables(Db);
        {
            TSqliteInserter Persons(Db, GPersonDef);
            for (const TBenchPerson& P : Data.Persons)
                Persons.Insert(P);
            TSqliteInserter Addresses(Db, GAdresDef);
            for (const TBenchAdres& A : Data.Addresses)
                Addresses.Insert(A);
            TSqliteInserter Groups(Db, GGroepDef);
            for (const TBenchGroep& G : Data.Groups)
                Groups.Insert(G);
        }
        SqliteExec(Db, "COMMIT");
        SqliteExec(Db, "VACUUM");
    } catch (...) {
        sqlite3_close(Db);
        throw;
    }
    sqlite3_close(Db);
}

// --- our engine -------------------------------------------------------------


namespace {

TFieldType FieldTypeOf(TBenchFieldKind Kind)
{
    switch (Kind) {
    case TBenchFieldKind::Integer: return ftInteger;
    case TBenchFieldKind::String: return ftString;
    case TBenchFieldKind::Date: return ftDate;
    case TBenchFieldKind::DateTime: return ftDateTime;
    case TBenchFieldKind::Memo: return ftMemo;
    }
    return ftUnknown;
}

// Assigns one row's values through the field objects, as the address book's
// forms do with the data module's persistent fields.  Empty texts and dates
// stay null.
struct TFieldBinder {
    const std::vector<TField*>& Fields;
    std::size_t Index = 0;

    void operator()(int Value) { Fields[Index++]->SetAsInteger(Value); }
    void operator()(const QString& Value)
    {
        TField* Field = Fields[Index++];
        if (!Value.isEmpty())
            Field->SetAsString(Value);
    }
    void operator()(const TBenchDate& Value)
    {
        TField* Field = Fields[Index++];
        if (!Value.IsNull())
            Field->SetAsDateTime(Value.ToDateTime());
    }
};

template <typename Row>
void AppendRow(TClientDataSet* Table, const std::vector<TField*>& Fields, const Row& Values)
{
    Table->Append();
    ForEachValue(Values, TFieldBinder{Fields});
    Table->Post();
}

template <typename Row>
void WriteTable(const TBenchTableDef& Def, const std::vector<Row>& Rows, const QString& FileName)
{
    TClientDataSet Table(nullptr);
    DefineTable(&Table, Def);
    Table.CreateDataSet();
    Table.SetLogChanges(false);
    const std::vector<TField*> Fields = TableFields(&Table, Def);
    for (const Row& R : Rows)
        AppendRow(&Table, Fields, R);
    Table.SaveToFile(FileName);
    Table.Close();
}

} // namespace

void DefineTable(TClientDataSet* Table, const TBenchTableDef& Def)
{
    Table->FieldDefs()->Clear();
    for (const TBenchFieldDef& F : Def.Fields)
        Table->FieldDefs()->Add(QString::fromLatin1(F.Name), FieldTypeOf(F.Kind), F.Size);

    // Two indexes per field: the key unique (ascending primary), the person's
    // links and the dates plain, texts without regard to case.
    Table->IndexDefs()->Clear();
    for (const char* Name : Def.IndexOrder) {
        TBenchFieldKind Kind = TBenchFieldKind::Integer;
        for (const TBenchFieldDef& F : Def.Fields)
            if (std::string(F.Name) == Name)
                Kind = F.Kind;
        TIndexOptions Asc;
        TIndexOptions Desc{ixDescending};
        if (std::string(Name) == Def.KeyField) {
            Asc = {ixPrimary, ixUnique};
            Desc.Include(ixUnique);
        } else if (Kind == TBenchFieldKind::String) {
            Asc = {ixCaseInsensitive};
            Desc.Include(ixCaseInsensitive);
        }
        const QString Field = QString::fromLatin1(Name);
        Table->IndexDefs()->Add(Field + QStringLiteral("_ASC"), Field, Asc);
        Table->IndexDefs()->Add(Field + QStringLiteral("_DESC"), Field, Desc);
    }
}

std::vector<TField*> TableFields(TClientDataSet* Table, const TBenchTableDef& Def)
{
    std::vector<TField*> Fields;
    for (const TBenchFieldDef& F : Def.Fields)
        Fields.push_back(Table->FieldByName(QString::fromLatin1(F.Name)));
    return Fields;
}

void AppendPerson(TClientDataSet* Table, const std::vector<TField*>& Fields, const TBenchPerson& Person)
{
    AppendRow(Table, Fields, Person);
}

void WriteContactFile(const TContactData& Data, const QString& Path)
{
    WriteTable(GPersonDef, Data.Persons, Path + QString::fromLatin1(GPersonDef.Extension));
    WriteTable(GAdresDef, Data.Addresses, Path + QString::fromLatin1(GAdresDef.Extension));
    WriteTable(GGroepDef, Data.Groups, Path + QString::fromLatin1(GGroepDef.Extension));
}

