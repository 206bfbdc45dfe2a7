#pragma once

#include <QStringList>

#include <filesystem>
#include <optional>

// tessaro --e-invoice ORDER-NUMBER --out FILE [--format zugferd|xrechnung]
//
// Writes one order's e-invoice from the data folder without opening a window: the format
// the customer asked for unless one is given. What keeps it from being written goes to the
// error output in German.
namespace shell {

// Whether the arguments (without the program's name) ask for an e-invoice.
bool isEInvoiceCommand(const QStringList &arguments);

// Runs the command in `folder`: 0 when the file was written, 1 when the order or its data
// did not allow it, 2 for arguments the command does not understand.
int runEInvoiceCommand(const QStringList &arguments, const std::filesystem::path &folder);

} // namespace shell
