#include "framework/procedurethreads.h"
#include "store/procthread.h"
#include "support/guiharness.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <vector>

namespace {

// Notes which threads ended, through the store's end hooks.
std::vector<std::uint32_t> &endedThreads()
{
    static std::vector<std::uint32_t> ended;
    static const bool hooked = [] {
        ProcThread::addEndHook([](std::uint32_t thread) { ended.push_back(thread); });
        return true;
    }();
    (void)hooked;
    return ended;
}

// Waits until a flag is set from outside, as a procedure waits for anything.
void waitFor(const bool &flag)
{
    ProcedureThreads::instance()->waitUntil([&flag] { return flag; });
}

TEST(ProcedureThreads, StartReturnsAtOnceAndTheBodyRunsFromTheLoop)
{
    GuiHarness gui;
    bool ran = false;
    std::uint32_t inside = 0;
    const std::uint32_t thread = gui.threads().start(QStringLiteral("Browsepapier"), [&] {
        ran = true;
        inside = ProcThread::current();
    });
    EXPECT_FALSE(ran);
    EXPECT_EQ(ProcThread::current(), 1u);
    ASSERT_TRUE(gui.settle());
    EXPECT_TRUE(ran);
    EXPECT_EQ(inside, thread);
    EXPECT_NE(thread, 1u);
    EXPECT_EQ(ProcThread::current(), 1u);
    EXPECT_EQ(gui.threads().count(), 0);
}

TEST(ProcedureThreads, EachProcedureSeesItsOwnThreadNumberAcrossWaits)
{
    GuiHarness gui;
    bool go = false;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> seen; // (started as, seen after wait)
    std::set<std::uint32_t> numbers;
    for (int i = 0; i < 3; ++i) {
        numbers.insert(gui.start(QStringLiteral("P%1").arg(i), [&] {
            const std::uint32_t before = ProcThread::current();
            waitFor(go);
            seen.emplace_back(before, ProcThread::current());
        }));
    }
    EXPECT_EQ(numbers.size(), 3u);
    EXPECT_EQ(gui.threads().count(), 3);
    EXPECT_TRUE(seen.empty());

    go = true;
    for (std::uint32_t thread : numbers)
        gui.threads().wake(thread);
    ASSERT_TRUE(gui.settle());
    ASSERT_EQ(seen.size(), 3u);
    for (const auto &[before, after] : seen) {
        EXPECT_EQ(before, after);
        EXPECT_TRUE(numbers.count(before));
    }
    EXPECT_EQ(ProcThread::current(), 1u);
}

TEST(ProcedureThreads, AnEndedThreadRunsTheEndHooks)
{
    GuiHarness gui;
    endedThreads().clear();
    bool go = false;
    const std::uint32_t thread = gui.start(QStringLiteral("Updatepapier"), [&] { waitFor(go); });
    EXPECT_TRUE(endedThreads().empty());
    go = true;
    gui.threads().wake(thread);
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(endedThreads(), std::vector<std::uint32_t>{thread});
    EXPECT_FALSE(gui.threads().isRunning(thread));
}

TEST(ProcedureThreads, AnExceptionEndsOnlyItsOwnThreadAndIsReported)
{
    GuiHarness gui;
    endedThreads().clear();
    QString failedProcedure;
    QString failure;
    gui.threads().setFailureHandler([&](const QString &procedure, const QString &what) {
        failedProcedure = procedure;
        failure = what;
    });
    bool go = false;
    bool otherFinished = false;
    const std::uint32_t other = gui.start(QStringLiteral("Browsekunde"), [&] {
        waitFor(go);
        otherFinished = true;
    });
    const std::uint32_t failing = gui.start(QStringLiteral("Updatekunde"), [&] {
        waitFor(go);
        throw std::runtime_error("Datei KUNDE fehlt");
    });

    go = true;
    gui.threads().wake(failing);
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(failedProcedure, QStringLiteral("Updatekunde"));
    EXPECT_EQ(failure, QStringLiteral("Datei KUNDE fehlt"));
    EXPECT_FALSE(gui.threads().isRunning(failing));
    EXPECT_EQ(endedThreads(), std::vector<std::uint32_t>{failing});
    EXPECT_TRUE(gui.threads().isRunning(other));
    EXPECT_FALSE(otherFinished);

    gui.threads().wake(other);
    ASSERT_TRUE(gui.settle());
    EXPECT_TRUE(otherFinished);
}

TEST(ProcedureThreads, EndingAllUnwindsTheStacksOfWaitingProcedures)
{
    endedThreads().clear();
    int destroyed = 0;
    struct Local
    {
        int &count;
        ~Local() { ++count; }
    };
    std::uint32_t thread = 0;
    {
        GuiHarness gui;
        thread = gui.start(QStringLiteral("Browseauftrag"), [&] {
            const Local local{destroyed};
            const bool never = false;
            waitFor(never);
            ADD_FAILURE() << "a procedure ended from outside must not go on";
        });
        EXPECT_EQ(destroyed, 0);
        gui.threads().endAll();
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(gui.threads().count(), 0);
    }
    EXPECT_EQ(endedThreads(), std::vector<std::uint32_t>{thread});
}

TEST(ProcedureThreads, OnlyAProcedureCanWait)
{
    GuiHarness gui;
    EXPECT_FALSE(gui.threads().onProcedureThread());
    EXPECT_THROW(gui.threads().suspend(), std::logic_error);
}

TEST(ProcedureThreads, AProcedureStartedByAnotherRunsOnceTheStarterYields)
{
    GuiHarness gui;
    std::vector<QString> order;
    gui.start(QStringLiteral("Main"), [&] {
        startProcedure(QStringLiteral("Browsetext"),
                       [&] { order.push_back(QStringLiteral("started")); });
        order.push_back(QStringLiteral("starter goes on"));
    });
    EXPECT_EQ(order,
              (std::vector<QString>{QStringLiteral("starter goes on"), QStringLiteral("started")}));
}

} // namespace
