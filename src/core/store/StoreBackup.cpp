#include "core/store/StoreBackup.h"

#include "core/program/DisplayText.h"
#include "core/program/EnsureExtension.h"
#include "core/program/FormatText.h"
#include "records/DbxReader.h"
#include "records/StoreArchive.h"

#include <QFile>

namespace vantor::core {

namespace {

using records::StoreArchive;

// The store's root record and its top folder ("Local Folders") hold no mail of their own.
constexpr std::size_t FirstOfferedRecord = 2;

std::filesystem::path nativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

StoreBackup::StoreBackup(const DbxStoreRoot& store, const storage::TextTable& texts, UserPrompts& prompts)
    : m_store(store)
    , m_texts(texts)
    , m_prompts(prompts)
{}

std::vector<StoreFolder> StoreBackup::folders() const
{
    std::vector<StoreFolder> result;
    if (m_store.folder().isEmpty())
        return result;
    const records::DbxIndex index =
        records::DbxReader::readDbxIndex(nativePath(m_store.filePath(DbxStoreRoot::FolderListName)));
    if (index.kind != records::DbxFileKind::FolderList)
        return result;
    for (std::size_t i = FirstOfferedRecord; i < index.folders.size(); ++i) {
        const records::DbxFolderInfo& folder = index.folders[i];
        // A file name that is not a plain name in the store folder would read (and later restore) a file
        // elsewhere; the mail client never writes one.
        if (StoreArchive::isSafeEntryName(folder.fileName))
            result.push_back({displayText(folder.name), displayText(folder.fileName)});
    }
    return result;
}

bool StoreBackup::checkChoice(int tickedCount, bool usePassword, const QString& password) const
{
    if (tickedCount == 0) {
        m_prompts.showError(uiText(m_texts, "Message", "041"));
        return false;
    }
    if (usePassword && password.isEmpty()) {
        m_prompts.showError(uiText(m_texts, "Message", "042"));
        return false;
    }
    // Checked before the save dialog, so that a refused password leaves no archive behind.
    if (usePassword && StoreArchive::characterCount(storedText(password)) > StoreArchive::MaxPasswordLength) {
        m_prompts.showError(uiText(m_texts, "Extra", "070"));
        return false;
    }
    return true;
}

bool StoreBackup::backup(const QString& archive, const std::vector<StoreFolder>& folders,
                         const QString& password, StoreProgress& progress) const
{
    const QString archivePath = ensureExtension(archive, Extension);
    std::vector<std::filesystem::path> files;
    for (const StoreFolder& folder : folders)
        files.push_back(nativePath(m_store.filePath(folder.fileName)));
    const auto report = [&progress](const std::string& file, double fraction) {
        return progress.report(displayText(file), fraction);
    };
    std::filesystem::path failedFile;
    const StoreArchive::Status status =
        StoreArchive(nativePath(archivePath))
            .add(files, storedText(Comment), storedText(password), report, &failedFile);
    progress.finish();
    switch (status) {
    case StoreArchive::Status::Ok:
        return true;
    case StoreArchive::Status::Cancelled:
        return false;
    case StoreArchive::Status::PasswordTooLong:
        m_prompts.showError(uiText(m_texts, "Extra", "070"));
        return false;
    case StoreArchive::Status::CannotRead:
        m_prompts.showError(fillPlaceholders(uiText(m_texts, "Extra", "063"),
                                             {QFile::decodeName(failedFile.string().c_str())}));
        return false;
    case StoreArchive::Status::NotAnArchive:
        m_prompts.showError(archivePath + QLatin1Char('\n') + uiText(m_texts, "Extra", "092"));
        return false;
    default:
        m_prompts.showError(uiText(m_texts, "Extra", "093") + QLatin1Char('\n') + archivePath);
        return false;
    }
}

} // namespace vantor::core
