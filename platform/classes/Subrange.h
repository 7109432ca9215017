#pragma once
// Enumerations that share identifiers.  THE RULE: identifiers of
// enumerations are global, so two enumeration types share identifiers only
// when one is a true sub-range of the other, declared as TSubrange of the
// enumeration that owns the names; every other enumeration keeps its classic
// names, which are unique.
//
//   enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
//   using TBorderStyle = TSubrange<TFormBorderStyle, bsNone, bsSingle>;
//   REGISTER_ENUM(TFormBorderStyle, bsNone, bsSingle, ...)  // names, once, for the base
//   REGISTER_SUBRANGE(TBorderStyle)                         // the type's own name, for messages
//
// A sub-range value converts to and from its base enumeration, so it takes
// the base's identifiers, compares with them and switches over them:
//
//   TBorderStyle Style = bsSingle;
//   switch (Style) { case bsNone: ...; case bsSingle: ...; default: break; }
//
// Giving it a value outside the range raises ERangeError ("Range check
// error"), or fails to compile where the value is a constant expression.  A
// default-constructed one holds the first value.  For the property registry
// it is an enumeration with its base's names limited to the range: the
// writer writes names, and reading a name outside the range (bsDialog into a
// control's BorderStyle) is refused as an invalid property value.
#include "platform/rtl/Exceptions.h"

#include <type_traits>

namespace QvSubrange {
[[noreturn]] inline void RangeError()
{
    throw ERangeError(QStringLiteral("Range check error"));
}
} // namespace QvSubrange

template <typename E, E First, E Last>
class TSubrange {
    static_assert(std::is_enum_v<E>, "a sub-range is a range of an enumeration");
    static_assert(First <= Last, "a sub-range runs from its first to its last value");

public:
    using Base = E;
    static constexpr E Low = First;
    static constexpr E High = Last;

    constexpr TSubrange() = default;
    constexpr TSubrange(E Value) : FValue(Checked(Value)) {}
    constexpr operator E() const { return FValue; }

    static constexpr bool Contains(E Value) { return Value >= First && Value <= Last; }

private:
    static constexpr E Checked(E Value)
    {
        if (!Contains(Value))
            QvSubrange::RangeError();
        return Value;
    }

    E FValue = First;
};
