#include "controls/FieldLine.h"
#include "controls/Fields.h"

#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

enum class TClass { Text, Num, Pair, Enum, Bool };

TClass ClassOf(const TField& F)
{
    if (dynamic_cast<const TDelimNumField*>(&F)) return TClass::Pair;
    if (dynamic_cast<const TNumField*>(&F)) return TClass::Num;
    if (dynamic_cast<const TEnumField*>(&F)) return TClass::Enum;
    if (dynamic_cast<const TBoolField*>(&F)) return TClass::Bool;
    return TClass::Text;
}

} // namespace

TEST(FieldLine, LinesBecomeTypedFields)
{
    struct TCase {
        const char* Line;
        TClass Class;
        TEditorKind Editor;
        double Lo, Hi, Step;
        const char* Initial;
        QStringList Items;
    };
    const TCase Cases[] = {
        {"C; %0.3f; ;PE;-1000;1000;", TClass::Num, ekPropEditor, -1000, 1000, 1, "0.000", {}},
        {"Rel Press,Pa; %0.1f; ; NPE; 0; 0", TClass::Num, ekNone, 0, 0, 1, "0.0", {}},
        {"Count; %d; ; spin; ; 10; 2", TClass::Num, ekSpin, 0, 10, 2, "0", {}},
        {"Size; %0.2f/%0.2f; mm; PE; 50; 3000", TClass::Pair, ekPropEditor, 50, 3000, 1,
         "0.00/0.00", {}},
        {"X; ENUM; ; a; b", TClass::Enum, ekPullDown, 0, 0, 0, "a", {"a", "b"}},
        {"Type; enum; ; ", TClass::Enum, ekPullDown, 0, 0, 0, "", {}},
        {"Flag; check", TClass::Bool, ekCheck, 0, 0, 0, "[ ]", {}},
        {"Description; %s", TClass::Text, ekNone, 0, 0, 0, "", {}},
        {"Note; %s; ; pe", TClass::Text, ekPropEditor, 0, 0, 0, "", {}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Line);
        const TFieldLine L = ParseFieldLine(C.Line);
        ASSERT_TRUE(L.Field);
        EXPECT_TRUE(L.Error.isEmpty());
        EXPECT_EQ(ClassOf(*L.Field), C.Class);
        EXPECT_EQ(L.Field->EditorKind, C.Editor);
        EXPECT_EQ(L.Parts.at(1), C.Initial);
        EXPECT_GE(L.Parts.size(), 5);
        if (const auto* N = dynamic_cast<const TNumField*>(L.Field.get()); N) {
            EXPECT_EQ(N->RangeLo, C.Lo);
            EXPECT_EQ(N->RangeHi, C.Hi);
            EXPECT_EQ(N->Increment, C.Step);
            EXPECT_EQ(L.Parts.size(), 7);
        }
        if (const auto* E = dynamic_cast<const TEnumField*>(L.Field.get()); E) {
            EXPECT_EQ(E->Items, C.Items);
        }
    }
}

TEST(FieldLine, NoNumberWhereOneIsNeededGivesATextField)
{
    for (const char* Line : {"Rel Press,Pa; %0.1f; ; NPE; q; 0", "Rel Press,Pa; %0.1f; ; ; 0; 1x",
                             "Rel Press,Pa; %d; ; Spin; 0; 5; step"}) {
        SCOPED_TRACE(Line);
        const TFieldLine L = ParseFieldLine(Line);
        EXPECT_EQ(L.Error, "Error initialising Rel Press,Pa");
        EXPECT_EQ(ClassOf(*L.Field), TClass::Text);
        EXPECT_EQ(L.Field->FormatKind(), TFormatKind::Text);
        EXPECT_EQ(L.Parts[1], "");
    }
}

TEST(FieldLine, OtherDelimiter)
{
    const TFieldLine L = ParseFieldLine("Width | %0.1f | m | Spin | 1 | 5 | 0.5", "|");
    EXPECT_EQ(L.Caption(), "Width");
    EXPECT_EQ(L.Parts[2], "m");
    EXPECT_EQ(dynamic_cast<TNumField&>(*L.Field).Increment, 0.5);
}

TEST(NumField, UnitsShowAndReadHeldValues)
{
    struct TCase {
        TUnitsType Type;
        int Base, Shown;
        double Held;
        const char* Text;  // DisplayText(Held)
        const char* Typed; // read back in held units...
        double TypedHeld;
    };
    const TCase Cases[] = {
        {utAirPressDrop, 1, 5, 250, "1.0037", "2", 498.185},     // Pa held, InchWg shown
        {utAirPressDrop, 1, 1, 498.185, "498", "498", 498},       // Pa shown
        {utAirFlowPrim, 0, 3, 1.0, "1000", "1000", 1.0},          // l/s shown
        {utAirFlowPrim, 0, 0, 1.0, "1.000", "1.5", 1.5},          // m³/s shown
        {utAirFlowPrim, 0, 4, 1.0, "2118.88", "2118.88", 1.0},    // cfm shown
        {utTemperature, 0, 1, 20, "68.0", "212", 100},            // °F shown
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Text);
        TNumField F(ekNone, "%0.1f", 0, 0, 1);
        F.UnitsType = C.Type;
        F.UnitsBase = C.Base;
        F.UnitsValue = C.Shown;
        F.ApplyUnits();
        EXPECT_EQ(F.DisplayText(C.Held), C.Text);
        double Held = 0;
        ASSERT_TRUE(F.ReadHeld(C.Typed, Held));
        EXPECT_NEAR(Held, C.TypedHeld, 0.01);
    }
}

TEST(NumField, UnreadableTextIsNoValue)
{
    TNumField F(ekNone, "%0.1f", 0, 0, 1);
    TDelimNumField P(ekNone, "%0.1f/%0.1f", 0, 0, 1);
    for (const char* Text : {".", "-.", "E", "1e", "abc"}) {
        SCOPED_TRACE(Text);
        double A = 0, B = 0;
        bool IsPair = false;
        EXPECT_FALSE(F.ReadHeld(Text, A));
        EXPECT_FALSE(P.ReadHeldPair(QString(Text) + "/2", A, B, IsPair));
    }
    double A = 0, B = 7;
    bool IsPair = true;
    ASSERT_TRUE(P.ReadHeldPair(" 300 ", A, B, IsPair));
    EXPECT_FALSE(IsPair);
    EXPECT_EQ(A, 300);
    EXPECT_EQ(B, 7);
}

TEST(NumField, FormatTypeChoosesTheFormat)
{
    struct TCase {
        TFormatType Type;
        const char* Format;
        double Value;
        const char* Text;
    };
    const TCase Cases[] = {
        {ft_Fixed, "%0.1f", 12.34, "12.3"},
        {ft_Manual, "%0.3f", 12.34, "12.340"},
        {ft_AutoOverride, "%0.1f", 12.34, "12.3"},
        {ft_AutoOverride, "%0.1f", 0.01234, "0.0123"},
        {ft_Auto, "%0.1f", 0.01234, "0.0123"},
        {ft_Auto, "%0.1f", 1234.5, "1234.5"},
        {ft_Fixed, "%0.5g", 1234.5678, "1234.6"},
        {ft_Fixed, "%d", 2.6, "3"},
    };
    for (const TCase& C : Cases) {
        TNumField F(ekNone, C.Format, 0, 0, 1);
        F.FormatType = C.Type;
        EXPECT_EQ(F.DisplayText(C.Value), C.Text) << C.Format << " " << C.Value;
    }
}

TEST(NumField, SetUnitsTakesTheConversionOnlyWithoutAQuantity)
{
    struct TCase {
        TUnitsType Type;
        int Shown, Held;           // asked for
        double Factor, Zero;       // in force afterwards
        int UnitsValue, UnitsBase; // clamped to the quantity's units
    };
    const TCase Cases[] = {
        {utNone, 7, 3, 2.5, 10, 7, 3},
        {utAirPressDrop, 99, -1, 1, 0, UnitCount(utAirPressDrop) - 1, 0},
        {TUnitsType(200), 2, 1, 2.5, 10, 2, 1}, // no such quantity: none
    };
    for (const TCase& C : Cases) {
        TNumField F(ekNone, "%0.1f", 0, 0, 1);
        F.SetUnits(C.Type, 2.5, 10, ft_Manual, C.Shown, C.Held);
        EXPECT_EQ(F.Factor, C.Factor) << C.Type;
        EXPECT_EQ(F.Zero, C.Zero) << C.Type;
        EXPECT_EQ(F.UnitsValue, C.UnitsValue) << C.Type;
        EXPECT_EQ(F.UnitsBase, C.UnitsBase) << C.Type;
        EXPECT_EQ(F.FormatType, ft_Manual);
    }
}

TEST(NumField, APairTakesTheUnitsFormatForBothHalves)
{
    TDelimNumField Pair(ekNone, "%0.3f/%0.3f", 0, 0, 1);
    TNumField Single(ekNone, "%0.3f", 0, 0, 1);
    for (TNumField* F : {static_cast<TNumField*>(&Pair), &Single}) {
        F->UnitsType = utAirPressDrop;
        F->UnitsBase = F->UnitsValue = 1;
        F->ApplyUnits();
        F->ApplyUnits(); // again: no third half
    }
    EXPECT_EQ(Pair.FormatStr(), Single.FormatStr() + "/" + Single.FormatStr());
    EXPECT_EQ(Pair.DisplayPairText(12.34, 5), Single.DisplayText(12.34) + "/" + Single.DisplayText(5));
}

TEST(NumField, SpinGoesToTheNextMultipleWithinTheRange)
{
    struct TCase {
        const char* Format;
        double Lo, Hi, Step, From;
        bool Up;
        std::optional<double> To; // none: the value sits on the limit
    };
    const TCase Cases[] = {
        {"%0.1f", 0, 0, 0.1, 0.3, true, 0.4},
        {"%0.1f", 0, 0, 0.1, 0.6, true, 0.7},
        {"%0.1f", 0, 0, 0.1, 0.7, true, 0.8},
        {"%0.1f", 0, 0, 0.1, 0.4, false, 0.3},
        {"%0.2f", 0, 0, 0.5, 1.25, true, 1.5},
        {"%0.2f", 0, 0, 0.5, 1.5, true, 2.0},
        {"%0.2f", 0, 0, 0.5, -1.25, false, -1.5},
        {"%0.2f", 0, 0, 0.5, -1.5, true, -1.0},
        {"%0.0f", 0, 10, 3, 9, true, 10},      // limited to the range
        {"%0.0f", 0, 10, 3, 10, true, {}},     // already on the limit
        {"%0.0f", 2, 10, 3, 2, false, {}},
        {"%0.0f", 2, 10, 3, 3, false, 2},
        {"%0.2f", 0, 0, 0.5, 1.249, true, 1.5}, // shown 1.25 first
        {"%0.1f", 0, 0, 0, 0.3, true, 0.3},     // no increment, no move
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.From << (C.Up ? " up by " : " down by ") << C.Step);
        TNumField F(ekSpin, C.Format, C.Lo, C.Hi, C.Step);
        double Next = 0;
        ASSERT_EQ(F.SpinValue(C.From, C.Up, Next), C.To.has_value());
        if (C.To) {
            EXPECT_NEAR(Next, *C.To, 1e-12);
        }
    }
}

TEST(NumField, StepFunctionsReplaceTheIncrement)
{
    TNumField F(ekSpin, "%0.0f", 0, 500, 1);
    F.StepUp = [](double V) { return V * 2; };
    F.StepDown = [](double V) { return V - 100; };
    double Next = 0;
    ASSERT_TRUE(F.SpinValue(300, true, Next));
    EXPECT_EQ(Next, 500); // 600 limited
    ASSERT_TRUE(F.SpinValue(50, false, Next));
    EXPECT_EQ(Next, 0);
}
