#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace vantor::core {

// One message of the listing: the number the server gave it in the session it was listed in, which
// Retrieve and Delete use, so a message whose header failed to arrive shifts no other row.
struct ManagerRow
{
    int messageNumber = 0;
    std::string subject;
    std::string from;
    // "dd/mm/yyyy hh:mm:ss" as the result lists show it.
    std::string date;
    std::int64_t size = 0;
};

// A message loaded whole, ready for the labels and the memo (UTF-8).
struct ManagerMessage
{
    std::string from;
    std::string recipients;
    std::string subject;
    int priority = 2;
    // The first MemoCharacters characters of the body.
    std::string body;
};

// What the EMail Manager's session asks of the page that shows it. The window's page implements it; tests
// record it.
class ManagerView
{
public:
    virtual ~ManagerView() = default;

    // Hourglass cursor while a command works.
    virtual void setBusy(bool busy) = 0;
    virtual void setStatus(const QString& text) = 0;
    // Connect enabled when not connected; Disconnect, Retrieve Message and Delete Selected when connected.
    virtual void setConnected(bool connected) = 0;
    // Empties the list, the memo and the labels of the loaded message.
    virtual void clearView() = 0;
    virtual void addRow(const ManagerRow& row) = 0;
    // The header loop's progress: current of total headers done; (0, 0) when none runs.
    virtual void setProgress(int current, int total) = 0;
};

} // namespace vantor::core
