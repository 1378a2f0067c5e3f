#include "airstate/PsyPoint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

PsyState StateOf(double P, double Db, double Wb, double Rh)
{
    PsyState S{};
    S.pa = P;
    S.db = Db;
    S.wb = Wb;
    S.rh = Rh;
    return S;
}

double Round1(double V)
{
    return std::round(V * 10.0) / 10.0;
}

} // namespace

TEST(AirconItem, NamesComeFromPrefixNumberAndGivenName)
{
    const struct {
        const char* Prefix;
        int Number;
        const char* Given;
        const char* Name;
        const char* ItemName;
    } Cases[] = {{"Node", 1, "Air", "Node1", "Air"}, {"Point", 12, "", "Point12", "Point12"},
                 {"P", -3, "", "P-3", "P-3"}};
    for (const auto& C : Cases) {
        const TAirconItem Item(C.Prefix, C.Number, C.Given);
        EXPECT_EQ(Item.Name, C.Name);
        EXPECT_EQ(Item.ItemName, C.ItemName);
        EXPECT_EQ(Item.Number, C.Number);
        EXPECT_EQ(Item.Box, nullptr);
        EXPECT_EQ(Item.X, -99);
        EXPECT_EQ(Item.Y, -99);
    }
}

TEST(AirconItem, PositionsBelowTheUnsetMarkTakeTheCursor)
{
    const TCursorPosFunc Cursor = [] { return TScreenPoint{640, 480}; };
    const struct {
        int StartX, StartY;
        int SetX, SetY;
        bool WithCursor;
        int X, Y;
    } Cases[] = {
        {-99, -99, 10, 20, true, 10, 20},
        {-99, -99, -99, 20, true, 640, 20},     // an unset X follows the cursor
        {-99, -99, -120, -99, true, 640, 480},  // values below -98 are not stored
        {30, 40, -99, -99, true, 30, 40},       // stored coordinates stay
        {-99, -99, -98, -50, true, -98, -50},   // -98 is a real coordinate
        {-99, -99, -99, -99, false, -99, -99},  // no cursor known: stays unset
    };
    for (const auto& C : Cases) {
        TAirconItem Item("Node", 1, "");
        Item.X = C.StartX;
        Item.Y = C.StartY;
        Item.SetPosition(C.SetX, C.SetY, C.WithCursor ? Cursor : TCursorPosFunc());
        EXPECT_EQ(Item.X, C.X) << C.SetX << "," << C.SetY;
        EXPECT_EQ(Item.Y, C.Y) << C.SetX << "," << C.SetY;
    }
}

TEST(PsyPoint, CalcCompletesTheStateFromTheModesPair)
{
    const struct {
        PsyState Given;
        int Mode;
        double Db, Wb, Td; // rounded to 0.1 °C
    } Cases[] = {
        {StateOf(101.325, 25.0, 0.0, 0.5), 3, 25.0, 17.9, 13.9},  // dry bulb and humidity
        {StateOf(101.325, 0.0, 20.0, 0.5), 10, 27.6, 20.0, 16.2}, // wet bulb and humidity
        {StateOf(101.325, 25.0, 17.0, 0.0), 0, 25.0, 17.0, 12.1},
    };
    for (const auto& C : Cases) {
        TPsyPoint Point(C.Given, "Node", 1, "Air");
        Point.Calc(C.Mode);
        EXPECT_EQ(Round1(Point.State.db), C.Db) << C.Mode;
        EXPECT_EQ(Round1(Point.State.wb), C.Wb) << C.Mode;
        EXPECT_EQ(Round1(Point.State.td), C.Td) << C.Mode;
        EXPECT_DOUBLE_EQ(Point.State.pa, 101.325);
    }
}

TEST(PsyPoint, FailuresRaiseTheirTexts)
{
    const struct {
        PsyState Given;
        int Mode;
        const char* Message;
        bool Kept; // the record is left as it was
    } Cases[] = {
        {StateOf(101.325, 25.0, 30.0, 0.0), 0, "Wet Bulb > Dry Bulb °C...", false},
        {StateOf(101.325, 25.0, 17.0, 0.0), 6, "Invalid air state", true}, // mode not served
        {StateOf(101.325, NAN, 17.0, 0.0), 0, "Invalid air state", true},
        {StateOf(-5.0, 25.0, 17.0, 0.0), 0, "Invalid air state", true},
    };
    for (const auto& C : Cases) {
        TPsyPoint Point(C.Given, "Node", 1, "Air");
        try {
            Point.Calc(C.Mode);
            ADD_FAILURE() << "no error for " << C.Message;
        } catch (const EAirStateError& E) {
            EXPECT_STREQ(E.what(), C.Message);
        }
        EXPECT_EQ(std::memcmp(&Point.State, &C.Given, sizeof(PsyState)) == 0, C.Kept) << C.Message;
    }
}
