#pragma once

// The record store against a raw program on a `kunde` file: a full pass in key order over
// KUN:Keykname, gets by KUN:Keykaid and inserts in one transaction, each step beside the same
// work done raw in the same run on the same table; "ratio <prefix><step> <ours ÷ raw>".
// Which engine, and which raw program, the caller says.

#include "store/enginefactory.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The raw side of each step, as a program without the record store writes it.
class RawStore
{
public:
    virtual ~RawStore() = default;
    // Reads every customer in the order of their folded names; how many it read.
    virtual int pass() = 0;
    // Reads the customers with these KAIDs; how many it found.
    virtual int get(const std::vector<int> &ids) = 0;
    // Adds the new customers in one transaction; what failed, or empty.
    virtual std::string insert() = 0;
    // Removes the customers insert added (not timed).
    virtual void removeInserted() = 0;
};

struct StoreRun
{
    DataLocation location;
    int repetitions = 0;
    // The elapsed time rather than the CPU time of this process.
    bool realTime = false;
    std::string ratioPrefix;
    // The raw side on the filled file: the customers 1 … records are there, insert adds
    // records + 1 … records + inserts.
    std::function<std::unique_ptr<RawStore>(int records, int inserts)> raw;
};

// The customers: 100,000 unless TESSARO_BENCH_RECORDS says otherwise (1,000 at least).
int storeRecords();

// Fills the file through the engine, runs the steps and prints the ratios; the exit code.
int runStoreSteps(std::vector<char *> args, const StoreRun &run);

// Ends the program with the message and the engine's last message.
[[noreturn]] void storeFail(const std::string &what);
