#include "tests/solver/BalanceNetworks.h"

#include "tests/support/ExactDoubles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// A fixed C whose computation fails at its FailAt-th call (counted over
// every such item of the network; 0 never fails).
struct TFailureCount {
    std::atomic<long> Calls = 0;
    long FailAt = 0;
};

class TFailingC : public TFixedC {
public:
    explicit TFailingC(TFailureCount& Shared) : TFixedC("Failing", 0.5), Count(Shared) {}

    void CalcEquivLength(double DryBulb, double Density, double MassFlow, double Friction, double Diameter,
                         double Roughness) override
    {
        if (++Count.Calls == Count.FailAt)
            throw std::runtime_error("fitting table unreadable");
        TFixedC::CalcEquivLength(DryBulb, Density, MassFlow, Friction, Diameter, Roughness);
    }

private:
    TFailureCount& Count;
};

// A 6 x 6 grid with dampers and boosters, its every third duct holding a
// failing C, ready to balance.
void BuildFailing(TFlowNetwork& N, TFailureCount& Count)
{
    N.Defaults.roughness = 0.00015;
    balance::TGridOptions O;
    O.ItemsEvery = 7;
    balance::Grid(N, 6, O);
    int K = 0;
    for (const auto& B : N.G.Branches())
        if (B->Id() >= 3 && ++K % 3 == 0)
            static_cast<TFlowBranch&>(*B).FixedCs.push_back(std::make_unique<TFailingC>(Count));
    ASSERT_TRUE(balance::Distribute(N));
}

std::map<int, double> FlowsById(const TDuctGraph& G)
{
    std::map<int, double> M;
    for (const auto& B : G.Branches())
        M[B->Id()] = static_cast<const TFlowBranch&>(*B).MassFlow;
    return M;
}

} // namespace

// A failure anywhere inside a balancing run (before the passes, in the warm
// start, in a pass) ends it as a data error with the flows it started from
// and a message that names the cause; it used to keep the half-done pass's
// flows without a word, or to escape from the run altogether.
TEST(FailedRun, EndsAsDataErrorWithTheFlowsBeforeAndItsCause)
{
    for (const bool Warm : {true, false}) {
        // How many computations a run that does not fail makes.
        long Total = 0;
        {
            TFlowNetwork N;
            TFailureCount Count;
            BuildFailing(N, Count);
            N.G.UseWarmStart = Warm;
            Count.Calls = 0;
            N.G.Solve();
            ASSERT_NE(N.G.Status, ssDataError) << "warm " << Warm;
            // Without warm flows the failures below land in later passes.
            if (!Warm) {
                ASSERT_GT(N.G.SolvePasses, 1);
            }
            Total = Count.Calls;
        }
        const struct {
            const char* Where;
            long FailAt;
        } Cases[] = {
            {"first computation", 1},
            {"a third in", Total / 3},
            {"two thirds in", 2 * Total / 3},
            {"last computation", Total},
        };
        for (const auto& C : Cases) {
            const std::string Name = std::string(C.Where) + (Warm ? ", warm start" : ", loop method alone");
            TFlowNetwork N;
            TFailureCount Count;
            BuildFailing(N, Count);
            N.G.UseWarmStart = Warm;
            const std::map<int, double> Before = FlowsById(N.G);
            N.Messages.Clear();
            Count.Calls = 0;
            Count.FailAt = C.FailAt;
            ASSERT_NO_THROW(N.G.Solve()) << Name;
            EXPECT_EQ(N.G.Status, ssDataError) << Name;
            std::map<int, double> After = FlowsById(N.G);
            for (auto It = After.begin(); It != After.end();)
                It = Before.count(It->first) ? std::next(It) : After.erase(It); // the run's own Sink branches
            EXPECT_EQ(Exact(After), Exact(Before)) << Name << ": the run kept flows it did not start from";
            ASSERT_EQ(N.Messages.Count(), 1u) << Name << ": the failure should give one message";
            EXPECT_NE(N.Messages.LastText().find("fitting table unreadable"), std::string::npos)
                << Name << ": " << N.Messages.LastText();
        }
    }
}
