#pragma once
// The program's data module and main window with an open contact file of
// persons, addresses and groups made field by field, for the report and
// notes windows; the report files land in the test's own temporary
// folder, the shell is recorded and today is 17/05/2024.
#include "app/qv_toolb.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Timer.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDirIterator>
#include <QFileInfo>
#include <csignal>
#include <initializer_list>
#include <sys/resource.h>
#include <utility>

inline void PrintTo(const QUrl& Url, std::ostream* Os)
{
    *Os << Url.toString().toStdString();
}

using TFieldValues = std::initializer_list<std::pair<const char*, QString>>;

class ReportTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ContactFile = DataFolder + "familie.quorvy";
        ASSERT_TRUE(Data->OpenFiles(ContactFile, true));
    }

    // Appends a record to Table with these field texts.
    static void Add(TClientDataSet* Table, TFieldValues Values)
    {
        Table->Append();
        for (const auto& [Field, Value] : Values)
            Table->FieldByName(Field)->SetAsString(Value);
        Table->Post();
    }
    // A person with the key Id and no address or group unless given.
    void AddPerson(int Id, TFieldValues Values)
    {
        Add(Data->cdsQuorvy, {{"ID_QUORVY", QString::number(Id)}, {"ID_ADRES", "-1"}, {"ID_GROEP", "-1"}});
        Data->cdsQuorvy->Edit();
        for (const auto& [Field, Value] : Values)
            Data->cdsQuorvy->FieldByName(Field)->SetAsString(Value);
        Data->cdsQuorvy->Post();
    }

    // The report files now in the temporary folder, by name.
    QStringList ReportFiles() const
    {
        QStringList Names;
        for (QDirIterator It(Dir.File("tmp"), {"quorvy$*"}, QDir::Files | QDir::System); It.hasNext();)
            Names << It.next();
        Names.sort();
        return Names;
    }
    // The lines of a report file, which must be CR LF text throughout.
    static QStringList LinesOf(const QString& Path, bool ByteOrderMark)
    {
        QByteArray Bytes = ReadRaw(Path);
        const QByteArray Mark("\xEF\xBB\xBF");
        EXPECT_EQ(Bytes.startsWith(Mark), ByteOrderMark) << Path.toStdString();
        if (Bytes.startsWith(Mark))
            Bytes.remove(0, Mark.size());
        EXPECT_TRUE(Bytes.endsWith("\r\n")) << Path.toStdString();
        QStringList Lines = QString::fromUtf8(Bytes).split(QStringLiteral("\r\n"));
        Lines.removeLast();
        return Lines;
    }

    // The number of the report file ToolBox hands out next.  (Finding out
    // takes one: the counter runs for the whole test program.)
    static int NextReportNumber()
    {
        const QString Taken = QFileInfo(ToolBox::TempFileName("txt")).completeBaseName();
        return Taken.mid(7).toInt() + 1;
    }
    QString ReportName(int Number, const QString& Extension) const
    {
        return Dir.File(QStringLiteral("tmp/quorvy$%1.%2").arg(Number).arg(Extension));
    }

    QString ContactFile;
};

// Files may grow no larger than Bytes while this lives (a disk that fills
// up): a write beyond fails with EFBIG instead of stopping the program.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Bytes)
    {
        getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit Limit = FOld;
        Limit.rlim_cur = Bytes;
        setrlimit(RLIMIT_FSIZE, &Limit);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
};

// Runs Step once the modal loop of the next window shown is running (with
// that window as the active form), then ends the loop unless Step did.
class TWhileModal {
public:
    explicit TWhileModal(std::function<void(TCustomForm* Form)> Step) : FStep(std::move(Step))
    {
        FTimer.SetInterval(1);
        FTimer.SetOnTimer([this](TObject*) {
            TCustomForm* Form = Screen->ActiveForm();
            if (Form == nullptr || Form == FormMain)
                return;
            FTimer.SetEnabled(false);
            FShown = Form->ClassName();
            FStep(Form);
            if (Form->ModalResult() == mrNone)
                Form->SetModalResult(mrCancel);
        });
    }
    // The class of the window that was shown; empty when none was.
    QString Shown() const { return FShown; }

private:
    std::function<void(TCustomForm* Form)> FStep;
    TTimer FTimer{nullptr};
    QString FShown;
};
