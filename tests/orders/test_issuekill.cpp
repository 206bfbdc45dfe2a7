// The program killed in the middle of issuing an invoice: afterwards the invoice is fully
// issued (record, stored bytes and the order's printed-on date) or not at all.

#include "orders/core/issueddocuments.h"

#include "base/stddate.h"
#include "store/filehandle.h"
#include "support/orderfamily.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace orderfamily;

namespace {

enum class Kill { AfterRecord, AfterBytes, Never };

// The document file's handle of the child: it tells the parent where it is and waits there
// to be killed.
class StoppingHandle : public FileHandle
{
public:
    StoppingHandle(Engine &e, FileId f, RecordBuffer &b, Kill when, int signalFd)
        : FileHandle(e, f, b)
        , m_when(when)
        , m_fd(signalFd)
    {}
    int add() override
    {
        const int code = FileHandle::add();
        if (m_when == Kill::AfterRecord)
            stop();
        return code;
    }
    int putLarge(int slot, std::string_view bytes) override
    {
        const int code = FileHandle::putLarge(slot, bytes);
        if (m_when == Kill::AfterBytes)
            stop();
        return code;
    }

private:
    void stop()
    {
        (void)!write(m_fd, "x", 1);
        for (;;)
            pause();
    }

    Kill m_when;
    int m_fd;
};

TEST(IssueKilled, AnInvoiceIsIssuedWhollyOrNotAtAll)
{
    const struct
    {
        const char *name;
        Kill when;
        bool issued;
    } cases[] = {
        {"killed after the record", Kill::AfterRecord, false},
        {"killed after the bytes", Kill::AfterBytes, false},
        {"left to finish", Kill::Never, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        {
            StoreFixture t;
            customer(t, "K1", "Verlag Bauer");
            order(t, "F1", "K1", "A-1");
            invoiced(t, "F1", "R-1");
            std::filesystem::copy(t.folder.path(),
                                  folder.path(),
                                  std::filesystem::copy_options::recursive
                                      | std::filesystem::copy_options::overwrite_existing);
        }
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const orders::IssuedBytes bytes{std::string(300 * 1024, 'P'), {}};
        const pid_t child = fork();
        if (child == 0) {
            close(ready[0]);
            WatchingPresenter presenter;
            const Kill when = c.when;
            const int fd = ready[1];
            StoreContext store(
                folder.path(),
                presenter,
                [when, fd](Engine &e, FileId f, RecordBuffer &b) -> std::unique_ptr<FileHandle> {
                    if (f == FileId::beleg)
                        return std::make_unique<StoppingHandle>(e, f, b, when, fd);
                    return std::make_unique<FileHandle>(e, f, b);
                });
            RecordBuffer order(FileId::auftrag);
            order.set(AUF::FID, "F1");
            order.set(AUF::FRENR, "R-1");
            const RecordBuffer document = orders::invoiceDocument(
                order, rt::dateFromYmd(2026, 12, 7), rt::timeFromHms(9, 0, 0), 0, bytes);
            const auto result = orders::issueInvoice(store, "F1", document, bytes);
            (void)!write(fd, "x", 1);
            _exit(result.outcome == orders::IssueOutcome::Issued ? 0 : 2);
        }
        close(ready[1]);
        char byte = 0;
        EXPECT_EQ(read(ready[0], &byte, 1), 1);
        close(ready[0]);
        if (c.when != Kill::Never)
            kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (c.when == Kill::Never) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }

        WatchingPresenter presenter;
        StoreContext store(folder.path(), presenter);
        const auto document = orders::issuedDocument(store, "R-1");
        const auto stored = orders::issuedBytes(store, "R-1");
        EXPECT_EQ(document.has_value(), c.issued);
        EXPECT_EQ(stored.has_value(), c.issued);
        if (stored) {
            EXPECT_TRUE(stored->pdf == bytes.pdf);
        }
        FileManager &orders = store.fileManager(FileId::auftrag);
        ASSERT_EQ(orders.Open(), Level::Benign);
        orders.BUFFER().set(AUF::FID, "F1");
        ASSERT_EQ(orders.FetchQuiet(AUF::Keyfid), Level::Benign);
        EXPECT_EQ(orders.BUFFER().get(AUF::FRECDRU) != 0, c.issued);
        orders.Close();
    }
}

} // namespace
