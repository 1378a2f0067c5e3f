#include "solver/SparseCholesky.h"

#include "foundation/WorkerTeam.h"

#include <Eigen/Cholesky>
#include <Eigen/OrderingMethods>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <numeric>

namespace {

// Columns are gathered into larger supernodes than the pattern alone
// gives when the explicit zeros that brings stay few: dense blocks of a
// few more entries are far cheaper than many tiny ones. At most these many
// columns for each share of zeros allowed.
constexpr int RelaxColumns[3] = {4, 16, 48};
constexpr double RelaxZeros[3] = {0.8, 0.1, 0.05};
// The tree is cut into subtrees for the threads until none holds more than
// this share of the work of one thread's part.
constexpr double SubtreeShare = 0.25;
// A smaller matrix is factorised on one thread: handing out its subtrees
// would cost more than they take.
constexpr int ParallelColumns = 2048;

// Fronts of at most this many rows are factorised by plain loops: for
// them the dense routines' set-up costs more than the arithmetic.
constexpr int SmallFront = 24;
// Rows and columns of the blocks in which a larger front's rows below are
// updated, shared out among a team at the top of the tree.
constexpr int UpdateBlock = 32;
// The most values all fronts together may hold and be kept between
// factorisations (16 MB).
constexpr double KeptFrontValues = 2.0 * 1024 * 1024;

// Eliminates the first K columns of the M × M front F (by column, lower
// triangle): L in those columns, what is left for the rows below in the
// rest. False when a pivot is not positive and finite.
bool FactoriseSmall(double* F, int M, int K)
{
    for (int J = 0; J < K; ++J) {
        double* Column = F + static_cast<std::ptrdiff_t>(J) * M;
        const double Pivot = Column[J];
        if (!(Pivot > 0.0) || !std::isfinite(Pivot))
            return false;
        const double Root = std::sqrt(Pivot);
        Column[J] = Root;
        for (int I = J + 1; I < M; ++I)
            Column[I] /= Root;
        for (int C = J + 1; C < M; ++C) {
            double* Target = F + static_cast<std::ptrdiff_t>(C) * M;
            const double Factor = Column[C];
            for (int I = C; I < M; ++I)
                Target[I] -= Column[I] * Factor;
        }
    }
    return true;
}

// The pattern of the permuted matrix, by column: the rows above the
// diagonal (Above) or below it.
void PermutedPattern(const TSparseCholesky::TMatrix& M, const std::vector<int>& NewOf, bool Above,
                     std::vector<int>& Start, std::vector<int>& Index)
{
    const int N = static_cast<int>(M.rows());
    Start.assign(static_cast<std::size_t>(N) + 1, 0);
    auto Each = [&](auto Visit) {
        for (int C = 0; C < N; ++C)
            for (TSparseCholesky::TMatrix::InnerIterator It(M, C); It; ++It) {
                const int I = NewOf[static_cast<std::size_t>(It.row())];
                const int J = NewOf[static_cast<std::size_t>(C)];
                if (I != J)
                    Above ? Visit(std::max(I, J), std::min(I, J)) : Visit(std::min(I, J), std::max(I, J));
            }
    };
    Each([&](int Column, int) { ++Start[static_cast<std::size_t>(Column) + 1]; });
    std::partial_sum(Start.begin(), Start.end(), Start.begin());
    Index.resize(static_cast<std::size_t>(Start.back()));
    std::vector<int> Fill(Start.begin(), Start.end() - 1);
    Each([&](int Column, int Row) { Index[static_cast<std::size_t>(Fill[static_cast<std::size_t>(Column)]++)] = Row; });
}

// The elimination tree from the rows above the diagonal of each column.
std::vector<int> EliminationTree(int N, const std::vector<int>& Start, const std::vector<int>& Index)
{
    std::vector<int> Parent(static_cast<std::size_t>(N), -1), Ancestor(static_cast<std::size_t>(N), -1);
    for (int K = 0; K < N; ++K) {
        for (int P = Start[static_cast<std::size_t>(K)]; P < Start[static_cast<std::size_t>(K) + 1]; ++P) {
            int I = Index[static_cast<std::size_t>(P)];
            while (I != -1 && I < K) {
                const int Next = Ancestor[static_cast<std::size_t>(I)];
                Ancestor[static_cast<std::size_t>(I)] = K;
                if (Next == -1)
                    Parent[static_cast<std::size_t>(I)] = K;
                I = Next;
            }
        }
    }
    return Parent;
}

} // namespace

void TSparseCholesky::Analyse(const TMatrix& Lower)
{
    const int N = static_cast<int>(Lower.rows());
    Size = N;
    Stored = Lower.nonZeros();
    const std::size_t UN = static_cast<std::size_t>(N);
    Supernodes.clear();
    Subtrees.clear();
    SubtreeFirst.clear();
    Above.clear();
    WaveStart.clear();
    Values.clear();
    NewOf.clear();
    Fronts.clear();
    KeepFronts = false;
    if (N == 0)
        return;

    // A fill-reducing order, then the tree's postorder on top of it, so
    // that every subtree and every supernode is a run of columns.
    {
        TMatrix Full = Lower.selfadjointView<Eigen::Lower>();
        Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> OldOf;
        Eigen::AMDOrdering<int>()(Full, OldOf);
        NewOf.assign(UN, 0);
        for (int I = 0; I < N; ++I)
            NewOf[static_cast<std::size_t>(OldOf.indices()[I])] = I;
    }
    std::vector<int> UpStart, UpIndex;
    PermutedPattern(Lower, NewOf, true, UpStart, UpIndex);
    {
        const std::vector<int> Parent = EliminationTree(N, UpStart, UpIndex);
        std::vector<int> Head(UN, -1), Next(UN, -1), Stack, Order;
        for (int J = N - 1; J >= 0; --J) {
            const int P = Parent[static_cast<std::size_t>(J)];
            if (P >= 0) {
                Next[static_cast<std::size_t>(J)] = Head[static_cast<std::size_t>(P)];
                Head[static_cast<std::size_t>(P)] = J;
            }
        }
        Order.reserve(UN);
        std::vector<char> Expanded(UN, 0);
        for (int Root = 0; Root < N; ++Root) {
            if (Parent[static_cast<std::size_t>(Root)] != -1)
                continue;
            Stack.push_back(Root);
            while (!Stack.empty()) {
                const int J = Stack.back();
                if (Expanded[static_cast<std::size_t>(J)]) {
                    Stack.pop_back();
                    Order.push_back(J);
                    continue;
                }
                Expanded[static_cast<std::size_t>(J)] = 1;
                std::vector<int> Kids;
                for (int C = Head[static_cast<std::size_t>(J)]; C != -1; C = Next[static_cast<std::size_t>(C)])
                    Kids.push_back(C);
                Stack.insert(Stack.end(), Kids.rbegin(), Kids.rend());
            }
        }
        std::vector<int> PostOf(UN);
        for (int K = 0; K < N; ++K)
            PostOf[static_cast<std::size_t>(Order[static_cast<std::size_t>(K)])] = K;
        for (int& I : NewOf)
            I = PostOf[static_cast<std::size_t>(I)];
    }
    PermutedPattern(Lower, NewOf, true, UpStart, UpIndex);
    const std::vector<int> Parent = EliminationTree(N, UpStart, UpIndex);

    // Entries of each column of the factor, diagonal included: row K has
    // an entry in every column on the tree's paths from its own entries up
    // to K.
    std::vector<int> Count(UN, 1), Mark(UN, -1), Kids(UN, 0);
    for (int K = 0; K < N; ++K) {
        Mark[static_cast<std::size_t>(K)] = K;
        for (int P = UpStart[static_cast<std::size_t>(K)]; P < UpStart[static_cast<std::size_t>(K) + 1]; ++P)
            for (int I = UpIndex[static_cast<std::size_t>(P)]; Mark[static_cast<std::size_t>(I)] != K;
                 I = Parent[static_cast<std::size_t>(I)]) {
                Mark[static_cast<std::size_t>(I)] = K;
                ++Count[static_cast<std::size_t>(I)];
            }
        if (Parent[static_cast<std::size_t>(K)] >= 0)
            ++Kids[static_cast<std::size_t>(Parent[static_cast<std::size_t>(K)])];
    }

    // Supernodes: a column joins the one before when it is that column's
    // only child and their patterns nest. Then the relaxed ones: a
    // supernode joins its parent when it ends just before the parent's
    // first column and the zeros stay few.
    struct TGroup {
        int First, Columns, Below;
        double Actual; // entries of its columns that are not explicit zeros
        int Into = -1;
    };
    std::vector<TGroup> Groups;
    std::vector<int> GroupOf(UN);
    for (int J = 0; J < N; ++J) {
        const std::size_t UJ = static_cast<std::size_t>(J);
        const bool Joins = J > 0 && Parent[UJ - 1] == J && Kids[UJ] == 1 && Count[UJ - 1] == Count[UJ] + 1;
        if (Joins) {
            TGroup& G = Groups.back();
            ++G.Columns;
            G.Below = Count[UJ] - 1;
            G.Actual += Count[UJ];
        } else {
            Groups.push_back({J, 1, Count[UJ] - 1, static_cast<double>(Count[UJ])});
        }
        GroupOf[UJ] = static_cast<int>(Groups.size()) - 1;
    }
    auto Find = [&Groups](int G) {
        while (Groups[static_cast<std::size_t>(G)].Into >= 0)
            G = Groups[static_cast<std::size_t>(G)].Into;
        return G;
    };
    for (std::size_t S = 0; S < Groups.size(); ++S) {
        TGroup& Child = Groups[S];
        const int LastColumn = Child.First + Child.Columns - 1;
        const int P = Parent[static_cast<std::size_t>(LastColumn)];
        if (P < 0)
            continue;
        TGroup& Up = Groups[static_cast<std::size_t>(Find(GroupOf[static_cast<std::size_t>(P)]))];
        if (Up.First != LastColumn + 1)
            continue;
        const int Columns = Child.Columns + Up.Columns;
        const double Dense = 0.5 * Columns * (Columns + 1.0) + static_cast<double>(Columns) * Up.Below;
        const double Zeros = (Dense - Child.Actual - Up.Actual) / Dense;
        bool Merge = false;
        for (int K = 0; K < 3 && !Merge; ++K)
            Merge = Columns <= RelaxColumns[K] && (K == 0 || Zeros < RelaxZeros[K]);
        if (!Merge)
            continue;
        Up.First = Child.First;
        Up.Columns = Columns;
        Up.Actual += Child.Actual;
        Child.Into = static_cast<int>(&Up - Groups.data());
    }

    // The supernodes in column order, each column's, and their parents.
    Supernodes.clear();
    std::vector<int> SuperOf(UN);
    for (std::size_t S = 0; S < Groups.size(); ++S) {
        if (Groups[S].Into >= 0)
            continue;
        TSupernode Node;
        Node.First = Groups[S].First;
        Node.Columns = Groups[S].Columns;
        Supernodes.push_back(Node);
    }
    std::sort(Supernodes.begin(), Supernodes.end(),
              [](const TSupernode& A, const TSupernode& B) { return A.First < B.First; });
    const int Supers = static_cast<int>(Supernodes.size());
    for (int S = 0; S < Supers; ++S)
        for (int J = 0; J < Supernodes[static_cast<std::size_t>(S)].Columns; ++J)
            SuperOf[static_cast<std::size_t>(Supernodes[static_cast<std::size_t>(S)].First + J)] = S;
    std::vector<int> ChildCount(static_cast<std::size_t>(Supers) + 1, 0);
    for (TSupernode& Node : Supernodes) {
        const int P = Parent[static_cast<std::size_t>(Node.First + Node.Columns - 1)];
        Node.Parent = P < 0 ? -1 : SuperOf[static_cast<std::size_t>(P)];
        if (Node.Parent >= 0)
            ++ChildCount[static_cast<std::size_t>(Node.Parent) + 1];
    }
    std::partial_sum(ChildCount.begin(), ChildCount.end(), ChildCount.begin());
    ChildList.assign(static_cast<std::size_t>(ChildCount.back()), 0);
    {
        std::vector<int> Fill(ChildCount.begin(), ChildCount.end() - 1);
        for (int S = 0; S < Supers; ++S) {
            TSupernode& Node = Supernodes[static_cast<std::size_t>(S)];
            Node.ChildStart = ChildCount[static_cast<std::size_t>(S)];
            Node.ChildEnd = ChildCount[static_cast<std::size_t>(S) + 1];
            if (Node.Parent >= 0)
                ChildList[static_cast<std::size_t>(Fill[static_cast<std::size_t>(Node.Parent)]++)] = S;
        }
    }

    // The rows of each supernode: its columns, then below them the rows of
    // its columns in the matrix and those its children pass up, in order.
    std::vector<int> LowStart, LowIndex;
    PermutedPattern(Lower, NewOf, false, LowStart, LowIndex);
    RowIndex.clear();
    std::fill(Mark.begin(), Mark.end(), -1);
    std::vector<int> Position(UN, -1);
    Relative.clear();
    std::size_t ValueCount = 0;
    for (int S = 0; S < Supers; ++S) {
        TSupernode& Node = Supernodes[static_cast<std::size_t>(S)];
        const int Last = Node.First + Node.Columns - 1;
        Node.RowStart = static_cast<int>(RowIndex.size());
        for (int J = Node.First; J <= Last; ++J)
            RowIndex.push_back(J);
        const std::size_t BelowStart = RowIndex.size();
        auto Add = [&](int Row) {
            if (Row > Last && Mark[static_cast<std::size_t>(Row)] != S) {
                Mark[static_cast<std::size_t>(Row)] = S;
                RowIndex.push_back(Row);
            }
        };
        for (int J = Node.First; J <= Last; ++J)
            for (int P = LowStart[static_cast<std::size_t>(J)]; P < LowStart[static_cast<std::size_t>(J) + 1]; ++P)
                Add(LowIndex[static_cast<std::size_t>(P)]);
        for (int K = Node.ChildStart; K < Node.ChildEnd; ++K) {
            const TSupernode& Child = Supernodes[static_cast<std::size_t>(ChildList[static_cast<std::size_t>(K)])];
            for (int R = Child.Columns; R < Child.Rows; ++R)
                Add(RowIndex[static_cast<std::size_t>(Child.RowStart + R)]);
        }
        std::sort(RowIndex.begin() + static_cast<std::ptrdiff_t>(BelowStart), RowIndex.end());
        Node.Rows = static_cast<int>(RowIndex.size()) - Node.RowStart;
        Node.ValueStart = ValueCount;
        ValueCount += static_cast<std::size_t>(Node.Rows) * static_cast<std::size_t>(Node.Columns);
        // Where the children's rows below lie among these.
        for (int R = 0; R < Node.Rows; ++R)
            Position[static_cast<std::size_t>(RowIndex[static_cast<std::size_t>(Node.RowStart + R)])] = R;
        for (int K = Node.ChildStart; K < Node.ChildEnd; ++K) {
            TSupernode& Child = Supernodes[static_cast<std::size_t>(ChildList[static_cast<std::size_t>(K)])];
            Child.RelStart = static_cast<int>(Relative.size());
            for (int R = Child.Columns; R < Child.Rows; ++R)
                Relative.push_back(Position[static_cast<std::size_t>(RowIndex[static_cast<std::size_t>(Child.RowStart + R)])]);
        }
    }
    Values.assign(ValueCount, 0.0);
    double FrontValues = 0.0;
    for (const TSupernode& Node : Supernodes)
        FrontValues += static_cast<double>(Node.Rows) * static_cast<double>(Node.Rows);
    KeepFronts = FrontValues <= KeptFrontValues;
    Fronts.resize(Supernodes.size());

    // Where each stored entry of the matrix goes in its supernode's front.
    std::vector<int> EntryCount(static_cast<std::size_t>(Supers) + 1, 0);
    std::vector<std::array<int, 3>> Placed; // supernode, column, row (factor order)
    Placed.reserve(static_cast<std::size_t>(Stored));
    for (int C = 0; C < N; ++C)
        for (TMatrix::InnerIterator It(Lower, C); It; ++It) {
            const int I = NewOf[static_cast<std::size_t>(It.row())];
            const int J = NewOf[static_cast<std::size_t>(C)];
            const int Column = std::min(I, J);
            const int S = SuperOf[static_cast<std::size_t>(Column)];
            Placed.push_back({S, Column, std::max(I, J)});
            ++EntryCount[static_cast<std::size_t>(S) + 1];
        }
    std::partial_sum(EntryCount.begin(), EntryCount.end(), EntryCount.begin());
    Entries.assign(Placed.size(), TEntry{});
    {
        std::vector<int> Fill(EntryCount.begin(), EntryCount.end() - 1);
        for (std::size_t P = 0; P < Placed.size(); ++P)
            Entries[static_cast<std::size_t>(Fill[static_cast<std::size_t>(Placed[P][0])]++)].Value = static_cast<int>(P);
    }
    for (int S = 0; S < Supers; ++S) {
        TSupernode& Node = Supernodes[static_cast<std::size_t>(S)];
        Node.EntryStart = EntryCount[static_cast<std::size_t>(S)];
        Node.EntryEnd = EntryCount[static_cast<std::size_t>(S) + 1];
        for (int R = 0; R < Node.Rows; ++R)
            Position[static_cast<std::size_t>(RowIndex[static_cast<std::size_t>(Node.RowStart + R)])] = R;
        for (int E = Node.EntryStart; E < Node.EntryEnd; ++E) {
            TEntry& Entry = Entries[static_cast<std::size_t>(E)];
            const auto& At = Placed[static_cast<std::size_t>(Entry.Value)];
            Entry.Offset = (At[1] - Node.First) * Node.Rows + Position[static_cast<std::size_t>(At[2])];
        }
    }

    // Subtrees for the threads: the heaviest is split into its children
    // (its own supernode left for after them) until none is too heavy.
    std::vector<double> Work(static_cast<std::size_t>(Supers), 0.0), Below(static_cast<std::size_t>(Supers), 0.0);
    std::vector<int> FirstOf(static_cast<std::size_t>(Supers));
    double Total = 0.0;
    for (int S = 0; S < Supers; ++S) {
        const TSupernode& Node = Supernodes[static_cast<std::size_t>(S)];
        const double M = Node.Rows, K = Node.Columns;
        Work[static_cast<std::size_t>(S)] = K * M * M + M * M;
        Below[static_cast<std::size_t>(S)] += Work[static_cast<std::size_t>(S)];
        Total += Work[static_cast<std::size_t>(S)];
        FirstOf[static_cast<std::size_t>(S)] = S;
        for (int Kid = Node.ChildStart; Kid < Node.ChildEnd; ++Kid)
            FirstOf[static_cast<std::size_t>(S)] = std::min(FirstOf[static_cast<std::size_t>(S)],
                                                             FirstOf[static_cast<std::size_t>(ChildList[static_cast<std::size_t>(Kid)])]);
        if (Node.Parent >= 0)
            Below[static_cast<std::size_t>(Node.Parent)] += Below[static_cast<std::size_t>(S)];
    }
    std::vector<int> Open;
    for (int S = 0; S < Supers; ++S)
        if (Supernodes[static_cast<std::size_t>(S)].Parent < 0)
            Open.push_back(S);
    Above.clear();
    const double Limit = SubtreeShare * Total / static_cast<double>(TWorkerTeam::MostThreads);
    for (;;) {
        if (N < ParallelColumns)
            break;
        auto Heaviest = std::max_element(Open.begin(), Open.end(), [&](int A, int B) {
            return Below[static_cast<std::size_t>(A)] < Below[static_cast<std::size_t>(B)];
        });
        if (Heaviest == Open.end() || Below[static_cast<std::size_t>(*Heaviest)] <= Limit)
            break;
        const int S = *Heaviest;
        Open.erase(Heaviest);
        Above.push_back(S);
        const TSupernode& Node = Supernodes[static_cast<std::size_t>(S)];
        for (int Kid = Node.ChildStart; Kid < Node.ChildEnd; ++Kid)
            Open.push_back(ChildList[static_cast<std::size_t>(Kid)]);
    }
    std::sort(Open.begin(), Open.end(), [&](int A, int B) {
        return Below[static_cast<std::size_t>(A)] > Below[static_cast<std::size_t>(B)];
    });
    Subtrees = Open;
    SubtreeFirst.clear();
    for (int S : Subtrees)
        SubtreeFirst.push_back(FirstOf[static_cast<std::size_t>(S)]);
    // The supernodes above in waves: each one's children among them lie in
    // earlier waves, so the supernodes of a wave are independent.
    std::sort(Above.begin(), Above.end());
    std::vector<int> Wave(static_cast<std::size_t>(Supers), -1);
    int Waves = 0;
    for (int S : Above) {
        int W = 0;
        const TSupernode& Node = Supernodes[static_cast<std::size_t>(S)];
        for (int Kid = Node.ChildStart; Kid < Node.ChildEnd; ++Kid)
            W = std::max(W, Wave[static_cast<std::size_t>(ChildList[static_cast<std::size_t>(Kid)])] + 1);
        Wave[static_cast<std::size_t>(S)] = W;
        Waves = std::max(Waves, W + 1);
    }
    // Within a wave the largest first, as a team takes items.
    std::stable_sort(Above.begin(), Above.end(), [&](int A, int B) {
        const std::size_t UA = static_cast<std::size_t>(A), UB = static_cast<std::size_t>(B);
        return Wave[UA] != Wave[UB] ? Wave[UA] < Wave[UB] : Work[UA] > Work[UB];
    });
    WaveStart.assign(static_cast<std::size_t>(Waves) + 1, 0);
    for (int S : Above)
        ++WaveStart[static_cast<std::size_t>(Wave[static_cast<std::size_t>(S)]) + 1];
    std::partial_sum(WaveStart.begin(), WaveStart.end(), WaveStart.begin());
}

void TSparseCholesky::UpdateBelow(Eigen::Map<Eigen::MatrixXd>& F, int K, TWorkerTeam* Team)
{
    // In blocks of a fixed size, the same with a team or without: the rows
    // below the columns just eliminated take their part of L, then each
    // block of the columns below its update, the lower triangle and a
    // little above it.
    const int M = static_cast<int>(F.rows());
    const int Rest = M - K;
    const auto Diagonal = F.topLeftCorner(K, K).triangularView<Eigen::Lower>();
    const std::size_t Blocks = static_cast<std::size_t>((Rest + UpdateBlock - 1) / UpdateBlock);
    auto EachBlock = [&](auto Body) {
        if (Team && Blocks > 1)
            Team->ForEachItem(Blocks, Body);
        else
            for (std::size_t B = 0; B < Blocks; ++B)
                Body(B);
    };
    EachBlock([&](std::size_t B) {
        const int First = static_cast<int>(B) * UpdateBlock;
        auto Rows = F.block(K + First, 0, std::min(UpdateBlock, Rest - First), K);
        Diagonal.adjoint().solveInPlace<Eigen::OnTheRight>(Rows);
    });
    const auto L = F.bottomLeftCorner(Rest, K);
    EachBlock([&](std::size_t B) {
        const int First = static_cast<int>(B) * UpdateBlock;
        const int Width = std::min(UpdateBlock, Rest - First);
        F.block(K + First, K + First, Rest - First, Width).noalias() -=
            L.bottomRows(Rest - First) * L.middleRows(First, Width).transpose();
    });
}

bool TSparseCholesky::FactoriseSupernode(int S, const double* Matrix, TWorkerTeam* Team)
{
    const TSupernode& Node = Supernodes[static_cast<std::size_t>(S)];
    const int M = Node.Rows;
    const int K = Node.Columns;
    std::vector<double>& Front = Fronts[static_cast<std::size_t>(S)];
    Front.assign(static_cast<std::size_t>(M) * static_cast<std::size_t>(M), 0.0);
    for (int E = Node.EntryStart; E < Node.EntryEnd; ++E) {
        const TEntry& Entry = Entries[static_cast<std::size_t>(E)];
        Front[static_cast<std::size_t>(Entry.Offset)] += Matrix[Entry.Value];
    }
    // What each child leaves for the rows below it, added in place.
    for (int Kid = Node.ChildStart; Kid < Node.ChildEnd; ++Kid) {
        const int C = ChildList[static_cast<std::size_t>(Kid)];
        const TSupernode& Child = Supernodes[static_cast<std::size_t>(C)];
        std::vector<double>& Update = Fronts[static_cast<std::size_t>(C)];
        const int CM = Child.Rows, CK = Child.Columns;
        const int* Rel = Relative.data() + Child.RelStart;
        for (int J = CK; J < CM; ++J) {
            const double* From = Update.data() + static_cast<std::size_t>(J) * static_cast<std::size_t>(CM);
            double* To = Front.data() + static_cast<std::size_t>(Rel[J - CK]) * static_cast<std::size_t>(M);
            for (int I = J; I < CM; ++I)
                To[Rel[I - CK]] += From[I];
        }
        if (!KeepFronts)
            std::vector<double>().swap(Update);
    }
    if (M <= SmallFront) {
        if (!FactoriseSmall(Front.data(), M, K))
            return false;
    } else {
        using TMap = Eigen::Map<Eigen::MatrixXd>;
        TMap F(Front.data(), M, M);
        Eigen::Ref<Eigen::MatrixXd> Diagonal = F.topLeftCorner(K, K);
        Eigen::LLT<Eigen::Ref<Eigen::MatrixXd>, Eigen::Lower> Llt(Diagonal);
        if (Llt.info() != Eigen::Success)
            return false;
        for (int J = 0; J < K; ++J)
            if (!(Diagonal(J, J) > 0.0) || !std::isfinite(Diagonal(J, J)))
                return false;
        if (M > K)
            UpdateBelow(F, K, Team);
    }
    std::copy(Front.begin(), Front.begin() + static_cast<std::ptrdiff_t>(M) * K,
              Values.begin() + static_cast<std::ptrdiff_t>(Node.ValueStart));
    if (Node.Parent < 0 && !KeepFronts)
        std::vector<double>().swap(Front);
    return true;
}

bool TSparseCholesky::Factorise(const TMatrix& Lower, TWorkerTeam* Team)
{
    if (Lower.rows() != Size || Lower.nonZeros() != Stored)
        return false;
    const double* Matrix = Lower.valuePtr();
    if (!Team || Size < ParallelColumns) {
        for (int S = 0; S < static_cast<int>(Supernodes.size()); ++S)
            if (!FactoriseSupernode(S, Matrix))
                return false;
        return true;
    }
    std::atomic<bool> Failed = false;
    Team->ForEachItem(Subtrees.size(), [&](std::size_t T) {
        for (int S = SubtreeFirst[T]; S <= Subtrees[T] && !Failed; ++S)
            if (!FactoriseSupernode(S, Matrix))
                Failed = true;
    });
    if (Failed)
        return false;
    for (std::size_t W = 0; W + 1 < WaveStart.size(); ++W) {
        const std::size_t First = static_cast<std::size_t>(WaveStart[W]);
        const std::size_t Count = static_cast<std::size_t>(WaveStart[W + 1]) - First;
        if (Count == 1) {
            // Alone in its wave: its own update is shared out.
            if (!FactoriseSupernode(Above[First], Matrix, Team))
                return false;
            continue;
        }
        Team->ForEachItem(Count, [&](std::size_t K) {
            if (!FactoriseSupernode(Above[First + K], Matrix))
                Failed = true;
        });
        if (Failed)
            return false;
    }
    return true;
}

Eigen::VectorXd TSparseCholesky::Solve(const Eigen::VectorXd& B) const
{
    // By plain loops over each supernode's columns: its blocks are mostly
    // small, and the rows below scatter.
    std::vector<double> Y(static_cast<std::size_t>(Size));
    for (int I = 0; I < Size; ++I)
        Y[static_cast<std::size_t>(NewOf[static_cast<std::size_t>(I)])] = B[I];
    for (const TSupernode& Node : Supernodes) {
        const int M = Node.Rows;
        const int* Rows = RowIndex.data() + Node.RowStart;
        for (int J = 0; J < Node.Columns; ++J) {
            const double* L = Values.data() + Node.ValueStart + static_cast<std::size_t>(J) * static_cast<std::size_t>(M);
            double& Yj = Y[static_cast<std::size_t>(Node.First + J)];
            Yj /= L[J];
            for (int I = J + 1; I < M; ++I)
                Y[static_cast<std::size_t>(Rows[I])] -= L[I] * Yj;
        }
    }
    for (auto It = Supernodes.rbegin(); It != Supernodes.rend(); ++It) {
        const TSupernode& Node = *It;
        const int M = Node.Rows;
        const int* Rows = RowIndex.data() + Node.RowStart;
        for (int J = Node.Columns - 1; J >= 0; --J) {
            const double* L = Values.data() + Node.ValueStart + static_cast<std::size_t>(J) * static_cast<std::size_t>(M);
            double Sum = Y[static_cast<std::size_t>(Node.First + J)];
            for (int I = J + 1; I < M; ++I)
                Sum -= L[I] * Y[static_cast<std::size_t>(Rows[I])];
            Y[static_cast<std::size_t>(Node.First + J)] = Sum / L[J];
        }
    }
    Eigen::VectorXd X(Size);
    for (int I = 0; I < Size; ++I)
        X[I] = Y[static_cast<std::size_t>(NewOf[static_cast<std::size_t>(I)])];
    return X;
}
