#include "store/errormanager.h"
#include "store/procthread.h"
#include "support/scriptedpresenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

// A manager over the system's table, answered from a script.
struct Fixture
{
    StorageStatus status;
    ScriptedPresenter presenter;
    ErrorManager manager{status, presenter};

    Fixture() { manager.Init(); }

    // Loads extra entries in the stored form, after the system's own.
    void load(const std::vector<MessageEntry> &entries)
    {
        manager.LoadMessages(buildMessageBlock(entries));
    }
};

// What the user sees for each message id with file KUNDE, field KUN:KNAME, message text
// "A, B oder C" and a duplicate-key failure (40) as the last storage result.
struct Expected
{
    enum Kind { Notice, Question, Fatal };

    int id;
    Kind kind;
    const char *title;
    const char *text;
};

using Shown = Expected;

const Expected kExpected[] = {
    {1,
     Shown::Notice,
     "Record Retrieval Error",
     "Error: (Creates Duplicate Key (40)) attempting to access a record from the KUNDE file.  "
     "Returning to previous window."},
    {2, Shown::Notice, "Access Denied", "Could not get write access to KUNDE so trying read-only."},
    {3,
     Shown::Question,
     "Record Added",
     "This record has been added to the file. Do you want to add another record?"},
    {4,
     Shown::Notice,
     "Record Insert Error",
     "An error was experienced during the creation of a record. Error: Creates Duplicate Key "
     "(40)."},
    {5, Shown::Notice, "Add New Record?", "Record match not found, do you wish to add a new one?"},
    {6, Shown::Notice, "Record Was Not Updated", "This record was changed by another station."},
    {7,
     Shown::Notice,
     "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+' to recall your changes."},
    {8, Shown::Question, "Änderungen verwerfen!", "Wollen Sie den Vorgang abbrechen?"},
    {9, Shown::Question, "Confirm Delete", "Wollen Sie den markierten Satz wirklich löschen?"},
    {10,
     Shown::Fatal,
     "File Creation Error",
     "Error: (Creates Duplicate Key (40)) creating KUNDE."},
    {11,
     Shown::Notice,
     "Record was not deleted",
     "An error (Creates Duplicate Key (40)) was experienced when deleting a record from the KUNDE "
     "file."},
    {12, Shown::Notice, "Invalid Request", "This form cannot be used to delete a record"},
    {13,
     Shown::Notice,
     "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key: A, B oder C"},
    {14,
     Shown::Notice,
     "Field contents error",
     "The value of KUN:KNAME must be found in the A, B oder C file."},
    {15, Shown::Notice, "Value Error", "The value of KUN:KNAME must be in the list : A, B oder C."},
    {16, Shown::Notice, "Range Error", "The value of KUN:KNAME must be between A, B oder C."},
    {17, Shown::Notice, "Range Error", "The value of KUN:KNAME must be lower than A, B oder C."},
    {18, Shown::Notice, "Range Error", "The value of KUN:KNAME must be higher than A, B oder C."},
    {19,
     Shown::Notice,
     "File Load Error",
     "KUNDE File Load Error.  Error: Creates Duplicate Key (40)."},
    {20, Shown::Notice, "Invalid Request", "This form cannot be used to insert a record"},
    {21,
     Shown::Notice,
     "Transaction cancelled",
     "Error: (Creates Duplicate Key (40)) attempting to frame the transaction on KUNDE."},
    {22, Shown::Notice, "No Records", "There are no records available to process."},
    {23,
     Shown::Fatal,
     "File Access Error",
     "File (KUNDE) could not be opened.  Error: Creates Duplicate Key (40)."},
    {24, Shown::Notice, "Procedure not defined", "The Procedure A, B oder C has not been defined."},
    {25,
     Shown::Notice,
     "Record was not updated",
     "An error (Creates Duplicate Key (40)) was experienced when making changes to the KUNDE "
     "file."},
    {26,
     Shown::Fatal,
     "Key was not built",
     "Error: (Creates Duplicate Key (40)) repairing key for KUNDE."},
    {27, Shown::Notice, "Invalid Key", "KUNDE key file is invalid. Key must be rebuilt."},
    {28,
     Shown::Notice,
     "Record not read",
     "A record held by another station was encountered reading from the KUNDE file."},
    {30,
     Shown::Notice,
     "Referential Integrity Delete Error",
     "This record is referenced from the file KUNDE. This record cannot be deleted while these "
     "references exist."},
    {31,
     Shown::Notice,
     "Referential Integrity Update Error",
     "This record is referenced from the file KUNDE. Linking field(s) have been restricted from "
     "change and have been reset to original values."},
    {32,
     Shown::Question,
     "Auto Increment Error",
     "Attempts to automatically number this record have failed.  Error: Creates Duplicate Key "
     "(40). Try Again?"},
    {33,
     Shown::Question,
     "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {34,
     Shown::Question,
     "Record Update Error",
     "An error was experienced changing this record. Do you want to try to save again?"},
    {35,
     Shown::Question,
     "Save Record",
     "Sollen die Änderungen für diesen Satz gespeichert werden?"},
    {36,
     Shown::Question,
     "Beginning of File Error",
     "The beginning of the file was encountered. Do you want to start again from the end of the "
     "file?"},
    {37,
     Shown::Question,
     "End of File Error",
     "The end of the file was encountered. Do you want to start again from the beginning?"},
    {38, Shown::Notice, "Invalid Request", "This form cannot be used to update a record"},
    {39, Shown::Fatal, "File Usage Error", "Attempt to use file (KUNDE) before it was opened"},
    {40,
     Shown::Notice,
     "View Open Error",
     "Error: (Creates Duplicate Key (40)) attempting to open the current VIEW. Filter and Range "
     "Limits ignored."},
    {41,
     Shown::Notice,
     "Unsupported QBE Column",
     "The saved QBE column, KUN:KNAME is not supported. It will be dropped from the query."},
};

TEST(ErrorManager, EveryMessageIsShownAsTheTableSays)
{
    ASSERT_EQ(std::size(kExpected), 40u);
    for (const Expected &row : kExpected) {
        SCOPED_TRACE(row.id);
        Fixture f;
        f.manager.SetFileContext("KUNDE   ");
        f.manager.SetFieldContext("KUN:KNAME ");
        f.status.code = 40;
        f.presenter.answer(MessageButton::Yes);

        int level = -1;
        bool ended = false;
        try {
            level = f.manager.ReportText(row.id, "A, B oder C");
        } catch (const ProgramEnded &) {
            ended = true;
        }

        ASSERT_EQ(f.presenter.shown.size(), 1u);
        const ScriptedPresenter::Shown &shown = f.presenter.shown.front();
        EXPECT_EQ(shown.title, row.title);
        ASSERT_NE(f.manager.currentEntry(), nullptr);
        EXPECT_EQ(f.manager.currentEntry()->title, row.title);
        switch (row.kind) {
        case Expected::Notice:
            EXPECT_EQ(shown.text, row.text);
            EXPECT_EQ(shown.icon, MessageIcon::Information);
            EXPECT_EQ(shown.buttons, MessageButton::Ok);
            EXPECT_EQ(level, Level::Notify);
            EXPECT_FALSE(ended);
            break;
        case Expected::Question:
            EXPECT_EQ(shown.text, row.text);
            EXPECT_EQ(shown.icon, MessageIcon::Warning);
            EXPECT_EQ(shown.buttons, MessageButton::Yes | MessageButton::No);
            EXPECT_EQ(shown.defaultButton, MessageButton::Yes);
            EXPECT_EQ(level, Level::Benign);
            EXPECT_FALSE(ended);
            break;
        case Expected::Fatal:
            EXPECT_EQ(shown.text, std::string(row.text) + "  Press OK to end this application");
            EXPECT_EQ(shown.icon, MessageIcon::Information);
            EXPECT_EQ(shown.buttons, MessageButton::Ok);
            EXPECT_TRUE(ended);
            EXPECT_EQ(f.presenter.endReason, row.title);
            break;
        }
    }
}

TEST(ErrorManager, ErrorTextShowsTheEngineOwnMessageOnlyForCode90)
{
    struct Case
    {
        const char *name;
        StorageStatus status;
        const char *expected;
    };
    const Case cases[] = {
        {"engine error",
         {90, "11  ", "database disk image is malformed  "},
         "Error: (database disk image is malformed (11)) attempting to access a record from the "
         "PAPIER file.  Returning to previous window."},
        {"file not found",
         {2, "14", "unable to open database file"},
         "Error: (File Not Found (2)) attempting to access a record from the PAPIER file.  "
         "Returning to previous window."},
        {"unknown code",
         {77, "", ""},
         "Error: (Unknown Error (77)) attempting to access a record from the PAPIER file.  "
         "Returning to previous window."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.status = c.status;
        f.manager.SetFileContext("PAPIER");
        EXPECT_EQ(f.manager.Report(1), Level::Notify);
        ASSERT_EQ(f.presenter.shown.size(), 1u);
        EXPECT_EQ(f.presenter.shown[0].text, c.expected);
    }
}

TEST(ErrorManager, PlaceholdersAreFoundInAnyCaseAndEveryOccurrence)
{
    struct Case
    {
        const char *text;
        const char *expected;
    };
    const Case cases[] = {
        {"%errortext", "Record Not Available (33)"},
        {"[%ERRORTEXT] [%ErrorText]", "[Record Not Available (33)] [Record Not Available (33)]"},
        {"%ErrorCode|%Error|%ErrorText", "33|Record Not Available|Record Not Available (33)"},
        {"%file/%FIELD/%message", "AUFTRAG/AUF:FNR/zu lang"},
        {"%Procedure:%File", "Updateauftrag:AUFTRAG"},
        {"%Message %Message", "zu lang zu lang"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        Fixture f;
        f.load({{500, c.text, "Test", MessageKind::Notice}});
        f.status = {33, "", ""};
        f.manager.SetFileContext("AUFTRAG");
        f.manager.SetFieldContext("AUF:FNR");
        f.manager.SetProcedure("Updateauftrag");
        EXPECT_EQ(f.manager.ReportText(500, "zu lang"), Level::Notify);
        ASSERT_EQ(f.presenter.shown.size(), 1u);
        EXPECT_EQ(f.presenter.shown[0].text, c.expected);
    }
}

TEST(ErrorManager, FileErrorPlaceholdersWinOverFile)
{
    Fixture f;
    f.load({{500, "%FileErrorCode|%FileError|%File", "Test", MessageKind::Notice}});
    f.status = {90, "11", "database disk image is malformed"};
    f.manager.SetFileContext("AUFTRAG");
    f.manager.Report(500);
    ASSERT_EQ(f.presenter.shown.size(), 1u);
    EXPECT_EQ(f.presenter.shown[0].text, "11|database disk image is malformed|AUFTRAG");
}

TEST(ErrorManager, AValueHoldingItsOwnPlaceholderIsInsertedOnce)
{
    Fixture f;
    f.load({{500, "<%Message>", "Test", MessageKind::Benign}});
    f.manager.ReportText(500, "%Message");
    EXPECT_EQ(f.manager.FormatMessage(), "<%Message>");
}

TEST(ErrorManager, PreviousIsTheNearestEarlierEntryOfTheSameId)
{
    Fixture f;
    f.load({{12, "Hinweis: %Previous", "Ungültig", MessageKind::Notice},
            {12, "%previous (zweimal überladen)", "Ungültig", MessageKind::Notice},
            {600, "Vorher:%Previous.", "Neu", MessageKind::Notice},
            {22, "Leer: %PREVIOUS", "Keine Sätze", MessageKind::Notice}});

    f.manager.HandleError(12);
    f.manager.HandleError(600);
    f.manager.HandleError(22);
    ASSERT_EQ(f.presenter.shown.size(), 3u);
    // The earlier text comes in as it is stored: its own placeholders are not filled.
    EXPECT_EQ(f.presenter.shown[0].text, "Hinweis: %Previous (zweimal überladen)");
    EXPECT_EQ(f.presenter.shown[1].text, "Vorher:.");
    EXPECT_EQ(f.presenter.shown[2].text, "Leer: There are no records available to process.");
}

TEST(ErrorManager, AnEntryLoadedLaterOverridesAnEarlierOne)
{
    Fixture f;
    f.load({{6, "Der Satz wurde geändert.", "Satz geändert", MessageKind::Question}});
    f.presenter.answer(MessageButton::No);
    EXPECT_EQ(f.manager.HandleError(6), Level::Cancel);
    ASSERT_EQ(f.presenter.shown.size(), 1u);
    EXPECT_EQ(f.presenter.shown[0].title, "Satz geändert");
    EXPECT_EQ(f.presenter.shown[0].text, "Der Satz wurde geändert.");
    EXPECT_EQ(f.presenter.shown[0].icon, MessageIcon::Warning);
}

TEST(ErrorManager, TheWorkingTextIsCutAt2000Characters)
{
    // A stored text holds at most 255 bytes, so only filled-in values can make it longer.
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "%Message";
    Fixture f;
    f.load({{700, text, "Lang", MessageKind::Benign}});

    std::string umlauts;
    for (int i = 0; i < 255; ++i)
        umlauts += "ä";
    f.manager.ReportText(700, umlauts);
    std::string expected;
    for (int i = 0; i < 2000; ++i)
        expected += "ä";
    EXPECT_EQ(f.manager.FormatMessage(), expected);

    f.manager.ReportText(700, "kurz");
    EXPECT_EQ(f.manager.FormatMessage(), "kurzkurzkurzkurzkurzkurzkurzkurzkurzkurz");
    EXPECT_TRUE(f.presenter.shown.empty());
}

TEST(ErrorManager, QuestionsGiveZeroForYesAndFourForNo)
{
    Fixture f;
    f.presenter.answer(MessageButton::Yes);
    f.presenter.answer(MessageButton::No);
    EXPECT_EQ(f.manager.HandleError(8), Level::Benign);
    EXPECT_EQ(f.manager.HandleError(8), Level::Cancel);
    ASSERT_EQ(f.presenter.shown.size(), 2u);
    EXPECT_EQ(f.presenter.shown[0].title, "Änderungen verwerfen!");
    EXPECT_EQ(f.presenter.shown[0].text, "Wollen Sie den Vorgang abbrechen?");
}

TEST(ErrorManager, AskShowsTheCallersButtonsAndReturnsTheOnePressed)
{
    Fixture f;
    const int buttons = MessageButton::Yes | MessageButton::No | MessageButton::Cancel;
    f.presenter.answer(MessageButton::Cancel);
    EXPECT_EQ(f.manager.Ask(35, buttons, MessageButton::Cancel), MessageButton::Cancel);
    ASSERT_EQ(f.presenter.shown.size(), 1u);
    const ScriptedPresenter::Shown &shown = f.presenter.shown[0];
    EXPECT_EQ(shown.title, "Save Record");
    EXPECT_EQ(shown.text, "Sollen die Änderungen für diesen Satz gespeichert werden?");
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
    EXPECT_EQ(shown.buttons, buttons);
    EXPECT_EQ(shown.defaultButton, MessageButton::Cancel);
}

TEST(ErrorManager, AFatalMessageEndsTheProgramAfterItsOkAndNothingAfterRuns)
{
    Fixture f;
    f.status = {2, "", ""};
    f.manager.SetFileContext("KALDRUCK");
    bool ranAfter = false;
    const auto procedure = [&] {
        f.manager.Report(23);
        ranAfter = true;
    };
    EXPECT_THROW(procedure(), ProgramEnded);
    EXPECT_FALSE(ranAfter);
    ASSERT_EQ(f.presenter.shown.size(), 1u);
    EXPECT_EQ(f.presenter.shown[0].text,
              "File (KALDRUCK) could not be opened.  Error: File Not Found (2).  Press OK to end "
              "this application");
    EXPECT_EQ(f.presenter.endReason, "File Access Error");
}

TEST(ErrorManager, ProcedureNamesAreKeptPerThread)
{
    Fixture f;
    f.load({{800, "In %Procedure", "Test", MessageKind::Benign}});
    const auto procedureOn = [&](std::uint32_t thread) {
        ProcThread::setCurrent(thread);
        f.manager.HandleError(800);
        return f.manager.FormatMessage();
    };

    ProcThread::setCurrent(1);
    f.manager.SetProcedure("Main   ");
    ProcThread::setCurrent(2);
    f.manager.SetProcedure("Browsekunde");
    EXPECT_EQ(procedureOn(1), "In Main");
    EXPECT_EQ(procedureOn(2), "In Browsekunde");
    EXPECT_EQ(procedureOn(3), "In ");

    // A form called from the list runs on the list's thread and ends before it.
    ProcThread::setCurrent(2);
    f.manager.SetProcedure("Updatekunde");
    EXPECT_EQ(procedureOn(2), "In Updatekunde");
    ProcThread::setCurrent(1);
    f.manager.ClearProcedure(); // ends Main, not the form on thread 2
    EXPECT_EQ(procedureOn(2), "In Updatekunde");
    EXPECT_EQ(procedureOn(1), "In ");
    ProcThread::setCurrent(2);
    f.manager.ClearProcedure();
    EXPECT_EQ(procedureOn(2), "In Browsekunde");
    f.manager.ClearProcedure();
    f.manager.ClearProcedure(); // nothing left: no effect
    EXPECT_EQ(procedureOn(2), "In ");
    ProcThread::setCurrent(1);
}

TEST(ErrorManager, KindsDispatchToTheirSlots)
{
    // Program errors and unknown kinds reach OnFatal through OnProgramError, so overriding
    // that one slot catches both.
    struct Lenient : ErrorManager
    {
        using ErrorManager::ErrorManager;
        int programErrors = 0;
        int OnProgramError() override
        {
            ++programErrors;
            return Level::Fatal;
        }
    };
    struct Case
    {
        std::uint8_t kind;
        int level;
        int programErrors;
        int shown;
    };
    const Case cases[] = {
        {MessageKind::Benign, Level::Benign, 0, 0},
        {MessageKind::Question, Level::Benign, 0, 1},
        {MessageKind::ProgramError, Level::Fatal, 1, 0},
        {MessageKind::Query, Level::Benign, 0, 1},
        {MessageKind::Notice, Level::Notify, 0, 1},
        {6, Level::Fatal, 1, 0},
        {255, Level::Fatal, 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.kind));
        StorageStatus status;
        ScriptedPresenter presenter;
        Lenient manager(status, presenter);
        manager.Init();
        manager.LoadMessages(buildMessageBlock({{900, "Text", "Titel", c.kind}}));
        EXPECT_EQ(manager.HandleError(900), c.level);
        EXPECT_EQ(manager.programErrors, c.programErrors);
        EXPECT_EQ(presenter.shown.size(), std::size_t(c.shown));
    }

    StorageStatus status;
    ScriptedPresenter presenter;
    Lenient manager(status, presenter);
    manager.Init();
    EXPECT_THROW(manager.HandleError(10), ProgramEnded); // fatal is not a program error
    EXPECT_EQ(manager.programErrors, 0);
}

TEST(ErrorManager, UnlistedIdShowsNothingAndIsNoSuccess)
{
    Fixture f;
    EXPECT_EQ(f.manager.HandleError(29), Level::Fatal);
    EXPECT_EQ(f.manager.currentEntry(), nullptr);
    EXPECT_EQ(f.manager.FormatMessage(), "");
    EXPECT_EQ(f.manager.Ask(29, MessageButton::Ok, MessageButton::Ok), MessageButton::Ok);
    EXPECT_TRUE(f.presenter.shown.empty());
}

TEST(ErrorManager, ContextIsClippedAndCutAt255Characters)
{
    Fixture f;
    const std::string longName(300, 'x');
    f.manager.SetFileContext(longName);
    f.manager.SetFieldContext("KUN:KNAME    ");
    f.status = {90, std::string(300, '7'), "disk I/O error   "};
    f.manager.ReportText(500, longName + "  ");
    EXPECT_EQ(f.manager.fileName(), std::string(255, 'x'));
    EXPECT_EQ(f.manager.fieldName(), "KUN:KNAME");
    EXPECT_EQ(f.manager.messageText(), std::string(255, 'x'));
    EXPECT_EQ(f.manager.saveErrorCode(), 90);
    EXPECT_EQ(f.manager.saveError(), "File System Error");
}

TEST(MessageTable, StoredBlockHasTheDocumentedByteLayout)
{
    const std::string block
        = buildMessageBlock({{0x0102, "ü", "Ä", MessageKind::Notice}, {7, "", "", 0}});
    EXPECT_EQ(block,
              std::string("\x02\x00"
                          "\x02\x01\x05\x01\xC4\x01\xFC"
                          "\x07\x00\x00\x00\x00",
                          14));
    EXPECT_THROW(buildMessageBlock({{1, std::string(256, 'x'), "T", 5}}), std::length_error);
}

TEST(MessageTable, StoredTableRoundTripsWithUmlauts)
{
    const std::string block = storedMessageTable();
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(block[0]), 40);
    EXPECT_EQ(static_cast<unsigned char>(block[1]), 0);
    // Windows-1252 in the block: one byte per umlaut.
    EXPECT_NE(block.find("\xC4nderungen verwerfen!"), std::string::npos);
    EXPECT_NE(block.find("wirklich l\xF6schen?"), std::string::npos);
    EXPECT_NE(block.find("\xC4nderungen f\xFCr diesen Satz"), std::string::npos);

    Fixture f;
    ASSERT_EQ(f.manager.entries().size(), 40u);
    EXPECT_EQ(buildMessageBlock(f.manager.entries()), block);
    for (const Expected &row : kExpected) {
        SCOPED_TRACE(row.id);
        const auto &entries = f.manager.entries();
        const auto it = std::find_if(
            entries.begin(), entries.end(), [&](const MessageEntry &e) { return e.id == row.id; });
        ASSERT_NE(it, entries.end());
        EXPECT_EQ(it->title, row.title);
    }
}

TEST(MessageTable, TruncatedBlockLoadsItsCompleteEntriesOnly)
{
    const std::string block = buildMessageBlock(
        {{901, "eins", "A", MessageKind::Notice}, {902, "zwei", "B", MessageKind::Notice}});
    for (std::size_t cut = 0; cut < block.size(); ++cut) {
        SCOPED_TRACE(cut);
        StorageStatus status;
        ScriptedPresenter presenter;
        ErrorManager manager(status, presenter);
        manager.LoadMessages(std::string_view(block).substr(0, cut));
        const std::size_t complete = cut < 2 + 10 ? 0 : 1;
        ASSERT_EQ(manager.entries().size(), complete);
        if (complete) {
            EXPECT_EQ(manager.entries()[0].message, "eins");
        }
    }
}

} // namespace
