#pragma once

#include <QString>

// The result code of one update check, as the service leaves it and the application acts on it.
namespace UpdateResult {
constexpr int NoProduct = 11;            // the reply names no product
constexpr int NewerVersion = 12;         // a newer version exists; the download address was written
constexpr int NewestInUse = 13;          // the installed version is the newest
constexpr int NotXml = 14;               // the reply is not XML (or too large or too deep to read)
constexpr int TransferFailed = -1048593; // every try of the transfer failed
constexpr int EmptyReply = -69905;       // the value a check starts from; stays when the reply is empty
constexpr int NotSetUp = -65537;         // the service has no product or no address to ask
constexpr int ClientFailed = -1048592;   // libcurl gave no handle
} // namespace UpdateResult

// The translated text shown for a result code.
QString resultMessage(int code);
