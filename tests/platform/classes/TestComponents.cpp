#include "TestComponents.h"

#include "platform/classes/TypInfo.h"

#include <algorithm>

REGISTER_ENUM(TTestAlign, taNone, taTop, taBottom, taClient)
REGISTER_ENUM(TTestAnchorKind, takLeft, takTop, takRight, takBottom)
REGISTER_INTEGER_CONSTS(TTestColor, {{tclBlack, "tclBlack"}, {tclRed, "tclRed"}, {tclWhite, "tclWhite"}, {tclFace, "tclFace"}})

REGISTER_CLASS(TTestFont, TPersistent)
    PUBLISHED(Name, "Tahoma")
    PUBLISHED(Size, 8)
    PUBLISHED(Bold, false)
END_REGISTER

REGISTER_CLASS(TTestColumn, TCollectionItem)
    PUBLISHED(Caption, String())
    PUBLISHED(Width, 50)
    PUBLISHED(Link, nullptr)
END_REGISTER

REGISTER_COMPONENT(TTestControl, TComponent)
    PUBLISHED_NODEFAULT(Width)
    PUBLISHED(Enabled, true)
    PUBLISHED(Caption, String())
    PUBLISHED_STORED(Hint, String(), &TTestControl::IsHintStored)
    PUBLISHED(ParentHint, true)
    PUBLISHED(Ratio, 0.0)
    PUBLISHED(Align, taNone)
    PUBLISHED(Anchors, TTestAnchors{takLeft, takTop})
    PUBLISHED(Color, tclFace)
    PUBLISHED(Accel, QChar())
    PUBLISHED(Big, 0)
    PUBLISHED_OBJECT(Font)
    PUBLISHED_OBJECT(Items)
    PUBLISHED_OBJECT(Columns)
    PUBLISHED(Buddy, nullptr)
    PUBLISHED_EVENT(OnClick)
    PUBLISHED_EVENT(OnValue)
END_REGISTER

REGISTER_COMPONENT(TTestPanel, TTestControl)
    PUBLISHED(BevelWidth, 1)
    // A descendant with another default for an inherited property.
    PUBLISHED(Enabled, false)
END_REGISTER

REGISTER_COMPONENT(TTestModule, TDataModule)
    PUBLISHED_METHOD(ModuleCreate)
    PUBLISHED_METHOD(ModuleDestroy)
    PUBLISHED_METHOD(ButtonClick)
END_REGISTER
REGISTER_METHOD(TTestModule, ValueChanged)

REGISTER_COMPONENT(TTestDerivedModule, TTestModule)
    PUBLISHED_FIELD(Table)
    PUBLISHED_FIELD(Extra)
END_REGISTER

REGISTER_COMPONENT(TTestOtherModule, TDataModule)
END_REGISTER

void TTestFont::Assign(TPersistent* Source)
{
    if (auto* F = dynamic_cast<TTestFont*>(Source)) {
        FName = F->FName;
        FSize = F->FSize;
        FBold = F->FBold;
        return;
    }
    TPersistent::Assign(Source);
}

void TTestColumn::Assign(TPersistent* Source)
{
    if (auto* C = dynamic_cast<TTestColumn*>(Source)) {
        FCaption = C->FCaption;
        FWidth = C->FWidth;
        FLink = C->FLink;
        return;
    }
    TCollectionItem::Assign(Source);
}

TTestColumns::TTestColumns(TPersistent* AOwner) : TOwnedCollection(AOwner, ClassOf<TTestColumn>()) {}

TTestControl::TTestControl(TComponent* AOwner)
    : TComponent(AOwner),
      FFont(std::make_unique<TTestFont>()),
      FItems(std::make_unique<TStringList>()),
      FColumns(std::make_unique<TTestColumns>(this))
{
}

TTestControl::~TTestControl()
{
    // Children may outlive the parent link when their owner is elsewhere.
    for (TTestControl* Child : FControls)
        Child->FParent = nullptr;
    SetParent(nullptr);
}

void TTestControl::SetBuddy(TTestControl* Value)
{
    if (FBuddy == Value)
        return;
    if (FBuddy != nullptr)
        FBuddy->RemoveFreeNotification(this);
    FBuddy = Value;
    if (FBuddy != nullptr)
        FBuddy->FreeNotification(this);
}

void TTestControl::SetParent(TTestControl* Value)
{
    if (FParent == Value)
        return;
    if (FParent != nullptr)
        FParent->FControls.erase(std::remove(FParent->FControls.begin(), FParent->FControls.end(), this),
                                 FParent->FControls.end());
    FParent = Value;
    if (FParent != nullptr)
        FParent->FControls.push_back(this);
}

void TTestControl::SetParentComponent(TComponent* Value)
{
    if (auto* Control = dynamic_cast<TTestControl*>(Value))
        SetParent(Control);
}

void TTestControl::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    (void)Root;
    for (TTestControl* Child : FControls)
        Proc(Child);
}

void TTestControl::DefineProperties(TFiler& Filer)
{
    TComponent::DefineProperties(Filer);
    // An old name that is read and dropped, and one that maps to Caption.
    Filer.DefineProperty(QStringLiteral("OldStyle"), [](TReader& Reader) { Reader.SkipValue(); }, nullptr, false);
    Filer.DefineProperty(QStringLiteral("Text"), [this](TReader& Reader) { SetCaption(Reader.ReadString()); },
                         nullptr, false);
    Filer.DefineBinaryProperty(
        QStringLiteral("Picture"),
        [this](const QByteArray& Data) {
            if (Data.startsWith("\xBA\xD0"))
                throw EReadError(QStringLiteral("Picture data is damaged"));
            FPicture = Data;
        },
        [this] { return FPicture; }, !FPicture.isEmpty());
    Filer.DefineProperty(
        QStringLiteral("Points"),
        [this](TReader& Reader) {
            Points.clear();
            Reader.ReadListBegin();
            while (!Reader.EndOfList()) {
                const int X = Reader.ReadInteger();
                const int Y = Reader.ReadInteger();
                Points.emplace_back(X, Y);
            }
            Reader.ReadListEnd();
        },
        [this](TWriter& Writer) {
            Writer.WriteListBegin();
            for (const auto& P : Points) {
                Writer.WriteInteger(P.first);
                Writer.WriteInteger(P.second);
            }
            Writer.WriteListEnd();
        },
        !Points.empty());
}

void TTestControl::Loaded()
{
    StateAtLoaded = ComponentState().Contains(csLoading);
    TComponent::Loaded();
    ++LoadedCount;
    BuddyAtLoaded = FBuddy != nullptr;
}

void TTestControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) {
        Removed.push_back(AComponent);
        if (AComponent == FBuddy)
            FBuddy = nullptr;
    }
}
