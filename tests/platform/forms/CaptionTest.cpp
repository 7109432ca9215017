// A form's caption is what the desktop shows in its title bar, also when
// it changes while the form shows.
#include "platform/forms/Forms.h"
#include "tests/support/WindowHelpers.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The titles of the top-level Qt windows that show.
QStringList ShownTitles()
{
    QStringList Titles;
    for (QWidget* W : QApplication::topLevelWidgets())
        if (W->isVisible())
            Titles << W->windowTitle();
    return Titles;
}

} // namespace

TEST(FormCaption, TheTitleBarFollowsTheCaptionWhileTheFormShows)
{
    TForm* Form = CreateNewForm<TForm>(nullptr);
    Form->SetCaption(QStringLiteral("Voor het tonen"));
    Form->Show();
    PumpMessages();
    EXPECT_TRUE(ShownTitles().contains(QStringLiteral("Voor het tonen")));
    Form->SetCaption(QStringLiteral("Wijzigen gegevens van Anna"));
    EXPECT_TRUE(ShownTitles().contains(QStringLiteral("Wijzigen gegevens van Anna")));
    EXPECT_FALSE(ShownTitles().contains(QStringLiteral("Voor het tonen")));
    Form->Free();
}
