#include "fittings/FittingLists.h"

namespace {

template <class T, class ReadOne>
std::vector<T> ReadList(TValueReader& Reader, ReadOne Read)
{
    std::vector<T> Items;
    Reader.ReadListBegin();
    while (!Reader.EndOfList())
        Items.push_back(Read(Reader));
    Reader.ReadListEnd();
    return Items;
}

template <class T, class WriteOne>
void WriteList(TValueWriter& Writer, const std::vector<T>& Items, WriteOne Write)
{
    Writer.WriteListBegin();
    for (const T& Item : Items)
        Write(Writer, Item);
    Writer.WriteListEnd();
}

} // namespace

TStringVec ReadStringList(TValueReader& Reader)
{
    return ReadList<std::string>(Reader, [](TValueReader& R) { return R.ReadString(); });
}

TFloatVec ReadFloatList(TValueReader& Reader)
{
    return ReadList<double>(Reader, [](TValueReader& R) { return R.ReadFloat(); });
}

std::vector<int> ReadIntegerList(TValueReader& Reader)
{
    return ReadList<int>(Reader, [](TValueReader& R) { return static_cast<int>(R.ReadInteger()); });
}

TFloatMat ReadFloatMat(TValueReader& Reader)
{
    return ReadList<TFloatVec>(Reader, [](TValueReader& R) { return ReadFloatList(R); });
}

TFloatTensor ReadFloatTensor(TValueReader& Reader)
{
    return ReadList<TFloatMat>(Reader, [](TValueReader& R) { return ReadFloatMat(R); });
}

void WriteStringList(TValueWriter& Writer, const TStringVec& Items)
{
    WriteList(Writer, Items, [](TValueWriter& W, const std::string& S) { W.WriteString(S); });
}

void WriteFloatList(TValueWriter& Writer, const TFloatVec& Items)
{
    WriteList(Writer, Items, [](TValueWriter& W, double V) { W.WriteFloat(V); });
}

void WriteIntegerList(TValueWriter& Writer, const std::vector<int>& Items)
{
    WriteList(Writer, Items, [](TValueWriter& W, int V) { W.WriteInteger(V); });
}

void WriteFloatMat(TValueWriter& Writer, const TFloatMat& Rows)
{
    WriteList(Writer, Rows, [](TValueWriter& W, const TFloatVec& Row) { WriteFloatList(W, Row); });
}

void WriteFloatTensor(TValueWriter& Writer, const TFloatTensor& Slices)
{
    WriteList(Writer, Slices, [](TValueWriter& W, const TFloatMat& M) { WriteFloatMat(W, M); });
}
