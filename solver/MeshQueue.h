#pragma once
// Working structure of the mesh loop: which meshes share a branch with a
// given mesh (so that a correction updates only the residuals it can have
// changed), and a priority queue that names the worst mesh, the one with the
// largest absolute residual among those without the main fan, the last of
// equals winning. Rebuilt for every new set of meshes; its arrays are kept
// between builds so the solver's passes do not allocate.

#include "graph/Graph.h"

#include <cstdint>
#include <vector>

class TWorkerTeam;

class TMeshQueue {
public:
    // Takes Meshes (TFlowMesh objects, which must stay in place until the
    // next Build), whose branches are all of one graph. The branch -> mesh
    // incidence is made when AddDropChanges is first asked: a mesh loop
    // that converges at its first correction never needs it. With KeepParked, the meshes parked before this build are
    // remembered by their chords: a new mesh on such a chord is parked
    // again by the first Fill with Current residuals that finds it where
    // the old one was parked (a new tree over flows that a pass left as
    // they were builds the same meshes, and their corrections would end
    // where they ended).
    // Team, when given, shares out the reading of the meshes' links.
    void Build(const TGraph::TMeshList& Meshes, bool KeepParked = false, TWorkerTeam* Team = nullptr);
    // After a correction of mesh Mesh changed the drop of its K-th link's
    // branch by Change[K] (Pa): adds those changes, each in the direction
    // it runs there, to the residual of every other mesh through those
    // branches, instead of summing each such mesh again, and returns those
    // meshes (valid until the next call). The sums drift by rounding only;
    // a full sum once a pass puts that right.
    const std::vector<int>& AddDropChanges(int Mesh, const std::vector<double>& Change);
    // How many residual updates AddDropChanges would make for Mesh: the sum
    // over its branches of the meshes through each. On a ladder, whose
    // fundamental meshes run along the rails, that is nearly every link of
    // every mesh.
    std::size_t Reach(int Mesh);
    // The links of all meshes: the cost of summing every residual once.
    std::size_t LinkCount();

    // Queues every mesh without the fan at its present residual (a parked
    // mesh stays parked unless its residual moved beyond the margin).
    // Current: the residuals have been summed for these meshes.
    void Fill(const TGraph::TMeshList& Meshes, bool Current = true);
    // Mesh Mesh now has Residual; it is queued by what lies outside the
    // gap from Residual + Below to Residual + Above (Pa) that its branches
    // resting on jumps leave.
    void Update(int Mesh, double Residual, double Below = 0.0, double Above = 0.0);
    // The worst mesh; -1 when no mesh without the fan is queued.
    int Worst();
    // Takes Mesh out of the queue, at Residual, until an update moves its
    // residual by more than Margin: its correction found it on a jump of a
    // branch law and can do no better while the rest stays as it is.
    void Park(int Mesh, double Residual, double Margin);
    // Whether any mesh is parked, and the largest |residual| among them.
    bool AnyParked(double& Largest) const;
    // The set of parked meshes, named by their chords, as one number: equal
    // sets give equal numbers, whatever order the meshes are in.
    std::uint64_t ParkedSet() const;
    // The chord of the parked mesh with the largest |residual|, and that
    // residual; null (and 0) when none is parked.
    const TBranch* WorstParked(double& Largest) const;
    // Notes that Mesh is picked for a correction at Residual. True when it
    // is the second pick in a row that finds it no nearer balance than the
    // pick before: each of its corrections is undone by a neighbour's, as
    // when the two share a branch whose law jumps between their balances.
    bool ComesBackUnchanged(int Mesh, double Residual);

private:
    struct TEntry {
        double Abs;
        int Mesh;
        std::uint32_t Version;
    };

    const TGraph::TMeshList* MeshList = nullptr;
    TWorkerTeam* Team = nullptr;
    bool HasIncidence = false;
    // Incidence: the links of mesh M are LinkSlot[MeshStart[M] ..
    // MeshStart[M + 1]), each the slot of its branch (the branch's Index);
    // the meshes of slot S are SlotMeshes[SlotStart[S] .. SlotStart[S + 1]),
    // in ascending order.
    std::vector<int> MeshStart;
    std::vector<int> LinkSlot;
    std::vector<int> SlotStart;
    std::vector<int> SlotMeshes;
    std::vector<signed char> SlotDirection; // the link's direction there
    std::vector<signed char> LinkDirection; // of each link, in LinkSlot's order
    std::vector<int> PartCount; // per part of the meshes and slot: links, then cursors
    std::vector<std::uint32_t> Seen;
    std::uint32_t SeenStamp = 0;
    std::vector<int> Found;

    // Queue: a max-heap with lazy removal (an entry is live while its
    // version is the mesh's present one).
    std::vector<TEntry> Heap;
    std::vector<std::uint32_t> Version;
    std::vector<double> Present;
    std::vector<char> Excluded; // 0 queued, 1 the fan's, 2 parked
    std::vector<double> ParkedAt; // residual of a parked mesh when parked
    std::vector<const TBranch*> ParkedChord;
    // Chords and residuals of the meshes parked before the last build,
    // ordered by chord, until a Fill with current residuals takes them.
    std::vector<std::pair<const TBranch*, double>> Carried;
    std::vector<double> PickedAt; // |residual| when last picked; -1 never
    std::vector<int> Unchanged;   // picks in a row no nearer balance
    double ParkMargin = 0.0;

    void Push(int Mesh);
    // A fresh mark for Seen, so that no mesh counts as seen.
    void NewMark();
    void Compact();
    // Has the graph number the branches (their Index) and builds the
    // incidence by a counting sort over them.
    void BuildIncidence();
};
