#pragma once
// TFcCustomizeCaptions (unit FcPanel): the nine texts of a toolbar's
// customisation dialog (its title, hint, buttons and text options).  The
// toolbar only keeps them; they are written to a form definition once any
// of them was assigned, and then all nine.
#include "platform/rtl/System.h"

#include <array>

class TFcCustomizeCaptions : public TPersistent {
public:
    TFcCustomizeCaptions();

    void Assign(TPersistent* Source) override;

    // Index 1 to 9, in the order of the properties below.
    String Caption(int Index) const { return FCaptions[std::size_t(Index - 1)]; }
    void SetCaption(int Index, const String& Value);
    bool Modified() const { return FModified; }

    String Title() const { return Caption(1); }
    void SetTitle(const String& Value) { SetCaption(1, Value); }
    String Hint() const { return Caption(2); }
    void SetHint(const String& Value) { SetCaption(2, Value); }
    String Close() const { return Caption(3); }
    void SetClose(const String& Value) { SetCaption(3, Value); }
    String MoveUp() const { return Caption(4); }
    void SetMoveUp(const String& Value) { SetCaption(4, Value); }
    String MoveDown() const { return Caption(5); }
    void SetMoveDown(const String& Value) { SetCaption(5, Value); }
    String TextOptions() const { return Caption(6); }
    void SetTextOptions(const String& Value) { SetCaption(6, Value); }
    String NoTextLabels() const { return Caption(7); }
    void SetNoTextLabels(const String& Value) { SetCaption(7, Value); }
    String ShowTextLabels() const { return Caption(8); }
    void SetShowTextLabels(const String& Value) { SetCaption(8, Value); }
    String SelectiveTextOnRight() const { return Caption(9); }
    void SetSelectiveTextOnRight(const String& Value) { SetCaption(9, Value); }

private:
    bool FModified = false;
    std::array<String, 9> FCaptions;
};
