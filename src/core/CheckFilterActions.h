#pragma once

#include "core/AccountRowLayout.h"
#include "filter/FilterActions.h"
#include "records/DeletedMessageRecorder.h"
#include "records/ResultRow.h"

#include <optional>
#include <string>

namespace vantor::core {

class CheckContext;
class ResultListModel;

// What the filter engine's verdicts do during a check: report lines, error-log entries and the "Profile"
// column of the running account, the deleted-messages list and DELE in the automatic mode, the preview
// rows and their reasons in preview mode.
class CheckFilterActions : public filter::FilterActions
{
public:
    CheckFilterActions(const CheckContext& context, records::DeletedMessageRecorder& recorder);

    // The account list whose row CurrentAccountRow receives the profile name, and the error code of the
    // running cycle (a refused DELE is logged under it).
    void setAccountList(ResultListModel& accounts, AccountRowLayout layout, std::string_view errorCode);

    void addReportLine(std::string_view text) override;
    void writeErrorLog(std::string_view text) override;
    void setProfileColumn(std::string_view text) override;
    void recordDeletedMessage(filter::VerdictCode code) override;
    // The recorded row is held for the session's end only when the server accepted the DELE: a message
    // that stays on the server must not be listed, nor stored in backup.bak, as deleted. A message whose
    // backup failed is not deleted at all.
    void deleteMessage(int messageNumber) override;
    void addPreviewRow(filter::VerdictCode code) override;
    void addReasonLine(std::string_view reason) override;

private:
    const CheckContext& m_context;
    records::DeletedMessageRecorder& m_recorder;
    ResultListModel* m_accounts = nullptr;
    AccountRowLayout m_layout;
    std::string_view m_errorCode;
    records::DeletedMessageRecorder::Recording m_recorded;
};

} // namespace vantor::core
