#include "controls/foundation/FcFrameController.h"

#include "controls/foundation/FcOldPropReader.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Controls.h"

#include <algorithm>

REGISTER_ENUM(TFcFrameControllerProperty, fcpColor, fcpFocusColor, fcpDisabledColor, fcpReadOnlyColor,
              fcpReadOnlyColorOnFocus, fcpParentColor, fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor,
              fcpFrameHotColor, fcpFrameHotTrack, fcpFrameHotStyle, fcpFrameSides, fcpFrameStyle, fcpFrameVisible,
              fcpFramingPreference, fcpAll)

REGISTER_COMPONENT(TFcFrameController, TComponent)
    PUBLISHED_STORED(Color, clWindow, &TFcFrameController::IsColorStored)
    PUBLISHED(DisabledColor, clBtnFace)
    PUBLISHED(ReadOnlyColor, clInfoBk)
    PUBLISHED(ReadOnlyColorOnFocus, false)
    PUBLISHED(FlatButtonColor, clBtnFace)
    PUBLISHED(FlatButtons, true)
    PUBLISHED(FocusColor, clWindow)
    PUBLISHED(FrameColor, clBtnShadow)
    PUBLISHED(FrameHotColor, clBtnShadow)
    PUBLISHED(FrameHotStyle, TFrameStyle(fsFlatBold))
    PUBLISHED(FrameHotTrack, false)
    PUBLISHED(FrameSides, AllSides)
    PUBLISHED(FrameStyle, TFrameStyle(fsFlat))
    PUBLISHED(FrameVisible, false)
    PUBLISHED(FramingPreference, fpXPThemes)
    PUBLISHED(ParentColor, false)
    PUBLISHED(RegIniFile, nullptr)
END_REGISTER

namespace {

// The published names of the 16 properties, by TFcFrameControllerProperty.
const char* const PropertyNames[fcpAll] = {
    "Color",           "FocusColor",  "DisabledColor", "ReadOnlyColor",    "ReadOnlyColorOnFocus", "ParentColor",
    "FlatButtonColor", "FlatButtons", "FrameColor",    "FrameHotColor",    "FrameHotTrack",        "FrameHotStyle",
    "FrameSides",      "FrameStyle",  "FrameVisible",  "FramingPreference"};

// The order fcpAll gives them in: ParentColor first, so that a control
// taking its parent's colour is not then given a colour of its own.
const TFcFrameControllerProperty AllInOrder[] = {
    fcpParentColor,          fcpColor,         fcpDisabledColor,   fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus, fcpFocusColor,    fcpFlatButtonColor, fcpFlatButtons,
    fcpFrameColor,           fcpFrameHotColor, fcpFrameHotTrack,   fcpFrameHotStyle,
    fcpFrameSides,           fcpFrameStyle,    fcpFrameVisible,    fcpFramingPreference};

String NameOf(TFcFrameControllerProperty Prop)
{
    return QString::fromLatin1(PropertyNames[Prop]);
}

// The control's notification mask; a control without one takes everything.
std::uint64_t NotificationMask(TComponent* Control)
{
    const TPropInfo* P = GetPropInfo(Control, QStringLiteral("FrameControllerNotifications"));
    if (P == nullptr || P->Kind() != tkSet)
        return AllFrameControllerNotifications.Bits();
    return std::uint64_t(GetOrdProp(Control, P)) & AllFrameControllerNotifications.Bits();
}

} // namespace

TFcFrameController::TFcFrameController(TComponent* AOwner) : TComponent(AOwner)
{}

TFcFrameController::~TFcFrameController() = default;

void TFcFrameController::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TFcFrameController*>(Source);
    if (Other == nullptr) {
        TComponent::Assign(Source);
        return;
    }
    BeginUpdate();
    FColor = Other->FColor;
    FDisabledColor = Other->FDisabledColor;
    FReadOnlyColor = Other->FReadOnlyColor;
    FReadOnlyColorOnFocus = Other->FReadOnlyColorOnFocus;
    FFlatButtonColor = Other->FFlatButtonColor;
    FFlatButtons = Other->FFlatButtons;
    FFocusColor = Other->FFocusColor;
    FFrameColor = Other->FFrameColor;
    FFrameHotColor = Other->FFrameHotColor;
    FFrameHotTrack = Other->FFrameHotTrack;
    FFrameHotStyle = Other->FFrameHotStyle;
    FFrameSides = Other->FFrameSides;
    FFrameStyle = Other->FFrameStyle;
    FFrameVisible = Other->FFrameVisible;
    FFramingPreference = Other->FFramingPreference;
    FParentColor = Other->FParentColor;
    EndUpdate();
}

template <typename T>
void TFcFrameController::Change(T& Field, const T& Value, TFcFrameControllerProperty Prop)
{
    if (AssignIfChanged(Field, Value))
        PushPropertyToAll(Prop);
}

void TFcFrameController::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    const TColor Old = FColor;
    FColor = Value;
    if (FFocusColor == Old)
        SetFocusColor(Value);
    SetParentColor(false);
    PushPropertyToAll(fcpColor);
}

void TFcFrameController::SetDisabledColor(TColor Value)
{
    Change(FDisabledColor, Value, fcpDisabledColor);
}

void TFcFrameController::SetReadOnlyColor(TColor Value)
{
    Change(FReadOnlyColor, Value, fcpReadOnlyColor);
}

void TFcFrameController::SetReadOnlyColorOnFocus(bool Value)
{
    Change(FReadOnlyColorOnFocus, Value, fcpReadOnlyColorOnFocus);
}

void TFcFrameController::SetFlatButtonColor(TColor Value)
{
    Change(FFlatButtonColor, Value, fcpFlatButtonColor);
}

void TFcFrameController::SetFlatButtons(bool Value)
{
    Change(FFlatButtons, Value, fcpFlatButtons);
}

void TFcFrameController::SetFocusColor(TColor Value)
{
    Change(FFocusColor, Value, fcpFocusColor);
}

void TFcFrameController::SetFrameColor(TColor Value)
{
    Change(FFrameColor, Value, fcpFrameColor);
}

void TFcFrameController::SetFrameHotColor(TColor Value)
{
    Change(FFrameHotColor, Value, fcpFrameHotColor);
}

void TFcFrameController::SetFrameHotStyle(TFrameStyle Value)
{
    Change(FFrameHotStyle, Value, fcpFrameHotStyle);
}

void TFcFrameController::SetFrameHotTrack(bool Value)
{
    if (FFrameHotTrack == Value)
        return;
    if (Value) {
        SetFrameVisible(true);
        if (!ComponentState().Contains(csLoading))
            SetFrameSides(AllSides);
    }
    FFrameHotTrack = Value;
    PushPropertyToAll(fcpFrameHotTrack);
}

void TFcFrameController::SetFrameSides(TSides Value)
{
    Change(FFrameSides, Value, fcpFrameSides);
}

void TFcFrameController::SetFrameStyle(TFrameStyle Value)
{
    Change(FFrameStyle, Value, fcpFrameStyle);
}

void TFcFrameController::SetFrameVisible(bool Value)
{
    Change(FFrameVisible, Value, fcpFrameVisible);
}

void TFcFrameController::SetFramingPreference(TFramingPreference Value)
{
    Change(FFramingPreference, Value, fcpFramingPreference);
}

void TFcFrameController::SetParentColor(bool Value)
{
    if (!AssignIfChanged(FParentColor, Value))
        return;
    PushPropertyToAll(fcpParentColor);
    // A control that no longer takes its parent's colour needs one.
    if (!Value)
        PushPropertyToAll(fcpColor);
}

void TFcFrameController::SetRegIniFile(TFcRegIniFile* Value)
{
    if (FRegIniFile == Value)
        return;
    FRegIniFile = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

void TFcFrameController::RegisterFramedControl(TComponent* Control)
{
    if (Control == nullptr || std::find(FControls.begin(), FControls.end(), Control) != FControls.end())
        return;
    FControls.push_back(Control);
    // A control that goes without leaving the list is taken off it then.
    Control->FreeNotification(this);
    PushFrameProperty(Control, fcpAll);
}

void TFcFrameController::UnregisterFramedControl(TComponent* Control)
{
    const auto It = std::find(FControls.begin(), FControls.end(), Control);
    if (It != FControls.end())
        FControls.erase(It);
    if (FControls.empty())
        FControls.shrink_to_fit();
}

void TFcFrameController::PushFrameProperty(TComponent* Control, TFcFrameControllerProperty Prop)
{
    if (dynamic_cast<TControl*>(Control) == nullptr || Prop > fcpAll)
        return;
    if (auto* Client = dynamic_cast<IFcFrameControllerClient*>(Control)) {
        Client->ApplyFrameController();
        return;
    }
    const std::uint64_t Mask = NotificationMask(Control);
    const auto Push = [&](TFcFrameControllerProperty P) {
        if ((Mask & (std::uint64_t(1) << P)) != 0)
            PushByName(Control, P);
    };
    if (Prop != fcpAll) {
        Push(Prop);
        return;
    }
    for (TFcFrameControllerProperty P : AllInOrder)
        if (P != fcpColor || !FParentColor)
            Push(P);
}

// The control's published property of the same name takes the controller's
// value; a control without one (or with one of another kind) is left alone.
void TFcFrameController::PushByName(TComponent* Control, TFcFrameControllerProperty Prop)
{
    const String Name = NameOf(Prop);
    const TPropInfo* Theirs = GetPropInfo(Control, Name);
    const TPropInfo* Ours = GetPropInfo(this, Name);
    if (Theirs == nullptr || Ours == nullptr || !Theirs->SetOrd || Theirs->Kind() != Ours->Kind())
        return;
    if (Ours->Kind() == tkSet)
        SetSetProp(Control, Name, GetSetProp(this, Name));
    else
        SetOrdProp(Control, Theirs, GetOrdProp(this, Ours));
}

void TFcFrameController::PushPropertyToAll(TFcFrameControllerProperty Prop)
{
    if (FUpdateCount >= 1)
        return;
    // A control may leave the list while it takes a setting.
    const std::vector<TComponent*> Controls = FControls;
    for (TComponent* C : Controls)
        if (std::find(FControls.begin(), FControls.end(), C) != FControls.end())
            PushFrameProperty(C, Prop);
}

void TFcFrameController::BeginUpdate()
{
    ++FUpdateCount;
}

void TFcFrameController::EndUpdate()
{
    if (--FUpdateCount >= 1)
        return;
    FUpdateCount = 0;
    PushPropertyToAll(fcpAll);
}

void TFcFrameController::Loaded()
{
    TComponent::Loaded();
    PushPropertyToAll(fcpAll);
}

void TFcFrameController::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FRegIniFile)
        FRegIniFile = nullptr;
    UnregisterFramedControl(AComponent);
}

// --- for the framed controls -------------------------------------------------

void ChangeFrameController(TComponent* Control, TFcFrameController*& Field, TFcFrameController* Value)
{
    if (Field == Value)
        return;
    if (Field != nullptr)
        Field->UnregisterFramedControl(Control);
    Field = Value;
    if (Value != nullptr) {
        Value->FreeNotification(Control);
        Value->RegisterFramedControl(Control);
    }
}

bool IsFramingPropertyStored(const TFcFrameController* Controller, TFcFrameControllerNotifications Notifications,
                             TFcFrameControllerProperty Prop)
{
    return Controller == nullptr || !Notifications.Contains(Prop);
}

namespace {

void SetByName(TComponent* Control, const char* Name, std::int64_t Value)
{
    const TPropInfo* P = GetPropInfo(Control, QString::fromLatin1(Name));
    if (P != nullptr && P->SetOrd)
        SetOrdProp(Control, P, Value);
}

// "FrameFlat = True" was a hot-tracked status frame that turns lowered.
void ReadFrameFlat(TReader& Reader, TComponent* Control)
{
    const bool Flat = Reader.ReadBoolean();
    SetByName(Control, "FrameHotTrack", Flat);
    if (Flat) {
        SetByName(Control, "FrameStyle", fsStatus);
        SetByName(Control, "FrameHotStyle", fsLowered);
    }
}

void ReadFrameFocusStyle(TReader& Reader, TComponent* Control)
{
    const String Ident = Reader.ReadIdent();
    const int Style = GetEnumValue(TypeInfoOf<TFrameStyleEx>(), Ident);
    if (Style < 0 || !TFrameStyle::Contains(TFrameStyleEx(Style)))
        Reader.Error(QStringLiteral("Invalid property value"));
    SetByName(Control, "FrameHotStyle", Style);
}

} // namespace

void DefineOldFrameProperties(TFiler& Filer, TComponent* Control)
{
    Filer.DefineProperty(
        QStringLiteral("FrameFlat"), [Control](TReader& R) { ReadFrameFlat(R, Control); }, nullptr, false);
    Filer.DefineProperty(
        QStringLiteral("FrameFocusStyle"), [Control](TReader& R) { ReadFrameFocusStyle(R, Control); }, nullptr, false);
    Filer.DefineProperty(QStringLiteral("FrameFlatStyle"), TFcOldPropReader::SkipIdentProperty, nullptr, false);
}
