#pragma once

#include <string>

// Result codes of the record store. Every operation leaves one; 0 is success.
namespace Result {
inline constexpr int Ok = 0;
inline constexpr int FileNotFound = 2;
inline constexpr int AccessDenied = 5;
inline constexpr int NoRecord = 33;     // next/previous past an end; get found nothing
inline constexpr int DuplicateKey = 40; // add or put would duplicate a unique key
inline constexpr int RecordHeld = 43;   // held by another station
inline constexpr int KeysInvalid = 46;  // keys must be rebuilt
inline constexpr int AlreadyOpen = 52;
inline constexpr int NoTransaction = 80; // the file cannot take part in a transaction
inline constexpr int RecordChanged = 89; // changed by another station since it was read
inline constexpr int EngineError = 90;   // the engine's own code and message apply
} // namespace Result

// The short text of a code ("File Not Found"), placed into messages as %Error.
std::string resultText(int code);
