#pragma once
// The Qt side of a menu: a QMenu (popup) or QMenuBar (a form's main menu)
// that shows a TMenu's items.  Our items stay the truth: the view follows
// every change of the menu while it lives (captions, states, images, items
// added or taken away) and answers which item a Qt action stands for.
#include "platform/rtl/System.h"

#include <QPointer>
#include <functional>
#include <unordered_map>
#include <vector>

class QAction;
class QWidget;
class TMenu;
class TMenuItem;

class TQtMenuView {
public:
    // Fills Target (a QMenu or a QMenuBar) with Menu's items.
    TQtMenuView(TMenu* Menu, QWidget* Target);
    ~TQtMenuView();
    TQtMenuView(const TQtMenuView&) = delete;
    TQtMenuView& operator=(const TQtMenuView&) = delete;

    // The item behind a Qt action (nullptr when it has gone).
    TMenuItem* ItemOf(QAction* Action) const;
    QAction* ActionOf(const TMenuItem* Item) const;
    // An item was chosen (a menu bar's items; a popup answers from exec).
    std::function<void(TMenuItem* Item)> OnTriggered;
    // After the view followed a change of the menu.
    std::function<void()> OnChanged;

    // Called by the menu: Item changed (nullptr: anything may have).
    void ItemChanged(TMenuItem* Item);

private:
    void Follow(TMenuItem* Item);

public:
    // The menu goes: the view shows nothing more and closes.
    void MenuGone();
    // Closes the popup and any of its sub-menus that are open.
    void Close();

private:
    void Fill(TMenuItem* Parent, QWidget* Level);
    void Refill(TMenuItem* Parent);
    void Forget(TMenuItem* Item);
    void UpdateAction(TMenuItem* Item, QAction* Action);
    bool ShownChildrenDiffer(TMenuItem* Parent) const;

    TMenu* FMenu;
    QPointer<QWidget> FTarget;
    std::unordered_map<const TMenuItem*, QPointer<QAction>> FActions;
    std::unordered_map<const TMenuItem*, QPointer<QWidget>> FLevels;
    std::unordered_map<const TMenuItem*, std::vector<TMenuItem*>> FShown;
};
