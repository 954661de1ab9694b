#include "core/check/SessionDeletions.h"

#include "core/check/CheckLists.h"
#include "core/check/CheckServices.h"
#include "core/program/HomeDirectory.h"
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

void SessionDeletions::commit(const CheckServices& services, CheckLists& lists)
{
    // Written now rather than at the end of the check, so that a check ended between two accounts leaves
    // records that match the servers.
    records::DeletedDatabase::update(services.home.nativeDir(), m_pending, services.errorLog);
    ResultListModel& deleted = lists.deleted();
    for (records::ResultRow& row : m_pending)
        deleted.addRow(std::move(row));
    m_pending.clear();
}

} // namespace vantor::core
