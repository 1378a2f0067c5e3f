#pragma once
// The enumerations of the duct network and their texts. The numeric value of
// each is what the documents store.

#include <cstdint>
#include <iosfwd>

enum TNodeType : std::uint8_t { ntCommon, ntOutlet, ntInlet, ntSink };
enum TOutletKind : std::uint8_t { okDiffuser, okGrille, okPlainOutlet };
enum TInletKind : std::uint8_t { ikGrille, ikCanopy, ikPlainInlet };
enum TBranchKind : std::uint8_t { bkCommon, bkGain, bkSink };
enum TDuctType : std::uint8_t { dtSpiral, dtRect, dtNone, dtFan };
enum TSolveStatus : std::uint8_t {
    ssSolved, ssNotBalanced, ssWithinTolerance, ssNotSolved, ssDataError, ssMaxItsReached
};
enum TSolveMethod : std::uint8_t {
    smEqualFriction, smVelocity, smStaticRegain, smFlowBalance, smStandardSizes
};

constexpr int NodeTypeCount = 4;
constexpr int OutletKindCount = 3;
constexpr int InletKindCount = 3;
constexpr int BranchKindCount = 3;
constexpr int DuctTypeCount = 4;
constexpr int SolveStatusCount = 6;
constexpr int SolveMethodCount = 5;

// Each text function gives "" for a value outside its enumeration.
const char* NodeTypeText(int Value);     // "Common", "Outlet", "Inlet", "Sink"
const char* OutletKindText(int Value);   // "Diffuser", "Grille", "Plain Outlet"
const char* OutletKindKey(int Value);    // "diffuser", "grille", "plain"
const char* InletKindText(int Value);    // "Grille", "Canopy", "Plain Inlet"
const char* InletKindKey(int Value);     // "grille", "canopy", "plain"
const char* BranchKindText(int Value);   // "Common", "Gain", "Sink"
const char* DuctTypeText(int Value);     // "Spiral", "Rect", "None", "Fan"
const char* DuctTypeWord(int Value);     // "Spiral", "Duct", "None", "Fan"
const char* SolveStatusText(int Value);  // "Solved" ... "MaxIts reached"
const char* SolveMethodText(int Value);  // "Equal Friction" ... "Standard Sizes"

// The status's text ("Solved" ...), or its number when it has none: a
// status streamed into a message reads as a word, not as a control character.
std::ostream& operator<<(std::ostream& Out, TSolveStatus Status);
