#pragma once

namespace vantor::core {

// What an account pass does with each message whose header it fetched, and after an account's second
// listing: filter it, preview it, or match it against the ticked preview rows.
class MessageStep
{
public:
    virtual ~MessageStep() = default;

    // The header of message messageNumber is in the mailbox's message object; CurrentMessageNumber is set.
    virtual void handleMessage(int messageNumber) = 0;
    // The kept messages of the account are listed (only for passes with a second listing).
    virtual void afterSecondListing() = 0;
};

} // namespace vantor::core
