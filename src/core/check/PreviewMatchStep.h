#pragma once

#include "core/check/MessageStep.h"

#include <string>

namespace vantor::core {

// The preview finish's work on each message: find it among the ticked preview rows by account, sender,
// subject and date, back it up and delete it; after each account's second listing, mark with image 7 the
// kept messages that the user did not keep in the preview.
class PreviewMatchStep : public MessageStep
{
public:
    // A message matched by several ticked rows is backed up, listed and deleted once, with the image of
    // the first of them.
    void handleMessage(CheckRun& run, int messageNumber) override;
    void afterSecondListing(CheckRun& run) override;

private:
    struct Listed
    {
        std::string sender;
        std::string subject;
        std::string date;
    };

    // The first ticked preview row of this message, -1 for none.
    static int matchingRow(const CheckRun& run, const Listed& message);
    static void deleteMatched(CheckRun& run, int messageNumber, int icon, Listed message);
};

} // namespace vantor::core
