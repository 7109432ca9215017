#include "controls/foundation/FcURLLabel.h"

#include "platform/classes/ComponentRef.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Screen.h"
#include "platform/forms/ShellAPI.h"
#include "platform/rtl/FileUtils.h"

REGISTER_COMPONENT(TFcURLLabel, TFcLabel)
    PUBLISHED(Cursor, crFcHandCursor)
    // Its own underlined link font.
    PUBLISHED(ParentFont, false)
    PUBLISHED(TextStyle, tsNormal)
    PUBLISHED(URL, String())
    PUBLISHED(Visited, false)
    PUBLISHED(UnvisitedColor, clHighlight)
    PUBLISHED(VisitedColor, TColor(0x800080))
END_REGISTER

namespace {

TOpenWithHook& OpenWithHook()
{
    static TOpenWithHook Hook;
    return Hook;
}

} // namespace

void SetOpenWithHook(TOpenWithHook Hook)
{
    OpenWithHook() = std::move(Hook);
}

TFcURLLabel::TFcURLLabel(TComponent* AOwner) : TFcLabel(AOwner)
{
    // The program's own hand cursor was for old Windows versions; every
    // desktop here has the pointing hand.
    if (Screen != nullptr)
        Screen->SetCursors(crFcHandCursor, LoadCursor(nullptr, IDC_HAND));
    SetCursor(crFcHandCursor);
    SetTextStyle(tsNormal);
    Font()->SetColor(clHighlight);
    Font()->SetStyle(TFontStyles{fsUnderline});
}

void TFcURLLabel::UpdateLinkColor()
{
    SetFontColor(FVisited ? FVisitedColor : FUnvisitedColor);
}

void TFcURLLabel::SetVisited(bool Value)
{
    if (!AssignIfChanged(FVisited, Value))
        return;
    UpdateLinkColor();
    Invalidate();
}

void TFcURLLabel::SetUnvisitedColor(TColor Value)
{
    if (!AssignIfChanged(FUnvisitedColor, Value))
        return;
    UpdateLinkColor();
    Invalidate();
}

void TFcURLLabel::SetVisitedColor(TColor Value)
{
    if (!AssignIfChanged(FVisitedColor, Value))
        return;
    UpdateLinkColor();
    Invalidate();
}

void TFcURLLabel::Click()
{
    // OnClick may free the label; the link is then not followed.
    const TComponentRef<> Self(this);
    TFcLabel::Click();
    if (!Self)
        return;
    String Target = FURL.trimmed();
    if (Target.isEmpty())
        Target = Caption().trimmed();
    if (Target.isEmpty())
        return;
    // What the shell would refuse fails as silently as what it cannot
    // open: a link shows no message.
    const bool Allowed = ShellTarget(QStringLiteral("Open"), Target, String()).Allowed();
    if (Allowed && ShellExecute(nullptr, QStringLiteral("Open"), Target, String(), String(), SW_SHOWNORMAL) > 32) {
        SetVisited(true);
        return;
    }
    if (ExtractFileExt(Target).toUpper() == QLatin1String(".HTM") && OpenWithHook())
        OpenWithHook()(QStringLiteral("*.htm"));
}
