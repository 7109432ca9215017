#include "controls/foundation/FcCustomizeCaptions.h"

#include "platform/classes/TypInfo.h"

REGISTER_CLASS(TFcCustomizeCaptions, TPersistent)
    PUBLISHED_NODEFAULT_STORED(Title, &TFcCustomizeCaptions::Modified)
    PUBLISHED_NODEFAULT_STORED(Hint, &TFcCustomizeCaptions::Modified)
    PUBLISHED_NODEFAULT_STORED(Close, &TFcCustomizeCaptions::Modified)
    PUBLISHED_NODEFAULT_STORED(MoveUp, &TFcCustomizeCaptions::Modified)
    PUBLISHED_NODEFAULT_STORED(MoveDown, &TFcCustomizeCaptions::Modified)
    PUBLISHED_NODEFAULT_STORED(TextOptions, &TFcCustomizeCaptions::Modified)
    PUBLISHED_NODEFAULT_STORED(NoTextLabels, &TFcCustomizeCaptions::Modified)
    PUBLISHED_NODEFAULT_STORED(ShowTextLabels, &TFcCustomizeCaptions::Modified)
    PUBLISHED_NODEFAULT_STORED(SelectiveTextOnRight, &TFcCustomizeCaptions::Modified)
END_REGISTER

TFcCustomizeCaptions::TFcCustomizeCaptions()
    : FCaptions{QStringLiteral("Customize Toolbar"),
                QStringLiteral("Uncheck to hide control"),
                QStringLiteral("Close"),
                QStringLiteral("Move Up"),
                QStringLiteral("Move Down"),
                QStringLiteral("Text Options"),
                QStringLiteral("No text labels"),
                QStringLiteral("Show text labels"),
                QStringLiteral("Selective text on right")}
{}

void TFcCustomizeCaptions::SetCaption(int Index, const String& Value)
{
    FCaptions[std::size_t(Index - 1)] = Value;
    FModified = true;
}

void TFcCustomizeCaptions::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TFcCustomizeCaptions*>(Source)) {
        FCaptions = S->FCaptions;
        FModified = S->FModified;
        return;
    }
    TPersistent::Assign(Source);
}
