#include "solver/MeshQueue.h"

#include "foundation/WorkerTeam.h"
#include "network/FlowMesh.h"

#include <algorithm>
#include <cmath>

namespace {

// The parts of the meshes whose incidence the team builds side by side.
constexpr std::size_t IncidenceParts = 8;

const TFlowMesh& FlowMeshAt(const TGraph::TMeshList& Meshes, std::size_t I)
{
    return static_cast<const TFlowMesh&>(*Meshes[I]);
}

} // namespace

void TMeshQueue::Build(const TGraph::TMeshList& Meshes, bool KeepParked, TWorkerTeam* WorkTeam)
{
    Team = WorkTeam;
    Carried.clear();
    if (KeepParked) {
        for (std::size_t I = 0; I < Excluded.size(); ++I)
            if (Excluded[I] == 2)
                Carried.emplace_back(ParkedChord[I], ParkedAt[I]);
        std::sort(Carried.begin(), Carried.end());
    }
    const std::size_t M = Meshes.size();
    MeshList = &Meshes;
    HasIncidence = false;
    Seen.assign(M, 0);
    SeenStamp = 0;
    Heap.clear();
    Version.assign(M, 0);
    Present.assign(M, 0.0);
    Excluded.assign(M, 0);
    ParkedAt.assign(M, 0.0);
    ParkedChord.assign(M, nullptr);
    PickedAt.assign(M, -1.0);
    Unchanged.assign(M, 0);
}

void TMeshQueue::BuildIncidence()
{
    HasIncidence = true;
    const TGraph::TMeshList& Meshes = *MeshList;
    const std::size_t M = Meshes.size();
    // Slots are the branches' numbers in their graph, taken now: the list
    // may have been sorted since the meshes were built.
    TGraph* Graph = nullptr;
    for (std::size_t I = 0; I < M && !Graph; ++I)
        if (!Meshes[I]->Links.empty())
            Graph = Meshes[I]->Links.front().Branch->Graph;
    if (Graph)
        Graph->NumberBranches();
    const std::size_t Slots = Graph ? static_cast<std::size_t>(Graph->BranchCount()) : 0;
    MeshStart.assign(M + 1, 0);
    for (std::size_t I = 0; I < M; ++I)
        MeshStart[I + 1] = MeshStart[I] + static_cast<int>(Meshes[I]->Links.size());
    LinkSlot.resize(static_cast<std::size_t>(MeshStart[M]));
    LinkDirection.resize(LinkSlot.size());
    // Each mesh's links read into its own range: hundreds of thousands of
    // visits to branch objects scattered in memory, which the meshes share
    // out when a team is at hand.
    auto ReadLinks = [&](std::size_t Begin, std::size_t End) {
        for (std::size_t I = Begin; I < End; ++I) {
            std::size_t K = static_cast<std::size_t>(MeshStart[I]);
            for (const TLink& L : Meshes[I]->Links) {
                LinkSlot[K] = L.Branch->Index;
                LinkDirection[K++] = static_cast<signed char>(L.Direction);
            }
        }
    };
    if (Team)
        Team->ForEachRange(M, TGraph::MeshesPerThread, ReadLinks);
    else
        ReadLinks(0, M);
    // The meshes in fixed parts, each counting and then placing its own
    // links: a part's place in a slot follows the counts of the parts
    // before it, so every slot lists its meshes in ascending order however
    // the parts share out.
    const std::size_t Parts = Team ? std::min<std::size_t>(IncidenceParts, std::max<std::size_t>(M, 1)) : 1;
    auto PartMeshes = [&](std::size_t Part, std::size_t& First, std::size_t& Last) {
        First = M * Part / Parts;
        Last = M * (Part + 1) / Parts;
    };
    PartCount.assign(Parts * Slots, 0);
    auto CountPart = [&](std::size_t Part) {
        std::size_t First, Last;
        PartMeshes(Part, First, Last);
        int* Count = PartCount.data() + Part * Slots;
        for (std::size_t K = static_cast<std::size_t>(MeshStart[First]); K < static_cast<std::size_t>(MeshStart[Last]); ++K)
            ++Count[LinkSlot[K]];
    };
    if (Team)
        Team->ForEachItem(Parts, CountPart);
    else
        CountPart(0);
    // Start of each part's run within each slot.
    SlotStart.assign(Slots + 1, 0);
    int Next = 0;
    for (std::size_t S = 0; S < Slots; ++S) {
        SlotStart[S] = Next;
        for (std::size_t Part = 0; Part < Parts; ++Part) {
            int& Count = PartCount[Part * Slots + S];
            const int Here = Count;
            Count = Next;
            Next += Here;
        }
    }
    SlotStart[Slots] = Next;
    SlotMeshes.resize(LinkSlot.size());
    SlotDirection.resize(LinkSlot.size());
    auto PlacePart = [&](std::size_t Part) {
        std::size_t First, Last;
        PartMeshes(Part, First, Last);
        int* Cursor = PartCount.data() + Part * Slots;
        for (std::size_t I = First; I < Last; ++I) {
            const std::size_t End = static_cast<std::size_t>(MeshStart[I + 1]);
            for (std::size_t K = static_cast<std::size_t>(MeshStart[I]); K < End; ++K) {
                const std::size_t At = static_cast<std::size_t>(Cursor[LinkSlot[K]]++);
                SlotMeshes[At] = static_cast<int>(I);
                SlotDirection[At] = LinkDirection[K];
            }
        }
    };
    if (Team)
        Team->ForEachItem(Parts, PlacePart);
    else
        PlacePart(0);
}

void TMeshQueue::NewMark()
{
    if (++SeenStamp == 0) { // wrapped: old marks could read as new
        std::fill(Seen.begin(), Seen.end(), 0);
        SeenStamp = 1;
    }
}

const std::vector<int>& TMeshQueue::AddDropChanges(int Mesh, const std::vector<double>& Change)
{
    if (!HasIncidence)
        BuildIncidence();
    Found.clear();
    NewMark();
    Seen[static_cast<std::size_t>(Mesh)] = SeenStamp; // its own sum is current
    const std::size_t First = static_cast<std::size_t>(MeshStart[static_cast<std::size_t>(Mesh)]);
    const std::size_t Last = static_cast<std::size_t>(MeshStart[static_cast<std::size_t>(Mesh) + 1]);
    for (std::size_t K = First; K < Last; ++K) {
        const double Delta = Change[K - First];
        if (Delta == 0.0)
            continue;
        const std::size_t Slot = static_cast<std::size_t>(LinkSlot[K]);
        for (int J = SlotStart[Slot]; J < SlotStart[Slot + 1]; ++J) {
            const std::size_t Other = static_cast<std::size_t>(SlotMeshes[static_cast<std::size_t>(J)]);
            if (Other == static_cast<std::size_t>(Mesh))
                continue;
            auto& Target = static_cast<TFlowMesh&>(*(*MeshList)[Other]);
            Target.MeshResidual += SlotDirection[static_cast<std::size_t>(J)] * Delta;
            if (Seen[Other] != SeenStamp) {
                Seen[Other] = SeenStamp;
                Found.push_back(static_cast<int>(Other));
            }
        }
    }
    return Found;
}

std::size_t TMeshQueue::Reach(int Mesh)
{
    if (!HasIncidence)
        BuildIncidence();
    std::size_t Sum = 0;
    const std::size_t First = static_cast<std::size_t>(MeshStart[static_cast<std::size_t>(Mesh)]);
    const std::size_t Last = static_cast<std::size_t>(MeshStart[static_cast<std::size_t>(Mesh) + 1]);
    for (std::size_t K = First; K < Last; ++K) {
        const std::size_t Slot = static_cast<std::size_t>(LinkSlot[K]);
        Sum += static_cast<std::size_t>(SlotStart[Slot + 1] - SlotStart[Slot]);
    }
    return Sum;
}

std::size_t TMeshQueue::LinkCount()
{
    if (!HasIncidence)
        BuildIncidence();
    return LinkSlot.size();
}

namespace {

// Heap order: the larger absolute residual is worse; among equals the later
// mesh is, as the scan over the list in order with ">=" finds it.
struct TWorseLast {
    template <typename TItem>
    bool operator()(const TItem& A, const TItem& B) const
    {
        return A.Abs < B.Abs || (A.Abs == B.Abs && A.Mesh < B.Mesh);
    }
};

} // namespace

void TMeshQueue::Fill(const TGraph::TMeshList& Meshes, bool Current)
{
    if (Current && !Carried.empty()) {
        for (std::size_t I = 0; I < Meshes.size() && I < Excluded.size(); ++I) {
            const TGraph::TMeshList::value_type& Mesh = Meshes[I];
            if (Mesh->Links.empty())
                continue;
            const TBranch* Chord = Mesh->Links.front().Branch;
            auto It = std::lower_bound(Carried.begin(), Carried.end(), Chord,
                                       [](const auto& Entry, const TBranch* B) { return Entry.first < B; });
            if (It == Carried.end() || It->first != Chord)
                continue;
            Excluded[I] = 2;
            ParkedAt[I] = It->second;
            ParkedChord[I] = Chord;
        }
        Carried.clear();
    }
    Heap.clear();
    for (std::size_t I = 0; I < Meshes.size() && I < Present.size(); ++I) {
        const TFlowMesh& Mesh = FlowMeshAt(Meshes, I);
        const bool StaysParked = Excluded[I] == 2 && std::fabs(Mesh.MeshResidual - ParkedAt[I]) <= ParkMargin;
        Excluded[I] = Mesh.HasFan ? 1 : StaysParked ? 2 : 0;
        Present[I] = std::fabs(Mesh.Imbalance());
        ++Version[I];
        if (!Excluded[I])
            Heap.push_back({Present[I], static_cast<int>(I), Version[I]});
    }
    std::make_heap(Heap.begin(), Heap.end(), TWorseLast());
}

void TMeshQueue::Update(int Mesh, double Residual, double Below, double Above)
{
    const std::size_t I = static_cast<std::size_t>(Mesh);
    Present[I] = std::fabs(TFlowMesh::OutsideGap(Residual, Below, Above));
    ++Version[I];
    if (Excluded[I] == 2 && std::fabs(Residual - ParkedAt[I]) > ParkMargin)
        Excluded[I] = 0; // moved off where it was parked: correct it again
    if (Excluded[I])
        return;
    if (Heap.size() > 4 * Present.size() + 64)
        Compact(); // queues the new value with the others
    else
        Push(Mesh);
}

void TMeshQueue::Push(int Mesh)
{
    const std::size_t I = static_cast<std::size_t>(Mesh);
    Heap.push_back({Present[I], Mesh, Version[I]});
    std::push_heap(Heap.begin(), Heap.end(), TWorseLast());
}

void TMeshQueue::Compact()
{
    // Drops the stale entries: one live entry per queued mesh remains.
    Heap.clear();
    for (std::size_t I = 0; I < Present.size(); ++I)
        if (!Excluded[I])
            Heap.push_back({Present[I], static_cast<int>(I), Version[I]});
    std::make_heap(Heap.begin(), Heap.end(), TWorseLast());
}

int TMeshQueue::Worst()
{
    while (!Heap.empty() && Heap.front().Version != Version[static_cast<std::size_t>(Heap.front().Mesh)]) {
        std::pop_heap(Heap.begin(), Heap.end(), TWorseLast());
        Heap.pop_back();
    }
    return Heap.empty() ? -1 : Heap.front().Mesh;
}

void TMeshQueue::Park(int Mesh, double Residual, double Margin)
{
    const std::size_t I = static_cast<std::size_t>(Mesh);
    if (Excluded[I] == 1)
        return;
    Excluded[I] = 2;
    ParkedAt[I] = Residual;
    const TMesh& Parked = *(*MeshList)[I];
    ParkedChord[I] = Parked.Links.empty() ? nullptr : Parked.Links.front().Branch;
    ParkMargin = Margin;
    const auto& Judged = static_cast<const TFlowMesh&>(Parked);
    Present[I] = std::fabs(TFlowMesh::OutsideGap(Residual, Judged.GapBelow, Judged.GapAbove));
    ++Version[I]; // its queued entries go stale
}

bool TMeshQueue::ComesBackUnchanged(int Mesh, double Residual)
{
    // A mesh that converges with its neighbours comes back smaller each
    // time; the share allows for rounding of the same residual.
    constexpr double SameShare = 1e-6;
    constexpr int PicksToPark = 2;
    const std::size_t I = static_cast<std::size_t>(Mesh);
    const double Abs = std::fabs(Residual);
    if (PickedAt[I] >= 0.0 && Abs >= (1.0 - SameShare) * PickedAt[I])
        ++Unchanged[I];
    else
        Unchanged[I] = 0;
    PickedAt[I] = Abs;
    return Unchanged[I] >= PicksToPark;
}

bool TMeshQueue::AnyParked(double& Largest) const
{
    bool Any = false;
    Largest = 0.0;
    for (std::size_t I = 0; I < Excluded.size(); ++I) {
        if (Excluded[I] != 2)
            continue;
        Any = true;
        Largest = std::max(Largest, Present[I]);
    }
    return Any;
}

std::uint64_t TMeshQueue::ParkedSet() const
{
    // A sum of well-mixed chord addresses: independent of order, and two
    // different sets of a few thousand chords practically never meet.
    std::uint64_t Sum = 0;
    for (std::size_t I = 0; I < Excluded.size(); ++I) {
        if (Excluded[I] != 2)
            continue;
        std::uint64_t X = reinterpret_cast<std::uintptr_t>(ParkedChord[I]);
        X ^= X >> 33;
        X *= 0xff51afd7ed558ccdULL;
        X ^= X >> 33;
        X *= 0xc4ceb9fe1a85ec53ULL;
        X ^= X >> 33;
        Sum += X;
    }
    return Sum;
}

const TBranch* TMeshQueue::WorstParked(double& Largest) const
{
    const TBranch* Worst = nullptr;
    Largest = 0.0;
    for (std::size_t I = 0; I < Excluded.size(); ++I) {
        if (Excluded[I] == 2 && (!Worst || Present[I] > Largest)) {
            Worst = ParkedChord[I];
            Largest = Present[I];
        }
    }
    return Worst;
}
