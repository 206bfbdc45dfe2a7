// Moving a data set: the real program's --copy-data from the sample folder to the server and
// back to another folder, record for record; a target with data refused unless asked; and the
// menu's "Daten kopieren …" doing the same from the running program.

#include "framefixture.h"

#include "shell/copycommand.h"
#include "shell/copydatadialog.h"
#include "store/enginefactory.h"
#include "support/pgserver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    Outcome result;
    if (!process.waitForFinished(600000)) {
        result.err = process.errorString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

Outcome copyData(const std::string &from, const std::string &to, bool overwrite = false)
{
    QStringList arguments{
        u"--copy-data"_s, QString::fromStdString(from), QString::fromStdString(to)};
    if (overwrite)
        arguments << u"--overwrite"_s;
    return run(QStringLiteral(TESSARO_EXECUTABLE), arguments);
}

// Every record of every file in insertion order, as the engine at `place` holds them.
std::vector<std::vector<std::string>> contents(const DataLocation &place)
{
    const auto engine = makeEngine(place);
    Records records;
    std::vector<std::vector<std::string>> files;
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        std::vector<std::string> rows;
        const auto file = engine->recordFile(id, records[id]);
        if (file->open(OpenMode::ReadOnly | OpenMode::DenyNone) == Result::Ok
            && file->setStoredOrder() == Result::Ok) {
            while (file->next() == Result::Ok)
                rows.emplace_back(file->buffer().data(), file->buffer().size());
        }
        files.push_back(std::move(rows));
    }
    return files;
}

DataLocation serverPlace(const std::string &connection)
{
    DataLocation location;
    location.kind = DataLocation::Kind::Server;
    location.server = connection;
    return location;
}

TEST(CopyCommand, ACopyOntoItsOwnSourceIsTold)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path root = dir.path().toStdString();
    std::filesystem::create_directories(root / "daten");
    std::filesystem::create_directories(root / "andere");
    std::error_code failed;
    std::filesystem::create_directory_symlink(root / "daten", root / "verweis", failed);
    ASSERT_FALSE(failed) << failed.message();
    const auto folder = [](const std::filesystem::path &path) {
        return DataLocation{path};
    };
    const auto server = [](const std::string &text) {
        DataLocation location;
        location.kind = DataLocation::Kind::Server;
        location.server = text;
        return location;
    };
    const struct
    {
        const char *name;
        DataLocation a, b;
        bool same;
    } cases[] = {
        {"the folder itself", folder(root / "daten"), folder(root / "daten"), true},
        {"by a detour", folder(root / "daten"), folder(root / "andere" / ".." / "daten"), true},
        {"by a link", folder(root / "daten"), folder(root / "verweis"), true},
        {"another folder", folder(root / "daten"), folder(root / "andere"), false},
        {"the same server", server("host=a dbname=d"), server("host=a dbname=d"), true},
        {"another database", server("host=a dbname=d"), server("host=a dbname=e"), false},
        {"a folder is no server", folder(root / "daten"), server("host=a dbname=d"), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(samePlace(c.a, c.b), c.same);
        EXPECT_EQ(samePlace(c.b, c.a), c.same);
    }
}

TEST(CopyCommand, FolderToServerAndBackLeavesEveryRecordAsItWas)
{
    TempFolder folder;
    const std::filesystem::path sample = folder.path() / "muster";
    const std::filesystem::path back = folder.path() / "zurueck";
    const Outcome made = run(QStringLiteral(TESSARO_SAMPLEDATA_PROGRAM),
                             {QString::fromStdString(sample.string())});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const std::string server = TestServer::instance().newPlace();

    const Outcome up = copyData(sample.string(), server);
    ASSERT_EQ(up.exitCode, 0) << up.err.toStdString();
    std::filesystem::create_directories(back);
    const Outcome down = copyData(server, back.string());
    ASSERT_EQ(down.exitCode, 0) << down.err.toStdString();
    // Both ways the same counts and checksums, file by file.
    EXPECT_EQ(up.out, down.out);
    EXPECT_TRUE(up.out.contains(u"KUNDE: "_s)) << up.out.toStdString();

    const auto original = contents(DataLocation{sample});
    std::size_t records = 0;
    for (const auto &file : original)
        records += file.size();
    EXPECT_GT(records, 40u) << "the sample data has customers, orders and lines";
    EXPECT_EQ(contents(serverPlace(server)), original);
    EXPECT_EQ(contents(DataLocation{back}), original);

    // A target that holds data is refused, and stays as it was, unless asked.
    const Outcome refused = copyData(back.string(), server);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(u"Das Ziel enthält schon Daten"_s))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(u"--overwrite"_s));
    EXPECT_EQ(contents(serverPlace(server)), original);
    const Outcome again = copyData(back.string(), server, true);
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(contents(serverPlace(server)), original);
    // Wrong calls say how it is called.
    EXPECT_EQ(copyData(back.string(), back.string()).exitCode, 2);
    const Outcome usage = run(QStringLiteral(TESSARO_EXECUTABLE), {u"--copy-data"_s, u"x"_s});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.err.contains(u"Aufruf"_s));
}

// The menu's entry copies what the running program works with into another folder.
TEST(CopyMenu, CopiesTheDataOfTheRunningProgram)
{
    FrameFixture f;
    f.start();
    Records &r = f.app().store().records();
    FileManager &kunde = f.app().store().fileManager(FileId::kunde);
    ASSERT_EQ(kunde.Open(), Level::Benign);
    for (const char *name : {"Druckerei Abel", "Verlag Bauer"}) {
        ASSERT_EQ(kunde.PrepareNewRecord(), Level::Benign);
        r.set(KUN::KNAME, std::string(name));
        ASSERT_EQ(kunde.Insert(), Level::Benign);
    }
    kunde.Close();
    TempFolder target;
    const auto copyTo = [&](bool overwrite) {
        EXPECT_TRUE(f.choose(u"Daten kopieren …"_s));
        CopyDataDialog *dialog = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *d = qobject_cast<CopyDataDialog *>(w); d && d->isVisible())
                dialog = d;
        }
        if (!dialog)
            return std::optional<FrameFixture::Message>();
        dialog->targetEdit()->setText(QString::fromStdString(target.path().string()));
        dialog->overwriteBox()->setChecked(overwrite);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        f.settle();
        return f.answer(QMessageBox::Ok);
    };
    const auto copied = copyTo(false);
    ASSERT_TRUE(copied);
    EXPECT_TRUE(copied->text.startsWith(u"Die Daten sind kopiert."_s))
        << copied->text.toStdString();
    EXPECT_EQ(contents(DataLocation{target.path()}), contents(DataLocation{f.folder.path()}));
    EXPECT_EQ(contents(DataLocation{target.path()})[static_cast<std::size_t>(FileId::kunde)].size(),
              2u);
    const auto refused = copyTo(false);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->text.contains(u"Das Ziel enthält schon Daten"_s))
        << refused->text.toStdString();
    const auto overwritten = copyTo(true);
    ASSERT_TRUE(overwritten);
    EXPECT_TRUE(overwritten->text.startsWith(u"Die Daten sind kopiert."_s));
}

} // namespace
