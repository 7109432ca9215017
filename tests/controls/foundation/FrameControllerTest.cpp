// The frame controller pushes its settings to framed controls: through the
// framing notification or by property name, within each control's mask, not
// while an update runs, never to a control that went; and what a control
// takes from it stays out of the control's form definition.
#include "tests/controls/foundation/FcTestControls.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/FormTextHelpers.h"

#include "platform/classes/TypInfo.h"

#include <gtest/gtest.h>

namespace {

using TControllerPtr = std::unique_ptr<TFcFrameController, TComponentDeleter>;

struct FrameController : ::testing::Test {
    TControllerPtr Controller{new TFcFrameController(nullptr)};
    std::unique_ptr<TTestFramed> Framed{new TTestFramed(nullptr)};
    std::unique_ptr<TTestFramedClient> Client{new TTestFramedClient(nullptr)};
};

// The by-name properties of TTestFramed in the order fcpAll gives them.
const QStringList AllByName = {"FocusColor",    "FrameColor", "FrameHotTrack",
                               "FrameHotStyle", "FrameSides", "FrameStyle"};

} // namespace

TEST(FrameControllerNotifications, BitNIsPropertyN)
{
    EXPECT_EQ(AllFrameControllerNotifications.Bits(), 0xFFFFu);
    EXPECT_EQ(TFcFrameControllerNotifications{fcpFrameColor}.Bits(), 0x100u);
    EXPECT_EQ(TFcFrameControllerNotifications{fcpFramingPreference}.Bits(), 0x8000u);
}

TEST_F(FrameController, RegisteringGivesEverythingOnceByNameOrThroughTheNotification)
{
    Controller->SetFrameColor(clRed);
    Controller->SetParentColor(false);
    Controller->SetColor(clYellow);
    Framed->SetFrameController(Controller.get());
    Framed->SetFrameController(Controller.get());
    Controller->RegisterFramedControl(Framed.get());
    EXPECT_EQ(Framed->Log, AllByName);
    EXPECT_EQ(Framed->FrameColor(), clRed);
    EXPECT_EQ(Framed->Color(), clYellow);
    EXPECT_FALSE(Framed->ParentColor());

    // A client hears of every change and is never set by name.
    Client->SetFrameController(Controller.get());
    EXPECT_EQ(Client->Applied, 1);
    Controller->SetFrameColor(clBlue);
    Controller->SetFrameStyle(fsRaised);
    EXPECT_EQ(Client->Applied, 3);
    EXPECT_EQ(Client->FrameColor(), clBtnShadow);
    EXPECT_EQ(Framed->FrameColor(), clBlue);
    EXPECT_EQ(Framed->FrameStyle(), fsRaised);
    const std::vector<TComponent*> Both = {Framed.get(), Client.get()};
    EXPECT_EQ(Controller->FramedControls(), Both);
}

TEST_F(FrameController, EachSettingReachesOnlyControlsWhoseMaskHasIt)
{
    Framed->SetFrameControllerNotifications(AllFrameControllerNotifications
                                            - TFcFrameControllerNotifications{fcpFrameColor});
    Framed->SetFrameColor(clLime);
    Framed->SetFrameController(Controller.get());
    Framed->Log.clear();
    const struct {
        std::function<void()> Change;
        QStringList Pushed;
    } Cases[] = {
        {[&] { Controller->SetFrameColor(clRed); }, {}},
        {[&] { Controller->SetFrameHotStyle(fsLowered); }, {"FrameHotStyle"}},
        {[&] { Controller->SetFrameSides({sdTop}); }, {"FrameSides"}},
        {[&] { Controller->SetFrameSides({sdTop}); }, {}}, // unchanged: nothing
        {[&] { Controller->SetDisabledColor(clGray); }, {}}, // TTestFramed has none
    };
    for (const auto& C : Cases) {
        Framed->Log.clear();
        C.Change();
        EXPECT_EQ(Framed->Log, C.Pushed);
    }
    EXPECT_EQ(Framed->FrameColor(), clLime);
    EXPECT_EQ(Framed->FrameSides(), TSides{sdTop});
    Controller->PushFrameProperty(Framed.get(), TFcFrameControllerProperty(fcpAll + 1));
    Controller->PushFrameProperty(Controller.get(), fcpAll); // not a control
    EXPECT_TRUE(Framed->Log.isEmpty());
}

TEST_F(FrameController, ColourFollowsParentColourAndDragsAnEqualFocusColourAlong)
{
    Framed->SetFrameController(Controller.get());
    Controller->SetColor(clAqua);
    EXPECT_EQ(Controller->FocusColor(), clAqua);
    EXPECT_EQ(Framed->FocusColor(), clAqua);
    EXPECT_EQ(Framed->Color(), clAqua);
    Controller->SetFocusColor(clYellow);
    Controller->SetColor(clLime);
    EXPECT_EQ(Controller->FocusColor(), clYellow);
    // With ParentColor the controller gives no colour of its own.
    Controller->SetParentColor(true);
    EXPECT_TRUE(Framed->ParentColor());
    Framed->SetColor(clFuchsia);
    Controller->PushPropertyToAll(fcpAll);
    EXPECT_TRUE(Framed->ParentColor());
    Controller->SetColor(clNavy);
    EXPECT_FALSE(Controller->ParentColor());
    EXPECT_EQ(Framed->Color(), clNavy);
    EXPECT_FALSE(Controller->IsColorStored() && Controller->ParentColor());
}

TEST_F(FrameController, HotTrackingShowsTheFrameOnAllSides)
{
    Controller->SetFrameSides({sdLeft});
    Controller->SetFrameHotTrack(true);
    EXPECT_TRUE(Controller->FrameVisible());
    EXPECT_EQ(Controller->FrameSides(), AllSides);
    // While loading the sides stay as the definition gives them.
    const auto Form = ReadRoot<TTestFcForm>("object F: TTestFcForm\n"
                                            "  object C: TFcFrameController\n"
                                            "    FrameHotTrack = True\n"
                                            "    FrameSides = [sdTop]\n"
                                            "  end\n"
                                            "end\n");
    auto* C = dynamic_cast<TFcFrameController*>(Form->FindComponent(QStringLiteral("C")));
    ASSERT_NE(C, nullptr);
    EXPECT_EQ(C->FrameSides(), TSides{sdTop});
    EXPECT_TRUE(C->FrameVisible());
}

TEST_F(FrameController, AnUpdateHoldsBackEverythingUntilItsEnd)
{
    Framed->SetFrameController(Controller.get());
    Client->SetFrameController(Controller.get());
    Framed->Log.clear();
    Client->Applied = 0;
    Controller->BeginUpdate();
    Controller->BeginUpdate();
    Controller->SetFrameColor(clRed);
    Controller->SetFrameStyle(fsBump);
    Controller->EndUpdate();
    EXPECT_TRUE(Framed->Log.isEmpty());
    EXPECT_EQ(Client->Applied, 0);
    Controller->EndUpdate();
    EXPECT_EQ(Framed->Log, AllByName);
    EXPECT_EQ(Client->Applied, 1);
    EXPECT_EQ(Framed->FrameStyle(), fsBump);

    // Assign copies inside one update.
    TControllerPtr Other(new TFcFrameController(nullptr));
    Other->SetFrameHotColor(clMaroon);
    Other->SetFramingPreference(fpCustomFraming);
    Framed->Log.clear();
    Controller->Assign(Other.get());
    EXPECT_EQ(Controller->FrameHotColor(), clMaroon);
    EXPECT_EQ(Controller->FramingPreference(), fpCustomFraming);
    EXPECT_EQ(Controller->FrameColor(), clBtnShadow);
    EXPECT_EQ(Framed->Log, AllByName);
}

TEST_F(FrameController, ControlsAndControllersThatGoAreForgotten)
{
    Framed->SetFrameController(Controller.get());
    Client->SetFrameController(Controller.get());
    Framed.reset();
    EXPECT_EQ(Controller->FramedControls(), std::vector<TComponent*>{Client.get()});
    // One that goes without leaving is taken off the list all the same.
    auto* Silent = new TTestFramed(nullptr);
    Controller->RegisterFramedControl(Silent);
    delete Silent;
    EXPECT_EQ(Controller->FramedControls().size(), 1u);
    Controller->SetFrameColor(clRed);
    Controller.reset();
    EXPECT_EQ(Client->FrameController(), nullptr);
}

TEST(FrameControllerStreaming, WhatAControlTakesFromItsControllerIsNotWritten)
{
    const auto Form =
        ReadRoot<TTestFcForm>("object F: TTestFcForm\n"
                              "  object Controller: TFcFrameController\n"
                              "    FrameColor = clRed\n"
                              "    FrameStyle = fsStatus\n"
                              "  end\n"
                              "  object Framed: TTestFramed\n"
                              "    FrameColor = clLime\n"
                              "    FrameStyle = fsBump\n"
                              "    FrameControllerNotifications = [fcpColor, fcpFocusColor, fcpFrameStyle]\n"
                              "    FrameController = Controller\n"
                              "  end\n"
                              "end\n");
    auto* Framed = dynamic_cast<TTestFramed*>(Form->FindComponent(QStringLiteral("Framed")));
    ASSERT_NE(Framed, nullptr);
    EXPECT_EQ(Framed->FrameColor(), clLime);
    EXPECT_EQ(Framed->FrameStyle(), fsStatus);
    const QByteArray Text = WriteComponentToText(Form.get());
    // The framed control's part of the text; the controller writes its own.
    const qsizetype Start = Text.indexOf("object Framed");
    const QByteArray Own = Text.mid(Start, Text.indexOf("  end", Start) - Start);
    EXPECT_TRUE(Own.contains("FrameColor = clLime")) << Text.constData();
    EXPECT_FALSE(Own.contains("FrameStyle = ")) << Text.constData();
    EXPECT_TRUE(Text.contains("object Controller: TFcFrameController")) << Text.constData();
}

TEST(FrameControllerStreaming, ObsoleteFramingNamesAreMappedOrDropped)
{
    const struct {
        const char* Lines;
        bool HotTrack;
        TFrameStyleEx Style, HotStyle;
    } Cases[] = {
        {"FrameFlat = True\n", true, fsStatus, fsLowered},
        {"FrameFlat = False\n", false, fsFlat, fsFlatBold},
        {"FrameFocusStyle = fsRaised\n", false, fsFlat, fsRaised},
        {"FrameFlatStyle = fsBump\nFrameFlat = True\nFrameStyle = fsGroove\n", true, fsGroove, fsLowered},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Lines);
        const auto Form = ReadRoot<TTestFcForm>(QByteArray("object F: TTestFcForm\n  object Framed: TTestFramed\n")
                                                + C.Lines + "  end\nend\n");
        auto* Framed = dynamic_cast<TTestFramed*>(Form->FindComponent(QStringLiteral("Framed")));
        ASSERT_NE(Framed, nullptr);
        EXPECT_EQ(Framed->FrameHotTrack(), C.HotTrack);
        EXPECT_EQ(Framed->FrameStyle(), C.Style);
        EXPECT_EQ(Framed->FrameHotStyle(), C.HotStyle);
        EXPECT_FALSE(WriteComponentToText(Form.get()).contains("FrameF")) << "obsolete names are never written";
    }
    // A rounded frame is no TFrameStyle, whichever name brings it.
    for (const char* Line : {"FrameFocusStyle = fsFlatRounded\n", "FrameStyle = fsFlatRounded\n"})
        EXPECT_NE(ReadRootError<TTestFcForm>(QByteArray("object F: TTestFcForm\n  object Framed: TTestFramed\n    ")
                                             + Line + "  end\nend\n"),
                  QStringLiteral("<no error>"))
            << Line;
}
