// Reading rows into the list buffer: fills in both directions, page loads and scrolling.

#include "framework/browse/browsemanager.h"

#include "base/text.h"
#include "framework/dialogs.h"
#include "framework/listcontrol.h"
#include "framework/picture.h"
#include "store/errormanager.h"
#include "store/filehandle.h"
#include "store/filemanager.h"
#include "store/relationkeeper.h"

#include <algorithm>
#include <utility>

namespace {

// A field as a list shows it. A text field goes straight from its Windows-1252 bytes when
// they are Latin-1 as well (all but the euro sign and a few typographic marks): a list
// converts a page of them at every step. Numbers and dates take the picture their type
// suggests, so that they read the German way ("1.234,50", "07.12.2026").
QString columnText(const RecordBuffer &record, int index)
{
    const FieldDef &field = record.def().fields[index];
    if (field.type == FieldType::String) {
        const std::string_view bytes
            = rt::clip(std::string_view(record.data() + field.offset, field.size));
        const bool latin1 = std::none_of(bytes.begin(), bytes.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte >= 0x80 && byte < 0xA0;
        });
        if (latin1)
            return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
        return QString::fromStdString(record.text(index));
    }
    return Picture::forField(field).format(record.value(index)).trimmed();
}

} // namespace

ListRow BrowseManager::makeRow() const
{
    ListRow row;
    for (std::size_t i = 0; i < FIELDS.size(); ++i) {
        const RecordBuffer &record = (*m_records)[FIELDS[i].file];
        if (i < PICTURES.size() && !PICTURES[i].isEmpty())
            row.columns << Picture(PICTURES[i]).format(record.value(FIELDS[i].index)).trimmed();
        else
            row.columns << columnText(record, FIELDS[i].index);
    }
    row.position = Position();
    return row;
}

void BrowseManager::readAhead(int rows)
{
    if (PRIMARY)
        PRIMARY->ME->handle().setReadAhead(static_cast<std::size_t>(std::max(rows, 0)));
}

bool BrowseManager::Fill(bool forward, bool continuing)
{
    if (ITEMSTOFILL <= 0)
        return false;
    // Block reading pays off only when more than one row is wanted.
    const bool quickScan = QUICKSCAN && ITEMSTOFILL > 1;
    if (quickScan)
        PRIMARY->SetQuickScan(true);
    std::string skip;
    if (!LISTQUEUE.empty() && !continuing) {
        skip = forward ? LISTQUEUE.back().position : LISTQUEUE.front().position;
        ResetToPosition(skip);
    }
    // A block holds the rows wanted (and the restart's row the list has already); rows the
    // view skips are read in further blocks.
    if (!quickScan)
        readAhead(ITEMSTOFILL + (skip.empty() ? 0 : 1));
    bool first = true;
    bool endHit = false;
    while (ITEMSTOFILL > 0) {
        const int level = forward ? Next() : Previous();
        if (level == Level::Notify) {
            endHit = true;
            break;
        }
        if (level != Level::Benign)
            break;
        m_justRead = true;
        takeFirstLimit(true); // the first row of a page loaded from the start of the list
        // The restart returns the row the list already holds first.
        if (std::exchange(first, false) && !skip.empty() && Position() == skip)
            continue;
        ListRow row = makeRow();
        if (static_cast<int>(LISTQUEUE.size()) >= LASTITEMS) {
            if (forward)
                LISTQUEUE.erase(LISTQUEUE.begin());
            else
                LISTQUEUE.pop_back();
        }
        if (forward)
            LISTQUEUE.push_back(std::move(row));
        else
            LISTQUEUE.insert(LISTQUEUE.begin(), std::move(row));
        --ITEMSTOFILL;
    }
    if (quickScan)
        PRIMARY->SetQuickScan(false);
    else
        readAhead(0);
    m_endHit = endHit;
    return endHit;
}

void BrowseManager::ResetQueue(int mode)
{
    ListControl *control = list();
    if (!ACTIVEINVISIBLE && control && !control->isVisible()) {
        LOADPENDING = 1;
        return;
    }
    LOADED = 1;
    LOADPENDING = 0;
    const BusyCursor busy;
    if (LASTITEMS <= 0)
        LASTITEMS = control ? control->visibleRows() : 1;
    CURRENTCHOICE = std::max(CURRENTCHOICE, 1);
    std::string highlight;
    int kept = 0;
    if (mode == ReloadPage) {
        if (!LISTQUEUE.empty()) {
            highlight
                = LISTQUEUE[std::min<std::size_t>(CURRENTCHOICE, LISTQUEUE.size()) - 1].position;
            ResetToPosition(LISTQUEUE.front().position);
        } else {
            ResetToStart();
        }
    } else if (RETAINROW) {
        kept = CURRENTCHOICE - 1;
    }
    LISTQUEUE.clear();
    ITEMSTOFILL = LASTITEMS - kept;
    Fill(true);
    const bool positionedPastEnd = mode == FromPosition && LISTQUEUE.empty();
    if (mode == FromPosition && !RETAINROW && !LISTQUEUE.empty())
        highlight = LISTQUEUE.front().position;
    if (!ALLOWUNFILLED || kept > 0) {
        ITEMSTOFILL = LASTITEMS - static_cast<int>(LISTQUEUE.size());
        if (ALLOWUNFILLED)
            ITEMSTOFILL = std::min(ITEMSTOFILL, kept);
        Fill(false);
    }
    if (static_cast<int>(LISTQUEUE.size()) > LASTITEMS)
        LISTQUEUE.resize(LASTITEMS);
    const auto found = std::find_if(LISTQUEUE.begin(), LISTQUEUE.end(), [&](const ListRow &row) {
        return row.position == highlight;
    });
    if (!highlight.empty() && found != LISTQUEUE.end())
        CURRENTCHOICE = static_cast<int>(found - LISTQUEUE.begin()) + 1;
    else if (positionedPastEnd)
        CURRENTCHOICE = static_cast<int>(LISTQUEUE.size());
    CURRENTCHOICE = std::clamp(CURRENTCHOICE, 1, std::max(1, static_cast<int>(LISTQUEUE.size())));
    takeRow();
}

void BrowseManager::reloadChanged()
{
    // A list that has not loaded yet, or is hidden, reads the file anew when it shows.
    if (!LOADED || !OPENED || SELECTING) {
        LOADPENDING = LOADED ? 1 : LOADPENDING;
        return;
    }
    ResetQueue(ReloadPage);
    LASTCHOICE = CURRENTCHOICE;
    showRows();
    placeThumb();
}

void BrowseManager::takeRow()
{
    if (LISTQUEUE.empty()) {
        if (m_file && LOADED)
            m_file->BUFFER().clear();
        return;
    }
    CURRENTCHOICE = std::clamp(CURRENTCHOICE, 1, static_cast<int>(LISTQUEUE.size()));
    Fetch(LISTQUEUE[CURRENTCHOICE - 1].position, std::exchange(m_justRead, false));
}

void BrowseManager::showRows(bool rowsChanged)
{
    ListControl *control = list();
    if (!control)
        return;
    // Rows are rewritten in place: a page that moves on keeps its rows, only their texts
    // change.
    if (rowsChanged) {
        QList<QStringList> rows;
        rows.reserve(static_cast<qsizetype>(LISTQUEUE.size()));
        for (const ListRow &row : LISTQUEUE)
            rows << row.columns;
        control->setRows(rows);
    }
    control->setHighlighted(LISTQUEUE.empty() ? 0 : CURRENTCHOICE);
}

void BrowseManager::toEnd(bool top)
{
    LISTQUEUE.clear();
    // The first or last record and the rows after it come in one block.
    readAhead(LASTITEMS);
    const int level = top ? ReadFirst() : ReadLast();
    readAhead(0);
    if (level != Level::Benign)
        return;
    m_justRead = true;
    LISTQUEUE.push_back(makeRow());
    ITEMSTOFILL = LASTITEMS - 1;
    Fill(top, true);
    m_endHit = true;
    CURRENTCHOICE = top ? 1 : static_cast<int>(LISTQUEUE.size());
}

bool BrowseManager::scrollBy(int rows, bool forward)
{
    ITEMSTOFILL = rows;
    Fill(forward);
    const int size = static_cast<int>(LISTQUEUE.size());
    CURRENTCHOICE += forward ? ITEMSTOFILL : -ITEMSTOFILL;
    CURRENTCHOICE = std::clamp(CURRENTCHOICE, 1, std::max(size, 1));
    return ITEMSTOFILL < rows;
}

void BrowseManager::Scroll(EventKind kind)
{
    if (LISTQUEUE.empty())
        return;
    const int size = static_cast<int>(LISTQUEUE.size());
    m_endHit = false;
    // Moving within the page, or against the end of the file, leaves the rows as shown.
    bool rowsChanged = true;
    switch (kind) {
    case EventKind::ScrollUp:
        m_lastMove = ListMove::Up;
        if (CURRENTCHOICE > 1) {
            --CURRENTCHOICE;
            rowsChanged = false;
        } else {
            rowsChanged = scrollBy(1, false);
            CURRENTCHOICE = 1;
        }
        break;
    case EventKind::ScrollDown:
        m_lastMove = ListMove::Down;
        if (CURRENTCHOICE < size) {
            ++CURRENTCHOICE;
            rowsChanged = false;
        } else {
            rowsChanged = scrollBy(1, true);
            CURRENTCHOICE = static_cast<int>(LISTQUEUE.size());
        }
        break;
    case EventKind::PageUp:
        m_lastMove = ListMove::PageUp;
        rowsChanged = scrollBy(LASTITEMS, false);
        break;
    case EventKind::PageDown:
        m_lastMove = ListMove::PageDown;
        rowsChanged = scrollBy(LASTITEMS, true);
        break;
    case EventKind::ScrollTop:
        m_lastMove = ListMove::Top;
        toEnd(true);
        break;
    case EventKind::ScrollBottom:
        m_lastMove = ListMove::Bottom;
        toEnd(false);
        break;
    default:
        return;
    }
    LASTCHOICE = CURRENTCHOICE;
    showRows(rowsChanged);
    takeRow();
    placeThumb();
}
