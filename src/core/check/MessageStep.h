#pragma once

namespace vantor::core {

class CheckRun;

// What an account pass does with each message whose header it fetched, and after an account's second
// listing: judge and delete it, preview it, or match it against the ticked preview rows.
class MessageStep
{
public:
    virtual ~MessageStep() = default;

    // The header of message messageNumber is in the run's mailbox's message().
    virtual void handleMessage(CheckRun& run, int messageNumber) = 0;
    // The kept messages of the account are listed (only for passes with a second listing).
    virtual void afterSecondListing(CheckRun& run) = 0;
};

} // namespace vantor::core
