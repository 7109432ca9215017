#include "platform/windows/ControlTypes.h"

#include "platform/classes/TypInfo.h"
#include "platform/windows/WinUser.h"

#include <map>

REGISTER_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
REGISTER_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
REGISTER_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)
REGISTER_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
REGISTER_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)
REGISTER_ENUM(TDragMode, dmManual, dmAutomatic)
REGISTER_ENUM(TDragKind, dkDrag, dkDock)
REGISTER_ENUM(TDockOrientation, doNoOrient, doHorizontal, doVertical)
REGISTER_ENUM(THelpType, htKeyword, htContext)
REGISTER_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
              csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
              csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint,
              csParentBackground, csPannable, csAlignWithMargins, csGestures, csPaintBlackOpaqueOnGlass,
              csOverrideStylePaint)

namespace {

const TIdentMapEntry CursorNames[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},         {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},   {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},         {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},     {crSize, "crSize"},
};

std::map<int, HCURSOR>& CursorTable()
{
    static auto* Table = new std::map<int, HCURSOR>{
        {crDefault, IDC_ARROW},    {crArrow, IDC_ARROW},        {crCross, IDC_CROSS},
        {crIBeam, IDC_IBEAM},      {crSizeNESW, IDC_SIZENESW},  {crSizeNS, IDC_SIZENS},
        {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},     {crUpArrow, IDC_UPARROW},
        {crHourGlass, IDC_WAIT},   {crDrag, IDC_DRAG},          {crNoDrop, IDC_NODROP},
        {crHSplit, IDC_HSPLIT},    {crVSplit, IDC_VSPLIT},      {crMultiDrag, IDC_MULTIDRAG},
        {crSQLWait, IDC_SQLWAIT},  {crNo, IDC_NO},              {crAppStart, IDC_APPSTARTING},
        {crHelp, IDC_HELP},        {crHandPoint, IDC_HAND},     {crSizeAll, IDC_SIZEALL},
    };
    return *Table;
}

} // namespace

REGISTER_INTEGER_CONSTS(TCursor, TIdentToInt(IdentToCursor), TIntToIdent(CursorToIdent))

TAnchors AnchorAlign(TAlign Align)
{
    switch (Align) {
    case alTop: return {akLeft, akTop, akRight};
    case alBottom: return {akLeft, akRight, akBottom};
    case alLeft: return {akLeft, akTop, akBottom};
    case alRight: return {akRight, akTop, akBottom};
    case alClient: return {akLeft, akTop, akRight, akBottom};
    default: return DefaultAnchors;
    }
}

TShiftState KeysToShiftState(WPARAM Keys)
{
    TShiftState S;
    if (Keys & MK_SHIFT)
        S.Include(ssShift);
    if (Keys & MK_CONTROL)
        S.Include(ssCtrl);
    if (Keys & MK_LBUTTON)
        S.Include(ssLeft);
    if (Keys & MK_RBUTTON)
        S.Include(ssRight);
    if (Keys & MK_MBUTTON)
        S.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0)
        S.Include(ssAlt);
    return S;
}

TShiftState KeyDataToShiftState(LPARAM KeyData)
{
    TShiftState S;
    if (GetKeyState(VK_SHIFT) < 0)
        S.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        S.Include(ssCtrl);
    if ((std::uint32_t(KeyData) & KF_ALTDOWN_BIT) != 0)
        S.Include(ssAlt);
    return S;
}

TShiftState KeyboardStateToShiftState()
{
    TShiftState S;
    if (GetKeyState(VK_SHIFT) < 0)
        S.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        S.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0)
        S.Include(ssAlt);
    if (GetKeyState(VK_LBUTTON) < 0)
        S.Include(ssLeft);
    if (GetKeyState(VK_RBUTTON) < 0)
        S.Include(ssRight);
    if (GetKeyState(VK_MBUTTON) < 0)
        S.Include(ssMiddle);
    return S;
}

bool CursorToIdent(std::int64_t Cursor, String& Ident)
{
    for (const TIdentMapEntry& E : CursorNames)
        if (E.Value == Cursor) {
            Ident = QString::fromLatin1(E.Name);
            return true;
        }
    return false;
}

bool IdentToCursor(const String& Ident, std::int64_t& Cursor)
{
    for (const TIdentMapEntry& E : CursorNames)
        if (Ident.compare(QLatin1String(E.Name), Qt::CaseInsensitive) == 0) {
            Cursor = E.Value;
            return true;
        }
    return false;
}

HCURSOR CursorHandle(TCursor Cursor)
{
    const auto It = CursorTable().find(Cursor);
    return It == CursorTable().end() ? IDC_ARROW : It->second;
}

void SetCursorHandle(TCursor Cursor, HCURSOR Handle)
{
    CursorTable()[Cursor] = Handle;
}

String GetShortHint(const String& Hint)
{
    const int I = Hint.indexOf(QLatin1Char('|'));
    return I < 0 ? Hint : Hint.left(I);
}

String GetLongHint(const String& Hint)
{
    const int I = Hint.indexOf(QLatin1Char('|'));
    return I < 0 ? Hint : Hint.mid(I + 1);
}
