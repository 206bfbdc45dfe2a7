#pragma once

#include "store/relationkeeper.h"
#include "store/viewfilter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A view: the primary file of a procedure read in one order, limited by a filter, with related
// parent files joined to each record read (an order with its customer). Lists and reports read
// through it; the view manager (viewmanager.h) builds its filter and order texts.
//
// The texts are parsed (store/viewfilter.h) into a filter tree that the storage engine runs as
// a pass with bound values, so nothing a user typed reaches a query. A text that cannot be parsed
// is refused: the view then reads unfiltered (or in the order it had), and the reason stays in the
// engine's status as the engine leaves the reason of a refused statement, for %ErrorText.
//
// The view reads through the primary file's handle of the current thread, so the record it
// read is the file's current record, as forms expect when they change or delete it. Another
// pass on that handle (numbering a new record, a nested procedure giving back the file's
// state) replaces the view's pass; the view notices that on its next read and starts its pass
// again after the record it read last.
class View
{
public:
    explicit View(RelationKeeper &primary);
    ~View();
    View(const View &) = delete;
    View &operator=(const View &) = delete;

    // Joins a parent of a file already in the view: each record read fills the parent's
    // buffer with the record its linking fields name, or clears it when there is none. False
    // (and nothing joined) when no file of the view is a child of `parent`.
    bool Join(RelationKeeper &parent);

    RelationKeeper &primary() const { return *m_primary; }
    FileManager &primaryFile() const { return *m_primary->ME; }
    // Primary first, then the joined files in the order they were joined.
    std::vector<RelationKeeper *> files() const;

    // Makes every file of the view usable; the level of the first that is not.
    int open();
    void close();
    bool isOpen() const { return m_open; }

    // Records per page, pages kept behind and read ahead, seconds a buffer stays valid. The
    // engine reads its passes ahead in blocks of its own; these are kept for the callers.
    struct Buffering
    {
        std::uint16_t pageSize = 0;
        std::uint16_t pagesBehind = 0;
        std::uint16_t pagesAhead = 0;
        std::uint16_t timeout = 0;
    };
    void setBuffering(const Buffering &buffering) { m_buffering = buffering; }
    const Buffering &buffering() const { return m_buffering; }

    // Take effect at the next start of reading. Each returns the empty text, or why the text
    // was refused; a refused filter leaves the view unfiltered, a refused order keeps the
    // order the view had.
    std::string setFilter(std::string_view text);
    std::string setOrder(std::string_view text);
    void setOrder(const KeySpec &order);
    // The texts last given; the order text is empty while the view reads in an order given
    // as a KeySpec.
    const std::string &filterText() const { return m_filterText; }
    const std::string &orderText() const { return m_orderText; }
    // What the engine runs.
    const FilterTree &filter() const { return m_filter; }
    const KeySpec &order() const { return m_order; }

    // Where the next read starts: at the start of the order (next reads the first record,
    // previous the last); at a record, which the next read in either direction returns
    // first (or its neighbour when it is gone); or from the primary buffer's values of the
    // first `components` components of the order, the others from where they start.
    // Engine codes.
    int reset();
    int reset(const std::string &position);
    int resetFrom(int components);
    // At the record now in the primary buffer: the file's current record when it holds the
    // same key values (so that among equal values that one is taken), else the first record
    // with the buffer's values.
    int resetToBuffer();

    // 0 with the record in the buffers, 33 past the end, another code on a failure.
    int next();
    int previous();
    // The position of the record read last; the empty text before the first.
    const std::string &position() const { return m_last; }
    // Makes the record at a position the view's and the file's current record, with its
    // joined records; reading goes on from it.
    // `fromLastRead`: the file may take it from the rows it has just read (see
    // RecordFile::recall) instead of reading it again.
    int fetch(const std::string &position, bool fromLastRead = false);

    // The number of records the view holds, when that is known without reading them: a view
    // without a filter holds the whole file.
    std::optional<std::int64_t> count();

private:
    struct Joined
    {
        RelationKeeper *file = nullptr;
        RelationKeeper *child = nullptr;
        std::vector<LinkPair> links; // LEFT in `file`, RIGHT in `child`
        KeyRef key{};                // the parent's key led by the linking fields
    };
    enum class Start { Beginning, Position, Values };

    FileHandle &handle() const;
    bool passIntact() const;
    // Starts the pass as `m_start` says, and marks it as the view's.
    int establish();
    int read(int direction);
    int fillJoined();

    RelationKeeper *m_primary;
    std::vector<Joined> m_joined;
    bool m_open = false;
    Buffering m_buffering;

    std::string m_filterText;
    std::string m_orderText;
    FilterTree m_filter;
    KeySpec m_order;

    Start m_start = Start::Beginning;
    std::string m_startPosition;     // with Start::Position
    bool m_startHandedOut = false;   // that record was read already
    std::vector<char> m_startRecord; // with Start::Values: a record holding the start values
    std::string m_skip;              // read first again after a restart: not handed out twice
    bool m_established = false;
    std::string m_last;
};
