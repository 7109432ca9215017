// The program's windows are form definitions that name the framed controls,
// the list controls and the system-information components: the program's
// library must bring all of them along.
#include "tests/support/StreamedForms.h"

#include <gtest/gtest.h>

TEST(AppLibraries, AFormDefinitionNamesControlsListsAndSystemInformation)
{
    const auto Form = ReadFormText<TForm>("object FormMain: TForm\n"
                                          "  object FcPanelMainPage: TFcPanel\n"
                                          "    object FcListBoxPreviousFiles: TFcListBox\n"
                                          "    end\n"
                                          "  end\n"
                                          "  object FcStatusBarMain: TFcStatusBar\n"
                                          "  end\n"
                                          "  object SiSysInfoMain: TSiSysInfo\n"
                                          "  end\n"
                                          "end\n",
                                          QStringLiteral("main.form"));
    for (const char* Name : {"FcPanelMainPage", "FcListBoxPreviousFiles", "FcStatusBarMain", "SiSysInfoMain"})
        EXPECT_NE(Form->FindComponent(QString::fromLatin1(Name)), nullptr) << Name;
}
