// The drop-down tool button as a user runs it, on a real X server with a
// window manager and Qt's own menu: drawn pressed while its menu is open,
// no longer hot once the mouse has left after a choice, and the next
// click elsewhere doing what it says, a dozen times over.
#include "controls/foundation/FcToolButton.h"
#include "controls/foundation/FcToolbar.h"
#include "platform/actions/Menus.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"
#include "tests/support/XServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

void XMoveTo(TPoint P)
{
    ::XMoveTo(P.X, P.Y);
}

void XClick(TPoint P)
{
    ::XClick(P.X, P.Y);
}

// The colour the screen shows at P.
COLORREF ScreenPixel(TPoint P)
{
    const QImage I = QGuiApplication::primaryScreen()->grabWindow(0, P.X, P.Y, 1, 1).toImage();
    return ImagePixel(I, 0, 0);
}

TPoint Centre(TControl* C)
{
    return C->ClientToScreen({C->Width() / 2, C->Height() / 2});
}

} // namespace

QV_X_SERVER_TEST(ADropDownToolButtonAfterItsMenu)
{
    TForm* Form = CreateNewForm<TForm>(nullptr);
    Form->SetBounds(200, 200, 400, 200);
    // The toolbar lists the buttons put on it once it has its window.
    const QString Problem = ShowOnDesktop(Form);
    ASSERT_TRUE(Problem.isEmpty()) << Problem.toStdString();
    auto* Bar = new TFcToolbar(Form);
    Bar->SetParent(Form);
    auto* Menu = new TPopupMenu(Form);
    int Chosen = 0, DropDowns = 0, Others = 0;
    for (const char* Caption : {"Een", "Twee", "Drie"}) {
        auto* Item = new TMenuItem(Menu);
        Item->SetCaption(QString::fromLatin1(Caption));
        Item->SetOnClick([&](TObject*) { ++Chosen; });
        Menu->Items()->Add(Item);
    }
    auto* Drop = new TFcToolButton(Form);
    Drop->SetParent(Bar);
    Drop->SetToolStyle(tsDropDown);
    Drop->SetDropDownMenu(Menu);
    Drop->SetOnDropDown([&](TObject*) { ++DropDowns; });
    auto* Other = new TFcToolButton(Form);
    Other->SetParent(Bar);
    Other->SetOnClick([&](TObject*) { ++Others; });
    const TPoint Away = Form->ClientToScreen({300, 150});
    const TPoint DropTop = Drop->ClientToScreen({Drop->Width() / 2, 0});
    for (int Try = 1; Try <= 12; ++Try) {
        SCOPED_TRACE(Try);
        const bool Slow = Try % 2 == 0;
        // While the menu is open: the button's look (given the patience to
        // show on a busy machine), then a choice.
        const COLORREF Pressed = ColorToRGB(clBtnShadow);
        COLORREF TopEdge = 0;
        bool Seen = false, Chose = false;
        QElapsedTimer Open;
        QTimer Watch;
        Watch.setInterval(20);
        QObject::connect(&Watch, &QTimer::timeout, [&] {
            auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (Menu == nullptr || !Menu->isVisible() || Chose)
                return;
            if (!Seen) {
                Seen = true;
                Open.start();
            }
            TopEdge = ScreenPixel(DropTop);
            if (TopEdge != Pressed && Open.elapsed() < XPatience)
                return;
            Chose = true;
            // A slow click: the menu has the mouse when it is released.
            if (Slow)
                RunXTool(QStringLiteral("xdotool"), {QStringLiteral("mouseup"), QStringLiteral("1")});
            const QRect Item = Menu->actionGeometry(Menu->actions().at(1));
            const QPoint At = Menu->mapToGlobal(Item.center());
            XClick({At.x(), At.y()});
        });
        Watch.start();
        XMoveTo(Centre(Drop));
        RunXTool(QStringLiteral("xdotool"), {QString::fromLatin1(Slow ? "mousedown" : "click"), QStringLiteral("1")});
        EXPECT_TRUE(RunUntil([&] { return Chosen == Try; }, XPatience));
        Watch.stop();
        EXPECT_TRUE(Seen);
        EXPECT_EQ(TopEdge, Pressed) << "the pressed frame's upper edge";
        EXPECT_EQ(DropDowns, Try);
        // The mouse goes elsewhere: the button is flat again.
        XMoveTo(Away);
        const COLORREF Flat = ColorToRGB(Bar->Color());
        RunUntil([&] { return !Drop->MouseOver() && ScreenPixel(DropTop) == Flat; }, XPatience);
        EXPECT_FALSE(Drop->MouseOver());
        EXPECT_EQ(ScreenPixel(DropTop), Flat) << "no frame once the mouse has left";
        // The next click does what was clicked (a menu that opens instead
        // is closed again, so that the test goes on).
        QTimer Reopened;
        Reopened.setInterval(50);
        QObject::connect(&Reopened, &QTimer::timeout, [] {
            if (QWidget* Open = QApplication::activePopupWidget())
                Open->close();
        });
        Reopened.start();
        XClick(Centre(Other));
        EXPECT_TRUE(RunUntil([&] { return Others == Try; }, XPatience));
        RunUntil([] { return false; }, 150);
        Reopened.stop();
        EXPECT_EQ(DropDowns, Try) << "the menu opened again";
        XMoveTo(Away);
    }
    Form->Free();
}
