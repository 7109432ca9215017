#pragma once
// A small family of component classes that exercises every kind of
// published property, custom streamed data and parent/child writing.  Not
// product classes: they exist only for the streaming tests.
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/DataModule.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/StringList.h"

#include <QByteArray>
#include <memory>
#include <utility>
#include <vector>

enum TTestAlign { taNone, taTop, taBottom, taClient };
enum TTestAnchorKind { takLeft, takTop, takRight, takBottom };
using TTestAnchors = TSet<TTestAnchorKind>;
enum TTestColor : std::int32_t { tclBlack = 0, tclRed = 0x0000FF, tclWhite = 0xFFFFFF, tclFace = -16 };

class TTestControl;
using TTestValueEvent = std::function<void(TTestControl* Sender, int Value)>;

class TTestFont : public TPersistent {
public:
    String Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    int Size() const { return FSize; }
    void SetSize(int Value) { FSize = Value; }
    bool Bold() const { return FBold; }
    void SetBold(bool Value) { FBold = Value; }
    void Assign(TPersistent* Source) override;

private:
    String FName = QStringLiteral("Tahoma");
    int FSize = 8;
    bool FBold = false;
};

class TTestColumn : public TCollectionItem {
public:
    explicit TTestColumn(TCollection* Collection) : TCollectionItem(Collection) {}
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; Changed(false); }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; Changed(true); }
    TTestControl* Link() const { return FLink; }
    void SetLink(TTestControl* Value) { FLink = Value; }
    void Assign(TPersistent* Source) override;

protected:
    String GetDisplayName() const override { return FCaption.isEmpty() ? TCollectionItem::GetDisplayName() : FCaption; }

private:
    String FCaption;
    int FWidth = 50;
    TTestControl* FLink = nullptr;
};

// Records the Update calls it gets.
class TTestColumns : public TOwnedCollection {
public:
    explicit TTestColumns(TPersistent* AOwner);
    TTestColumn* Items(int Index) const { return static_cast<TTestColumn*>(TCollection::Items(Index)); }
    std::vector<TCollectionItem*> Updates;

protected:
    void Update(TCollectionItem* Item) override { Updates.push_back(Item); }
};

class TTestControl : public TComponent {
public:
    explicit TTestControl(TComponent* AOwner);
    ~TTestControl() override;

    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    String Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool ParentHint() const { return FParentHint; }
    void SetParentHint(bool Value) { FParentHint = Value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double Value) { FRatio = Value; }
    TTestAlign Align() const { return FAlign; }
    void SetAlign(TTestAlign Value) { FAlign = Value; }
    TTestAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TTestAnchors Value) { FAnchors = Value; }
    TTestColor Color() const { return FColor; }
    void SetColor(TTestColor Value) { FColor = Value; }
    QChar Accel() const { return FAccel; }
    void SetAccel(QChar Value) { FAccel = Value; }
    std::int64_t Big() const { return FBig; }
    void SetBig(std::int64_t Value) { FBig = Value; }
    TTestFont* Font() const { return FFont.get(); }
    TStrings* Items() const { return FItems.get(); }
    TTestColumns* Columns() const { return FColumns.get(); }
    TTestControl* Buddy() const { return FBuddy; }
    void SetBuddy(TTestControl* Value);
    DECLARE_EVENT(TNotifyEvent, OnClick)
    DECLARE_EVENT(TTestValueEvent, OnValue)

    // Custom streamed data.
    QByteArray Picture() const { return FPicture; }
    void SetPicture(const QByteArray& Value) { FPicture = Value; }
    std::vector<std::pair<int, int>> Points;

    // Parent/child structure, as controls have.
    TTestControl* Parent() const { return FParent; }
    void SetParent(TTestControl* Value);
    int ControlCount() const { return int(FControls.size()); }
    TTestControl* Controls(int Index) const { return FControls[std::size_t(Index)]; }

    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return FParent != nullptr; }
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void DefineProperties(TFiler& Filer) override;

    int LoadedCount = 0;
    bool StateAtLoaded = false;      // csLoading was still set in Loaded
    bool BuddyAtLoaded = false;      // references were resolved before Loaded
    std::vector<TComponent*> Removed; // opRemove notifications received

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

public:
    bool IsHintStored() const { return !FParentHint; }

private:

    int FWidth = 0;
    bool FEnabled = true;
    String FCaption;
    String FHint;
    bool FParentHint = true;
    double FRatio = 0;
    TTestAlign FAlign = taNone;
    TTestAnchors FAnchors{takLeft, takTop};
    TTestColor FColor = tclFace;
    QChar FAccel;
    std::int64_t FBig = 0;
    std::unique_ptr<TTestFont> FFont;
    std::unique_ptr<TStringList> FItems;
    std::unique_ptr<TTestColumns> FColumns;
    TTestControl* FBuddy = nullptr;
    QByteArray FPicture;
    TTestControl* FParent = nullptr;
    std::vector<TTestControl*> FControls;

    friend class TTestControlAccess;
};

class TTestPanel : public TTestControl {
public:
    explicit TTestPanel(TComponent* AOwner) : TTestControl(AOwner) { SetEnabled(false); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value) { FBevelWidth = Value; }

private:
    int FBevelWidth = 1;
};

// A root with handler methods bound by name.
class TTestModule : public TDataModule {
public:
    explicit TTestModule(TComponent* AOwner) : TDataModule(AOwner) {}
    void ModuleCreate(TObject* Sender) { (void)Sender; ++Created; }
    void ModuleDestroy(TObject* Sender) { (void)Sender; ++DestroyCalls; }
    void ButtonClick(TObject* Sender) { Clicked = Sender; }
    void ValueChanged(TTestControl* Sender, int Value) { (void)Sender; LastValue = Value; }
    int Created = 0;
    static inline int DestroyCalls = 0;
    TObject* Clicked = nullptr;
    int LastValue = 0;
};

// Designed in two definitions: its ancestor's and its own.  Its fields
// point at a component of each.
class TTestDerivedModule : public TTestModule {
public:
    explicit TTestDerivedModule(TComponent* AOwner) : TTestModule(AOwner) {}
    TTestControl* Table = nullptr;
    TTestControl* Extra = nullptr;
};

class TTestOtherModule : public TDataModule {
public:
    explicit TTestOtherModule(TComponent* AOwner) : TDataModule(AOwner) {}
};
