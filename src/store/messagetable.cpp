#include "store/errormanager.h"

#include "base/text.h"
#include "store/usertext.h"

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
// English wording they have always had here and reach the user through the German
// translation (ErrorManager::setTranslator).
const Row kMessages[] = {
    {1,
     Notice,
     TESSARO_TEXT("Message", "Record Retrieval Error"),
     TESSARO_TEXT(
         "Message",
         "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to "
         "previous window.")},
    {2,
     Notice,
     TESSARO_TEXT("Message", "Access Denied"),
     TESSARO_TEXT("Message", "Could not get write access to %File so trying read-only.")},
    {3,
     Question,
     TESSARO_TEXT("Message", "Record Added"),
     TESSARO_TEXT("Message",
                  "This record has been added to the file. Do you want to add another record?")},
    {4,
     Notice,
     TESSARO_TEXT("Message", "Record Insert Error"),
     TESSARO_TEXT("Message",
                  "An error was experienced during the creation of a record. Error: %ErrorText.")},
    {5,
     Notice,
     TESSARO_TEXT("Message", "Add New Record?"),
     TESSARO_TEXT("Message", "Record match not found, do you wish to add a new one?")},
    {6,
     Notice,
     TESSARO_TEXT("Message", "Record Was Not Updated"),
     TESSARO_TEXT("Message", "This record was changed by another station.")},
    {7,
     Notice,
     TESSARO_TEXT("Message", "Record Was Not Updated"),
     TESSARO_TEXT(
         "Message",
         "This record was changed by another station. Those changes will now be displayed. Use the "
         "Ditto Button or Ctrl+' to recall your changes.")},
    {8, Question, "Änderungen verwerfen!", "Wollen Sie den Vorgang abbrechen?"},
    {9,
     Question,
     TESSARO_TEXT("Message", "Confirm Delete"),
     "Wollen Sie den markierten Satz wirklich löschen?"},
    {10,
     Fatal,
     TESSARO_TEXT("Message", "File Creation Error"),
     TESSARO_TEXT("Message", "Error: (%ErrorText) creating %File.")},
    {11,
     Notice,
     TESSARO_TEXT("Message", "Record was not deleted"),
     TESSARO_TEXT(
         "Message",
         "An error (%ErrorText) was experienced when deleting a record from the %File file.")},
    {12,
     Notice,
     TESSARO_TEXT("Message", "Invalid Request"),
     TESSARO_TEXT("Message", "This form cannot be used to delete a record")},
    {13,
     Notice,
     TESSARO_TEXT("Message", "Duplicate Key Error"),
     TESSARO_TEXT("Message", "Adding this record creates a duplicate entry for the key: %Message")},
    {14,
     Notice,
     TESSARO_TEXT("Message", "Field contents error"),
     TESSARO_TEXT("Message", "The value of %Field must be found in the %Message file.")},
    {15,
     Notice,
     TESSARO_TEXT("Message", "Value Error"),
     TESSARO_TEXT("Message", "The value of %Field must be in the list : %Message.")},
    {16,
     Notice,
     TESSARO_TEXT("Message", "Range Error"),
     TESSARO_TEXT("Message", "The value of %Field must be between %Message.")},
    {17,
     Notice,
     TESSARO_TEXT("Message", "Range Error"),
     TESSARO_TEXT("Message", "The value of %Field must be lower than %Message.")},
    {18,
     Notice,
     TESSARO_TEXT("Message", "Range Error"),
     TESSARO_TEXT("Message", "The value of %Field must be higher than %Message.")},
    {19,
     Notice,
     TESSARO_TEXT("Message", "File Load Error"),
     TESSARO_TEXT("Message", "%File File Load Error.  Error: %ErrorText.")},
    {20,
     Notice,
     TESSARO_TEXT("Message", "Invalid Request"),
     TESSARO_TEXT("Message", "This form cannot be used to insert a record")},
    {21,
     Notice,
     TESSARO_TEXT("Message", "Transaction cancelled"),
     TESSARO_TEXT("Message", "Error: (%ErrorText) attempting to frame the transaction on %File.")},
    {22,
     Notice,
     TESSARO_TEXT("Message", "No Records"),
     TESSARO_TEXT("Message", "There are no records available to process.")},
    {23,
     Fatal,
     TESSARO_TEXT("Message", "File Access Error"),
     TESSARO_TEXT("Message", "File (%File) could not be opened.  Error: %ErrorText.")},
    {24,
     Notice,
     TESSARO_TEXT("Message", "Procedure not defined"),
     TESSARO_TEXT("Message", "The Procedure %Message has not been defined.")},
    {25,
     Notice,
     TESSARO_TEXT("Message", "Record was not updated"),
     TESSARO_TEXT("Message",
                  "An error (%ErrorText) was experienced when making changes to the %File file.")},
    {26,
     Fatal,
     TESSARO_TEXT("Message", "Key was not built"),
     TESSARO_TEXT("Message", "Error: (%ErrorText) repairing key for %File.")},
    {27,
     Notice,
     TESSARO_TEXT("Message", "Invalid Key"),
     TESSARO_TEXT("Message", "%File key file is invalid. Key must be rebuilt.")},
    {28,
     Notice,
     TESSARO_TEXT("Message", "Record not read"),
     TESSARO_TEXT("Message",
                  "A record held by another station was encountered reading from the %File file.")},
    {30,
     Notice,
     TESSARO_TEXT("Message", "Referential Integrity Delete Error"),
     TESSARO_TEXT(
         "Message",
         "This record is referenced from the file %File. This record cannot be deleted while these "
         "references exist.")},
    {31,
     Notice,
     TESSARO_TEXT("Message", "Referential Integrity Update Error"),
     TESSARO_TEXT("Message",
                  "This record is referenced from the file %File. Linking field(s) have been "
                  "restricted from "
                  "change and have been reset to original values.")},
    {32,
     Question,
     TESSARO_TEXT("Message", "Auto Increment Error"),
     TESSARO_TEXT("Message",
                  "Attempts to automatically number this record have failed.  Error: %ErrorText. "
                  "Try Again?")},
    {33,
     Question,
     TESSARO_TEXT("Message", "Record Delete Error"),
     TESSARO_TEXT(
         "Message",
         "An error was experienced deleting this record. Do you want to try to delete it again?")},
    {34,
     Question,
     TESSARO_TEXT("Message", "Record Update Error"),
     TESSARO_TEXT(
         "Message",
         "An error was experienced changing this record. Do you want to try to save again?")},
    {35,
     Question,
     TESSARO_TEXT("Message", "Save Record"),
     "Sollen die Änderungen für diesen Satz gespeichert werden?"},
    {36,
     Question,
     TESSARO_TEXT("Message", "Beginning of File Error"),
     TESSARO_TEXT("Message",
                  "The beginning of the file was encountered. Do you want to start again from the "
                  "end of the "
                  "file?")},
    {37,
     Question,
     TESSARO_TEXT("Message", "End of File Error"),
     TESSARO_TEXT(
         "Message",
         "The end of the file was encountered. Do you want to start again from the beginning?")},
    {38,
     Notice,
     TESSARO_TEXT("Message", "Invalid Request"),
     TESSARO_TEXT("Message", "This form cannot be used to update a record")},
    {39,
     ProgramError,
     TESSARO_TEXT("Message", "File Usage Error"),
     TESSARO_TEXT("Message", "Attempt to use file (%File) before it was opened")},
    {40,
     Notice,
     TESSARO_TEXT("Message", "View Open Error"),
     TESSARO_TEXT("Message",
                  "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range "
                  "Limits ignored.")},
    {41,
     Notice,
     TESSARO_TEXT("Message", "Unsupported QBE Column"),
     TESSARO_TEXT(
         "Message",
         "The saved QBE column, %Field is not supported. It will be dropped from the query.")},
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
        {MessageId::FileSetAside,
         "Die Datei für „%File“ enthielt keine Sätze dieser Datei, sondern etwas anderes.|"
         "%Message|Eine neue, leere Datei wurde an ihrer Stelle angelegt.",
         "Datei beiseitegelegt",
         Notice},
        {MessageId::Refused, "%Message", "Nicht möglich", Notice},
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
