#pragma once
// The Cholesky factorisation L·Lᵀ of a large sparse symmetric positive
// definite matrix, as the warm start needs one at every Newton step: the
// pattern is analysed once (a fill-reducing order, the elimination tree,
// its columns gathered into supernodes), and each factorisation then works
// on small dense matrices, the fronts of the multifrontal method, one per
// supernode. Independent branches of the tree are factorised side by side
// by a team's threads; which thread takes a branch does not change a digit.

#include <Eigen/Core>
#include <Eigen/SparseCore>

#include <cstddef>
#include <vector>

class TWorkerTeam;

class TSparseCholesky {
public:
    using TMatrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

    // Analyses the pattern of Lower, the compressed lower triangle of the
    // matrix with every diagonal entry stored.
    void Analyse(const TMatrix& Lower);
    // Factorises Lower, of the pattern analysed; false when the matrix is
    // not positive definite or not finite. With a team, its threads share
    // the work.
    bool Factorise(const TMatrix& Lower, TWorkerTeam* Team = nullptr);
    // Solves with the last factorisation that succeeded.
    Eigen::VectorXd Solve(const Eigen::VectorXd& B) const;
    // The entries of the factor, explicit zeros of the supernodes included.
    std::size_t FactorEntries() const { return Values.size(); }

private:
    struct TSupernode {
        int First = 0;   // its first column in the factor's order
        int Columns = 0; // how many
        int Rows = 0;    // rows of its block: its columns, then those below
        int RowStart = 0; // into RowIndex
        int Parent = -1;
        std::size_t ValueStart = 0; // its block (Rows × Columns, by column) in Values
        int ChildStart = 0, ChildEnd = 0; // into ChildList
        int RelStart = 0;   // into Relative: where its rows below lie in its parent's
        int EntryStart = 0, EntryEnd = 0; // into Entries: what of the matrix it takes in
    };
    struct TEntry {
        int Value;  // position in the matrix's values
        int Offset; // position in the front
    };

    // Gathers supernode S's front and eliminates its columns; with a team,
    // the update of its rows below is shared out.
    bool FactoriseSupernode(int S, const double* Matrix, TWorkerTeam* Team = nullptr);
    // The rows below the first K columns of front F, those columns
    // factorised: their part of L, and what they leave for the rest.
    static void UpdateBelow(Eigen::Map<Eigen::MatrixXd>& F, int K, TWorkerTeam* Team);

    int Size = 0;
    Eigen::Index Stored = 0; // the pattern's entries
    std::vector<int> NewOf;  // old index -> the factor's
    std::vector<TSupernode> Supernodes;
    std::vector<int> RowIndex, ChildList, Relative;
    std::vector<TEntry> Entries;
    // Work shared out: whole subtrees of supernodes (the last supernode of
    // each, its first being SubtreeFirst), largest first, and then the
    // supernodes above them, wave by wave.
    std::vector<int> Subtrees, SubtreeFirst, Above;
    std::vector<int> WaveStart; // Above in waves: Above[WaveStart[w] ...]
    std::vector<double> Values;
    // The fronts, one per supernode. Kept from one factorisation to the
    // next when together they are small (a small network's Newton steps
    // then allocate none); else each is freed once its parent has taken
    // its update.
    std::vector<std::vector<double>> Fronts;
    bool KeepFronts = false;
};
