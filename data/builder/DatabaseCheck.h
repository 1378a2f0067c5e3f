#pragma once
// The build check of a written fitting database: reloads both files through
// TDuctFittingDB, as the program will, and evaluates every fitting at the
// middle of its axes.

#include "fittings/DuctFittingDBWriter.h"

#include <string>
#include <vector>

// Everything wrong with the database in CommonDataDir against the entries it
// was written from, one message each; empty when it passes: the index holds
// exactly the entries' keys in order, every key loads without a warning into
// a fitting of its entry's class whose stored code is the key, its middle
// axis values give a finite coefficient with no range warning, and the
// summary of every base code fills without a warning.
std::vector<std::string> CheckBuiltDatabase(const std::string& CommonDataDir,
                                            const std::vector<TDuctFittingDBEntry>& Entries);
