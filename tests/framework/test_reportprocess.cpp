// The walk of a report over a view: how far it has come by key value, by record count and
// by bytes read, the text of the progress, and a walk over an empty file.

#include "viewfixture.h"

#include "framework/core/stepmanager.h"
#include "framework/core/textstep.h"
#include "framework/report/processmanager.h"
#include "store/files.h"

#include <memory>
#include <string>
#include <vector>

namespace {

class ReportProcess : public ::testing::Test
{
protected:
    void addCustomers(const std::vector<std::pair<std::string, std::string>> &namesAndPlaces)
    {
        for (const auto &[name, place] : namesAndPlaces) {
            t.add(FileId::kunde, [&](Records &r) {
                r.set(KUN::KNAME, name);
                r.set(KUN::KORT, place);
            });
        }
    }

    void open(StepManager *step = nullptr)
    {
        t.rk(FileId::kunde).Open();
        view = std::make_unique<View>(t.rk(FileId::kunde));
        ASSERT_EQ(process.Init(*view,
                               t.rk(FileId::kunde),
                               step,
                               step ? std::optional<FieldRef>(FieldRef(KUN::KNAME)) : std::nullopt),
                  Level::Benign);
        process.AddOrdering(KUN::Keykname);
    }

    // Walks to the end; the names read and the percentage after each record.
    void walk(std::vector<std::string> &names, std::vector<int> &percents)
    {
        for (bool more = process.first(); more; more = process.next()) {
            names.push_back(t.records().get(KUN::KNAME));
            percents.push_back(process.percent());
        }
    }

    StoreFixture t;
    std::unique_ptr<View> view;
    ProcessManager process;
};

TEST_F(ReportProcess, ProgressByRecordCount)
{
    struct Case
    {
        const char *name;
        std::uint32_t expected; // RECORDSTOPROCESS given by the caller, 0 = the file's count
        std::vector<int> percents;
    };
    const Case cases[] = {
        {"the file's count", 0, {25, 50, 75, 100}},
        {"the caller's count", 8, {12, 25, 37, 50}},
        {"fewer expected than there are", 2, {50, 100, 100, 100}},
    };
    addCustomers({{"Dorn", "Ulm"}, {"Adler", "Bonn"}, {"Ckert", "Ulm"}, {"Bauer", "Kiel"}});
    open();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        process.RECORDSTOPROCESS = c.expected;
        std::vector<std::string> names;
        std::vector<int> percents;
        walk(names, percents);
        EXPECT_EQ(names, (std::vector<std::string>{"Adler", "Bauer", "Ckert", "Dorn"}));
        EXPECT_EQ(percents, c.percents);
        EXPECT_EQ(process.RECORDSPROCESSED, 4u);
        EXPECT_FALSE(process.failed());
    }
    EXPECT_EQ(process.progressText(), "100% Fertig");
}

TEST_F(ReportProcess, ProgressByKeyValueRisesToTheLastRecord)
{
    addCustomers({{"Zander", "Ulm"}, {"Adler", "Bonn"}, {"Maier", "Ulm"}, {"Engel", "Kiel"}});
    TextStep step(TextStep::LookupMode::Computed, StepManager::Alphabetic | StepManager::Digits);
    open(&step);
    std::vector<int> shown;
    process.setProgressShown([&](int percent) { shown.push_back(percent); });
    std::vector<std::string> names;
    std::vector<int> percents;
    walk(names, percents);
    EXPECT_EQ(names, (std::vector<std::string>{"Adler", "Engel", "Maier", "Zander"}));
    ASSERT_EQ(percents.size(), 4u);
    EXPECT_LE(percents.front(), 5);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    // "Maier" lies about half way between "Adler" and "Zander".
    EXPECT_GT(percents[2], 30);
    EXPECT_LT(percents[2], 70);
    // Each change is shown once; a repeated value is not shown again.
    EXPECT_EQ(shown, std::vector<int>(percents.begin(), percents.end()));
    EXPECT_EQ(process.progressText(), "100% Fertig");
}

TEST_F(ReportProcess, FilteredViewMeasuresBytesAgainstTheFileSize)
{
    addCustomers({{"Adler", "Ulm"}, {"Bauer", "Bonn"}, {"Dorn", "Ulm"}, {"Engel", "Kiel"}});
    open();
    const std::uint32_t recordBytes = std::uint32_t(RecordBuffer(FileId::kunde).size());
    process.setFileSize([&] { return 4 * recordBytes; });
    process.DefineFilter("KUN:KORT = 'Ulm'");
    std::vector<std::string> names;
    std::vector<int> percents;
    walk(names, percents);
    EXPECT_EQ(names, (std::vector<std::string>{"Adler", "Dorn"}));
    EXPECT_EQ(process.FILESIZE, 4 * recordBytes);
    EXPECT_EQ(process.BYTESREAD, 2 * recordBytes);
    EXPECT_EQ(percents, (std::vector<int>{25, 50}));
}

TEST_F(ReportProcess, EmptyFileHasNoFirstRecordAndIsNoFailure)
{
    TextStep step(TextStep::LookupMode::Computed, StepManager::Alphabetic | StepManager::Digits);
    open(&step);
    EXPECT_FALSE(process.first());
    EXPECT_FALSE(process.failed());
    EXPECT_EQ(process.RECORDSPROCESSED, 0u);
    EXPECT_EQ(process.percent(), 0);
    EXPECT_TRUE(t.presenter.titles().empty());
}

} // namespace
