// The single instance under load, with the program in processes of its own: storms of starts at
// once, long chains of replacing starts watched for two marked windows at a time, and instances
// ended hard at random points of their start-up and shutdown. Each leaves exactly one instance
// that works, or none when the test ends it.
#include "program_fixture.h"
#include "run_seed.h"

#include <algorithm>
#include <atomic>
#include <random>
#include <stdlib.h>
#include <thread>

using namespace program_fixture;

namespace {

class InstanceLoad : public Program {
protected:
    // Closes the one instance left, and waits until every process the test started has ended.
    void EndTheOneInstance()
    {
        const std::vector<HWND> marked = MarkedWindows();
        EXPECT_EQ(marked.size(), 1u);
        for (HWND hMain : marked)
            ::PostMessageA(hMain, WM_CLOSE, 0, 0);
        for (const std::unique_ptr<ChildProcess>& process : m_processes)
            EXPECT_TRUE(process->WaitForExit(10000));
        m_processes.clear();
        EXPECT_TRUE(WaitUntil([] { return !MutexExists(InstanceName); }, 10000));
    }
    int Running() const
    {
        return static_cast<int>(std::count_if(m_processes.begin(), m_processes.end(),
                                              [](const auto& process) { return !process->WaitForExit(0); }));
    }
};

}  // namespace

// An instance that needs more than 2000 ms to end after the quit request would leave its replacement
// to give up too, and no instance at all; on these machines an instance ends in a fraction of that.
TEST_F(InstanceLoad, TwentyStartsAtOnceLeaveExactlyOneInstanceRoundAfterRound)
{
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        for (int i = 0; i < 20; ++i)
            Start();
        int running = 0;
        ASSERT_TRUE(WaitUntil([&] {
            running = Running();
            return running <= 1 && MarkedWindows().size() == static_cast<size_t>(running);
        }, 30000));
        EXPECT_EQ(running, 1);
        EXPECT_EQ(WindowsTitledLumoraReady(), 2) << "the main window and its prompt, nothing else";
        EndTheOneInstance();
    }
}

// Two hundred replacing starts, in four chains of fifty so that each test stays well inside its
// time limit on a busy machine; each chain begins with an instance that replaces nothing.
class ReplaceCycles : public InstanceLoad, public ::testing::WithParamInterface<int> {};

TEST_P(ReplaceCycles, FiftyReplacingStartsNeverShowTwoMarkedWindows)
{
    // The marked windows are looked at on a thread of their own every millisecond while the chain
    // runs (a replacement keeps both instances alive for far longer), leaving the processor to the
    // instances; a failed step ends the chain, and the watch is ended after it either way.
    std::atomic<bool> chainRuns{ true };
    std::atomic<long> looks{ 0 };
    size_t mostAtOnce = 0;
    std::thread watcher([&] {
        for (; chainRuns; ++looks, ::Sleep(1))
            mostAtOnce = std::max(mostAtOnce, MarkedWindows().size());
    });
    [&] {
        for (int i = 0; i < 50; ++i) {
            SCOPED_TRACE("start " + std::to_string(i));
            ASSERT_NE(WaitForMarkedWindow(Start()), (HWND)NULL);
            if (m_processes.size() == 2) {
                ASSERT_TRUE(m_processes.front()->WaitForExit(10000)) << "the instance it replaced ends";
                EXPECT_EQ(m_processes.front()->ExitCode(), 0u);
                m_processes.erase(m_processes.begin());
            }
        }
    }();
    chainRuns = false;
    watcher.join();
    if (HasFatalFailure())
        return;
    EXPECT_GT(looks, 0);
    EXPECT_EQ(mostAtOnce, 1u) << "never two marked windows at once";
    EXPECT_EQ(Running(), 1);
    EndTheOneInstance();
}

INSTANTIATE_TEST_SUITE_P(FourChains, ReplaceCycles, ::testing::Range(1, 5));

TEST_F(InstanceLoad, HardKillsInStartUpAndShutdownLeaveTheNextStartWorking)
{
    const unsigned seed = RunSeed(1209);
    SCOPED_TRACE(SeedTrace(seed));
    std::mt19937 random(seed);
    for (int round = 0; round < 16; ++round) {
        const bool inShutdown = round % 2 == 1;
        const DWORD delayMs = random() % (inShutdown ? 200 : 300);
        SCOPED_TRACE(std::string(inShutdown ? "shutdown" : "start-up") + " round " + std::to_string(round)
                     + ", killed after " + std::to_string(delayMs) + " ms");
        ChildProcess& victim = Start();
        if (!inShutdown) {
            ASSERT_FALSE(victim.WaitForExit(delayMs)) << "a start with nothing running ended by itself";
            victim.Terminate();
        } else {
            ASSERT_NE(WaitForMarkedWindow(victim), (HWND)NULL);
            ChildProcess& kill = Start("/KILL");
            const bool killTheKill = random() % 4 == 0;
            victim.WaitForExit(delayMs);  // it may end by itself before the kill
            victim.Terminate();
            if (killTheKill)
                kill.Terminate();
            ASSERT_TRUE(kill.WaitForExit(10000));
        }
        ASSERT_TRUE(victim.WaitForExit(10000));

        // The next start works: its marked window, and a first press through a library stand-in
        // that brings up its prompt.
        ChildProcess& next = Start();
        ASSERT_NE(WaitForMarkedWindow(next), (HWND)NULL) << "no marked window";
        ASSERT_TRUE(Press("prompt"));
        EXPECT_NE(WaitForShownPrompt(next), (HWND)NULL) << "no prompt";
        EXPECT_EQ(Running(), 1);
        EndTheOneInstance();
    }
}
