#pragma once
// The incremental search the framed list and combo boxes share: the text
// typed so far, and a timer (owned by the control) that forgets it after
// SearchTimeout without typing.  While a typed character is being
// searched the timer does not clear the text.  A character outside the
// Basic Multilingual Plane arrives as two halves (an input method posts
// each) and counts as one character: it is added and taken off whole.
#include "platform/forms/Timer.h"

class TFcIncrementalSearch {
public:
    explicit TFcIncrementalSearch(TComponent* Owner);

    const String& Text() const { return FText; }
    void SetText(const String& Value) { FText = Value; }
    void Clear() { FText.clear(); }
    bool Empty() const { return FText.isEmpty(); }
    TTimer* Timer() const { return FTimer; }

    // The character a typed unit makes: false while it is the first half
    // of a pair (kept until the second arrives), and for a second half
    // that came without its first.
    bool TakeCharacter(QChar Unit, String& Character);
    // Text without its last character.
    String WithoutLast() const;
    // Step runs with the typing flag on; then the pause starts again.
    template <typename F>
    void Typed(F&& Step)
    {
        FTyping = true;
        try {
            Step();
        } catch (...) {
            FTyping = false;
            throw;
        }
        Restart();
        FTyping = false;
    }
    void Restart();

private:
    void Tick();

    String FText;
    TTimer* FTimer;
    bool FTyping = false;
    QChar FHighSurrogate;
};
