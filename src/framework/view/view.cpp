#include "framework/view/view.h"

#include "store/keyfields.h"

#include <cstring>
#include <limits>
#include <map>

namespace {

// Marks the primary file's pass as a view's in its thread state. Any other pass started on
// the handle (or a saved state given back) sets a key position there, which is never this.
constexpr std::uint8_t kViewPass = 0xFF;

// Which view started the pass a handle runs now: two views over one file on one thread take
// the handle from each other.
std::map<const FileHandle *, const View *> &passOwners()
{
    static std::map<const FileHandle *, const View *> owners;
    return owners;
}

// The value an order component starts from: the lowest for an ascending one, the highest for
// a descending one.
void setStart(RecordBuffer &record, int field, bool descending)
{
    if (descending) {
        setHighest(record, field);
        return;
    }
    switch (record.def().fields[field].type) {
    case FieldType::Long:
    case FieldType::Date:
        record.setValue(field, std::numeric_limits<std::int32_t>::min());
        break;
    case FieldType::Real:
        record.setValue(field, -std::numeric_limits<double>::infinity());
        break;
    case FieldType::Decimal:
        record.setValue(field, -999.99);
        break;
    case FieldType::String:
        record.setValue(field, std::string());
        break;
    }
}

// The parent's key whose components are exactly the linking fields, in their order.
std::optional<KeyRef> keyOfLinks(const FileDef &parent, const std::vector<LinkPair> &links)
{
    for (int k = 0; k < parent.keyCount; ++k) {
        const KeyDef &key = parent.keys[k];
        if (key.partCount != links.size())
            continue;
        bool matches = true;
        for (std::size_t i = 0; i < links.size(); ++i)
            matches = matches && key.parts[i].field == links[i].LEFT.index;
        if (matches)
            return KeyRef{parent.id, static_cast<std::uint8_t>(k)};
    }
    return std::nullopt;
}

// A text the view refuses is a statement the engine would refuse: the reason goes where the
// engine leaves its own.
void noteRefusal(FileManager &file, const std::string &reason)
{
    file.services().engine().refuse(reason);
}

} // namespace

View::View(RelationKeeper &primary)
    : m_primary(&primary)
{}

View::~View()
{
    std::erase_if(passOwners(), [this](const auto &entry) { return entry.second == this; });
}

bool View::Join(RelationKeeper &parent)
{
    for (RelationKeeper *child : files()) {
        for (const Relation &relation : parent.RELATIONS) {
            if (relation.FILE != child || relation.FIELDS.empty())
                continue;
            const std::optional<KeyRef> key = keyOfLinks(fileDef(parent.ME->FILE), relation.FIELDS);
            if (!key)
                continue;
            m_joined.push_back({&parent, child, relation.FIELDS, *key});
            return true;
        }
    }
    return false;
}

std::vector<RelationKeeper *> View::files() const
{
    std::vector<RelationKeeper *> result{m_primary};
    for (const Joined &joined : m_joined)
        result.push_back(joined.file);
    return result;
}

FileHandle &View::handle() const
{
    return primaryFile().handle();
}

int View::open()
{
    for (RelationKeeper *file : files()) {
        if (const int level = file->ME->Use(2); level != Level::Benign)
            return level;
    }
    m_open = true;
    return Level::Benign;
}

void View::close()
{
    m_open = false;
    m_established = false;
    m_start = Start::Beginning;
    m_skip.clear();
    m_last.clear();
}

std::string View::setFilter(std::string_view text)
{
    m_filterText = std::string(text);
    m_established = false;
    FilterParseResult parsed = parseFilter(text, fileFieldResolver(fileDef(primaryFile().FILE)));
    if (!parsed.ok()) {
        m_filter = {};
        noteRefusal(primaryFile(), parsed.error);
        return parsed.error;
    }
    m_filter = std::move(parsed.filter);
    return {};
}

std::string View::setOrder(std::string_view text)
{
    OrderParseResult parsed = parseOrder(text, fileDef(primaryFile().FILE));
    if (!parsed.ok()) {
        noteRefusal(primaryFile(), parsed.error);
        return parsed.error;
    }
    m_order = std::move(parsed.order);
    m_orderText = std::string(text);
    m_established = false;
    return {};
}

void View::setOrder(const KeySpec &order)
{
    m_order = order;
    m_orderText.clear();
    m_established = false;
}

bool View::passIntact() const
{
    if (!m_established)
        return false;
    FileManager &file = primaryFile();
    if (file.threadState().passKey != kViewPass)
        return false;
    const auto owner = passOwners().find(&handle());
    return owner != passOwners().end() && owner->second == this;
}

int View::establish()
{
    FileManager &file = primaryFile();
    FileHandle &h = handle();
    m_skip.clear();
    int code = Result::Ok;
    switch (m_start) {
    case Start::Beginning:
        code = h.setOrderStart(m_order, m_filter);
        break;
    case Start::Position:
        // A pass of this view restarts where it is asked to; another one is set up first.
        if (!passIntact())
            code = h.setOrderStart(m_order, m_filter);
        if (code == Result::Ok)
            code = h.reset(m_startPosition);
        break;
    case Start::Values: {
        // The engine starts from the buffer's values; the record in it stays as it was.
        RecordBuffer &buffer = file.BUFFER();
        const std::vector<char> kept(buffer.data(), buffer.data() + buffer.size());
        std::memcpy(buffer.data(), m_startRecord.data(), buffer.size());
        code = h.setOrderFrom(m_order, m_filter);
        std::memcpy(buffer.data(), kept.data(), buffer.size());
        break;
    }
    }
    if (code != Result::Ok)
        return code;
    file.threadState().passKey = kViewPass;
    passOwners()[&h] = this;
    m_established = true;
    return Result::Ok;
}

int View::reset()
{
    m_start = Start::Beginning;
    return establish();
}

int View::reset(const std::string &position)
{
    if (position.empty())
        return reset();
    m_start = Start::Position;
    m_startPosition = position;
    m_startHandedOut = false;
    return establish();
}

int View::resetFrom(int components)
{
    if (components <= 0)
        return reset();
    RecordBuffer start = primaryFile().BUFFER();
    for (std::size_t i = static_cast<std::size_t>(components); i < m_order.parts.size(); ++i)
        setStart(start, m_order.parts[i].field, m_order.parts[i].descending);
    m_startRecord.assign(start.data(), start.data() + start.size());
    m_start = Start::Values;
    return establish();
}

int View::resetToBuffer()
{
    FileHandle &h = handle();
    const std::string current = h.position();
    if (!current.empty()) {
        RecordBuffer &buffer = primaryFile().BUFFER();
        const RecordBuffer kept = buffer;
        bool same = h.reget(current) == Result::Ok;
        for (const KeyPart &part : m_order.parts)
            same = same && buffer.value(part.field) == kept.value(part.field);
        std::memcpy(buffer.data(), kept.data(), buffer.size());
        if (same)
            return reset(current);
    }
    return resetFrom(static_cast<int>(m_order.parts.size()));
}

int View::next()
{
    return read(+1);
}

int View::previous()
{
    return read(-1);
}

int View::read(int direction)
{
    if (!passIntact()) {
        if (const int code = establish(); code != Result::Ok)
            return code;
        // Started again at the record read last: it is not handed out twice.
        if (m_start == Start::Position && m_startHandedOut)
            m_skip = m_startPosition;
    }
    FileHandle &h = handle();
    for (;;) {
        const int code = direction > 0 ? h.next() : h.previous();
        if (code != Result::Ok)
            return code;
        std::string position = h.position();
        if (!m_skip.empty()) {
            const bool skip = position == m_skip;
            m_skip.clear();
            if (skip)
                continue;
        }
        m_last = std::move(position);
        m_start = Start::Position;
        m_startPosition = m_last;
        m_startHandedOut = true;
        return fillJoined();
    }
}

int View::fetch(const std::string &position, bool fromLastRead)
{
    FileHandle &h = handle();
    if (const int code = fromLastRead ? h.recall(position) : h.reget(position); code != Result::Ok)
        return code;
    m_last = h.position();
    m_start = Start::Position;
    m_startPosition = m_last;
    m_startHandedOut = true;
    return fillJoined();
}

int View::fillJoined()
{
    for (const Joined &joined : m_joined) {
        FileManager &parent = *joined.file->ME;
        RecordBuffer &buffer = parent.BUFFER();
        const RecordBuffer &child = joined.child->ME->BUFFER();
        for (const LinkPair &link : joined.links)
            buffer.setValue(link.LEFT.index, child.value(link.RIGHT.index));
        const int code = parent.handle().get(joined.key.index);
        if (code == Result::NoRecord)
            buffer.clear();
        else if (code != Result::Ok)
            return code;
    }
    return Result::Ok;
}

std::optional<std::int64_t> View::count()
{
    if (!m_filter.empty())
        return std::nullopt;
    const std::int64_t records = handle().records();
    if (primaryFile().services().engine().status().code != Result::Ok)
        return std::nullopt;
    return records;
}
