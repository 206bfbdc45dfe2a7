#include "processmanager.h"

#include "framework/core/stepmanager.h"
#include "store/errormanager.h"
#include "store/filemanager.h"
#include "store/relationkeeper.h"

#include <algorithm>

ProcessManager::ProcessManager()
    : PERCENTILE(&m_percentile)
{}

ProcessManager::~ProcessManager() = default;

int ProcessManager::Init(View &view,
                         RelationKeeper &primary,
                         StepManager *stepManager,
                         std::optional<FieldRef> valueField)
{
    STEPMGR = stepManager;
    VALUEFIELD = valueField;
    return ViewManager::Init(view, primary);
}

int ProcessManager::ResetProcess()
{
    RECORDSPROCESSED = 0;
    BYTESREAD = 0;
    FILESIZE = 0;
    if (STEPMGR && VALUEFIELD) {
        const RecordBuffer &buffer = PRIMARY->ME->BUFFER();
        FieldValue low;
        FieldValue high;
        if (ReadFirst() == Level::Benign)
            low = buffer.value(VALUEFIELD->index);
        if (ReadLast() == Level::Benign)
            high = buffer.value(VALUEFIELD->index);
        STEPMGR->setLimits(low, high);
    } else if (RECORDSTOPROCESS == 0) {
        const std::optional<std::int64_t> count = RecordCount();
        RECORDSTOPROCESS
            = std::uint32_t(std::clamp<std::int64_t>(count.value_or(0), 0, UINT32_MAX));
        if (RECORDSTOPROCESS == 0 && m_fileSize)
            FILESIZE = m_fileSize();
    }
    CHILDREAD = 0;
    return ResetToStart();
}

int ProcessManager::ReadRecord()
{
    int level = Level::Notify;
    if (CHILDREAD > 0 && CHILDREAD <= CHILDREN.size()) {
        level = CHILDREN[CHILDREAD - 1]->ReadRecord();
        // A child at its end hands the walk back to this view.
        if (level == Level::Notify)
            CHILDREAD = 0;
        else
            return level;
    }
    level = Next();
    if (level == Level::Benign)
        countRecord();
    return level;
}

int ProcessManager::countRecord()
{
    if (FILESIZE)
        BYTESREAD += std::uint32_t(PRIMARY->ME->BUFFER().size());
    ++RECORDSPROCESSED;
    if (!PERCENTILE || CHILDREAD != 0)
        return Level::Benign;
    int percent = 0;
    if (STEPMGR && VALUEFIELD)
        percent = STEPMGR->position(PRIMARY->ME->BUFFER().value(VALUEFIELD->index));
    else if (FILESIZE)
        percent = int(std::uint64_t(BYTESREAD) * 100 / FILESIZE);
    else if (RECORDSTOPROCESS)
        percent = int(std::uint64_t(RECORDSPROCESSED) * 100 / RECORDSTOPROCESS);
    showPercent(std::min(percent, 100));
    return Level::Benign;
}

void ProcessManager::showPercent(int percent)
{
    if (percent == *PERCENTILE && !m_text.empty())
        return;
    *PERCENTILE = std::uint8_t(percent);
    m_text = std::to_string(percent) + "% Fertig";
    if (m_shown)
        m_shown(percent);
}

bool ProcessManager::first()
{
    m_lastLevel = ResetProcess();
    if (m_lastLevel != Level::Benign) {
        if (m_lastLevel == Level::Notify)
            m_lastLevel = Level::Fatal; // a refused view has been reported already
        return false;
    }
    *PERCENTILE = 0;
    m_text.clear();
    m_lastLevel = ReadRecord();
    return m_lastLevel == Level::Benign;
}

bool ProcessManager::next()
{
    m_lastLevel = ReadRecord();
    return m_lastLevel == Level::Benign;
}
