#pragma once

#include "core/check/MessageStep.h"

#include <string>

namespace vantor::core {

// The preview finish's work on each message: find it among the ticked preview rows, back it up and delete
// it. A row and a message that both carry the server's unique id (UIDL) match by account and id, so two
// messages alike in sender, subject and date, or mail that arrived while the preview waited, are never
// taken for one another; otherwise they match by account, sender, subject and date. Then, after each
// account's second listing, mark with image 7 the kept messages that the user did not keep in the preview.
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
        std::string uniqueId;
    };

    // The first ticked preview row of this message, -1 for none.
    static int matchingRow(const CheckRun& run, const Listed& message);
    static void deleteMatched(CheckRun& run, int messageNumber, int icon, Listed message);
};

} // namespace vantor::core
