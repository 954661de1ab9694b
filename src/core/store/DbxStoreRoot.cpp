#include "core/store/DbxStoreRoot.h"

#include "core/program/DisplayText.h"
#include "core/program/SettingsFile.h"
#include "platform/RegistryStoreRoot.h"

#include <QDir>

namespace vantor::core {

DbxStoreRoot::DbxStoreRoot(const HomeDirectory& home)
    : m_home(home)
{}

QString DbxStoreRoot::folder() const
{
    const QString chosen = displayText(SettingsFile(m_home).read(storage::DbxStoreRoot));
    return chosen.isEmpty() ? platform::registryStoreRoot() : chosen;
}

bool DbxStoreRoot::choose(const QString& folder)
{
    SettingsFile settings(m_home);
    settings.write(storage::DbxStoreRoot, storedText(folder));
    return settings.save();
}

QString DbxStoreRoot::filePath(const QString& fileName) const
{
    const QDir store(folder());
    for (const QString& entry : store.entryList(QDir::Files))
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return store.filePath(entry);
    return store.filePath(fileName);
}

} // namespace vantor::core
