#pragma once
// Names that carry a branch number ("Branch 7", "Spiral 7") follow the branch
// when it is renumbered.

#include <string>
#include <string_view>

// Finds Word followed by the decimal text of OldId in Name, compared without
// regard to ASCII case, where no further digit follows (so "Branch 71" is no
// match for 7), and replaces the first such occurrence with the word and the
// text of NewId. The word keeps the spelling found in Name when KeepWordCase
// is set, else it is written as Word. True when a replacement was made.
bool ReplaceNumberedWord(std::string& Name, std::string_view Word, int OldId, int NewId,
                         bool KeepWordCase);
