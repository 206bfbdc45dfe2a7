// Opening, reading and positioning the view, and new records within its range.

#include "framework/view/viewmanager.h"

#include "framework/view/viewvalues.h"

#include <cstring>
#include <utility>

ViewManager::ViewManager() = default;

ViewManager::~ViewManager() = default;

int ViewManager::Init(View &view, RelationKeeper &primary, OrderList *orders)
{
    VIEW = &view;
    PRIMARY = &primary;
    if (orders) {
        m_ownOrders.reset();
        ORDER = orders;
        DISPOSEORDER = 0;
    } else {
        m_ownOrders = std::make_unique<OrderList>();
        ORDER = m_ownOrders.get();
        DISPOSEORDER = 1;
    }
    m_current = 0;
    PAGESIZE = 20;
    PAGESBEHIND = 2;
    PAGESAHEAD = 0;
    TIMEOUT = 60;
    for (RelationKeeper *file : view.files()) {
        if (const int level = file->ME->Use(2); level != Level::Benign)
            return level;
    }
    return Level::Benign;
}

std::unique_ptr<SortOrder> ViewManager::CreateOrder()
{
    return std::make_unique<SortOrder>();
}

SortOrder *ViewManager::currentOrder() const
{
    if (!ORDER || ORDER->empty())
        return nullptr;
    return (*ORDER)[static_cast<std::size_t>(m_current)].get();
}

void ViewManager::Release()
{
    if (DISPOSEORDER)
        m_ownOrders.reset();
    ORDER = nullptr;
    DISPOSEORDER = 0;
    m_current = 0;
}

bool ViewManager::SelectOrdering(int number)
{
    if (!ORDER || ORDER->empty())
        return false;
    if (number == 0)
        number = 1;
    if (number < 1 || number > static_cast<int>(ORDER->size()) || number - 1 == m_current)
        return false;
    m_current = number - 1;
    return true;
}

// --- opening and closing --------------------------------------------------------------------

int ViewManager::reportRefusal()
{
    return PRIMARY->ME->ReportError(40);
}

void ViewManager::Open()
{
    if (OPENED)
        return;
    if (VIEW->open() != Level::Benign)
        reportRefusal();
    VIEW->setBuffering({PAGESIZE, PAGESBEHIND, PAGESAHEAD, TIMEOUT});
    OPENED = 1;
    BuildOrder();
    BuildFilter();
}

void ViewManager::Close()
{
    if (OPENED)
        VIEW->close();
    OPENED = 0;
}

// --- where reading starts ---------------------------------------------------------------------

int ViewManager::Reset(int number)
{
    Open();
    if (VIEW->resetFrom(number) != Result::Ok)
        return reportRefusal();
    return Level::Benign;
}

int ViewManager::ResetToStart()
{
    return Reset(0);
}

int ViewManager::ResetToPosition(const std::string &position)
{
    Open();
    if (VIEW->reset(position) != Result::Ok)
        return reportRefusal();
    return Level::Benign;
}

int ViewManager::ResetToBuffer()
{
    Open();
    if (VIEW->resetToBuffer() != Result::Ok)
        return reportRefusal();
    return Level::Benign;
}

int ViewManager::ResetToLocator(const FieldValue &value)
{
    const SortOrder *order = currentOrder();
    const int free = FreeElementPosition();
    if (!order || free == 0 || !order->FREEELEMENT)
        return Reset(0);
    // The range components and the search value go into the buffer only to start from; the
    // record in it stays as it was.
    RecordBuffer &buffer = PRIMARY->ME->BUFFER();
    const RecordBuffer kept = buffer;
    for (const RangePair *pair : equalPairs(*order))
        viewvalues::store(
            buffer, pair->LEFT.index, pair->BUFFER.value_or(currentValue(pair->RIGHT)));
    if (order->LIMITTYPE == LimitType::Between && order->RANGELIST.size() >= 2) {
        const RangePair &low = order->RANGELIST[order->RANGELIST.size() - 2];
        viewvalues::store(buffer, low.LEFT.index, low.BUFFER.value_or(currentValue(low.RIGHT)));
    }
    viewvalues::store(buffer, order->FREEELEMENT->index, value);
    const int level = Reset(free);
    std::memcpy(buffer.data(), kept.data(), buffer.size());
    return level;
}

// --- reading ------------------------------------------------------------------------------------

int ViewManager::CheckRecord()
{
    return 0;
}

int ViewManager::Next()
{
    return read(+1);
}

int ViewManager::Previous()
{
    return read(-1);
}

int ViewManager::read(int direction)
{
    Open();
    for (;;) {
        const int code = direction > 0 ? VIEW->next() : VIEW->previous();
        if (code == Result::NoRecord)
            return Level::Notify;
        if (code != Result::Ok) {
            PRIMARY->ME->ReportError(1);
            return Level::Fatal;
        }
        switch (CheckRecord()) {
        case 0:
            return Level::Benign;
        case 1:
            return Level::Notify;
        default:
            break;
        }
    }
}

int ViewManager::ReadFirst()
{
    if (const int level = Reset(0); level != Level::Benign)
        return level;
    return Next();
}

int ViewManager::ReadLast()
{
    if (const int level = Reset(0); level != Level::Benign)
        return level;
    return Previous();
}

std::string ViewManager::Position() const
{
    return VIEW ? VIEW->position() : std::string();
}

int ViewManager::Fetch(const std::string &position, bool fromLastRead)
{
    Open();
    const int code = VIEW->fetch(position, fromLastRead);
    if (code == Result::NoRecord)
        return Level::Notify;
    if (code != Result::Ok) {
        PRIMARY->ME->ReportError(1);
        return Level::Fatal;
    }
    return Level::Benign;
}

std::optional<std::int64_t> ViewManager::RecordCount()
{
    Open();
    return VIEW->count();
}

// --- new records
// ----------------------------------------------------------------------------------

int ViewManager::PrepareNewRecord(bool keepBuffer)
{
    // Taken before the buffers are cleared: a range may be limited to a field of the view's
    // own files.
    std::vector<std::pair<int, FieldValue>> carried;
    if (const SortOrder *order = currentOrder()) {
        for (const RangePair *pair : equalPairs(*order))
            carried.emplace_back(pair->LEFT.index,
                                 pair->BUFFER.value_or(currentValue(pair->RIGHT)));
    }
    if (!keepBuffer) {
        for (RelationKeeper *file : VIEW->files())
            file->ME->BUFFER().clear();
    }
    RecordBuffer &buffer = PRIMARY->ME->BUFFER();
    for (const auto &[field, value] : carried)
        viewvalues::store(buffer, field, value);
    return PRIMARY->ME->PrepareNewRecord(true);
}
