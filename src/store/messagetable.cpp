#include "store/errormanager.h"

#include "base/text.h"

#include <stdexcept>

namespace {

struct Row
{
    std::uint16_t id;
    std::uint8_t kind;
    const char *title;
    const char *text;
};

using namespace MessageKind;

// The system's messages. Ids 8, 9 and 35 speak German to the user; the others keep the
// English wording they have always had.
const Row kMessages[] = {
    {1,
     Notice,
     "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to "
     "previous window."},
    {2, Notice, "Access Denied", "Could not get write access to %File so trying read-only."},
    {3,
     Question,
     "Record Added",
     "This record has been added to the file. Do you want to add another record?"},
    {4,
     Notice,
     "Record Insert Error",
     "An error was experienced during the creation of a record. Error: %ErrorText."},
    {5, Notice, "Add New Record?", "Record match not found, do you wish to add a new one?"},
    {6, Notice, "Record Was Not Updated", "This record was changed by another station."},
    {7,
     Notice,
     "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+' to recall your changes."},
    {8, Question, "Änderungen verwerfen!", "Wollen Sie den Vorgang abbrechen?"},
    {9, Question, "Confirm Delete", "Wollen Sie den markierten Satz wirklich löschen?"},
    {10, Fatal, "File Creation Error", "Error: (%ErrorText) creating %File."},
    {11,
     Notice,
     "Record was not deleted",
     "An error (%ErrorText) was experienced when deleting a record from the %File file."},
    {12, Notice, "Invalid Request", "This form cannot be used to delete a record"},
    {13,
     Notice,
     "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key: %Message"},
    {14, Notice, "Field contents error", "The value of %Field must be found in the %Message file."},
    {15, Notice, "Value Error", "The value of %Field must be in the list : %Message."},
    {16, Notice, "Range Error", "The value of %Field must be between %Message."},
    {17, Notice, "Range Error", "The value of %Field must be lower than %Message."},
    {18, Notice, "Range Error", "The value of %Field must be higher than %Message."},
    {19, Notice, "File Load Error", "%File File Load Error.  Error: %ErrorText."},
    {20, Notice, "Invalid Request", "This form cannot be used to insert a record"},
    {21,
     Notice,
     "Transaction cancelled",
     "Error: (%ErrorText) attempting to frame the transaction on %File."},
    {22, Notice, "No Records", "There are no records available to process."},
    {23, Fatal, "File Access Error", "File (%File) could not be opened.  Error: %ErrorText."},
    {24, Notice, "Procedure not defined", "The Procedure %Message has not been defined."},
    {25,
     Notice,
     "Record was not updated",
     "An error (%ErrorText) was experienced when making changes to the %File file."},
    {26, Fatal, "Key was not built", "Error: (%ErrorText) repairing key for %File."},
    {27, Notice, "Invalid Key", "%File key file is invalid. Key must be rebuilt."},
    {28,
     Notice,
     "Record not read",
     "A record held by another station was encountered reading from the %File file."},
    {30,
     Notice,
     "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these "
     "references exist."},
    {31,
     Notice,
     "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from "
     "change and have been reset to original values."},
    {32,
     Question,
     "Auto Increment Error",
     "Attempts to automatically number this record have failed.  Error: %ErrorText. Try Again?"},
    {33,
     Question,
     "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {34,
     Question,
     "Record Update Error",
     "An error was experienced changing this record. Do you want to try to save again?"},
    {35, Question, "Save Record", "Sollen die Änderungen für diesen Satz gespeichert werden?"},
    {36,
     Question,
     "Beginning of File Error",
     "The beginning of the file was encountered. Do you want to start again from the end of the "
     "file?"},
    {37,
     Question,
     "End of File Error",
     "The end of the file was encountered. Do you want to start again from the beginning?"},
    {38, Notice, "Invalid Request", "This form cannot be used to update a record"},
    {39, ProgramError, "File Usage Error", "Attempt to use file (%File) before it was opened"},
    {40,
     Notice,
     "View Open Error",
     "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."},
    {41,
     Notice,
     "Unsupported QBE Column",
     "The saved QBE column, %Field is not supported. It will be dropped from the query."},
};

void appendByte(std::string &block, std::size_t value)
{
    block += static_cast<char>(static_cast<unsigned char>(value & 0xFF));
}

void appendText(std::string &block, const std::string &utf8)
{
    const std::string bytes = rt::toCp1252(utf8);
    if (bytes.size() > 255)
        throw std::length_error("message text longer than 255 bytes: " + utf8);
    appendByte(block, bytes.size());
    block += bytes;
}

} // namespace

std::string buildMessageBlock(const std::vector<MessageEntry> &entries)
{
    if (entries.size() > 0xFFFF)
        throw std::length_error("too many messages for one table");
    std::string block;
    appendByte(block, entries.size());
    appendByte(block, entries.size() >> 8);
    for (const MessageEntry &entry : entries) {
        appendByte(block, entry.id);
        appendByte(block, entry.id >> 8);
        appendByte(block, entry.fatality);
        appendText(block, entry.title);
        appendText(block, entry.message);
    }
    return block;
}

std::string storeMessages()
{
    static const std::string block = buildMessageBlock({
        {MessageId::RecordGone,
         "Dieser Satz wurde inzwischen an einem anderen Arbeitsplatz gelöscht (Datei "
         "„%File“).|Ihre Änderungen wurden nicht gespeichert.",
         "Satz nicht mehr vorhanden",
         Notice},
        {MessageId::ParentGone,
         "Der Satz, zu dem dieser Satz gehört, wurde inzwischen an einem anderen Arbeitsplatz "
         "gelöscht (Datei „%File“).|Dieser Satz wurde deshalb nicht gespeichert.",
         "Satz nicht gespeichert",
         Notice},
        {MessageId::ConfirmDeleteWith,
         "Wollen Sie den markierten Satz wirklich löschen?||%Message",
         "Confirm Delete",
         Question},
    });
    return block;
}

std::string storedMessageTable()
{
    static const std::string block = [] {
        std::vector<MessageEntry> entries;
        for (const Row &row : kMessages)
            entries.push_back({row.id, row.text, row.title, row.kind});
        return buildMessageBlock(entries);
    }();
    return block;
}
