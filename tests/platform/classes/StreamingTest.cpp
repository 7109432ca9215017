#include "TestComponents.h"

#include "platform/classes/Fixups.h"
#include "platform/classes/Resources.h"
#include "platform/classes/TypInfo.h"

#include "tests/support/FormTextHelpers.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// Every property kind, custom data, nested objects, references and events.
const char* const FullForm = R"(object TestModule: TTestModule
  OnCreate = ModuleCreate
  object Panel1: TTestPanel
    Width = 300
    Enabled = True
    Caption = 'It''s a'#13#10'test: Quorvy® 2023'
    Hint = 'help'
    ParentHint = False
    Ratio = 1.5
    Align = taClient
    Anchors = [takLeft, takRight]
    Color = tclRed
    Accel = 'k'
    Big = 5000000000
    Font.Name = 'Verdana'
    Font.Size = 10
    Font.Bold = True
    Items.Strings = (
      'een'
      'twee'
      '')
    Buddy = Button1
    OnClick = ButtonClick
    OnValue = ValueChanged
    BevelWidth = 3
    object Button1: TTestControl
      Width = -75
      Color = 12345
      Columns = <
        item
          Caption = 'Naam'
          Link = Panel1
        end
        item
          Width = 80
        end>
      Picture = {
        0102FF}
      Points = (
        1
        2
        -3
        4)
    end
  end
  object Loose: TTestControl
    Width = 0
    Anchors = []
  end
end
)";

using TModulePtr = TRootPtr<TTestModule>;

TModulePtr ReadModule(const QByteArray& Text, const String& Source = QStringLiteral("test.form"))
{
    return ReadRoot<TTestModule>(Text, Source);
}

String ReadError(const QByteArray& Text, const String& Source = QStringLiteral("bad.form"))
{
    return ReadRootError<TTestModule>(Text, Source);
}

} // namespace

TEST(StreamingTest, ReadsEveryPropertyKind)
{
    TModulePtr M(ReadModule(FullForm));
    EXPECT_EQ(M->Name(), QStringLiteral("TestModule"));
    auto* Panel = dynamic_cast<TTestPanel*>(M->FindComponent(QStringLiteral("Panel1")));
    auto* Button = dynamic_cast<TTestControl*>(M->FindComponent(QStringLiteral("Button1")));
    ASSERT_NE(Panel, nullptr);
    ASSERT_NE(Button, nullptr);
    EXPECT_EQ(Panel->Width(), 300);
    EXPECT_TRUE(Panel->Enabled());
    EXPECT_EQ(Panel->Caption(), QString::fromUtf8("It's a\r\ntest: Quorvy® 2023"));
    EXPECT_EQ(Panel->Hint(), QStringLiteral("help"));
    EXPECT_EQ(Panel->Ratio(), 1.5);
    EXPECT_EQ(Panel->Align(), taClient);
    EXPECT_EQ(Panel->Anchors(), (TTestAnchors{takLeft, takRight}));
    EXPECT_EQ(Panel->Color(), tclRed);
    EXPECT_EQ(Panel->Accel(), QLatin1Char('k'));
    EXPECT_EQ(Panel->Big(), 5000000000LL);
    EXPECT_EQ(Panel->Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(Panel->Font()->Size(), 10);
    EXPECT_TRUE(Panel->Font()->Bold());
    EXPECT_EQ(Panel->Items()->ToStringList(), (QStringList{"een", "twee", ""}));
    EXPECT_EQ(Panel->Buddy(), Button);
    EXPECT_EQ(Panel->BevelWidth(), 3);
    EXPECT_EQ(Button->Parent(), Panel);
    EXPECT_EQ(Button->Width(), -75);
    EXPECT_EQ(int(Button->Color()), 12345);
    ASSERT_EQ(Button->Columns()->Count(), 2);
    EXPECT_EQ(Button->Columns()->Items(0)->Caption(), QStringLiteral("Naam"));
    EXPECT_EQ(Button->Columns()->Items(0)->Link(), Panel);
    EXPECT_EQ(Button->Columns()->Items(1)->Width(), 80);
    EXPECT_EQ(Button->Picture(), QByteArray::fromHex("0102FF"));
    EXPECT_EQ(Button->Points, (std::vector<std::pair<int, int>>{{1, 2}, {-3, 4}}));
    auto* Loose = dynamic_cast<TTestControl*>(M->FindComponent(QStringLiteral("Loose")));
    ASSERT_NE(Loose, nullptr);
    EXPECT_TRUE(Loose->Anchors().Empty());
    EXPECT_EQ(Loose->Parent(), nullptr);
}

TEST(StreamingTest, EventsBindToRootMethodsByName)
{
    TModulePtr M(ReadModule(FullForm));
    auto* Panel = dynamic_cast<TTestPanel*>(M->FindComponent(QStringLiteral("Panel1")));
    ASSERT_TRUE(bool(Panel->OnClick()));
    Panel->OnClick()(Panel);
    EXPECT_EQ(M->Clicked, Panel);
    Panel->OnValue()(Panel, 42);
    EXPECT_EQ(M->LastValue, 42);
    ASSERT_TRUE(bool(M->OnCreate()));
    // Reading alone does not run OnCreate: the module was not created
    // through its virtual constructor.
    EXPECT_EQ(M->Created, 0);
}

TEST(StreamingTest, LoadedRunsOnceAfterReferencesWithLoadingState)
{
    TModulePtr M(ReadModule(FullForm));
    auto* Panel = dynamic_cast<TTestPanel*>(M->FindComponent(QStringLiteral("Panel1")));
    EXPECT_EQ(Panel->LoadedCount, 1);
    EXPECT_TRUE(Panel->StateAtLoaded);
    EXPECT_TRUE(Panel->BuddyAtLoaded); // Button1 comes later in the text
    for (int I = 0; I < M->ComponentCount(); ++I)
        EXPECT_FALSE(M->Components(I)->ComponentState().Contains(csLoading));
    EXPECT_FALSE(M->ComponentState().Contains(csLoading));
    EXPECT_FALSE(M->ComponentState().Contains(csReading));
}

TEST(StreamingTest, RoundTripIsByteForByte)
{
    TModulePtr M(ReadModule(FullForm));
    const QByteArray First = WriteComponentToText(M.get());
    // The sample is written the way the writer writes.
    EXPECT_EQ(First, QByteArray(FullForm));
    M.reset(); // a second root of the same name would be renamed
    TModulePtr Again(ReadModule(First));
    const QByteArray Second = WriteComponentToText(Again.get());
    EXPECT_EQ(First, Second);
    // Same tree: spot checks on what the writer had to get right.
    auto* Panel = dynamic_cast<TTestPanel*>(Again->FindComponent(QStringLiteral("Panel1")));
    auto* Button = dynamic_cast<TTestControl*>(Again->FindComponent(QStringLiteral("Button1")));
    EXPECT_EQ(Panel->Caption(), QString::fromUtf8("It's a\r\ntest: Quorvy® 2023"));
    EXPECT_EQ(Panel->Buddy(), Button);
    EXPECT_EQ(Button->Columns()->Items(0)->Link(), Panel);
    EXPECT_EQ(Button->Points.size(), 2u);
    Panel->OnClick()(Button);
    EXPECT_EQ(Again->Clicked, Button);
}

TEST(StreamingTest, WriterOmitsDefaultsAndUnstoredInDeclarationOrder)
{
    TModulePtr M(new TTestModule(nullptr));
    M->SetName(QStringLiteral("Mod"));
    auto* C = new TTestControl(M.get());
    C->SetName(QStringLiteral("C1"));
    C->SetHint(QStringLiteral("not stored while ParentHint"));
    C->SetCaption(QStringLiteral("x"));
    C->SetWidth(0);
    const QByteArray Text = WriteComponentToText(M.get());
    EXPECT_EQ(Text, QByteArray("object Mod: TTestModule\n"
                               "  object C1: TTestControl\n"
                               "    Width = 0\n"
                               "    Caption = 'x'\n"
                               "  end\n"
                               "end\n"));
}

TEST(StreamingTest, WriterFormatsLongStringsBinaryAndEmptyValues)
{
    TModulePtr M(new TTestModule(nullptr));
    M->SetName(QStringLiteral("Mod"));
    auto* C = new TTestControl(M.get());
    C->SetName(QStringLiteral("C1"));
    C->SetCaption(String(70, QLatin1Char('a')) + QStringLiteral("'\t"));
    C->SetPicture(QByteArray(40, '\x01'));
    C->SetRatio(2);
    C->SetAnchors({});
    const QByteArray Text = WriteComponentToText(M.get());
    EXPECT_TRUE(Text.contains("    Caption = \n      '" + QByteArray(64, 'a') + "' +\n      'aaaaaa'''#9\n")) << Text.constData();
    EXPECT_TRUE(Text.contains("    Ratio = 2.0\n"));
    EXPECT_TRUE(Text.contains("    Anchors = []\n"));
    EXPECT_TRUE(Text.contains("    Picture = {\n      " + QByteArray(64, '0').replace("00", "01") + "\n      "
                              + QByteArray(16, '0').replace("00", "01") + "}\n"));
    TModulePtr Back(ReadModule(Text));
    auto* C2 = dynamic_cast<TTestControl*>(Back->FindComponent(QStringLiteral("C1")));
    EXPECT_EQ(C2->Caption(), C->Caption());
    EXPECT_EQ(C2->Picture(), C->Picture());
    EXPECT_TRUE(C2->Anchors().Empty());
}

TEST(StreamingTest, UnsignedHexWrapsIntoThirtyTwoBitIntegers)
{
    TModulePtr M(ReadModule("object TestModule: TTestModule\n"
                            "  object C: TTestControl\n"
                            "    Color = $FFFFFFF0\n"
                            "    Tag = $FFFFFFFF\n"
                            "  end\n"
                            "end\n"));
    auto* C = dynamic_cast<TTestControl*>(M->FindComponent(QStringLiteral("C")));
    EXPECT_EQ(C->Color(), tclFace);
    EXPECT_EQ(C->Tag(), std::intptr_t(0xFFFFFFFFLL)); // a 64-bit property keeps the value
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    Color = $1FFFFFFFF\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(3): Error reading C.Color: Invalid property value"));
}

TEST(StreamingTest, ObsoleteNamesAreDroppedOrMapped)
{
    TModulePtr M(ReadModule("object TestModule: TTestModule\n"
                            "  object C: TTestControl\n"
                            "    OldStyle = (1 'two' [x] <>)\n"
                            "    Text = 'mapped'\n"
                            "  end\n"
                            "end\n"));
    auto* C = dynamic_cast<TTestControl*>(M->FindComponent(QStringLiteral("C")));
    EXPECT_EQ(C->Caption(), QStringLiteral("mapped"));
    EXPECT_FALSE(WriteComponentToText(M.get()).contains("OldStyle"));
}

TEST(StreamingTest, ErrorsNameSourceLineAndProblem)
{
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    Colour = 1\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(3): Error reading C.Colour: Property Colour does not exist"));
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    Font.Colour = 1\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(3): Error reading C.Font.Colour: Property Font.Colour does not exist"));
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestThing\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(2): Class TTestThing not found"));
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    Align = taMiddle\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(3): Error reading C.Align: Invalid property value"));
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    Width = 'wide'\n"),
              QStringLiteral("bad.form(2): Unterminated object C: 'end' expected"));
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    Width = 9999999999\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(3): Error reading C.Width: Invalid property value"));
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    Buddy = Nobody\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(3): Error reading C.Buddy: Unresolved reference 'Nobody'"));
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    OnClick = NoSuchHandler\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(3): Error reading C.OnClick: Invalid property value: method NoSuchHandler "
                             "not found"));
    // A method whose parameters do not fit the event.
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    OnValue = ButtonClick\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(3): Error reading C.OnValue: Invalid property value: method ButtonClick "
                             "does not fit the event"));
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    Points = (1 2 3)\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(3): Error reading C.Points: Invalid property value: value expected"));
    // Errors raised by a class's own reader are placed too.
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object C: TTestControl\n"
                        "    Picture = {BAD0}\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(3): Error reading C.Picture: Picture data is damaged"));
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object A: TTestControl\n"
                        "  end\n"
                        "  object a: TTestControl\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(4): A component named a already exists"));
    // A designed module whose definition this program does not hold.
    EXPECT_EQ(ReadError("object TestModule: TTestModule\n"
                        "  object Other: TTestOtherModule\n"
                        "  end\n"
                        "end\n"),
              QStringLiteral("bad.form(2): Resource TTestOtherModule not found"));
}

TEST(StreamingTest, SecondRootOfTheSameNameGetsAUniqueName)
{
    TModulePtr A(ReadModule(FullForm));
    TModulePtr B(ReadModule(FullForm));
    EXPECT_EQ(B->Name(), QStringLiteral("TestModule_1"));
    EXPECT_EQ(FindGlobalComponent(QStringLiteral("TestModule")), A.get());
}

TEST(StreamingTest, FailedReadLeavesNothingHalfLoaded)
{
    auto* M = new TTestModule(nullptr);
    EXPECT_THROW(ReadComponentFromText("object TestModule: TTestModule\n"
                                       "  object C: TTestControl\n"
                                       "  end\n"
                                       "  object D: TTestControl\n"
                                       "    Width = x\n"
                                       "  end\n"
                                       "end\n",
                                       M, QStringLiteral("bad.form")),
                 EReadError);
    EXPECT_FALSE(M->ComponentState().Contains(csLoading));
    for (int I = 0; I < M->ComponentCount(); ++I)
        EXPECT_FALSE(M->Components(I)->ComponentState().Contains(csLoading));
    M->Free();
    // A text that does not parse creates nothing at all.
    TModulePtr Empty(new TTestModule(nullptr));
    EXPECT_THROW(ReadComponentFromText("object X: TTestModule\n  object C: TTestControl\n  Width = (\n",
                                       Empty.get(), QStringLiteral("cut.form")),
                 EReadError);
    EXPECT_EQ(Empty->ComponentCount(), 0);
}

TEST(StreamingTest, OnErrorCanSkipABadProperty)
{
    TModulePtr M(new TTestModule(nullptr));
    TReader Reader("object TestModule: TTestModule\n"
                   "  object C: TTestControl\n"
                   "    Bogus = 1\n"
                   "    Width = 7\n"
                   "  end\n"
                   "end\n",
                   QStringLiteral("skip.form"));
    QStringList Messages;
    Reader.OnError = [&](TReader&, const String& Message, bool& Handled) {
        Messages.append(Message);
        Handled = true;
    };
    Reader.ReadRootComponent(M.get());
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].contains(QStringLiteral("skip.form(3)")));
    EXPECT_EQ(dynamic_cast<TTestControl*>(M->FindComponent(QStringLiteral("C")))->Width(), 7);
}

TEST(StreamingTest, ReferencesAcrossModulesResolveAgainstTheModuleThere)
{
    std::unique_ptr<TTestOtherModule, TComponentDeleter> Other(new TTestOtherModule(nullptr));
    ReadComponentFromText("object OtherModule: TTestOtherModule\n"
                          "  object Source: TTestControl\n"
                          "  end\n"
                          "end\n",
                          Other.get(), QStringLiteral("other.form"));
    auto* Source = Other->FindComponent(QStringLiteral("Source"));
    TModulePtr Form(ReadModule("object FormLike: TTestModule\n"
                               "  object Grid: TTestControl\n"
                               "    Buddy = OtherModule.Source\n"
                               "  end\n"
                               "end\n"));
    auto* Grid = dynamic_cast<TTestControl*>(Form->FindComponent(QStringLiteral("Grid")));
    EXPECT_EQ(Grid->Buddy(), Source);
    // Written back with the module's name; a module that goes clears the
    // reference through free notification.
    EXPECT_TRUE(WriteComponentToText(Form.get()).contains("Buddy = OtherModule.Source"));
    Other.reset();
    EXPECT_EQ(Grid->Buddy(), nullptr);
}

TEST(StreamingTest, AReferenceStillUnresolvedWhenReadingEndsIsAnErrorNamingIt)
{
    // Before: such a reference waited, silently nil, for a module that
    // might never come.
    struct TCase {
        const char* Reference;
        const char* Says;
    };
    const TCase Cases[] = {
        {"LaterModule.Source", "there is no form or data module LaterModule"},
        {"TestModule.Nothing", "Unresolved reference 'TestModule.Nothing'"},
    };
    TModulePtr There(ReadModule("object TestModule: TTestModule\nend\n"));
    for (const TCase& C : Cases) {
        const QByteArray Text = "object Waiting: TTestModule\n"
                                "  object Grid: TTestControl\n"
                                "    Buddy = "
            + QByteArray(C.Reference) + "\n  end\nend\n";
        const QString Message = ReadError(Text, QStringLiteral("waiting.form"));
        EXPECT_TRUE(Message.startsWith(
            QStringLiteral("waiting.form(3): Error reading Grid.Buddy: Unresolved reference '%1'").arg(C.Reference)))
            << Message.toStdString();
        EXPECT_TRUE(Message.contains(QLatin1String(C.Says))) << Message.toStdString();
        EXPECT_EQ(FindGlobalComponent(QStringLiteral("Waiting")), nullptr);
    }
}

TEST(StreamingTest, DataModuleStreamsItsDefinitionThenRunsOnCreate)
{
    TTestDir Dir;
    {
        QFile File(Dir.File(QStringLiteral("test_module.form")));
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write("object TestModule: TTestModule\n"
                   "  OnCreate = ModuleCreate\n"
                   "  OnDestroy = ModuleDestroy\n"
                   "  Height = 150\n"
                   "  Width = 215\n"
                   "  object Table: TTestControl\n"
                   "    Left = 40\n"
                   "    Top = 8\n"
                   "  end\n"
                   "end\n");
    }
    AddFormSearchPath(Dir.Path());
    EXPECT_EQ(FindFormResource(QStringLiteral("ttestmodule")), Dir.File(QStringLiteral("test_module.form")));
    TTestModule::DestroyCalls = 0;
    TTestModule* M = CreateComponent<TTestModule>(nullptr);
    EXPECT_EQ(M->Created, 1);
    EXPECT_EQ(M->DesignWidth(), 215);
    ASSERT_NE(M->FindComponent(QStringLiteral("Table")), nullptr);
    EXPECT_EQ(FindGlobalComponent(QStringLiteral("testmodule")), M);
    const QByteArray Text = WriteComponentToText(M);
    EXPECT_TRUE(Text.contains("  Height = 150\n  Width = 215\n")) << Text.constData();
    EXPECT_TRUE(Text.contains("    Left = 40\n    Top = 8\n"));
    M->Free();
    EXPECT_EQ(TTestModule::DestroyCalls, 1);
    EXPECT_EQ(FindGlobalComponent(QStringLiteral("TestModule")), nullptr);

    // A definition that does not read: the module is torn down, without
    // OnDestroy since OnCreate never ran, and the error reaches the caller.
    {
        QFile File(Dir.File(QStringLiteral("test_module.form")));
        ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
        File.write("object TestModule: TTestModule\n"
                   "  OnDestroy = ModuleDestroy\n"
                   "  object Table: TTestControl\n"
                   "    Width = 'x'\n"
                   "  end\n"
                   "end\n");
    }
    EXPECT_EQ(ErrorMessage<EReadError>([&] { CreateComponent<TTestModule>(nullptr); }),
              Dir.File(QStringLiteral("test_module.form"))
                  + QStringLiteral("(4): Error reading Table.Width: Invalid property value"));
    EXPECT_EQ(TTestModule::DestroyCalls, 1);
    EXPECT_EQ(FindGlobalComponent(QStringLiteral("TestModule")), nullptr);
    RemoveFormSearchPath(Dir.Path());

    // Without a definition a designed module cannot be built.
    EXPECT_EQ(ErrorMessage<EResNotFound>([&] { CreateComponent<TTestOtherModule>(nullptr); }),
              QStringLiteral("Resource TTestOtherModule not found"));
}

namespace {

// A root that reads a list of mixed values through the value interface.
class TListModule : public TTestModule {
public:
    using TTestModule::TTestModule;
    QStringList Seen;
    void DefineProperties(TFiler& Filer) override
    {
        TTestModule::DefineProperties(Filer);
        Filer.DefineProperty(
            QStringLiteral("Mixed"),
            [this](TReader& R) {
                R.ReadListBegin();
                while (!R.EndOfList()) {
                    switch (R.NextValue()) {
                    case vaIdent:
                    case vaTrue:
                    case vaFalse:
                        Seen.append(R.ReadIdent());
                        break;
                    case vaString:
                        Seen.append(R.ReadString());
                        break;
                    case vaExtended:
                        Seen.append(QString::number(R.ReadFloat()));
                        break;
                    case vaList:
                        R.ReadListBegin();
                        Seen.append(QStringLiteral("(%1)").arg(R.ReadInteger()));
                        R.ReadListEnd();
                        break;
                    default:
                        Seen.append(QString::number(R.ReadInteger()));
                    }
                }
                R.ReadListEnd();
            },
            nullptr, false);
    }
};

} // namespace

namespace {

void WriteFile(const String& Path, const QByteArray& Text)
{
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
    File.write(Text);
}

} // namespace

TEST(StreamingTest, InheritedDefinitionsAreReadAncestorsFirst)
{
    TTestDir Dir;
    WriteFile(Dir.File(QStringLiteral("base.form")), "object TestModule: TTestModule\n"
                                                     "  OnCreate = ModuleCreate\n"
                                                     "  object Table: TTestControl\n"
                                                     "    Width = 1\n"
                                                     "    Caption = 'base'\n"
                                                     "  end\n"
                                                     "end\n");
    WriteFile(Dir.File(QStringLiteral("derived.form")), "inherited Derived: TTestDerivedModule\n"
                                                        "  inherited Table: TTestControl\n"
                                                        "    Width = 2\n"
                                                        "  end\n"
                                                        "  object Extra: TTestControl\n"
                                                        "    Buddy = Table\n"
                                                        "  end\n"
                                                        "end\n");
    AddFormSearchPath(Dir.Path());
    std::unique_ptr<TTestDerivedModule, TComponentDeleter> M(CreateComponent<TTestDerivedModule>(nullptr));
    EXPECT_EQ(M->Name(), QStringLiteral("Derived"));
    EXPECT_EQ(M->Created, 1); // OnCreate once, after both definitions
    auto* Table = dynamic_cast<TTestControl*>(M->FindComponent(QStringLiteral("Table")));
    auto* Extra = dynamic_cast<TTestControl*>(M->FindComponent(QStringLiteral("Extra")));
    ASSERT_NE(Table, nullptr);
    ASSERT_NE(Extra, nullptr);
    EXPECT_EQ(Table->Width(), 2);
    EXPECT_EQ(Table->Caption(), QStringLiteral("base"));
    EXPECT_EQ(Extra->Buddy(), Table);
    EXPECT_EQ(M->Table, Table);
    EXPECT_EQ(M->Extra, Extra);
    M.reset();

    WriteFile(Dir.File(QStringLiteral("derived.form")), "inherited Derived: TTestDerivedModule\n"
                                                        "  inherited Tabel: TTestControl\n"
                                                        "  end\n"
                                                        "end\n");
    ResetFormResourceCache();
    EXPECT_EQ(ErrorMessage<EReadError>([&] { CreateComponent<TTestDerivedModule>(nullptr); }),
              Dir.File(QStringLiteral("derived.form")) + QStringLiteral("(2): Ancestor for 'Tabel' not found"));
    RemoveFormSearchPath(Dir.Path());
}

TEST(StreamingTest, ReadsCustomListsThroughTheValueInterface)
{
    std::unique_ptr<TListModule, TComponentDeleter> M(new TListModule(nullptr));
    ReadComponentFromText("object TestModule: TTestModule\n"
                          "  Mixed = (abc True 'x' +\n 'y' 2.5 ($10) -7 $FF)\n"
                          "end\n",
                          M.get(), QStringLiteral("list.form"));
    EXPECT_EQ(M->Seen, (QStringList{"abc", "True", "xy", "2.5", "(16)", "-7", "255"}));
    // A class the registry does not know is written under its own name.
    EXPECT_TRUE(WriteComponentToText(M.get()).startsWith("object TestModule: TListModule\n"));
}
