#include "core/SessionDeletions.h"

#include "core/CheckContext.h"
#include "records/DeletedDatabase.h"

namespace vantor::core {

void SessionDeletions::begin()
{
    m_pending.clear();
    m_keptForBackup = 0;
}

void SessionDeletions::add(records::ResultRow row)
{
    m_pending.push_back(std::move(row));
}

void SessionDeletions::commit(const CheckContext& context)
{
    // Written now rather than at the end of the check, so that a check ended between two accounts leaves
    // records that match the servers.
    records::DeletedDatabase::update(context.homeDir(), m_pending, context.env().errorLog);
    ResultListModel& deleted = context.lists().deleted();
    for (records::ResultRow& row : m_pending)
        deleted.addRow(std::move(row));
    m_pending.clear();
}

} // namespace vantor::core
