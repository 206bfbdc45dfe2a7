#pragma once

#include <string>

class StoreContext;

// A shop after years of use, to measure on and to try the program at size: customers with
// their orders, each order with print calculations and their typesetting lines, an
// additional-work line and a transport line. The records are as the forms write them: ids in
// the id builder's form (letter, the day the record was made, the time), order numbers in
// the form the order form generates, automatic numbers counted on from the file's highest,
// and the engine keeps version columns and keys as with every write.
namespace sampledata {

struct LargeSize
{
    int customers = 20000;
    int orders = 100000;
    // The first customer's orders, more than any other has: the one to delete.
    int bigCustomerOrders = 300;
};

struct LargeResult
{
    bool written = false;
    std::string bigCustomerId; // KUN:KID of the customer with the most orders
    long long records = 0;     // records written
};

// Adds the data set to the folder's files in bulk: many records to a transaction, written by
// the engine directly (the forms' questions and checks have nothing to ask of generated
// data). Runs on the current procedure thread.
LargeResult addLargeData(StoreContext &store, const LargeSize &size);

} // namespace sampledata
