#pragma once
// The plain values of a stored record (a node, a branch, a fixed item, a
// fitting) with the checks every record makes: the writer never stores a
// value that is no number, and the reader refuses what would break the
// computations or index past a table of texts and defaults.

#include "foundation/ValueStream.h"

#include <cmath>
#include <memory>
#include <vector>

// The value as stored: 0 in place of a value that is no number (a
// computation that ran away), so that every file the writer makes reads back.
inline double FiniteOrZero(double Value)
{
    return std::isfinite(Value) ? Value : 0.0;
}

// A float that must be a number; else EStreamError "Invalid property value".
double ReadFiniteFloat(TValueReader& Reader);

// The values of one node's or branch's record. A value refused raises
// EGraphError "Invalid <what> in file: <item> <id>".
class TRecordReader {
public:
    // Item names the record in the messages ("node", "branch").
    TRecordReader(TValueReader& Reader, const char* Item, int Id) : Reader(Reader), Item(Item), Id(Id) {}

    // An enumeration value: anything outside 0..Count-1 is refused.
    int Enum(int Count, const char* What);
    // A value the user gave (a size, a length, a flow): the computations
    // start from it, so a value that is no number is refused.
    double Input(const char* What);
    // A result of the last solve: the next solve computes it again, so a
    // value that is no number is only dropped (read as 0).
    double Result() { return FiniteOrZero(Reader.ReadFloat()); }

    template <class TItem>
    void List(std::vector<std::unique_ptr<TItem>>& Items)
    {
        Items.clear();
        Reader.ReadListBegin();
        while (!Reader.EndOfList())
            Items.push_back(std::make_unique<TItem>(Reader));
        Reader.ReadListEnd();
    }

private:
    TValueReader& Reader;
    const char* Item;
    int Id;

    [[noreturn]] void Fail(const char* What) const;
};
