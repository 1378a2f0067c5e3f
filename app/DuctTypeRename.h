#pragma once
// A branch named after its duct type keeps telling the truth when the type
// changes: every occurrence of the old type's word ("Spiral", "Duct",
// "None", "Fan"), in any letter case, becomes the new type's word, so that
// "Spiral 12" made rectangular reads "Duct 12".

#include <QString>

// The name for the new type; Name itself when the type is unchanged or the
// name holds no occurrence of the old type's word.
QString NameForDuctType(const QString& Name, int OldType, int NewType);
