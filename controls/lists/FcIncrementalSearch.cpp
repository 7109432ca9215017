#include "controls/lists/FcIncrementalSearch.h"

#include "controls/foundation/FcPlatformHelpers.h"

#include <utility>

TFcIncrementalSearch::TFcIncrementalSearch(TComponent* Owner) : FTimer(new TTimer(Owner))
{
    FTimer->SetEnabled(false);
    FTimer->SetInterval(SearchTimeout);
    FTimer->SetOnTimer([this](TObject*) { Tick(); });
}

bool TFcIncrementalSearch::TakeCharacter(QChar Unit, String& Character)
{
    if (Unit.isHighSurrogate()) {
        FHighSurrogate = Unit;
        return false;
    }
    const QChar High = std::exchange(FHighSurrogate, QChar());
    if (!Unit.isLowSurrogate()) {
        Character = String(Unit);
        return true;
    }
    // A second half without its first (a key handler took that) is no
    // character at all.
    if (High.isNull())
        return false;
    Character = String(High) + Unit;
    return true;
}

String TFcIncrementalSearch::WithoutLast() const
{
    const qsizetype N = FText.size();
    const bool Pair = N >= 2 && FText.at(N - 1).isLowSurrogate() && FText.at(N - 2).isHighSurrogate();
    return FText.left(N - (Pair ? 2 : 1));
}

void TFcIncrementalSearch::Restart()
{
    FTimer->SetEnabled(false);
    FTimer->SetInterval(SearchTimeout);
    FTimer->SetEnabled(true);
}

void TFcIncrementalSearch::Tick()
{
    if (FTyping)
        return;
    FTimer->SetEnabled(false);
    FText.clear();
}
