#pragma once

#include "core/accounts/AccountLoader.h"

#include <string>
#include <string_view>

namespace vantor::core {

class CheckRun;
class MessageStep;

// One pass over the checked accounts of account.vta, as the automatic check, the preview build and the
// preview finish share it: load each account, add its row, connect, log in, fetch every header and hand it
// to the step, QUIT (which carries out the deletions), and, where the pass has one, list what is left on
// the server with the exceptions icon of each kept message.
//
// A session whose lockstep broke (time-out, cut, unreadable reply) is aborted without QUIT: the server
// keeps every message, the account's row says so, and nothing of it is recorded. The deleted rows and the
// day totals of an account are written as soon as its QUIT is acknowledged.
class AccountPass
{
public:
    struct Style
    {
        bool hasSecondListing = false;
        // [General] LOG: each account that ends with its counts adds them to emails.log.
        bool logTotals = false;
    };

    AccountPass(CheckRun& run, Style style);

    // Visits the accounts in order; an account that lacks its host, user name or password ends the pass.
    void run(MessageStep& step);

private:
    void visitAccount(const Pop3Login& login, MessageStep& step);
    enum class Session
    {
        // The connection that filters: the status bar follows each step.
        Filtering,
        // The connection of the second listing, which the status bar does not show.
        SecondListing
    };

    // Connect and log in; on failure marks the row, logs " <code> - failed on ..." and closes.
    bool openSession(const std::string& host, Session session);
    // False when the session broke on the way.
    bool fetchMessages(int count, const std::string& host, MessageStep& step);
    // Closes a broken session without QUIT and marks the row: the server keeps everything.
    void abortSession(const std::string& host);
    // The second connection: the kept rows and the "Filtered" count; -1 when it could not list them.
    int listKept(const std::string& host);
    // The row's Message (and a report line for messages kept unbacked) once the account is done.
    void markDone();
    void addKeptRow();
    void markFailed(const std::string& failure);
    void logFailure(std::string_view code, const char* what, const std::string& host,
                    const std::string& reason = {});

    CheckRun& m_run;
    Style m_style;
};

} // namespace vantor::core
