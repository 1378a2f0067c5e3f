#pragma once
// Working structure of the mesh loop: which meshes share a branch with a
// given mesh (so that a correction re-sums only the residuals it can have
// changed), and a priority queue that names the worst mesh, the one with the
// largest absolute residual among those without the main fan, the last of
// equals winning. Rebuilt for every new set of meshes; its arrays are kept
// between builds so the solver's passes do not allocate.

#include "graph/Graph.h"

#include <cstdint>
#include <vector>

class TMeshQueue {
public:
    // The branch -> mesh incidence of Meshes (TFlowMesh objects).
    void Build(const TGraph::TMeshList& Meshes);
    // The meshes (list positions) that share at least one branch with
    // mesh Mesh, Mesh itself included; valid until the next call.
    const std::vector<int>& Sharing(int Mesh);

    // Queues every mesh without the fan at its present residual.
    void Fill(const TGraph::TMeshList& Meshes);
    // Mesh Mesh now has Residual.
    void Update(int Mesh, double Residual);
    // The worst mesh; -1 when no mesh without the fan is queued.
    int Worst();

private:
    struct TIncidence {
        const TBranch* Branch;
        int Mesh;
        int Link; // position of the link in the mesh's list
    };
    struct TEntry {
        double Abs;
        int Mesh;
        std::uint32_t Version;
    };

    // Incidence: the links of mesh M are LinkSlot[MeshStart[M] ..
    // MeshStart[M + 1]), each the slot of its branch; the meshes of slot S
    // are SlotMeshes[SlotStart[S] .. SlotStart[S + 1]).
    std::vector<TIncidence> Pairs;
    std::vector<int> MeshStart;
    std::vector<int> LinkSlot;
    std::vector<int> SlotStart;
    std::vector<int> SlotMeshes;
    std::vector<std::uint32_t> Seen;
    std::uint32_t SeenStamp = 0;
    std::vector<int> Found;

    // Queue: a max-heap with lazy removal (an entry is live while its
    // version is the mesh's present one).
    std::vector<TEntry> Heap;
    std::vector<std::uint32_t> Version;
    std::vector<double> Present;
    std::vector<char> Excluded; // the meshes with the fan

    void Push(int Mesh);
    void Compact();
};
