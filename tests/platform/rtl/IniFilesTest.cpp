#include "platform/rtl/IniFiles.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList ListOf(TStrings& S)
{
    return S.ToStringList();
}

const QByteArray Sample = "; settings of the address book\r\n"
                          "[General]\r\n"
                          "SaveSettings=1\r\n"
                          "\r\n"
                          "[Algemeen]\r\n"
                          "  ConfirmOnExit =  0  \r\n"
                          "; keep me\r\n"
                          "ExactSearch=1\r\n"
                          "ExactSearch=0\r\n"
                          "\r\n"
                          "[algemeen]\r\n"
                          "Hidden=yes\r\n";

}  // namespace

TEST(IniFiles, SectionsAndKeysIgnoreCaseAndFirstMatchWins)
{
    TTestDir Dir;
    WriteRaw(Dir.File("q.ini"), Sample);
    TIniFile Ini(Dir.File("q.ini"));
    EXPECT_EQ(Ini.ReadString("GENERAL", "savesettings", "?"), "1");
    EXPECT_EQ(Ini.ReadString("Algemeen", "ConfirmOnExit", "?"), "0");  // trimmed
    EXPECT_EQ(Ini.ReadString("ALGEMEEN", "exactsearch", "?"), "1");
    // Only the first section of a name is read.
    EXPECT_EQ(Ini.ReadString("Algemeen", "Hidden", "none"), "none");
    EXPECT_EQ(Ini.ReadString("Algemeen", "; keep me", "none"), "none");

    TStringList List;
    Ini.ReadSections(&List);
    EXPECT_EQ(ListOf(List), QStringList({"General", "Algemeen"}));
    Ini.ReadSection("algemeen", &List);
    EXPECT_EQ(ListOf(List), QStringList({"ConfirmOnExit", "ExactSearch"}));
    Ini.ReadSectionValues("Algemeen", &List);
    EXPECT_EQ(ListOf(List), QStringList({"ConfirmOnExit=0", "ExactSearch=1"}));
    EXPECT_TRUE(Ini.SectionExists("general"));
    EXPECT_FALSE(Ini.SectionExists("UI"));
    EXPECT_TRUE(Ini.ValueExists("General", "SAVESETTINGS"));
    EXPECT_FALSE(Ini.ValueExists("General", "Other"));
}

TEST(IniFiles, QuotedValuesComeBackWithoutTheirQuotes)
{
    TTestDir Dir;
    WriteRaw(Dir.File("q.ini"), "[Folders]\r\n"
                                "DataFolder = \"/home/jan/Mijn adressen \"\r\n"
                                "Single='a'\r\n"
                                "Half=\"open\r\n"
                                "Mixed=\"x'\r\n"
                                "Inner=a \"b\" c\r\n");
    TIniFile Ini(Dir.File("q.ini"));
    EXPECT_EQ(Ini.ReadString("Folders", "DataFolder", "?"), "/home/jan/Mijn adressen ");
    EXPECT_EQ(Ini.ReadString("Folders", "Single", "?"), "a");
    EXPECT_EQ(Ini.ReadString("Folders", "Half", "?"), "\"open");
    EXPECT_EQ(Ini.ReadString("Folders", "Mixed", "?"), "\"x'");
    EXPECT_EQ(Ini.ReadString("Folders", "Inner", "?"), "a \"b\" c");
    TStringList List;
    Ini.ReadSectionValues("Folders", &List);
    EXPECT_EQ(List.Values("DataFolder"), "/home/jan/Mijn adressen ");
}

TEST(IniFiles, BooleansAndIntegers)
{
    TTestDir Dir;
    WriteRaw(Dir.File("q.ini"), "[B]\nTwo=2\nMinus=-1\nZero=0\nWord=true\nHex=$1F\nCHex=0x10\nBad=12abc\nEmpty=\n"
                                "Big=99999999999\n");
    TIniFile Ini(Dir.File("q.ini"));
    EXPECT_TRUE(Ini.ReadBool("B", "Two", false));
    EXPECT_TRUE(Ini.ReadBool("B", "Minus", false));
    EXPECT_FALSE(Ini.ReadBool("B", "Zero", true));
    EXPECT_TRUE(Ini.ReadBool("B", "Word", true));  // no integer: the default
    EXPECT_FALSE(Ini.ReadBool("B", "Word", false));
    EXPECT_TRUE(Ini.ReadBool("B", "Missing", true));
    EXPECT_EQ(Ini.ReadInteger("B", "Hex", 0), 31);
    EXPECT_EQ(Ini.ReadInteger("B", "CHex", 0), 16);
    EXPECT_EQ(Ini.ReadInteger("B", "Bad", 7), 7);
    EXPECT_EQ(Ini.ReadInteger("B", "Empty", 7), 7);
    EXPECT_EQ(Ini.ReadInteger("B", "Big", 7), 7);
    EXPECT_EQ(Ini.ReadString("B", "Empty", "default"), "");  // present but empty

    Ini.WriteBool("B", "Two", false);
    Ini.WriteBool("B", "New", true);
    Ini.WriteInteger("B", "Minus", -840);
    EXPECT_EQ(Ini.ReadString("B", "Two", ""), "0");
    EXPECT_EQ(Ini.ReadString("B", "New", ""), "1");
    EXPECT_EQ(Ini.ReadInteger("B", "Minus", 0), -840);
}

TEST(IniFiles, MissingFileReadsEmptyAndIsCreatedOnWrite)
{
    TTestDir Dir;
    const QString Path = Dir.File("quorvy.ini");
    TIniFile Ini(Path);
    EXPECT_EQ(Ini.ReadString("General", "SaveSettings", "d"), "d");
    TStringList List;
    Ini.ReadSections(&List);
    EXPECT_EQ(List.Count(), 0);
    EXPECT_FALSE(FileExists(Path));  // reading does not create it

    Ini.WriteBool("General", "SaveSettings", true);
    Ini.WriteBool("Algemeen", "ConfirmOnExit", true);
    Ini.WriteString("Folders", "Data", "/home/an/Adressen/");
    Ini.WriteInteger("LAST_WINDOW", "TOP", 10);
    Ini.WriteInteger("LAST_WINDOW", "LEFT", 20);
    EXPECT_EQ(ReadRaw(Path), "[General]\r\nSaveSettings=1\r\n"
                             "[Algemeen]\r\nConfirmOnExit=1\r\n"
                             "[Folders]\r\nData=/home/an/Adressen/\r\n"
                             "[LAST_WINDOW]\r\nTOP=10\r\nLEFT=20\r\n");
}

TEST(IniFiles, RewriteKeepsOrderCommentsAndBlankLines)
{
    TTestDir Dir;
    const QString Path = Dir.File("q.ini");
    WriteRaw(Path, Sample);
    TIniFile Ini(Path);
    Ini.WriteString("algemeen", "exactsearch", "0");
    Ini.WriteString("General", "Added", "x");
    Ini.WriteString("ALGEMEEN", "Late", "y");
    EXPECT_EQ(ReadRaw(Path), "; settings of the address book\r\n"
                             "[General]\r\n"
                             "SaveSettings=1\r\n"
                             "Added=x\r\n"
                             "\r\n"
                             "[Algemeen]\r\n"
                             "  ConfirmOnExit =  0  \r\n"
                             "; keep me\r\n"
                             "ExactSearch=0\r\n"
                             "ExactSearch=0\r\n"
                             "Late=y\r\n"
                             "\r\n"
                             "[algemeen]\r\n"
                             "Hidden=yes\r\n");
}

TEST(IniFiles, EraseSectionAndDeleteKeyLeaveNoShadowedCopy)
{
    TTestDir Dir;
    const QString Path = Dir.File("q.ini");
    WriteRaw(Path, Sample);
    TIniFile Ini(Path);
    Ini.DeleteKey("Algemeen", "ExactSearch");
    EXPECT_FALSE(Ini.ValueExists("Algemeen", "ExactSearch"));
    EXPECT_TRUE(ReadRaw(Path).contains("; keep me"));
    Ini.EraseSection("ALGEMEEN");
    EXPECT_FALSE(Ini.SectionExists("Algemeen"));
    EXPECT_EQ(Ini.ReadString("Algemeen", "Hidden", "gone"), "gone");
    EXPECT_EQ(ReadRaw(Path), "; settings of the address book\r\n[General]\r\nSaveSettings=1\r\n\r\n");
    // Nothing to delete: the file is not touched.
    const QByteArray Before = ReadRaw(Path);
    Ini.DeleteKey("Nope", "x");
    Ini.EraseSection("Nope");
    EXPECT_EQ(ReadRaw(Path), Before);
}

TEST(IniFiles, EveryWriteGoesStraightToTheFile)
{
    TTestDir Dir;
    const QString Path = Dir.File("q.ini");
    TIniFile Writer(Path);
    TIniFile Reader(Path);
    Writer.WriteString("S", "K", "one");
    EXPECT_EQ(Reader.ReadString("S", "K", ""), "one");
    WriteRaw(Path, "[S]\r\nK=changed outside\r\n");
    EXPECT_EQ(Writer.ReadString("S", "K", ""), "changed outside");
    Writer.WriteString("S", "Other", "two");
    EXPECT_EQ(ReadRaw(Path), "[S]\r\nK=changed outside\r\nOther=two\r\n");
}

TEST(IniFiles, FailedWriteRaisesAndKeepsTheOldFile)
{
    TTestDir Dir;
    TIniFile NoFolder(Dir.File("missing/q.ini"));
    EXPECT_EQ(ErrorMessage<EIniFileException>([&] { NoFolder.WriteBool("General", "SaveSettings", true); }),
              "Het bestand \"" + Dir.File("missing/q.ini")
                  + "\" kan niet worden opgeslagen: de map of het bestand bestaat niet.");

    // A folder where the file should be: the folder and its contents survive.
    ASSERT_TRUE(CreateDir(Dir.File("q.ini")));
    WriteRaw(Dir.File("q.ini/inner"), "keep");
    TIniFile IsFolder(Dir.File("q.ini"));
    EXPECT_THROW(IsFolder.WriteString("S", "K", "V"), EIniFileException);
    EXPECT_EQ(ReadRaw(Dir.File("q.ini/inner")), "keep");
    EXPECT_EQ(QDir(Dir.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"q.ini"}));

    TMemIniFile Mem(Dir.File("missing/m.ini"));
    Mem.WriteString("S", "K", "V");
    EXPECT_THROW(Mem.UpdateFile(), EIniFileException);
}

TEST(IniFiles, AFileThatCannotBeReadIsNeverOverwritten)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    TTestDir Dir;
    const QString Path = Dir.File("q.ini");
    WriteRaw(Path, "[S]\r\nK=precious\r\n");
    ASSERT_TRUE(QFile::setPermissions(Path, QFileDevice::WriteOwner));
    TIniFile Ini(Path);
    EXPECT_EQ(Ini.ReadString("S", "K", "default"), "default");
    EXPECT_THROW(Ini.WriteString("S", "Other", "x"), EIniFileException);
    ASSERT_TRUE(QFile::setPermissions(Path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(ReadRaw(Path), "[S]\r\nK=precious\r\n");
}

TEST(IniFiles, APipeInTheFilesPlaceIsLeftUnread)
{
    // Read, it would block until a writer came, or never end.
    TTestDir Dir;
    const QString Path = Dir.File("q.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path).constData(), 0600), 0);
    TIniFile Ini(Path);
    EXPECT_EQ(Ini.ReadString("S", "K", "default"), "default");
    EXPECT_THROW(Ini.WriteString("S", "K", "x"), EIniFileException);
    struct stat Info;
    ASSERT_EQ(::stat(QFile::encodeName(Path).constData(), &Info), 0);
    EXPECT_TRUE(S_ISFIFO(Info.st_mode));
}

TEST(IniFiles, LineBreaksInValuesCannotInjectLines)
{
    TTestDir Dir;
    const QString Path = Dir.File("q.ini");
    TIniFile Ini(Path);
    Ini.WriteString("Folders", "Data", "a\r\n[Evil]\nX=1");
    EXPECT_EQ(Ini.ReadString("Folders", "Data", ""), "a  [Evil] X=1");
    TStringList List;
    Ini.ReadSections(&List);
    EXPECT_EQ(ListOf(List), QStringList({"Folders"}));
}

TEST(IniFiles, EncodingUtf8AndWindows1252)
{
    TTestDir Dir;
    const QString Path = Dir.File("q.ini");
    WriteRaw(Path, "\xEF\xBB\xBF[Naam]\r\nStraat=Caf\xC3\xA9laan\r\n");
    EXPECT_EQ(TIniFile(Path).ReadString("naam", "straat", ""), QString::fromUtf8("Caf\xC3\xA9laan"));
    WriteRaw(Path, "[Naam]\r\nStraat=Caf\xE9 \x80 5\r\n");
    TIniFile Old(Path);
    EXPECT_EQ(Old.ReadString("Naam", "Straat", ""), QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC 5"));
    Old.WriteString("Naam", "Plaats", "x");  // rewritten as UTF-8
    EXPECT_EQ(ReadRaw(Path), "[Naam]\r\nStraat=Caf\xC3\xA9 \xE2\x82\xAC 5\r\nPlaats=x\r\n");
}

TEST(IniFiles, TypedValuesRoundTrip)
{
    TTestDir Dir;
    const TFormatSettings Saved = FormatSettings;
    FormatSettings.DateSeparator = QLatin1Char('/');
    FormatSettings.ShortDateFormat = "dd/mm/yyyy";
    FormatSettings.TimeSeparator = QLatin1Char(':');
    FormatSettings.LongTimeFormat = "hh:mm:ss";
    TMemIniFile Ini(Dir.File("t.ini"));
    const TDateTime D = EncodeDateTime(2024, 2, 29, 13, 5, 7, 0);
    Ini.WriteDate("T", "Date", D);
    Ini.WriteDateTime("T", "DateTime", D);
    Ini.WriteTime("T", "Time", D);
    Ini.WriteFloat("T", "Float", 1.25);
    EXPECT_EQ(Ini.ReadString("T", "Date", ""), "29/02/2024");
    EXPECT_EQ(Ini.ReadDate("T", "Date", 0), EncodeDate(2024, 2, 29));
    EXPECT_EQ(Ini.ReadDateTime("T", "DateTime", 0), D);
    EXPECT_EQ(Ini.ReadTime("T", "Time", 0), EncodeTime(13, 5, 7, 0));
    EXPECT_EQ(Ini.ReadFloat("T", "Float", 0), 1.25);
    Ini.WriteString("T", "Bad", "31/04/2024");
    EXPECT_EQ(Ini.ReadDate("T", "Bad", 5), 5);
    EXPECT_EQ(Ini.ReadFloat("T", "Bad", 5), 5);
    FormatSettings = Saved;
}

TEST(IniFiles, MemIniFileWritesOnlyOnUpdate)
{
    TTestDir Dir;
    const QString Path = Dir.File("m.ini");
    WriteRaw(Path, Sample);
    {
        TMemIniFile Ini(Path);
        Ini.WriteString("General", "SaveSettings", "0");
        EXPECT_EQ(ReadRaw(Path), Sample);
        Ini.UpdateFile();
    }
    QByteArray Expected = Sample;
    Expected.replace("SaveSettings=1", "SaveSettings=0");
    EXPECT_EQ(ReadRaw(Path), Expected);

    TMemIniFile Ini(Path);
    Ini.SetCaseSensitive(true);
    EXPECT_EQ(Ini.ReadString("general", "SaveSettings", "?"), "?");
    EXPECT_EQ(Ini.ReadString("algemeen", "Hidden", "?"), "yes");
    Ini.SetCaseSensitive(false);

    TStringList Lines;
    Lines.Add("[New]");
    Lines.Add("A=1\r\nB=2");
    Ini.SetStrings(&Lines);
    EXPECT_EQ(Ini.ReadInteger("new", "b", 0), 2);
    Ini.GetStrings(&Lines);
    EXPECT_EQ(ListOf(Lines), QStringList({"[New]", "A=1", "B=2"}));
    Ini.Rename(Dir.File("other.ini"), false);
    Ini.UpdateFile();
    EXPECT_EQ(ReadRaw(Dir.File("other.ini")), "[New]\r\nA=1\r\nB=2\r\n");
    Ini.Clear();
    EXPECT_EQ(Ini.ReadString("New", "A", "gone"), "gone");
}

TEST(IniFiles, ListingsTellNamesApartAsLookupsDo)
{
    // Accented capitals fold as lookups fold them; a case-sensitive file
    // keeps every spelling.
    const QByteArray Text = "[Één]\r\nÄ=1\r\nä=2\r\nB=3\r\n[ÉÉN]\r\nC=4\r\n[één]\r\n[Twee]\r\n";
    TTestDir Dir;
    const QString Path = Dir.File("f.ini");
    WriteRaw(Path, Text);
    TIniFile Ini(Path);
    TStringList List;
    Ini.ReadSections(&List);
    EXPECT_EQ(ListOf(List), QStringList({"Één", "Twee"}));
    Ini.ReadSectionValues("ÉÉN", &List);
    EXPECT_EQ(ListOf(List), QStringList({"Ä=1", "B=3"}));
    EXPECT_EQ(Ini.ReadString("één", "ä", "?"), "1");

    TMemIniFile Mem(Path);
    Mem.SetCaseSensitive(true);
    Mem.ReadSections(&List);
    EXPECT_EQ(ListOf(List), QStringList({"Één", "ÉÉN", "één", "Twee"}));
    Mem.ReadSection("Één", &List);
    EXPECT_EQ(ListOf(List), QStringList({"Ä", "ä", "B"}));
    Mem.DeleteKey("Één", "ä");
    Mem.EraseSection("één");
    Mem.GetStrings(&List);
    EXPECT_EQ(ListOf(List), QStringList({"[Één]", "Ä=1", "B=3", "[ÉÉN]", "C=4", "[Twee]"}));
}
