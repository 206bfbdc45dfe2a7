#pragma once

class Engine;
class StoreContext;

// The catalogue a first-time user starts with: a small print shop's machines, paper grades,
// typesetting and additional work, transport kinds, suppliers, document texts and one
// customer, written through the record store as the catalogue forms write them; the shop's
// own data; and two customers who take e-invoices (one ZUGFeRD, one XRechnung with a
// Leitweg-ID), each with an invoiced order, so that both kinds of e-invoice can be tried.
namespace sampledata {

enum class FillResult {
    Filled,
    FolderInUse, // the folder already holds record files; nothing was written
    Failed,      // a record could not be written; the record store has shown why
};

// True when any record file is where the engine keeps them.
bool hasRecordFiles(const Engine &engine);

// Fills an empty data folder on the current procedure thread. Refuses a folder that holds any
// record file, so that a user's own data is never mixed with the sample.
FillResult fillSampleData(StoreContext &store);

} // namespace sampledata
