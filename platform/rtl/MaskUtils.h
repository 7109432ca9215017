#pragma once
// Edit masks: the classic mask syntax, read once into a layout of positions
// that a masked edit, a field's display text or a grid's in-place editor
// work on.  Non-visual, so that the data layer can format field texts with
// the same rules the edits use.
//
// A mask has up to three fields separated by ';':
//   mask ; save-literals ; blank
// "0000;1; " is four required digits, literals saved with the text, shown
// blanks as spaces.  The save field is '0' (literals are not part of Text)
// or anything else (they are; also when the field is left out); the blank
// field is the character unfilled positions show (default '_').
//
// Mask characters, each one position of the edit text unless noted:
//   0 digit, required        9 digit, optional       # digit or sign, optional
//   L letter, required       l letter, optional
//   A letter or digit, req.  a letter or digit, opt.
//   C any character, req.    c any character, optional
//   /  the date separator    :  the time separator   _  a space (literal)
//   \x the literal x         other characters are literals
// Directives, which take no position: '>' upper case from here, '<' lower
// case from here, "<>" no case conversion, '!' optional characters are
// blanks at the start of a value rather than at its end.
//
// Texts: EditText is what the edit shows (every position, literals in
// place, unfilled positions as the blank character).  Text is the value
// kept: with literals saved every position (blanks as spaces); without,
// the input positions only, blanks as spaces, trimmed at the end ('!': at
// the start).
#include "platform/rtl/System.h"

#include <vector>

struct TFormatSettings;

// The default character of unfilled positions.
inline constexpr char16_t DefaultMaskBlank = u'_';

enum TMaskCase { mcNoCase, mcUpperCase, mcLowerCase };

// One character of the edit text.
struct TMaskPosition {
    bool IsLiteral = true;
    // Literal: the character shown.  Input: the mask code (0 9 # L l A a C c).
    QChar Char;
    TMaskCase Case = mcNoCase;
    bool Required() const;
    // Whether C may be typed here (after case conversion); never a
    // surrogate, half of a character beyond the Basic Multilingual Plane.
    bool Accepts(QChar C) const;
    // C as this position stores it (case conversion).
    QChar Convert(QChar C) const;
};

class TMaskLayout {
public:
    TMaskLayout() = default;
    // Separators '/' and ':' come from Settings (default: the process-wide
    // FormatSettings).
    explicit TMaskLayout(const String& EditMask);
    TMaskLayout(const String& EditMask, const TFormatSettings& Settings);

    // A mask with at least one position; an empty mask means a plain edit.
    bool IsMasked() const { return !FPositions.empty(); }
    int Length() const { return int(FPositions.size()); }
    const TMaskPosition& Position(int Index) const { return FPositions[std::size_t(Index)]; }
    bool IsLiteral(int Index) const { return Index < 0 || Index >= Length() || Position(Index).IsLiteral; }
    bool SaveLiterals() const { return FSaveLiterals; }
    QChar Blank() const { return FBlank; }
    bool LeadingBlanks() const { return FLeadingBlanks; }

    // Input positions: the first at or after Index (Length() when none),
    // the last before Index (-1 when none).
    int NextInput(int Index) const;
    int PriorInput(int Index) const;
    int FirstInput() const { return NextInput(0); }
    int InputCount() const;

    // Every position unfilled: literals and blanks.
    String EmptyEditText() const;
    // A value as Text keeps it, laid out as the edit shows it.
    String EditTextFromText(const String& Text) const;
    // The value an edit text stands for.
    String TextFromEditText(const String& EditText) const;
    // The first position that holds what the mask does not allow there (a
    // blank in a required position, a letter in a digit position ...); -1
    // when the edit text is valid.  A text of the wrong length is invalid
    // at the first position where it differs.
    int FirstInvalid(const String& EditText) const;

private:
    void Parse(const String& Mask, const TFormatSettings& Settings);

    std::vector<TMaskPosition> FPositions;
    bool FSaveLiterals = true;
    QChar FBlank = QChar(DefaultMaskBlank);
    bool FLeadingBlanks = false;
};

// --- the classic calls ---------------------------------------------------------
// Value (as Text keeps it) laid out by the mask, unfilled positions as
// spaces: the display form of a masked value.
String FormatMaskText(const String& EditMask, const String& Value);
// Whether the mask saves its literals with the text.
bool MaskGetMaskSave(const String& EditMask);
// The character unfilled positions show.
QChar MaskGetMaskBlank(const String& EditMask);
// The index of the separator before the save field; -1 when the mask has
// no fields.
int MaskGetFldSeparator(const String& EditMask);
