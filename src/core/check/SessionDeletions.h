#pragma once

#include "records/ResultRow.h"

#include <vector>

namespace vantor::core {

class CheckLists;
struct CheckServices;

// The deletions of the running POP3 session, held until the server confirms them. The server removes the
// messages only when it acknowledges QUIT; only then do their rows join the deleted list and backup.bak.
// A session that ends any other way kept every message, and its rows are dropped.
class SessionDeletions
{
public:
    // A new session: nothing pending, nothing kept.
    void begin();
    // The server accepted DELE for the message of this row.
    void add(records::ResultRow row);
    // A condemned message left on the server because its backup could not be made.
    void keepForBackup() { ++m_keptForBackup; }
    int keptForBackup() const { return m_keptForBackup; }

    // QUIT was acknowledged: the rows join the deleted list and are appended to backup.bak.
    void commit(const CheckServices& services, CheckLists& lists);
    // The session ended without QUIT: the server kept the messages.
    void discard() { m_pending.clear(); }

private:
    std::vector<records::ResultRow> m_pending;
    int m_keptForBackup = 0;
};

} // namespace vantor::core
