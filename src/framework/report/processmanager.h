#pragma once

#include "framework/recordsource.h"
#include "framework/view/viewmanager.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class StepManager;

// The walk of a report over the records of a view, and how far it has come. Progress is
// measured by the key value of the record read (with a step manager), else by the count of
// records against the file's count, else by bytes read against the file's size.
class ProcessManager : public ViewManager, public RecordSource
{
public:
    ProcessManager();
    ~ProcessManager() override;

    std::uint32_t BYTESREAD = 0;
    std::uint32_t FILESIZE = 0;
    std::uint8_t CHILDREAD = 0;
    std::vector<ProcessManager *> CHILDREN;
    // The percentage shown; points at the manager's own byte unless the caller gives one.
    std::uint8_t *PERCENTILE = nullptr;
    std::int32_t PTEXT = 0;
    void *QUERY = nullptr; // no report of the program sets one
    std::uint32_t RECORDSPROCESSED = 0;
    std::uint32_t RECORDSTOPROCESS = 0;
    StepManager *STEPMGR = nullptr;
    std::optional<FieldRef> VALUEFIELD;

    // The view manager's Init, then the step manager and the field it measures.
    int Init(View &view,
             RelationKeeper &primary,
             StepManager *stepManager = nullptr,
             std::optional<FieldRef> valueField = std::nullopt);

    // Starts the walk again: the step manager learns the first and the last key value, or
    // the number of records to expect is taken; reading then starts at the first record.
    int ResetProcess();
    // Reads the next record of the walk and counts it. Levels as Next gives them.
    int ReadRecord();

    // "n% Fertig" for the text control PTEXT, as it reads after the last change.
    const std::string &progressText() const { return m_text; }
    // Told of every change of the percentage shown.
    void setProgressShown(std::function<void(int)> shown) { m_shown = std::move(shown); }
    // The file's size in bytes, for a walk whose record count is not known (a filtered
    // view); none by default.
    void setFileSize(std::function<std::uint32_t()> size) { m_fileSize = std::move(size); }

    // RecordSource
    bool first() override;
    bool next() override;
    bool failed() const override { return m_lastLevel == Level::Fatal; }
    int percent() const override { return PERCENTILE ? *PERCENTILE : 0; }

private:
    int countRecord();
    void showPercent(int percent);

    std::uint8_t m_percentile = 0;
    int m_lastLevel = Level::Benign;
    std::string m_text;
    std::function<void(int)> m_shown;
    std::function<std::uint32_t()> m_fileSize;
};
