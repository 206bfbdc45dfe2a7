// The program as a whole: run as its own process in an empty folder it shows its frame,
// closes, writes its settings and ends with exit code 0; a fatal message ends it through the
// same tear-down.

#include "framefixture.h"

#include "store/inimanager.h"
#include "support/spoolholder.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <filesystem>

namespace {

using namespace Qt::Literals::StringLiterals;

std::vector<std::string> filesIn(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

std::string sectorCount(const std::filesystem::path &folder)
{
    IniManager ini;
    ini.Init((folder / "morva.INI").string());
    std::string count = ini.Fetch("__Dont_Touch_Me__", "Sectors", "missing");
    ini.Release();
    return count;
}

TEST(Program, RunsInAnEmptyFolderAndEndsWithExitCodeZero)
{
    ensureApplication();
    TempFolder folder;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"TESSARO_CLOSE_AFTER_START"_s, u"1"_s);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder.path().string()));
    process.start(QStringLiteral(TESSARO_EXECUTABLE), {});
    ASSERT_TRUE(process.waitForFinished(120000)) << process.errorString().toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().contains("painted"));
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"morva.INI"})
        << "no record file is created until a procedure opens it";
    EXPECT_EQ(sectorCount(folder.path()), "0");
}

TEST(Program, StartRemovesTheReportPagesOfAKilledRunAndKeepsThoseOfARunningOne)
{
    ensureApplication();
    TempFolder folder;
    TempFolder temporary;
    const QString scratch = QString::fromStdString(temporary.path().string());
    SpoolHolder running(scratch);
    SpoolHolder killed(scratch);
    ASSERT_FALSE(running.file().isEmpty());
    ASSERT_FALSE(killed.file().isEmpty());
    killed.kill();

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"TESSARO_CLOSE_AFTER_START"_s, u"1"_s);
    environment.insert(u"TMPDIR"_s, scratch);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder.path().string()));
    process.start(QStringLiteral(TESSARO_EXECUTABLE), {});
    ASSERT_TRUE(process.waitForFinished(120000)) << process.errorString().toStdString();
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(killed.file()));
    EXPECT_TRUE(QFile::exists(running.file()));
}

// A procedure that meets a fatal error: "File Creation Error" ends the program.
void failFatally(AppContext &app)
{
    app.store().errors().SetFileContext("papier");
    app.store().errors().Report(10);
}

// Runs the program until the fatal message's OK is pressed; the program ends the process.
void runUntilFatal(const std::filesystem::path &folder)
{
    ensureApplication();
    Program program(folder);
    program.app().procedures().add("Browsepapier", failFatally);
    program.start();
    program.app().start("Browsepapier");
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box && box->isVisible() && box->windowTitle() == u"File Creation Error"_s)
                box->button(QMessageBox::Ok)->click();
        }
    }
}

TEST(ProgramDeathTest, AFatalMessageEndsTheProgramThroughTheTearDown)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    TempFolder folder;
    EXPECT_EXIT(runUntilFatal(folder.path()), testing::ExitedWithCode(0), "");
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"morva.INI"});
    EXPECT_EQ(sectorCount(folder.path()), "0");
}

} // namespace
