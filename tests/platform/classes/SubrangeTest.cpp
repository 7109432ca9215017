// Enumerations that share identifiers: a sub-range takes its base's names,
// converts both ways, and refuses values outside its range in code, through
// run-time access by name and in form text.
#include "platform/classes/Subrange.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

namespace {

// Shaped as the classic form and control border styles.
enum TTestFormBorderStyle { tbsNone, tbsSingle, tbsSizeable, tbsDialog, tbsToolWindow };
using TTestBorderStyle = TSubrange<TTestFormBorderStyle, tbsNone, tbsSingle>;

class TTestBordered : public TComponent {
public:
    explicit TTestBordered(TComponent* AOwner) : TComponent(AOwner) {}
    TTestFormBorderStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TTestFormBorderStyle Value) { FFormStyle = Value; }
    TTestBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TTestBorderStyle Value) { FBorderStyle = Value; }

private:
    TTestFormBorderStyle FFormStyle = tbsSizeable;
    TTestBorderStyle FBorderStyle = tbsSingle;
};

// A control's style in a switch, as painting code writes it.
int EdgeWidth(TTestBorderStyle Style)
{
    switch (Style) {
    case tbsNone:
        return 0;
    case tbsSingle:
        return 1;
    default:
        return -1;
    }
}

} // namespace

REGISTER_ENUM(TTestFormBorderStyle, tbsNone, tbsSingle, tbsSizeable, tbsDialog, tbsToolWindow)
REGISTER_SUBRANGE(TTestBorderStyle)

REGISTER_COMPONENT(TTestBordered, TComponent)
    PUBLISHED(FormStyle, tbsSizeable)
    PUBLISHED(BorderStyle, tbsSingle)
END_REGISTER

TEST(Subrange, ConvertsBothWaysAndRefusesValuesOutsideItsRange)
{
    static_assert(TTestBorderStyle::Contains(tbsSingle) && !TTestBorderStyle::Contains(tbsDialog));
    TTestBorderStyle Style;
    EXPECT_EQ(Style, tbsNone);
    Style = tbsSingle;
    const TTestFormBorderStyle Base = Style;
    EXPECT_EQ(Base, tbsSingle);
    EXPECT_TRUE(Style == tbsSingle && Style != tbsNone);
    EXPECT_EQ(EdgeWidth(Style), 1);
    EXPECT_EQ(EdgeWidth(tbsNone), 0);
    EXPECT_TRUE(AssignIfChanged(Style, TTestBorderStyle(tbsNone)));
    EXPECT_FALSE(AssignIfChanged(Style, TTestBorderStyle(tbsNone)));
    EXPECT_EQ(ErrorMessage<ERangeError>([&] { Style = tbsDialog; }), QStringLiteral("Range check error"));
    EXPECT_EQ(Style, tbsNone);
}

TEST(Subrange, RegistryNamesTheRangeWithTheBaseIdentifiers)
{
    const TTypeInfo* Type = TypeInfoOf<TTestBorderStyle>();
    EXPECT_EQ(Type->Kind, tkEnumeration);
    EXPECT_EQ(Type->Name, QStringLiteral("TTestBorderStyle"));
    EXPECT_EQ(Type->BaseType, TypeInfoOf<TTestFormBorderStyle>());
    EXPECT_EQ(GetEnumName(Type, tbsSingle), QStringLiteral("tbsSingle"));
    EXPECT_EQ(GetEnumName(Type, tbsDialog), QString());
    EXPECT_EQ(GetEnumValue(Type, QStringLiteral("TBSSINGLE")), int(tbsSingle));
    EXPECT_EQ(GetEnumValue(Type, QStringLiteral("tbsDialog")), -1);
    EXPECT_EQ(GetEnumValue(TypeInfoOf<TTestFormBorderStyle>(), QStringLiteral("tbsDialog")), int(tbsDialog));

    TTestBordered C(nullptr);
    EXPECT_EQ(GetEnumProp(&C, QStringLiteral("BorderStyle")), QStringLiteral("tbsSingle"));
    SetEnumProp(&C, QStringLiteral("BorderStyle"), QStringLiteral("tbsNone"));
    EXPECT_EQ(C.BorderStyle(), tbsNone);
    EXPECT_THROW(SetEnumProp(&C, QStringLiteral("BorderStyle"), QStringLiteral("tbsDialog")), EPropertyConvertError);
    EXPECT_THROW(SetOrdProp(&C, QStringLiteral("BorderStyle"), tbsDialog), ERangeError);
    EXPECT_EQ(C.BorderStyle(), tbsNone);
    SetEnumProp(&C, QStringLiteral("FormStyle"), QStringLiteral("tbsDialog"));
    EXPECT_EQ(C.FormStyle(), tbsDialog);
}

TEST(Subrange, FormTextWritesNamesAndRefusesNamesOutsideTheRange)
{
    TTestBordered C(nullptr);
    C.SetBorderStyle(tbsNone);
    C.SetFormStyle(tbsDialog);
    const QByteArray Text = WriteComponentToText(&C);
    EXPECT_TRUE(Text.contains("FormStyle = tbsDialog")) << Text.toStdString();
    EXPECT_TRUE(Text.contains("BorderStyle = tbsNone")) << Text.toStdString();

    TTestBordered Back(nullptr);
    ReadComponentFromText(Text, &Back, QStringLiteral("bordered.form"));
    EXPECT_EQ(Back.BorderStyle(), tbsNone);
    EXPECT_EQ(Back.FormStyle(), tbsDialog);

    const struct {
        const char* Value;
        bool Valid;
    } Cases[] = {{"tbsSingle", true}, {"tbsDialog", false}, {"tbsNowhere", false}, {"1", false}, {"True", false}};
    for (const auto& Case : Cases) {
        TTestBordered Target(nullptr);
        const QByteArray Form = QByteArray("object T: TTestBordered\n  BorderStyle = ") + Case.Value + "\nend\n";
        if (Case.Valid) {
            EXPECT_NO_THROW(ReadComponentFromText(Form, &Target, QStringLiteral("b.form"))) << Case.Value;
            continue;
        }
        try {
            ReadComponentFromText(Form, &Target, QStringLiteral("b.form"));
            ADD_FAILURE() << Case.Value << " was read";
        } catch (const EReadError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("b.form(2): Error reading T.BorderStyle: Invalid property value"))
                << Case.Value;
        }
        EXPECT_EQ(Target.BorderStyle(), tbsSingle) << Case.Value;
    }
}
