#include "graph/Graph.h"

#include "foundation/NumberFormat.h"
#include "foundation/WorkerTeam.h"
#include "foundation/WarningSink.h"
#include "graph/BranchSort.h"
#include "graph/GraphFlags.h"
#include "graph/GraphReport.h"

#include <algorithm>
#include <unordered_set>

namespace {

// Plain messages of the graph are captioned with the program's name.
const char* const MessageCaption = "Ventrix";

} // namespace

TGraph::TGraph() = default;

TGraph::~TGraph()
{
    ClearGraph();
}

TWorkerTeam& TGraph::Team() const
{
    if (!Workers)
        Workers = std::make_unique<TWorkerTeam>();
    return *Workers;
}

// ---------------------------------------------------------------- factories

std::unique_ptr<TNode> TGraph::NewNode(int Id)
{
    auto Node = std::make_unique<TNode>();
    Node->Graph = this;
    Node->Init(Id);
    return Node;
}

std::unique_ptr<TNode> TGraph::ReadNode(TValueReader& Reader, int Id, TGraphDataVersion Version)
{
    std::unique_ptr<TNode> Node = NewNode(Id);
    Node->ReadData(Reader, Version);
    return Node;
}

std::unique_ptr<TBranch> TGraph::NewBranch(int Id, TNode* From, TNode* To)
{
    auto Branch = std::make_unique<TBranch>();
    Branch->Graph = this;
    Branch->Init(Id, From, To);
    return Branch;
}

std::unique_ptr<TBranch> TGraph::ReadBranch(TValueReader& Reader, int Id, TNode* From, TNode* To,
                                            TGraphDataVersion Version)
{
    std::unique_ptr<TBranch> Branch = NewBranch(Id, From, To);
    Branch->ReadData(Reader, Version);
    return Branch;
}

std::unique_ptr<TMesh> TGraph::NewMesh(int Id)
{
    return std::make_unique<TMesh>(Id);
}

bool TGraph::AcceptsNode(const TNode& /*Node*/) const
{
    return true;
}

// ---------------------------------------------------------------- building

TNode* TGraph::GetOrAddNode(int Id)
{
    if (TNode* Found = FindNode(Id))
        return Found;
    return AddNode(NewNode(Id));
}

TNode* TGraph::AddNode(std::unique_ptr<TNode> Node)
{
    if (!Node || !AcceptsNode(*Node) || NodeById.count(Node->Id()) != 0)
        return nullptr;
    Node->Graph = this;
    Node->Links.clear(); // links of another graph mean nothing here
    TNode* Raw = Node.get();
    NodeList.push_back(std::move(Node));
    NodeById.emplace(Raw->Id(), Raw);
    return Raw;
}

TBranch* TGraph::AddBranch(int Id, int FromId, int ToId)
{
    if (FindBranch(Id)) {
        ShowMessage("Branch " + IntToStr(Id) + " cannot be added twice");
        return nullptr;
    }
    TNode* From = GetOrAddNode(FromId);
    TNode* To = GetOrAddNode(ToId);
    return AddBranchBetween(Id, From, To);
}

TBranch* TGraph::AddBranchBetween(int Id, TNode* From, TNode* To)
{
    if (FindBranch(Id)) {
        ShowMessage("Branch " + IntToStr(Id) + " cannot be added twice");
        return nullptr;
    }
    if (!From || !To || FindNode(From->Id()) != From || FindNode(To->Id()) != To)
        return nullptr;
    return AddBranchUnchecked(Id, From, To);
}

TBranch* TGraph::AddBranchUnchecked(int Id, TNode* From, TNode* To)
{
    std::unique_ptr<TBranch> Branch = NewBranch(Id, From, To);
    TBranch* Raw = Branch.get();
    Raw->Graph = this;
    BranchList.push_back(std::move(Branch));
    BranchById.emplace(Raw->Id(), Raw);
    LinkBranch(Raw);
    ClearMeshes();
    return Raw;
}

void TGraph::ReserveBranches(std::size_t Count)
{
    BranchList.reserve(BranchList.size() + Count);
    BranchById.reserve(BranchById.size() + Count);
}

void TGraph::LinkBranch(TBranch* Branch)
{
    Branch->FromNode->Links.push_back({-1, Branch});
    Branch->ToNode->Links.push_back({1, Branch});
}

void TGraph::UnlinkBranch(TBranch* Branch)
{
    if (Branch->FromNode)
        Branch->FromNode->RemoveLink(Branch);
    if (Branch->ToNode)
        Branch->ToNode->RemoveLink(Branch);
}

void TGraph::BuildAdjacency()
{
    for (const auto& Node : NodeList)
        Node->Links.clear();
    for (const auto& Branch : BranchList) {
        Branch->FromNode->AddLink(Branch.get());
        if (Branch->ToNode != Branch->FromNode)
            Branch->ToNode->AddLink(Branch.get());
    }
}

// ---------------------------------------------------------------- structural edits

TGraph::TDeletion TGraph::Deletion(const std::vector<TNode*>& Nodes, const std::vector<TBranch*>& Branches) const
{
    TDeletion D;
    for (TNode* N : Nodes)
        if (N && FindNode(N->Id()) == N && D.NodeSet.insert(N).second)
            D.Nodes.push_back(N);
    auto Take = [&D](TBranch* B) {
        if (D.BranchSet.insert(B).second)
            D.Branches.push_back(B);
    };
    for (const TNode* N : D.Nodes)
        for (const TLink& L : N->Links)
            Take(L.Branch);
    // Ids may repeat for a moment, so a branch is this graph's only when the
    // index holds that very branch.
    auto IsMine = [this](const TBranch* B) {
        const auto [First, Last] = BranchById.equal_range(B->Id());
        return std::any_of(First, Last, [B](const auto& Entry) { return Entry.second == B; });
    };
    for (TBranch* B : Branches)
        if (B && IsMine(B))
            Take(B);
    return D;
}

void TGraph::ItemsGoing(const TDeletion& /*Going*/) {}

void TGraph::DeleteItems(const std::vector<TNode*>& Nodes, const std::vector<TBranch*>& Branches)
{
    const TDeletion Going = Deletion(Nodes, Branches);
    if (Going.Empty())
        return;
    ItemsGoing(Going);
    ClearMeshes();
    for (TBranch* B : Going.Branches) {
        // Ends that stay lose their link; going nodes lose all theirs below.
        for (TNode* End : {B->FromNode, B->ToNode})
            if (End && !Going.Takes(End))
                End->RemoveLink(B);
        RemoveBranchIndex(B, B->Id());
    }
    for (TNode* N : Going.Nodes) {
        N->Links.clear();
        NodeById.erase(N->Id());
    }
    if (!Going.Branches.empty())
        std::erase_if(BranchList, [&Going](const std::unique_ptr<TBranch>& B) { return Going.Takes(B.get()); });
    if (!Going.Nodes.empty())
        std::erase_if(NodeList, [&Going](const std::unique_ptr<TNode>& N) { return Going.Takes(N.get()); });
}

void TGraph::ReverseBranch(TBranch* Branch)
{
    if (!Branch || !Branch->FromNode || !Branch->ToNode)
        return;
    UnlinkBranch(Branch);
    TNode* OldFrom = Branch->FromNode;
    TNode* OldTo = Branch->ToNode;
    Branch->SetFromNode(OldTo);
    Branch->SetToNode(OldFrom);
    LinkBranch(Branch);
    ClearMeshes();
}

bool TGraph::CanMergeNodes(const TNode* Keep, const TNode* Drop) const
{
    return Keep && Drop && Keep != Drop && FindNode(Keep->Id()) == Keep && FindNode(Drop->Id()) == Drop;
}

std::vector<TBranch*> TGraph::MergeLosses(const TNode* Keep, const TNode* Drop) const
{
    std::vector<TBranch*> Lost;
    if (!CanMergeNodes(Keep, Drop))
        return Lost;
    // Keep's neighbours as the merge goes: each branch moved adds its far node.
    std::unordered_set<const TNode*> Reached;
    for (const TLink& L : Keep->Links)
        Reached.insert(L.Branch->OtherNode(Keep));
    std::unordered_set<const TBranch*> Seen;
    for (auto L = Drop->Links.rbegin(); L != Drop->Links.rend(); ++L) {
        TBranch* Branch = L->Branch;
        const TNode* Far = Branch->OtherNode(Drop);
        if (Far == Keep || Far == Drop || Reached.count(Far) != 0) {
            if (Seen.insert(Branch).second)
                Lost.push_back(Branch);
        } else {
            Reached.insert(Far);
        }
    }
    return Lost;
}

void TGraph::TakeLinks(TNode* Keep, TNode* Drop)
{
    for (auto L = Drop->Links.rbegin(); L != Drop->Links.rend(); ++L) {
        if (L->Branch->ToNode == Drop)
            L->Branch->SetToNode(Keep);
        else
            L->Branch->SetFromNode(Keep);
        Keep->Links.push_back(*L);
    }
    Drop->Links.clear();
    ClearMeshes();
}

void TGraph::MergeNodes(TNode* Keep, TNode* Drop)
{
    if (!CanMergeNodes(Keep, Drop))
        return;
    DeleteItems({}, MergeLosses(Keep, Drop));
    TakeLinks(Keep, Drop);
    DeleteNode(Drop);
}

bool TGraph::HasCommonNeighbour(const TNode* Node, const TNode* Other) const
{
    if (!Node || !Other)
        return false;
    for (const TLink& L : Node->Links) {
        const TNode* Neighbour = L.Branch->OtherNode(Node);
        if (Neighbour && Neighbour->IsAdjacentTo(Other))
            return true;
    }
    return false;
}

void TGraph::NumberBranches()
{
    for (std::size_t I = 0; I < BranchList.size(); ++I)
        BranchList[I]->Index = static_cast<int>(I);
}

void TGraph::NumberNodes()
{
    for (std::size_t I = 0; I < NodeList.size(); ++I)
        NodeList[I]->Index = static_cast<int>(I);
}

TNode* TGraph::RootNode() const
{
    return NodeList.empty() ? nullptr : NodeList.front().get();
}

void TGraph::AssignSettings(const TGraph& Source)
{
    Width = Source.Width;
    Height = Source.Height;
    Scale = Source.Scale;
    DrawToScale = Source.DrawToScale;
    BackFileName = Source.BackFileName;
    BackZoomRatio = Source.BackZoomRatio;
}

void TGraph::ClearGraph()
{
    MeshList.clear();
    SpareMeshes.clear();
    LoopCount = 0;
    ChordCount = 0;
    BranchById.clear();
    BranchList.clear();
    NodeById.clear();
    NodeList.clear();
}

void TGraph::ClearMeshes()
{
    for (auto& Mesh : MeshList)
        SpareMeshes.push_back(std::move(Mesh));
    MeshList.clear();
    LoopCount = 0;
    ChordCount = 0;
}

std::unique_ptr<TMesh> TGraph::ReusedMesh(int Id)
{
    if (SpareMeshes.empty())
        return NewMesh(Id);
    std::unique_ptr<TMesh> Mesh = std::move(SpareMeshes.back());
    SpareMeshes.pop_back();
    Mesh->Reuse(Id);
    return Mesh;
}

// ---------------------------------------------------------------- look-ups

void TGraph::BranchIdChanged(TBranch* Branch, int OldId)
{
    RemoveBranchIndex(Branch, OldId);
    BranchById.emplace(Branch->Id(), Branch);
}

void TGraph::RemoveBranchIndex(TBranch* Branch, int Id)
{
    auto Range = BranchById.equal_range(Id);
    for (auto It = Range.first; It != Range.second; ++It) {
        if (It->second == Branch) {
            BranchById.erase(It);
            return;
        }
    }
}

TNode* TGraph::FindNode(int Id) const
{
    auto It = NodeById.find(Id);
    return It == NodeById.end() ? nullptr : It->second;
}

TBranch* TGraph::FindBranch(int Id) const
{
    auto Range = BranchById.equal_range(Id);
    if (Range.first == Range.second)
        return nullptr;
    if (std::next(Range.first) == Range.second)
        return Range.first->second;
    // A repeated id (mid-renumbering): the first in list order.
    for (const auto& Branch : BranchList)
        if (Branch->Id() == Id)
            return Branch.get();
    return nullptr;
}

TBranch* TGraph::FindBranchByName(const std::string& Name) const
{
    for (const auto& Branch : BranchList)
        if (Branch->Name == Name)
            return Branch.get();
    return nullptr;
}

int TGraph::BranchIndex(int Id) const
{
    if (BranchById.count(Id) == 0)
        return -1;
    for (std::size_t I = 0; I < BranchList.size(); ++I)
        if (BranchList[I]->Id() == Id)
            return static_cast<int>(I);
    return -1;
}

int TGraph::NodeIndex(const TNode* Node) const
{
    for (std::size_t I = 0; I < NodeList.size(); ++I)
        if (NodeList[I].get() == Node)
            return static_cast<int>(I);
    return -1;
}

int TGraph::FindBranchByPrevId(int PrevIdValue) const
{
    if (PrevIdValue == -1)
        return -1;
    for (const auto& Branch : BranchList)
        if (Branch->PrevId == PrevIdValue)
            return Branch->Id();
    return -1;
}

TBranch* TGraph::TakeBranchById(int Id)
{
    auto Range = BranchById.equal_range(Id);
    if (Range.first == Range.second)
        return nullptr;
    TBranch* Found = nullptr;
    if (std::next(Range.first) == Range.second) {
        if (!BitIsSet(Range.first->second->Flags, gfVisited))
            Found = Range.first->second;
    } else {
        for (const auto& Branch : BranchList) {
            if (Branch->Id() == Id && !BitIsSet(Branch->Flags, gfVisited)) {
                Found = Branch.get();
                break;
            }
        }
    }
    if (Found)
        SetBit(Found->Flags, gfVisited);
    return Found;
}

int TGraph::MaxNodeId() const
{
    int Result = 0;
    for (const auto& Node : NodeList)
        Result = std::max(Result, Node->Id());
    return Result;
}

int TGraph::MaxBranchId() const
{
    int Result = 0;
    for (const auto& Branch : BranchList)
        Result = std::max(Result, Branch->Id());
    return Result;
}

int TGraph::MinBranchId() const
{
    int Result = 0;
    for (const auto& Branch : BranchList)
        Result = std::min(Result, Branch->Id());
    return Result;
}

// ---------------------------------------------------------------- flags and order

void TGraph::ClearNodeFlag(int Bit)
{
    for (const auto& Node : NodeList)
        ClearBit(Node->Flags, Bit);
}

void TGraph::ClearBranchFlag(int Bit)
{
    for (const auto& Branch : BranchList)
        ClearBit(Branch->Flags, Bit);
}

void TGraph::ClearPreviousBranchIds()
{
    for (const auto& Branch : BranchList)
        Branch->PrevId = -1;
}

void TGraph::RelabelNodes(int Old, int New)
{
    for (const auto& Node : NodeList)
        if (Old == -1 || Node->Label == Old)
            Node->Label = New;
}

void TGraph::SaveBranchOrder()
{
    BranchOrder.clear();
    for (const auto& Branch : BranchList)
        if (Branch->FromNode->IsActive() && Branch->ToNode->IsActive())
            BranchOrder.push_back(Branch->Id());
}

void TGraph::RestoreBranchOrder()
{
    if (BranchOrder.empty())
        return;
    // Equivalent to moving the branch of the i-th saved id to position i in
    // turn: the saved branches lead in saved order, the others follow in
    // their present order. A repeated id takes the next branch with it.
    std::vector<std::pair<int, std::size_t>> ById;
    ById.reserve(BranchList.size());
    for (std::size_t I = 0; I < BranchList.size(); ++I)
        ById.emplace_back(BranchList[I]->Id(), I);
    std::sort(ById.begin(), ById.end());
    std::vector<char> Taken(BranchList.size(), 0);
    TBranchList Ordered;
    Ordered.reserve(BranchList.size());
    for (int Id : BranchOrder) {
        auto It = std::lower_bound(ById.begin(), ById.end(), std::make_pair(Id, std::size_t(0)));
        while (It != ById.end() && It->first == Id && Taken[It->second])
            ++It;
        if (It == ById.end() || It->first != Id)
            continue; // no longer exists
        Taken[It->second] = 1;
        Ordered.push_back(std::move(BranchList[It->second]));
    }
    for (std::size_t I = 0; I < BranchList.size(); ++I)
        if (!Taken[I])
            Ordered.push_back(std::move(BranchList[I]));
    BranchList = std::move(Ordered);
    BranchOrder.clear();
}

void TGraph::MoveBranch(int From, int To)
{
    const int Count = BranchCount();
    if (From < 0 || To < 0 || From >= Count || To >= Count || From == To)
        return;
    const auto First = BranchList.begin();
    if (From < To)
        std::rotate(First + From, First + From + 1, First + To + 1);
    else
        std::rotate(First + To, First + From, First + From + 1);
}

void TGraph::SortBranchesById()
{
    SortBranchesByKey(BranchList, [](const TBranch& B) { return B.Id(); });
}

void TGraph::SortForTree()
{
    SortBranchesByKey(BranchList, [](const TBranch& B) { return B.Weight; });
}

// ---------------------------------------------------------------- messages and report

void TGraph::ShowMessage(const std::string& Text) const
{
    ShowWarning(MessageCaption, Text);
}

void TGraph::Report(TGraphReport& Out, bool Detailed, bool WithNodeList) const
{
    Out.Clear();
    Out.TabStops = {130, 20};
    if (Detailed) {
        Out.AddLine("\tGraph Report", true, true);
        Out.AddLine("\tnodes    \t" + IntToStr(NodeCount()));
        Out.AddLine("\tbranches \t" + IntToStr(BranchCount()));
    }
    if (WithNodeList) {
        // The report never reorders the document: it sorts a copy.
        std::vector<const TNode*> Sorted;
        for (const auto& Node : NodeList)
            Sorted.push_back(Node.get());
        std::stable_sort(Sorted.begin(), Sorted.end(),
                         [](const TNode* A, const TNode* B) { return A->Id() < B->Id(); });
        Out.AddLine("\tNode list", true);
        if (!Sorted.empty())
            Out.AddLine(Sorted.front()->ReportHeader(Detailed));
        for (const TNode* Node : Sorted)
            if (Node->IsActive())
                Out.AddLine(Node->ReportRow(Detailed));
    }
    ReportBranches(Out, Detailed);
    if (!Detailed)
        return;
    Out.AddLine("\tMesh list", true);
    Out.AddLine(std::string("\t").append(PadCell("id", 8)).append("\tmesh branches"));
    for (const auto& Mesh : MeshList)
        Out.AddLine(Mesh->ReportRow());
    Out.AddLine("\tNode adjacency list", true);
    Out.AddLine(std::string("\t").append(PadCell("id", 8)).append("\tnode branches"));
    for (const auto& Node : NodeList) {
        if (Node->Links.empty())
            continue;
        std::string Row = "\t";
        Row += FormatInt("%8d", Node->Id());
        Row += " : \t";
        for (const TLink& L : Node->Links)
            AppendLinkText(Row, L);
        Out.AddLine(Row);
    }
}

void TGraph::ReportBranches(TGraphReport& Out, bool Detailed) const
{
    std::vector<const TBranch*> Sorted;
    for (const auto& Branch : BranchList)
        Sorted.push_back(Branch.get());
    std::stable_sort(Sorted.begin(), Sorted.end(),
                     [](const TBranch* A, const TBranch* B) { return A->Id() < B->Id(); });
    Out.AddLine("\tBranch list", true);
    if (Sorted.empty())
        return;
    Out.AddLine(Sorted.front()->ReportHeader(Detailed));
    Out.AddLine(Sorted.front()->ReportBlankRow(Detailed));
    for (const TBranch* Branch : Sorted)
        if (Detailed || (Branch->FromNode->IsActive() && Branch->ToNode->IsActive()))
            Out.AddLine(Branch->ReportRow(Detailed));
}
