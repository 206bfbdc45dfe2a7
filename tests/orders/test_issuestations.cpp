// Two stations issue an invoice under the same number at the same moment, each a process of
// its own on one data folder: exactly one invoice is issued, the other station is told in
// German that the number is taken, and nothing of its attempt is left in the files.

#include "orders/core/issueddocuments.h"

#include "base/stddate.h"
#include "store/filehandle.h"
#include "support/orderfamily.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

using namespace orderfamily;

namespace {

// The first station's document file: its record is added, then it holds its transaction open
// until the parent lets it go on, so that the second station writes while it stands.
class HoldingHandle : public FileHandle
{
public:
    HoldingHandle(Engine &e, FileId f, RecordBuffer &b, int toldFd, int goFd)
        : FileHandle(e, f, b)
        , m_told(toldFd)
        , m_go(goFd)
    {}
    int add() override
    {
        const int code = FileHandle::add();
        (void)!write(m_told, "a", 1);
        char byte = 0;
        (void)!read(m_go, &byte, 1);
        return code;
    }

private:
    int m_told;
    int m_go;
};

struct Outcome
{
    int exit = -1;
    std::string message;
};

// Issues order `orderId`'s invoice R-7 in a child process; its outcome and message go to
// `report`. With `holdFds`, the document's add waits for the parent as HoldingHandle does.
pid_t issueElsewhere(const std::filesystem::path &folder,
                     const std::string &orderId,
                     const std::filesystem::path &report,
                     const int *holdFds,
                     int startedFd)
{
    const pid_t child = fork();
    if (child != 0)
        return child;
    WatchingPresenter presenter;
    HandleFactory handles;
    if (holdFds) {
        const int told = holdFds[0];
        const int go = holdFds[1];
        handles = [told, go](Engine &e, FileId f, RecordBuffer &b) -> std::unique_ptr<FileHandle> {
            if (f == FileId::beleg)
                return std::make_unique<HoldingHandle>(e, f, b, told, go);
            return std::make_unique<FileHandle>(e, f, b);
        };
    }
    StoreContext store(folder, presenter, handles);
    RecordBuffer order(FileId::auftrag);
    order.set(AUF::FID, orderId);
    order.set(AUF::FRENR, "R-7");
    order.set(AUF::BRUTTO, orderId == "F1" ? 119.0 : 238.0);
    const orders::IssuedBytes bytes{"%PDF station " + orderId, {}};
    const RecordBuffer document = orders::invoiceDocument(
        order, rt::dateFromYmd(2026, 12, 7), rt::timeFromHms(9, 0, 0), 0, bytes);
    if (startedFd >= 0)
        (void)!write(startedFd, "s", 1);
    const orders::IssueResult result = orders::issueInvoice(store, orderId, document, bytes);
    std::ofstream(report) << result.message;
    _exit(result.outcome == orders::IssueOutcome::Issued    ? 0
          : result.outcome == orders::IssueOutcome::Refused ? 1
                                                            : 2);
}

Outcome waitFor(pid_t child, const std::filesystem::path &report)
{
    Outcome outcome;
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status))
        outcome.exit = WEXITSTATUS(status);
    std::ifstream in(report);
    outcome.message.assign(std::istreambuf_iterator<char>(in), {});
    return outcome;
}

RecordBuffer storedOrder(StoreContext &store, const std::string &id)
{
    FileManager &orders = store.fileManager(FileId::auftrag);
    EXPECT_EQ(orders.Open(), Level::Benign);
    orders.BUFFER().clear();
    orders.BUFFER().set(AUF::FID, id);
    EXPECT_EQ(orders.FetchQuiet(AUF::Keyfid), Level::Benign);
    RecordBuffer order = orders.BUFFER();
    orders.Close();
    return order;
}

TEST(IssueStations, TheSameNumberIsIssuedOnceAndTheOtherStationIsRefused)
{
    TempFolder folder;
    {
        StoreFixture t;
        customer(t, "K1", "Verlag Bauer");
        order(t, "F1", "K1", "A-1");
        order(t, "F2", "K1", "A-2");
        invoiced(t, "F1", "R-7");
        invoiced(t, "F2", "R-7");
        std::filesystem::copy(t.folder.path(),
                              folder.path(),
                              std::filesystem::copy_options::recursive
                                  | std::filesystem::copy_options::overwrite_existing);
    }
    int told[2];
    int go[2];
    int started[2];
    ASSERT_EQ(pipe(told), 0);
    ASSERT_EQ(pipe(go), 0);
    ASSERT_EQ(pipe(started), 0);
    const int holdFds[2] = {told[1], go[0]};
    const std::filesystem::path first = folder.path() / "first.txt";
    const std::filesystem::path second = folder.path() / "second.txt";

    // The first station has added its document and holds its transaction open ...
    const pid_t a = issueElsewhere(folder.path(), "F1", first, holdFds, -1);
    char byte = 0;
    ASSERT_EQ(read(told[0], &byte, 1), 1);
    // ... while the second station issues the same number.
    const pid_t b = issueElsewhere(folder.path(), "F2", second, nullptr, started[1]);
    ASSERT_EQ(read(started[0], &byte, 1), 1);
    usleep(300 * 1000);
    ASSERT_EQ(write(go[1], "g", 1), 1);
    const Outcome firstOutcome = waitFor(a, first);
    const Outcome secondOutcome = waitFor(b, second);
    for (int fd : {told[0], told[1], go[0], go[1], started[0], started[1]})
        close(fd);

    EXPECT_EQ(firstOutcome.exit, 0) << firstOutcome.message;
    EXPECT_EQ(secondOutcome.exit, 1) << secondOutcome.message;
    EXPECT_EQ(secondOutcome.message, orders::numberIssuedText("R-7"));
    EXPECT_NE(secondOutcome.message.find("trägt schon ein ausgestellter Beleg"), std::string::npos);

    // One document, the first station's, with its bytes; the second order is as it was.
    WatchingPresenter presenter;
    StoreContext store(folder.path(), presenter);
    const auto documents = orders::issuedDocuments(store);
    ASSERT_TRUE(documents.has_value());
    ASSERT_EQ(documents->size(), 1u);
    EXPECT_EQ(documents->front().get(BEL::BAUFID), "F1");
    EXPECT_DOUBLE_EQ(documents->front().get(BEL::BBRUTTO), 119.0);
    const auto bytes = orders::issuedBytes(store, "R-7");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->pdf, "%PDF station F1");
    EXPECT_NE(storedOrder(store, "F1").get(AUF::FRECDRU), 0);
    EXPECT_EQ(storedOrder(store, "F2").get(AUF::FRECDRU), 0);
    EXPECT_TRUE(orders::standingInvoice(store, "F1").has_value());
    EXPECT_FALSE(orders::standingInvoice(store, "F2").has_value());
}

} // namespace
