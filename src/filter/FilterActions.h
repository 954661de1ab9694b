#pragma once

#include "filter/Verdict.h"

#include <string_view>

namespace vantor::filter {

// What the filter entries do with their verdicts and notices; the check cycles implement it over the
// POP3 client, the result lists, the check report and the error log.
class FilterActions
{
public:
    virtual ~FilterActions() = default;

    // Appends text to the check report (which adds the time).
    virtual void addReportLine(std::string_view text) = 0;
    // Passes one complete entry (" <code> - ...") to the error log.
    virtual void writeErrorLog(std::string_view text) = 0;
    // Sets the "Profile" column of the current account's row: the profile name, or "->Default<-".
    virtual void setProfileColumn(std::string_view text) = 0;

    // Automatic mode: records the message as deleted (fetching it again, backing it up); runs before
    // the deletion.
    virtual void recordDeletedMessage(VerdictCode code) = 0;
    // Automatic mode: marks message number n for deletion on the server.
    virtual void deleteMessage(int messageNumber) = 0;

    // Preview mode: adds the message's row with code as its icon, ticked when the code deletes.
    virtual void addPreviewRow(VerdictCode code) = 0;
    // Preview mode: appends the row's reason line.
    virtual void addReasonLine(std::string_view reason) = 0;
};

} // namespace vantor::filter
