#include "TestComponents.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

namespace {

struct CollectionTest : ::testing::Test {
    TTestControl Owner{nullptr};
    TTestColumns& Columns = *Owner.Columns();

    TTestColumn* AddColumn(const char* Caption)
    {
        auto* C = static_cast<TTestColumn*>(Columns.Add());
        C->SetCaption(QString::fromLatin1(Caption));
        return C;
    }

    QStringList Captions() const
    {
        QStringList Result;
        for (TCollectionItem* Item : Columns)
            Result.append(Item->DisplayName());
        return Result;
    }
};

// Looks at the items from Notify and Update, as a control's collection
// does when it lays out its columns.
class TWatchedColumns : public TOwnedCollection {
public:
    explicit TWatchedColumns(TCollectionItemClass ItemClass) : TOwnedCollection(nullptr, ItemClass) {}
    QStringList Log;

protected:
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override
    {
        if (Action != cnAdded)
            return;
        auto* Column = dynamic_cast<TTestColumn*>(Item);
        Log.append(Column ? QStringLiteral("added %1").arg(Column->Width()) : QStringLiteral("added a bare item"));
    }
    void Update(TCollectionItem* Item) override
    {
        (void)Item;
        QStringList Widths;
        for (TCollectionItem* Each : *this) {
            auto* Column = dynamic_cast<TTestColumn*>(Each);
            Widths.append(Column ? QString::number(Column->Width()) : QStringLiteral("?"));
        }
        Log.append(QStringLiteral("update ") + Widths.join(QLatin1Char(',')));
    }
};

class TFailingColumn : public TCollectionItem {
public:
    explicit TFailingColumn(TCollection* Collection) : TCollectionItem(Collection)
    {
        throw EConvertError(QStringLiteral("no column today"));
    }
};

} // namespace

TEST(Collection, AddAnnouncesTheItemOnceItIsWhole)
{
    TWatchedColumns Columns(ClassOf<TTestColumn>());
    Columns.Add();
    Columns.Add();
    EXPECT_EQ(Columns.Log, (QStringList{"added 50", "update 50", "added 50", "update 50,50"}));
    Columns.Log.clear();
    Columns.Insert(0);
    EXPECT_EQ(Columns.Log, (QStringList{"added 50", "update 50,50,50"}));

    // An item whose constructor fails leaves no trace.
    TWatchedColumns Failing(ClassOf<TFailingColumn>());
    EXPECT_THROW(Failing.Add(), EConvertError);
    EXPECT_EQ(Failing.Count(), 0);
    EXPECT_TRUE(Failing.Log.isEmpty());
}

TEST_F(CollectionTest, AddInsertDeleteKeepOrderAndIDs)
{
    AddColumn("a");
    AddColumn("b");
    auto* X = static_cast<TTestColumn*>(Columns.Insert(1));
    X->SetCaption(QStringLiteral("x"));
    EXPECT_EQ(Captions(), (QStringList{"a", "x", "b"}));
    EXPECT_EQ(X->ID(), 2);
    EXPECT_EQ(X->Index(), 1);
    Columns.Delete(0);
    EXPECT_EQ(Captions(), (QStringList{"x", "b"}));
    EXPECT_EQ(Columns.FindItemID(2), X);
    EXPECT_EQ(Columns.FindItemID(0), nullptr);
    // IDs are never given twice.
    EXPECT_EQ(AddColumn("c")->ID(), 3);
    Columns.Insert(Columns.Count()); // at the end is allowed
    EXPECT_EQ(Columns.Count(), 4);
}

TEST_F(CollectionTest, IndexErrorsNameTheIndex)
{
    AddColumn("a");
    EXPECT_EQ(ErrorMessage<EListError>([&] { Columns.Items(1); }), QStringLiteral("List index out of bounds (1)"));
    EXPECT_THROW(Columns.Delete(-1), EListError);
    EXPECT_THROW(Columns.Insert(2), EListError);
    EXPECT_THROW(Columns.Items(0)->SetIndex(5), EListError);
    EXPECT_EQ(Columns.Count(), 1);
}

TEST_F(CollectionTest, SetIndexMovesTheItem)
{
    AddColumn("a");
    AddColumn("b");
    auto* C = AddColumn("c");
    C->SetIndex(0);
    EXPECT_EQ(Captions(), (QStringList{"c", "a", "b"}));
    Columns.Items(1)->SetIndex(2);
    EXPECT_EQ(Captions(), (QStringList{"c", "b", "a"}));
}

TEST_F(CollectionTest, UpdatesAreToldOnceAfterEndUpdate)
{
    auto* A = AddColumn("a");
    Columns.Updates.clear();
    A->SetCaption(QStringLiteral("A")); // one item changed
    ASSERT_EQ(Columns.Updates.size(), 1u);
    EXPECT_EQ(Columns.Updates[0], A);
    A->SetWidth(10); // changes all items
    EXPECT_EQ(Columns.Updates.back(), nullptr);
    Columns.Updates.clear();
    Columns.BeginUpdate();
    Columns.BeginUpdate();
    AddColumn("b");
    A->SetCaption(QStringLiteral("a"));
    Columns.Delete(0);
    Columns.EndUpdate();
    EXPECT_TRUE(Columns.Updates.empty());
    Columns.EndUpdate();
    EXPECT_EQ(Columns.Updates, (std::vector<TCollectionItem*>{nullptr}));
}

TEST_F(CollectionTest, DeletedItemLeavesCollection)
{
    auto* A = AddColumn("a");
    AddColumn("b");
    delete A;
    EXPECT_EQ(Captions(), (QStringList{"b"}));
    auto* Loose = new TTestColumn(nullptr);
    EXPECT_EQ(Loose->Index(), -1);
    Loose->SetCollection(&Columns);
    EXPECT_EQ(Columns.Count(), 2);
    Loose->SetCollection(nullptr);
    EXPECT_EQ(Columns.Count(), 1);
    delete Loose;
}

TEST_F(CollectionTest, AssignCopiesItemsAndNamePathNamesOwner)
{
    Owner.SetName(QStringLiteral("Grid"));
    AddColumn("a")->SetWidth(7);
    AddColumn("b");
    TTestControl Other(nullptr);
    Other.Columns()->Add();
    Other.Columns()->Assign(&Columns);
    ASSERT_EQ(Other.Columns()->Count(), 2);
    EXPECT_EQ(Other.Columns()->Items(0)->Width(), 7);
    EXPECT_EQ(Other.Columns()->Items(1)->Caption(), QStringLiteral("b"));
    EXPECT_EQ(Columns.Items(1)->GetNamePath(), QStringLiteral("Grid.Columns[1]"));
    EXPECT_EQ(Columns.Items(0)->GetOwner(), &Columns);
    EXPECT_EQ(Columns.GetOwner(), &Owner);
    TTestFont Font;
    EXPECT_THROW(Columns.Assign(&Font), EConvertError);
}

TEST_F(CollectionTest, DisplayNameFallsBackToClassName)
{
    auto* C = static_cast<TTestColumn*>(Columns.Add());
    EXPECT_EQ(C->DisplayName(), QStringLiteral("TTestColumn"));
}
