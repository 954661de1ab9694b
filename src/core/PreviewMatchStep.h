#pragma once

#include "core/MessageStep.h"

#include <string>

namespace vantor::records {
class DeletedMessageRecorder;
}

namespace vantor::core {

class CheckContext;

// The preview finish's work on each message: find it among the ticked preview rows by account, sender,
// subject and date, back it up and delete it; after each account's second listing, mark with image 7 the
// kept messages that the user did not keep in the preview.
class PreviewMatchStep : public MessageStep
{
public:
    PreviewMatchStep(const CheckContext& context, records::DeletedMessageRecorder& recorder);

    // A message matched by several ticked rows is backed up, listed and deleted once, with the image of
    // the first of them.
    void handleMessage(int messageNumber) override;
    void afterSecondListing() override;

private:
    // The first ticked preview row of this message, -1 for none.
    int matchingRow(const std::string& sender, const std::string& subject, const std::string& date) const;
    void deleteMatched(int messageNumber, int icon, const std::string& sender, const std::string& subject,
                       const std::string& date);

    const CheckContext& m_context;
    records::DeletedMessageRecorder& m_recorder;
};

} // namespace vantor::core
