#pragma once
// Bit numbers of the flag sets carried by graph nodes and branches (for
// SetBit, ClearBit and BitIsSet). Walks mark what they have visited; flow
// distribution excludes terminal and sink items; the spanning tree marks its
// chords.

#include "foundation/NumericHelpers.h"

enum TGraphFlag : int {
    gfVisited = 0,  // value 1: visited by the current walk
    gfWalked = 1,   // value 2: second walk mark used by the network model
    gfExcluded = 2, // value 4: left out of the spanning tree and the walks
    gfChord = 3     // value 8: chord of the spanning tree
};

// Inline tests of one flag, for the walks that run over every item of a
// large network many times.
constexpr TFlagSet FlagMask(TGraphFlag Flag)
{
    return TFlagSet(1) << static_cast<unsigned>(Flag);
}

constexpr bool HasFlag(TFlagSet Set, TGraphFlag Flag)
{
    return (Set & FlagMask(Flag)) != 0;
}
