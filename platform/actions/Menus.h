#pragma once
// Menus: TMenuItem trees (our items stay the truth; Qt only shows them),
// TPopupMenu shown at a point and returning when it closes, TMainMenu for
// a form, and shortcuts with their classic names ("Ctrl+S", "Alt+X", "F1").
//
// A menu command runs after the menu's own loop has ended, so a command
// may free the menu or its owner.  Tests replace the showing of a popup
// menu with a hook that picks an item (or none).
#include "platform/actions/ActnList.h"
#include "platform/actions/ImgList.h"
// Key codes and message records only (a header without code).
#include "platform/graphics/MessageTypes.h"

#include <functional>
#include <memory>
#include <vector>

class QFont;
class QMenu;

class TMenu;
class TMenuItem;
class TQtMenuView;

// A shortcut: the virtual key in the low byte, the shift keys above it.
enum : TShortCut { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0 };
TShortCut ShortCut(WORD Key, bool Shift, bool Ctrl, bool Alt);
// "Ctrl+Shift+F1", "Alt+X", "Del" ...; "" for 0.
String ShortCutToText(TShortCut ShortCut);
// 0 for text that names no shortcut.
TShortCut TextToShortCut(const String& Text);
// Splits a shortcut into its key and shift keys.
void ShortCutToKey(TShortCut ShortCut, WORD& Key, bool& Shift, bool& Ctrl, bool& Alt);
// The accelerator character of a caption ("&Open" gives 'O'); null when none.
QChar GetHotkey(const String& Caption);
// Whether Key is the accelerator of Caption (without regard to case).
bool IsAccel(WORD Key, const String& Caption);
// The caption without its accelerator marks ("&&" stays one '&').
String StripHotkey(const String& Caption);

class TMenuActionLink : public TActionLink {
public:
    explicit TMenuActionLink(TMenuItem* Client);
    bool IsCaptionLinked() override;
    bool IsCheckedLinked() override;
    bool IsEnabledLinked() override;
    bool IsHintLinked() override;
    bool IsImageIndexLinked() override;
    bool IsShortCutLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;
    void SetCaption(const String& Value) override;
    void SetChecked(bool Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const String& Value) override;
    void SetImageIndex(int Value) override;
    void SetShortCut(TShortCut Value) override;
    void SetVisible(bool Value) override;
    void SetOnExecute(const TNotifyEvent& Value) override;

private:
    TMenuItem* FClient;
};

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    void BeforeDestruction() override;

    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    String Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TNotifyEvent OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }

    // --- the tree ---
    int Count() const { return int(FItems.size()); }
    // Raises EMenuError "Index out of bounds" outside 0..Count-1.
    TMenuItem* Items(int Index) const;
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void SetMenuIndex(int Value);
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    void Delete(int Index);
    void Remove(TMenuItem* Item);
    void Clear();
    int IndexOf(TMenuItem* Item) const;
    // A separator: its caption is "-".
    bool IsLine() const { return FCaption == QLatin1String("-"); }
    // The menu the item belongs to (nullptr while it is loose).
    TMenu* GetParentMenu() const;

    // The item's command number, unique among the live items: a Qt menu
    // bar posts it to the form in WM_COMMAND, which clicks the item once
    // the menu has closed.
    WORD Command() const { return FCommand; }

    // A disabled item does nothing.  Its own OnClick wins; without one the
    // action runs.  AutoCheck toggles Checked first, unless an auto-check
    // action does that for it.
    virtual void Click();
    // The item whose shortcut this is (enabled and visible, searched in
    // the tree), or nullptr.
    TMenuItem* FindShortCut(TShortCut ShortCut);

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, int Order) override;

    // The link's side of the action (keeps its own property while the
    // user has changed it by hand).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // Idle-time update of the item's action.
    void InitiateAction();

    // Tells the menu (and any Qt menu showing it) that the item changed.
    void MenuChanged();
    TMenu* OwnerMenu() const { return FMenu; }
    void SetOwnerMenu(TMenu* Value) { FMenu = Value; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void TurnSiblingsOff();
    String FCaption;
    bool FChecked = false;
    bool FAutoCheck = false;
    bool FDefault = false;
    bool FEnabled = true;
    int FGroupIndex = 0;
    int FHelpContext = 0;
    String FHint;
    int FImageIndex = -1;
    bool FRadioItem = false;
    TShortCut FShortCut = 0;
    bool FVisible = true;
    TEventSlot<TNotifyEvent> FOnClick;
    WORD FCommand = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;
    std::vector<TMenuItem*> FItems;
    std::unique_ptr<TMenuActionLink> FActionLink;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    void BeforeDestruction() override;

    // The invisible root; the menu's items are its children.
    TMenuItem* Items() const { return FItems; }
    // The images the items' ImageIndex refers to.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Clicks the item with that command number; false when there is none.
    bool DispatchCommand(WORD Command);
    // The item with this shortcut, clicked; false when none matched.
    bool IsShortCut(TShortCut ShortCut);
    TMenuItem* FindItem(const std::function<bool(TMenuItem*)>& Match) const;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, int Order) override;
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    // An item of the menu changed.
    virtual void MenuChanged(TMenuItem* Item);
    // The idle-time action update of every item.
    void UpdateItems();
    // The Qt menu showing the items now (set by the view itself).
    TQtMenuView* View() const { return FView; }
    void SetView(TQtMenuView* Value) { FView = Value; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem* FItems;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    TQtMenuView* FView = nullptr;
    TEventSlot<TNotifyEvent> FOnChange;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
    void BeforeDestruction() override;

    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value);
    TNotifyEvent OnPopup() const { return FOnPopup; }
    void SetOnPopup(TNotifyEvent Value) { FOnPopup = std::move(Value); }
    TNotifyEvent OnClose() const { return FOnClose; }
    void SetOnClose(TNotifyEvent Value) { FOnClose = std::move(Value); }

    // Shows the menu at the screen point and returns when it closes; the
    // chosen item's command then runs.
    virtual void Popup(int X, int Y);
    // True while the menu is shown.
    bool Showing() const { return FShowing; }
    // Closes a showing menu (nothing is chosen).
    void CloseMenu();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem* ShowQtMenu(TPoint Screen);
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
    TEventSlot<TNotifyEvent> FOnPopup;
    TEventSlot<TNotifyEvent> FOnClose;
    bool FShowing = false;
    bool FDestroyedWhileShowing = false;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner);
    bool AutoMerge() const { return FAutoMerge; }
    void SetAutoMerge(bool Value) { FAutoMerge = Value; }

private:
    bool FAutoMerge = false;
};

DECLARE_EXCEPTION(EMenuError, Exception)

// How a popup menu is shown: the default shows a Qt menu; a test installs
// a hook that answers with the item to choose (nullptr: none).
using TMenuPopupHook = std::function<TMenuItem*(TPopupMenu* Menu, TPoint Screen)>;
void SetMenuPopupHook(TMenuPopupHook Hook);
// What the windows do while a popup menu runs its loop, installed by the
// window layer: as the classic desktop's menu mode, opening takes the
// mouse from them (its capture, and the input queued for them, which
// belongs to the menu now) and closing lets them see the mouse where it
// is now.
// The font popup menus are drawn in: the screen's menu font, which the
// forms layer names here (until then, Qt's).
void SetMenuFontSource(std::function<QFont()> Source);
// The classic look of a Qt menu: the menu font and the menu colours.
void ApplyClassicMenuLook(QMenu* Menu);

struct TMenuLoopHooks {
    std::function<void()> Enter;
    std::function<void()> Exit;
};
TMenuLoopHooks& MenuLoopHooks();
// Every popup menu that is shown now, innermost last.
const std::vector<TPopupMenu*>& ShowingPopupMenus();
