#pragma once

#include "core/program/HomeDirectory.h"

#include <QString>

namespace vantor::core {

// The folder of the mail client's .dbx files: the one the user chose ([DBX] StoreRoot of setting.ini), else
// the one Windows' registry names. Files are found in it without regard to letter case, as the client
// itself finds them ("Folders.dbx" answers to "folders.dbx").
class DbxStoreRoot
{
public:
    inline static const QString FolderListName = QStringLiteral("folders.dbx");

    explicit DbxStoreRoot(const HomeDirectory& home);

    // Empty when none is known.
    QString folder() const;
    // Remembers the user's choice; false when setting.ini cannot be written.
    bool choose(const QString& folder);
    // The path of fileName in the store; the name as given when the folder holds no such file.
    QString filePath(const QString& fileName) const;

private:
    const HomeDirectory& m_home;
};

} // namespace vantor::core
