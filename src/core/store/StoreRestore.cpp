#include "core/store/StoreRestore.h"

#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "core/store/StoreBackup.h"
#include "records/StoreArchive.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vantor::core {

namespace {

using records::StoreArchive;
using Choice = UserPrompts::Choice;

std::filesystem::path nativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

StoreRestore::StoreRestore(const DbxStoreRoot& store, const storage::TextTable& texts, UserPrompts& prompts)
    : m_store(store)
    , m_texts(texts)
    , m_prompts(prompts)
{}

QString StoreRestore::text(const char* key) const
{
    return uiText(m_texts, "Extra", key);
}

QString StoreRestore::targetName(const QString& entryName) const
{
    QString name = entryName;
    // Older backups named their entries after the bare folder ("Inbox"); the store knows them as .dbx files.
    if (!name.contains(QLatin1Char('.')))
        name += QStringLiteral(".dbx");
    // A file of the store in other letter case is the one replaced, rather than joined by a twin.
    return QFileInfo(m_store.filePath(name)).fileName();
}

StoreRestore::Outcome StoreRestore::restore(const QString& archive, StoreProgress& progress) const
{
    Outcome outcome;
    const QString storeDir = m_store.folder();
    if (storeDir.isEmpty()) {
        m_prompts.showError(text("099"));
        return outcome;
    }
    if (!QFileInfo(storeDir).isDir()) {
        m_prompts.showError(text("094") + QLatin1Char('\n') + storeDir + QLatin1Char('\n') + text("095"));
        return outcome;
    }
    const StoreArchive zip(nativePath(archive));
    const StoreArchive::Contents contents = zip.read();
    if (contents.status != StoreArchive::Status::Ok) {
        m_prompts.showError(archive + QLatin1Char('\n') + text("092"));
        return outcome;
    }
    const bool isOurs = contents.comment.empty() || contents.comment == storedText(StoreBackup::Comment);
    const bool staysInside =
        std::all_of(contents.entries.begin(), contents.entries.end(),
                    [](const auto& entry) { return StoreArchive::isSafeEntryName(entry.name); });
    if (!isOurs || !staysInside) {
        m_prompts.showError(fillPlaceholders(text("098"), {archive}));
        return outcome;
    }

    double total = 0;
    for (const StoreArchive::Entry& entry : contents.entries)
        total += static_cast<double>(entry.size);
    double done = 0;
    // Every file of one backup has the same password: once one opened, the others are tried with it first.
    std::string password;
    for (const StoreArchive::Entry& entry : contents.entries) {
        const QString name = displayText(entry.name);
        const QString target = targetName(name);
        const QFileInfo existing(QDir(storeDir).filePath(target));
        const double size = static_cast<double>(entry.size);
        if (existing.exists()) {
            progress.pause();
            const bool isOlder = existing.lastModified().toSecsSinceEpoch() < entry.modified;
            const QString question = fillPlaceholders(text(isOlder ? "072" : "074"), {target}) +
                                     QLatin1Char('\n') + text(isOlder ? "073" : "075");
            const Choice choice = m_prompts.askYesNoCancel(question, isOlder ? Choice::Yes : Choice::No);
            if (choice == Choice::Cancel) {
                outcome.isCancelled = true;
                break;
            }
            if (choice == Choice::No) {
                done += size;
                continue;
            }
        }

        StoreArchive::ExtractOptions options;
        options.targetName = storedText(target);
        options.password = entry.isEncrypted ? password : std::string();
        options.progress = [&](const std::string&, double fraction) {
            return progress.report(name, total > 0 ? (done + fraction * size) / total : 1.0);
        };
        StoreArchive::Status status = StoreArchive::Status::Ok;
        Choice choice = Choice::Yes;
        for (;;) {
            status = zip.extract(entry.name, nativePath(storeDir), options);
            if (status == StoreArchive::Status::WrongPassword) {
                progress.pause();
                const QString typed = m_prompts.askPassword(QCoreApplication::applicationName(),
                                                            text("071") + QLatin1Char(' ') + name);
                if (typed.isEmpty())
                    break;
                options.password = storedText(typed);
                continue;
            }
            if (status == StoreArchive::Status::Corrupted && !options.keepCorrupted) {
                progress.pause();
                choice = m_prompts.askYesNoCancel(
                    fillPlaceholders(text("090"), {name}) + QLatin1Char('\n') + text("091"), Choice::No);
                options.keepCorrupted = choice == Choice::Yes;
                if (options.keepCorrupted)
                    continue;
            }
            break;
        }
        done += size;
        if (status == StoreArchive::Status::Ok) {
            outcome.restored.append(target);
            if (entry.isEncrypted)
                password = options.password;
        } else if (status == StoreArchive::Status::Cancelled || choice == Choice::Cancel) {
            outcome.isCancelled = true;
            break;
        } else if (status == StoreArchive::Status::CannotWrite) {
            progress.pause();
            m_prompts.showError(text("093") + QLatin1Char('\n') + existing.filePath());
            break;
        }
    }
    progress.finish();
    return outcome;
}

} // namespace vantor::core
