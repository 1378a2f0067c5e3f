#include "solver/SparseCholesky.h"

#include "foundation/WorkerTeam.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using TMatrix = TSparseCholesky::TMatrix;
using TTriplets = std::vector<Eigen::Triplet<double, int>>;

TMatrix LowerOf(int N, const TTriplets& Entries)
{
    TMatrix M(N, N);
    M.setFromTriplets(Entries.begin(), Entries.end());
    M.makeCompressed();
    return M;
}

// A network's pressure system: each branch adds its conductance W to both
// ends' diagonals and takes it off their pair; Ground ties every node a
// little to a reference so that the system is definite.
struct TNetworkSystem {
    int N = 0;
    std::vector<std::array<int, 2>> Branches;
    std::vector<double> Weights;
    double Ground = 1e-3;

    TMatrix Lower() const
    {
        TTriplets T;
        for (int I = 0; I < N; ++I)
            T.emplace_back(I, I, Ground);
        for (std::size_t K = 0; K < Branches.size(); ++K) {
            const auto [A, B] = Branches[K];
            T.emplace_back(A, A, Weights[K]);
            T.emplace_back(B, B, Weights[K]);
            T.emplace_back(std::max(A, B), std::min(A, B), -Weights[K]);
        }
        return LowerOf(N, T);
    }
};

// Conductances spread over many decades, as a network's ducts have them.
std::vector<double> SpreadWeights(std::size_t Count, std::mt19937& Random, double Decades)
{
    std::uniform_real_distribution<double> Exponent(-Decades, 0.0);
    std::vector<double> W(Count);
    for (double& V : W)
        V = std::pow(10.0, Exponent(Random));
    return W;
}

TNetworkSystem Grid(int Side, std::mt19937& Random, double Decades)
{
    TNetworkSystem S;
    S.N = Side * Side;
    for (int R = 0; R < Side; ++R)
        for (int C = 0; C < Side; ++C) {
            if (C + 1 < Side)
                S.Branches.push_back({R * Side + C, R * Side + C + 1});
            if (R + 1 < Side)
                S.Branches.push_back({R * Side + C, (R + 1) * Side + C});
        }
    S.Weights = SpreadWeights(S.Branches.size(), Random, Decades);
    return S;
}

// Random branches between nodes (a tree to hold them together, then
// chords), in pieces that share no branch when Pieces > 1.
TNetworkSystem Scattered(int N, int Chords, int Pieces, std::mt19937& Random)
{
    TNetworkSystem S;
    S.N = N;
    const int Each = N / Pieces;
    for (int P = 0; P < Pieces; ++P) {
        const int First = P * Each;
        const int Last = P + 1 == Pieces ? N - 1 : First + Each - 1;
        for (int I = First + 1; I <= Last; ++I)
            S.Branches.push_back({std::uniform_int_distribution<int>(First, I - 1)(Random), I});
        for (int K = 0; K < Chords / Pieces; ++K) {
            std::uniform_int_distribution<int> Pick(First, Last);
            const int A = Pick(Random), B = Pick(Random);
            if (A != B)
                S.Branches.push_back({A, B});
        }
    }
    S.Weights = SpreadWeights(S.Branches.size(), Random, 6.0);
    return S;
}

// A small dense definite matrix: its one supernode is larger than the
// fronts done by plain loops.
TMatrix Dense(int N, std::mt19937& Random)
{
    std::uniform_real_distribution<double> Value(-1.0, 1.0);
    Eigen::MatrixXd B(N, N);
    for (int I = 0; I < N; ++I)
        for (int J = 0; J < N; ++J)
            B(I, J) = Value(Random);
    const Eigen::MatrixXd A = B * B.transpose() + N * Eigen::MatrixXd::Identity(N, N);
    TTriplets T;
    for (int J = 0; J < N; ++J)
        for (int I = J; I < N; ++I)
            T.emplace_back(I, J, A(I, J));
    return LowerOf(N, T);
}

// |A·x - b| against the sizes involved.
double RelativeResidual(const TMatrix& Lower, const Eigen::VectorXd& X, const Eigen::VectorXd& B)
{
    const Eigen::VectorXd R = B - Lower.selfadjointView<Eigen::Lower>() * X;
    const Eigen::VectorXd AbsX = X.cwiseAbs();
    TMatrix Abs = Lower.cwiseAbs();
    const Eigen::VectorXd Scale = Abs.selfadjointView<Eigen::Lower>() * AbsX + B.cwiseAbs();
    double Worst = 0.0;
    for (Eigen::Index I = 0; I < R.size(); ++I)
        Worst = std::max(Worst, std::fabs(R[I]) / Scale[I]);
    return Worst;
}

} // namespace

TEST(SparseCholesky, SolvesDefiniteSystemsAlikeOnOneThreadAndMany)
{
    std::mt19937 Random(7);
    const struct {
        std::string Name;
        std::function<TMatrix()> Make;
    } Cases[] = {
        {"grid 30 x 30", [&] { return Grid(30, Random, 3.0).Lower(); }},
        {"grid 70 x 70, conductances over 8 decades", [&] { return Grid(70, Random, 8.0).Lower(); }},
        {"scattered network of 6000 nodes", [&] { return Scattered(6000, 3000, 1, Random).Lower(); }},
        {"five separate networks", [&] { return Scattered(5000, 2500, 5, Random).Lower(); }},
        {"no unknowns", [] { return LowerOf(0, {}); }},
        {"one unknown", [] { return LowerOf(1, {{0, 0, 2.5}}); }},
        {"dense 60 x 60", [&] { return Dense(60, Random); }},
    };
    TWorkerTeam Team(std::chrono::nanoseconds(0)); // hands out every loop, however short
    for (const auto& C : Cases) {
        const TMatrix A = C.Make();
        TSparseCholesky Serial, Shared;
        Serial.Analyse(A);
        Shared.Analyse(A);
        ASSERT_TRUE(Serial.Factorise(A)) << C.Name;
        ASSERT_TRUE(Shared.Factorise(A, &Team)) << C.Name;
        Eigen::VectorXd B(A.rows());
        std::uniform_real_distribution<double> Value(-1.0, 1.0);
        for (Eigen::Index I = 0; I < B.size(); ++I)
            B[I] = Value(Random);
        const Eigen::VectorXd X = Serial.Solve(B);
        EXPECT_LE(RelativeResidual(A, X, B), 1e-13) << C.Name;
        // The same digits whichever thread factorised which part.
        EXPECT_EQ(Shared.Solve(B), X) << C.Name;

        // New values on the same pattern, as at every Newton step.
        TMatrix Changed = A;
        for (int Col = 0; Col < Changed.outerSize(); ++Col)
            for (TMatrix::InnerIterator It(Changed, Col); It; ++It)
                It.valueRef() *= It.row() == Col ? 2.0 : 1.5;
        ASSERT_TRUE(Shared.Factorise(Changed, &Team)) << C.Name;
        EXPECT_LE(RelativeResidual(Changed, Shared.Solve(B), B), 1e-13) << C.Name;
        // Nothing of the last factorisation is left in the next.
        ASSERT_TRUE(Serial.Factorise(Changed)) << C.Name;
        TSparseCholesky Fresh;
        Fresh.Analyse(A);
        ASSERT_TRUE(Fresh.Factorise(Changed)) << C.Name;
        EXPECT_EQ(Serial.Solve(B), Fresh.Solve(B)) << C.Name;
    }
}

TEST(SparseCholesky, RefusesWhatItCannotFactorise)
{
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::string Name;
        int N;
        TTriplets Entries;
    } Cases[] = {
        {"indefinite", 2, {{0, 0, 1.0}, {1, 1, 1.0}, {1, 0, 2.0}}},
        {"singular", 2, {{0, 0, 1.0}, {1, 1, 1.0}, {1, 0, 1.0}}},
        {"negative diagonal", 3, {{0, 0, 1.0}, {1, 1, -1.0}, {2, 2, 1.0}}},
        {"not a number", 2, {{0, 0, 1.0}, {1, 1, NaN}, {1, 0, 0.1}}},
        {"infinite", 2, {{0, 0, HUGE_VAL}, {1, 1, 1.0}, {1, 0, 0.1}}},
    };
    TWorkerTeam Team(std::chrono::nanoseconds(0)); // hands out every loop, however short
    for (const auto& C : Cases) {
        const TMatrix A = LowerOf(C.N, C.Entries);
        TSparseCholesky F;
        F.Analyse(A);
        EXPECT_FALSE(F.Factorise(A)) << C.Name;
        EXPECT_FALSE(F.Factorise(A, &Team)) << C.Name;
    }
    // A matrix of another pattern than the one analysed.
    TSparseCholesky F;
    F.Analyse(LowerOf(2, {{0, 0, 1.0}, {1, 1, 1.0}}));
    EXPECT_FALSE(F.Factorise(LowerOf(2, {{0, 0, 2.0}, {1, 1, 2.0}, {1, 0, 0.5}})));
    // An indefinite piece among many definite ones is found by the threads.
    std::mt19937 Random(3);
    TMatrix Big = Scattered(6000, 3000, 6, Random).Lower();
    Big.coeffRef(5999, 5999) = -1.0;
    F.Analyse(Big);
    EXPECT_FALSE(F.Factorise(Big, &Team));
}

// A small matrix is factorised on the calling thread even when its pieces
// are separate: waking threads for them costs more than they take.
TEST(SparseCholesky, ASmallMatrixStartsNoThread)
{
    std::mt19937 Random(11);
    const TMatrix A = Scattered(900, 450, 3, Random).Lower();
    TWorkerTeam Team(std::chrono::nanoseconds(0)); // would hand out every loop
    TSparseCholesky F;
    F.Analyse(A);
    ASSERT_TRUE(F.Factorise(A, &Team));
    EXPECT_FALSE(Team.ThreadsStarted());
}
