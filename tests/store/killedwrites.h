#pragma once

// A process that writes one order and its calculation in one transaction and is killed in
// the middle; the test then looks at what the files hold.

#include "enginetest.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <utility>

enum class Kill { BetweenWrites, InsideCommit, AfterCommit };

// For a kill inside the commit, which the child's engine must bring about itself: what the
// child does before it makes its engine and right before it commits, and what the parent
// looks at once the child is dead, before anything opens the files again.
struct KillHooks
{
    std::function<void()> beforeEngine;
    std::function<void()> beforeCommit;
    std::function<void()> afterDeath;
};

// Returns how many records each file holds afterwards.
inline std::pair<std::int64_t, std::int64_t>
killedWriting(EnginePlace &place, Kill when, const KillHooks &hooks = {})
{
    int ready[2];
    EXPECT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        if (hooks.beforeEngine)
            hooks.beforeEngine();
        const auto engine = place.engine();
        Records records;
        const auto auftrag = engine->recordFile(FileId::auftrag, records[FileId::auftrag]);
        const auto kaldruck = engine->recordFile(FileId::kaldruck, records[FileId::kaldruck]);
        if (auftrag->open() || kaldruck->open() || engine->addToTransaction(*auftrag)
            || engine->addToTransaction(*kaldruck) || engine->beginTransaction(2))
            _exit(2);
        records[FileId::auftrag].set(AUF::FID, "F1");
        if (auftrag->add())
            _exit(2);
        if (when == Kill::BetweenWrites) {
            (void)!write(ready[1], "x", 1);
            for (;;)
                pause();
        }
        records[FileId::kaldruck].set(KAD::KAAID, "K1");
        records[FileId::kaldruck].set(KAD::KAUFID, "F1");
        if (kaldruck->add())
            _exit(2);
        if (hooks.beforeCommit)
            hooks.beforeCommit();
        if (engine->commit())
            _exit(2);
        if (when == Kill::InsideCommit)
            _exit(3); // the engine should have died inside
        (void)!write(ready[1], "x", 1);
        for (;;)
            pause();
    }
    close(ready[1]);
    char byte = 0;
    if (when != Kill::InsideCommit) {
        EXPECT_EQ(read(ready[0], &byte, 1), 1);
    }
    close(ready[0]);
    if (when != Kill::InsideCommit)
        kill(child, SIGKILL);
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "child ended with " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    if (hooks.afterDeath)
        hooks.afterDeath();

    const auto engine = place.engine();
    Records records;
    const auto auftrag = engine->recordFile(FileId::auftrag, records[FileId::auftrag]);
    const auto kaldruck = engine->recordFile(FileId::kaldruck, records[FileId::kaldruck]);
    EXPECT_EQ(auftrag->open(), 0) << engine->status().engineMessage;
    EXPECT_EQ(kaldruck->open(), 0) << engine->status().engineMessage;
    return {auftrag->records(), kaldruck->records()};
}
