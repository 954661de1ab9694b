#pragma once

#include "core/check/ResultListModel.h"

namespace vantor::storage {
class TextTable;
}

namespace vantor::core {

// The lists of the first page that the checks fill: AccountList, EMailList (kept messages), EMailDList
// (deleted messages) on the result page; PreviewList and AccountList2 on the preview page.
class CheckLists
{
public:
    // Column indexes of the message lists, as sub-item indexes.
    enum MessageColumn
    {
        // EMailList and EMailDList: caption = sender address.
        ResultSubject = 0,
        ResultAccount = 1,
        ResultDateTime = 2,
        // PreviewList: caption = account description.
        PreviewEMail = 0,
        PreviewSubject = 1,
        PreviewDateTime = 2
    };

    explicit CheckLists(const storage::TextTable& texts);

    ResultListModel& accounts() { return m_accounts; }
    ResultListModel& kept() { return m_kept; }
    ResultListModel& deleted() { return m_deleted; }
    ResultListModel& preview() { return m_preview; }
    ResultListModel& previewAccounts() { return m_previewAccounts; }
    const ResultListModel& accounts() const { return m_accounts; }
    const ResultListModel& kept() const { return m_kept; }
    const ResultListModel& deleted() const { return m_deleted; }
    const ResultListModel& preview() const { return m_preview; }
    const ResultListModel& previewAccounts() const { return m_previewAccounts; }

    // Column titles from the text table, after a language was loaded.
    void retitle(const storage::TextTable& texts);

private:
    ResultListModel m_accounts;
    ResultListModel m_kept;
    ResultListModel m_deleted;
    ResultListModel m_preview;
    ResultListModel m_previewAccounts;
};

} // namespace vantor::core
