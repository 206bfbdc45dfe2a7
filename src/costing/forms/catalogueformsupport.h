#pragma once

#include "store/messagepresenter.h"

#include <QString>

#include <string>
#include <string_view>

class AppContext;
class FormBuilder;
class QLabel;

// What the line and catalogue forms share: new internal ids, the blank test of their checks,
// their message boxes and the headings and notes they show between the fields.
namespace costingforms {

// The letter, today's day number and the time of day as digits, cut to 14 characters; never
// handed out twice in this process, so two records made in one hundredth keep apart.
std::string newInternalId(AppContext &app, std::string_view letter);

// Nothing but blanks: what the checks call an empty text.
bool isBlank(std::string_view text);

// A check's message with an OK button only, after the error beep when `beep`.
void showCheckMessage(MessagePresenter &presenter,
                      const std::string &title,
                      const std::string &text,
                      MessageIcon icon,
                      bool beep);

// The page name above the fields and a note line between them.
QLabel *addHeading(FormBuilder &form, const QString &text);
QLabel *addNote(FormBuilder &form, const QString &text);

// The title of the catalogue forms' messages, with its leading blank.
inline constexpr const char *kCatalogueTitle = " U u p p s";

} // namespace costingforms
