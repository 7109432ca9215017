#include "platform/actions/QtMenuView.h"

#include "platform/actions/Menus.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/GuiApplication.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

namespace {

std::function<QFont()>& MenuFontSource()
{
    static std::function<QFont()> Source;
    return Source;
}

} // namespace

void SetMenuFontSource(std::function<QFont()> Source)
{
    MenuFontSource() = std::move(Source);
}

void ApplyClassicMenuLook(QMenu* Menu)
{
    if (MenuFontSource())
        Menu->setFont(MenuFontSource()());
    // Exactly the classic colours: Qt's own styles shade a menu's panel.
    auto Name = [](TColor C) { return QColor::fromRgb(ColorToQRgb(C)).name(); };
    Menu->setStyleSheet(QStringLiteral("QMenu { background-color: %1; color: %2; border: 1px solid %3; }"
                                       "QMenu::item { background-color: transparent; padding: 3px 20px 3px 20px; }"
                                       "QMenu::item:selected { background-color: %4; color: %5; }"
                                       "QMenu::item:disabled { color: %6; }"
                                       "QMenu::separator { height: 1px; background: %3; margin: 3px 1px; }")
                            .arg(Name(clMenu), Name(clMenuText), Name(clBtnShadow), Name(clHighlight),
                                 Name(clHighlightText), Name(clGrayText)));
}

TQtMenuView::TQtMenuView(TMenu* Menu, QWidget* Target) : FMenu(Menu), FTarget(Target)
{
    if (auto* Popup = qobject_cast<QMenu*>(Target))
        ApplyClassicMenuLook(Popup);
    FMenu->SetView(this);
    FLevels[FMenu->Items()] = Target;
    Fill(FMenu->Items(), Target);
}

TQtMenuView::~TQtMenuView()
{
    if (FMenu != nullptr && FMenu->View() == this)
        FMenu->SetView(nullptr);
}

TMenuItem* TQtMenuView::ItemOf(QAction* Action) const
{
    if (Action == nullptr || FMenu == nullptr)
        return nullptr;
    for (const auto& [Item, A] : FActions)
        if (A == Action)
            return const_cast<TMenuItem*>(Item);
    return nullptr;
}

QAction* TQtMenuView::ActionOf(const TMenuItem* Item) const
{
    const auto It = FActions.find(Item);
    return It == FActions.end() ? nullptr : It->second.data();
}

void TQtMenuView::MenuGone()
{
    Close();
    if (FMenu != nullptr && FMenu->View() == this)
        FMenu->SetView(nullptr);
    FMenu = nullptr;
    FActions.clear();
    FShown.clear();
    FLevels.clear();
}

void TQtMenuView::Close()
{
    auto* Top = qobject_cast<QMenu*>(FTarget.data());
    if (Top == nullptr || !HasWidgetApplication())
        return;
    // Open sub-menus first, then the popup itself.
    while (QWidget* W = QApplication::activePopupWidget()) {
        if (W != Top && !Top->isAncestorOf(W))
            break;
        W->close();
        if (W == Top)
            break;
    }
    Top->close();
}

void TQtMenuView::ItemChanged(TMenuItem* Item)
{
    if (FMenu == nullptr || FTarget.isNull())
        return;
    Follow(Item);
    if (OnChanged)
        OnChanged();
}

void TQtMenuView::Follow(TMenuItem* Item)
{
    if (Item == nullptr) {
        Refill(FMenu->Items());
        return;
    }
    // Items added, taken away or moved: the level showing them is built anew.
    if (FLevels.count(Item) != 0 && ShownChildrenDiffer(Item)) {
        Refill(Item);
        return;
    }
    const auto It = FActions.find(Item);
    if (It == FActions.end() || It->second.isNull())
        return;
    // An item that gains its first sub-item (or loses its last) changes
    // from a command into a sub-menu: its own level is built anew.
    const bool HasSub = FLevels.count(Item) != 0;
    if (HasSub != (Item->Count() > 0) && Item->Parent() != nullptr && FLevels.count(Item->Parent()) != 0) {
        Refill(Item->Parent());
        return;
    }
    UpdateAction(Item, It->second);
}

bool TQtMenuView::ShownChildrenDiffer(TMenuItem* Parent) const
{
    const auto It = FShown.find(Parent);
    const std::vector<TMenuItem*> Empty;
    const std::vector<TMenuItem*>& Shown = It == FShown.end() ? Empty : It->second;
    if (int(Shown.size()) != Parent->Count())
        return true;
    for (int I = 0; I < Parent->Count(); ++I)
        if (Shown[std::size_t(I)] != Parent->Items(I))
            return true;
    return false;
}

void TQtMenuView::Forget(TMenuItem* Item)
{
    const auto Shown = FShown.find(Item);
    if (Shown != FShown.end()) {
        for (TMenuItem* Child : std::vector<TMenuItem*>(Shown->second))
            Forget(Child);
        FShown.erase(Item);
    }
    FActions.erase(Item);
    if (Item != FMenu->Items())
        FLevels.erase(Item);
}

void TQtMenuView::Refill(TMenuItem* Parent)
{
    const auto Level = FLevels.find(Parent);
    if (Level == FLevels.end() || Level->second.isNull())
        return;
    QWidget* W = Level->second;
    const auto Shown = FShown.find(Parent);
    if (Shown != FShown.end()) {
        // The shown items may have gone already: only our maps name them.
        for (TMenuItem* Child : std::vector<TMenuItem*>(Shown->second))
            Forget(Child);
        FShown.erase(Parent);
    }
    for (QAction* A : W->actions()) {
        W->removeAction(A);
        if (QMenu* Sub = A->menu())
            Sub->deleteLater();
        else if (A->parent() == W)
            A->deleteLater();
    }
    Fill(Parent, W);
}

void TQtMenuView::Fill(TMenuItem* Parent, QWidget* Level)
{
    const bool IsBar = qobject_cast<QMenuBar*>(Level) != nullptr;
    std::vector<TMenuItem*>& Shown = FShown[Parent];
    Shown.clear();
    for (int I = 0; I < Parent->Count(); ++I) {
        TMenuItem* Item = Parent->Items(I);
        Shown.push_back(Item);
        QAction* A = nullptr;
        if (Item->IsLine()) {
            if (IsBar)
                continue;
            A = new QAction(Level);
            A->setSeparator(true);
        } else if (Item->Count() > 0) {
            auto* Sub = new QMenu(Level);
            ApplyClassicMenuLook(Sub);
            FLevels[Item] = Sub;
            Fill(Item, Sub);
            A = Sub->menuAction();
        } else {
            A = new QAction(Level);
            QObject::connect(A, &QAction::triggered, [this, Item] {
                if (OnTriggered && ItemOf(ActionOf(Item)) == Item)
                    OnTriggered(Item);
            });
        }
        Level->addAction(A);
        FActions[Item] = A;
        UpdateAction(Item, A);
    }
}

void TQtMenuView::UpdateAction(TMenuItem* Item, QAction* Action)
{
    Action->setVisible(Item->Visible());
    if (Item->IsLine())
        return;
    String Text = Item->Caption();
    if (Item->ShortCut() != 0)
        Text += QLatin1Char('\t') + ShortCutToText(Item->ShortCut());
    Action->setText(Text);
    Action->setEnabled(Item->Enabled());
    Action->setCheckable(Item->Checked() || Item->RadioItem() || Item->AutoCheck());
    Action->setChecked(Item->Checked());
    QFont F = Action->font();
    F.setBold(Item->Default());
    Action->setFont(F);
    TCustomImageList* Images = FMenu->Images();
    const QImage Image = Images != nullptr ? Images->GetImage(Item->ImageIndex()) : QImage();
    Action->setIcon(Image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(Image)));
    // Radio items of one group show as radio buttons; choosing one still
    // goes through the item, which turns its siblings off.
    QActionGroup* Group = Action->actionGroup();
    if (Item->RadioItem() && Group == nullptr) {
        const QString Key = QStringLiteral("radio%1").arg(Item->GroupIndex());
        auto* Level = qobject_cast<QWidget*>(Action->parent());
        if (Level != nullptr) {
            Group = Level->findChild<QActionGroup*>(Key, Qt::FindDirectChildrenOnly);
            if (Group == nullptr) {
                Group = new QActionGroup(Level);
                Group->setObjectName(Key);
                Group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
            }
            Group->addAction(Action);
        }
    } else if (!Item->RadioItem() && Group != nullptr) {
        Group->removeAction(Action);
    }
}
