#pragma once
// The list values of the fitting data file: a list-begin marker, the
// elements, the end marker. Tables are lists of lists. The readers raise the
// stream's errors on a damaged stream; every element consumes stream bytes,
// so a list can never grow beyond what the file holds.

#include "fittings/FittingTypes.h"
#include "foundation/ValueStream.h"

#include <vector>

TStringVec ReadStringList(TValueReader& Reader);
TFloatVec ReadFloatList(TValueReader& Reader);
std::vector<int> ReadIntegerList(TValueReader& Reader);
TFloatMat ReadFloatMat(TValueReader& Reader);
TFloatTensor ReadFloatTensor(TValueReader& Reader);

void WriteStringList(TValueWriter& Writer, const TStringVec& Items);
void WriteFloatList(TValueWriter& Writer, const TFloatVec& Items);
void WriteIntegerList(TValueWriter& Writer, const std::vector<int>& Items);
void WriteFloatMat(TValueWriter& Writer, const TFloatMat& Rows);
void WriteFloatTensor(TValueWriter& Writer, const TFloatTensor& Slices);
