#pragma once

#include "base/stddate.h"
#include "store/recordbuffer.h"

#include <memory>
#include <vector>

namespace report {
class PageQueue;
class ReportWriter;
} // namespace report

// A payment reminder to one customer ("Zahlungserinnerung", "1. Mahnung", "2. Mahnung"):
// the customer's open invoices with their dates, amounts and what is still open, and the sum,
// laid out like the quotes and invoices (address field, information block, title, columns).
namespace orders {

struct ReminderData
{
    int level = 1;
    rt::StdDate date = 0;
    RecordBuffer customer{FileId::kunde};
    std::vector<RecordBuffer> items; // `posten` records, in the order they print
};

class ReminderPrinter
{
public:
    ReminderPrinter(const ReminderData &data, report::PageQueue &queue);
    ~ReminderPrinter();
    ReminderPrinter(const ReminderPrinter &) = delete;
    ReminderPrinter &operator=(const ReminderPrinter &) = delete;

    void printItem(const RecordBuffer &item);
    // The sum and the closing sentences; false when a page could not be kept.
    bool finish();
    bool ok() const;

private:
    const ReminderData &m_data;
    std::unique_ptr<report::ReportWriter> m_writer;
};

// The whole reminder into the queue; false when there is nothing to remind of.
bool printReminder(const ReminderData &data, report::PageQueue &queue);

} // namespace orders
