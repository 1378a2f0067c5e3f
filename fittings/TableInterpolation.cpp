#include "fittings/TableInterpolation.h"

#include "foundation/NumericHelpers.h"

bool TableCellsValid = true;

namespace {

constexpr double RangeLow = -0.1;
constexpr double RangeHigh = 1.1;

bool OutsideSegment(double T)
{
    return T < RangeLow || T > RangeHigh;
}

void CheckAxis(const TFloatVec& Axis)
{
    if (Axis.size() < 2)
        throw ETableShapeError("Table axis has fewer than two entries");
}

void CheckTable(const TFloatVec& XAxis, const TFloatVec& YAxis, const TFloatMat& Table)
{
    CheckAxis(XAxis);
    CheckAxis(YAxis);
    if (Table.size() != YAxis.size())
        throw ETableShapeError("Table rows do not match the Y axis");
    for (const TFloatVec& Row : Table)
        if (Row.size() != XAxis.size())
            throw ETableShapeError("Table columns do not match the X axis");
}

// Hole filling on one 2-D table. A cell beyond the table's last row or column
// is the neighbour of a lookup that lies exactly on the last grid line: its
// weight is zero, so it reads as a hole without counting as a filled one.
class THoleFiller {
public:
    THoleFiller(const TFloatMat& Table, double Hole, bool& OutOfRange)
        : Table(Table), Rows(static_cast<int>(Table.size())),
          Cols(static_cast<int>(Table.front().size())), Hole(Hole), OutOfRange(OutOfRange)
    {
    }

    bool Exists(int R, int C) const { return R < Rows && C < Cols; }
    bool IsHole(double V) const { return V == Hole; }

    // The cell, or when it is a hole the nearest valid cell of its row
    // (AlongRow) or of its column.
    double Cell(int R, int C, bool AlongRow)
    {
        if (!Exists(R, C))
            return Hole;
        const double V = Table[R][C];
        if (!IsHole(V))
            return V;
        MarkFilled();
        return FillFromNearestValid(R, C, AlongRow);
    }

private:
    void MarkFilled()
    {
        TableCellsValid = false;
        OutOfRange = true;
    }

    // Searches the line backwards from the cell, then forwards; the hole value
    // when the whole line is holes. Reads the column in place: no copies.
    double FillFromNearestValid(int R, int C, bool AlongRow) const
    {
        const int Index = AlongRow ? C : R;
        const int Count = AlongRow ? Cols : Rows;
        auto At = [&](int I) { return AlongRow ? Table[R][I] : Table[I][C]; };
        for (int I = Index - 1; I >= 0; --I)
            if (!IsHole(At(I)))
                return At(I);
        for (int I = Index + 1; I < Count; ++I)
            if (!IsHole(At(I)))
                return At(I);
        return Hole;
    }

    const TFloatMat& Table;
    const int Rows;
    const int Cols;
    const double Hole;
    bool& OutOfRange;
};

double Lerp(double A, double B, double T)
{
    return A + (B - A) * T;
}

// A value on a grid line is taken from that line, not as the end of the
// segment before it.
void SnapToGridLine(int& Index, double& Fraction)
{
    if (Fraction == 1.0) {
        ++Index;
        Fraction = 0.0;
    }
}

// Two cells across a line stand in for each other's holes.
void StandIn(double& A, double& B, double Hole)
{
    if (A == Hole)
        A = B;
    if (B == Hole)
        B = A;
}

// One pass of the hole filling, in the coordinates of the lines it fills
// holes along: a runs along them, b across. Cell(da, db) is the cell at those
// offsets from the segment's first corner, a hole filled along its line; a
// hole left is then filled across the lines. The hole value when nothing is
// left to fill from.
template <class TCell>
double FillPass(TCell Cell, double ta, double tb, double Hole)
{
    if (ta == 0.0) {
        double c0 = Cell(0, 0);
        double c1 = Cell(0, 1);
        StandIn(c0, c1, Hole);
        return c0 == Hole ? Hole : Lerp(c0, c1, tb);
    }
    if (tb == 0.0) {
        const double c0 = Cell(0, 0);
        const double c1 = Cell(1, 0);
        return (c0 == Hole || c1 == Hole) ? Hole : Lerp(c0, c1, ta);
    }
    double c00 = Cell(0, 0);
    double c01 = Cell(0, 1);
    double c10 = Cell(1, 0);
    double c11 = Cell(1, 1);
    StandIn(c00, c01, Hole);
    StandIn(c10, c11, Hole);
    if (c00 == Hole || c10 == Hole)
        return Hole;
    return Lerp(Lerp(c00, c10, ta), Lerp(c01, c11, ta), tb);
}

} // namespace

TTableSegment FindTableSegment(const TFloatVec& Axis, double X)
{
    CheckAxis(Axis);
    const int Last = static_cast<int>(Axis.size()) - 2;
    const bool Ascending = Axis[0] < Axis[1];
    int Index = 0;
    while (Index < Last) {
        const double A = Axis[Index];
        const double B = Axis[Index + 1];
        if (Ascending) {
            if (X < A || (A <= X && X <= B))
                break;
        } else {
            if (X > A || (B <= X && X <= A))
                break;
        }
        ++Index;
    }
    return {Index, SafeDivide(X - Axis[Index], Axis[Index + 1] - Axis[Index], 0.0)};
}

double Interpolate1D(const TFloatVec& XAxis, const TFloatVec& Values, double X, bool& OutOfRange)
{
    OutOfRange = false;
    TableCellsValid = true;
    CheckAxis(XAxis);
    if (Values.size() != XAxis.size())
        throw ETableShapeError("Table values do not match the X axis");
    const TTableSegment S = FindTableSegment(XAxis, X);
    OutOfRange = OutsideSegment(S.Fraction);
    return Lerp(Values[S.Index], Values[S.Index + 1], S.Fraction);
}

double Interpolate2D(const TFloatVec& XAxis, const TFloatVec& YAxis, const TFloatMat& Table,
                     double X, double Y, bool& OutOfRange, double Hole)
{
    OutOfRange = false;
    TableCellsValid = true;
    CheckTable(XAxis, YAxis, Table);

    // Plain variables, not structured bindings: the hole-filling lambdas
    // below capture them, which compilers before C++20's rule (clang 14)
    // refuse for bindings.
    const TTableSegment SegX = FindTableSegment(XAxis, X);
    const TTableSegment SegY = FindTableSegment(YAxis, Y);
    int ix = SegX.Index;
    double tx = SegX.Fraction;
    int iy = SegY.Index;
    double ty = SegY.Fraction;
    OutOfRange = OutsideSegment(tx) || OutsideSegment(ty);

    SnapToGridLine(ix, tx);
    SnapToGridLine(iy, ty);
    if (tx == 0.0 && ty == 0.0 && Table[iy][ix] != Hole)
        return Table[iy][ix];

    // Holes filled along their rows, then along their columns; the result is
    // the mean of what both passes give.
    THoleFiller F(Table, Hole, OutOfRange);
    const double R1 =
        FillPass([&](int da, int db) { return F.Cell(iy + db, ix + da, /*AlongRow=*/true); }, tx, ty, Hole);
    const double R2 =
        FillPass([&](int da, int db) { return F.Cell(iy + da, ix + db, /*AlongRow=*/false); }, ty, tx, Hole);

    double Result;
    if (R1 == Hole)
        Result = R2;
    else if (R2 == Hole)
        Result = R1;
    else
        Result = (R1 + R2) / 2.0;
    return Result == Hole ? 1.0 : Result;
}

double Interpolate3D(const TFloatVec& XAxis, const TFloatVec& ZAxis, const TFloatMat& YAxes,
                     const TFloatTensor& Tables, double X, double Z, double Y, bool& OutOfRange,
                     double Hole)
{
    OutOfRange = false;
    CheckAxis(ZAxis);
    if (YAxes.size() != ZAxis.size() || Tables.size() != ZAxis.size())
        throw ETableShapeError("Table slices do not match the Z axis");

    auto [k, t] = FindTableSegment(ZAxis, Z);
    SnapToGridLine(k, t);
    if (t == 0.0)
        return Interpolate2D(XAxis, YAxes[k], Tables[k], X, Y, OutOfRange, Hole);

    const double r0 = Interpolate2D(XAxis, YAxes[k], Tables[k], X, Y, OutOfRange, Hole);
    const bool FirstValid = TableCellsValid;
    const double r1 = Interpolate2D(XAxis, YAxes[k + 1], Tables[k + 1], X, Y, OutOfRange, Hole);
    TableCellsValid = FirstValid && TableCellsValid;
    return Lerp(r0, r1, t);
}
