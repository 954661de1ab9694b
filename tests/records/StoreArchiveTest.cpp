#include "records/StoreArchive.h"

#include "support/TempHome.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <zip.h>

using vantor::records::StoreArchive;
using vantor::test::readBytes;
using vantor::test::TempHome;
using vantor::test::writeBytes;
using Status = StoreArchive::Status;
namespace fs = std::filesystem;

namespace {

const std::string DbxData = std::string(VANTOR_TEST_DATA) + "/dbx/";
const std::string Comment = "EMail Vantor Backup - Outlook Express";

// Two real folder files of the mail client in a store folder of their own.
struct Store
{
    TempHome home;
    fs::path store = home.dir() / "store";
    fs::path inbox = store / "Inbox.dbx";
    fs::path outbox = store / "Outbox.dbx";
    fs::path archive = home.dir() / "backup.oeb";

    Store()
    {
        fs::create_directories(store);
        fs::copy_file(DbxData + "DbxOutlookExpress/Inbox.dbx", inbox);
        fs::copy_file(DbxData + "Mail-Transport-Dbx/test.dbx", outbox);
    }
};

std::vector<std::string> names(const StoreArchive::Contents& contents)
{
    std::vector<std::string> result;
    for (const auto& entry : contents.entries)
        result.push_back(entry.name);
    return result;
}

std::vector<std::string> filesIn(const fs::path& dir)
{
    std::vector<std::string> result;
    for (const auto& entry : fs::directory_iterator(dir))
        result.push_back(entry.path().filename().string());
    std::sort(result.begin(), result.end());
    return result;
}

// An archive made by another program, with entries of the given names and contents, stored uncompressed.
void writeForeignArchive(const fs::path& file,
                         const std::vector<std::pair<std::string, std::string>>& entries)
{
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, 0);
        ASSERT_GE(index, 0) << name;
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

StoreArchive::ExtractOptions withPassword(const std::string& password)
{
    StoreArchive::ExtractOptions options;
    options.password = password;
    return options;
}

} // namespace

TEST(StoreArchive, BacksUpFoldersWithAndWithoutPasswordAndGivesThemBackByteForByte)
{
    Store store;
    for (const std::string password : {"", "s\xc3\xa9same 1"}) {
        SCOPED_TRACE(password);
        fs::remove(store.archive);
        ASSERT_EQ(StoreArchive(store.archive).add({store.inbox, store.outbox}, Comment, password),
                  Status::Ok);

        const auto contents = StoreArchive(store.archive).read();
        ASSERT_EQ(contents.status, Status::Ok);
        EXPECT_EQ(contents.comment, Comment);
        EXPECT_EQ(names(contents), (std::vector<std::string>{"Inbox.dbx", "Outbox.dbx"}));
        EXPECT_EQ(contents.entries[0].size, fs::file_size(store.inbox));
        EXPECT_EQ(contents.entries[0].isEncrypted, !password.empty());

        const fs::path restored = store.home.dir() / ("restored" + std::to_string(password.size()));
        fs::create_directories(restored);
        if (!password.empty()) {
            // Without the password or with a wrong one, nothing at all appears in the folder.
            for (const std::string& wrong : {std::string(), std::string("sesame 1"), std::string(80, 'x')}) {
                EXPECT_EQ(StoreArchive(store.archive).extract("Inbox.dbx", restored, withPassword(wrong)),
                          Status::WrongPassword);
            }
            EXPECT_TRUE(filesIn(restored).empty());
        }
        StoreArchive::ExtractOptions stop = withPassword(password);
        stop.progress = [](const std::string&, double) { return false; };
        EXPECT_EQ(StoreArchive(store.archive).extract("Inbox.dbx", restored, stop), Status::Cancelled);
        EXPECT_TRUE(filesIn(restored).empty());
        for (const std::string name : {"Inbox.dbx", "Outbox.dbx"}) {
            EXPECT_EQ(StoreArchive(store.archive).extract(name, restored, withPassword(password)),
                      Status::Ok);
            EXPECT_EQ(readBytes(restored / name), readBytes(store.store / name)) << name;
        }
        // The restored file carries the time of the backed-up one, to the two seconds the archive keeps.
        const auto age = fs::last_write_time(store.inbox) - fs::last_write_time(restored / "Inbox.dbx");
        EXPECT_LT(std::chrono::abs(age), std::chrono::seconds(2));
        EXPECT_EQ(filesIn(restored), (std::vector<std::string>{"Inbox.dbx", "Outbox.dbx"}));
    }
}

TEST(StoreArchive, AddingKeepsTheOtherEntriesAndReplacesOneOfTheSameName)
{
    Store store;
    writeForeignArchive(store.archive, {{"notes.txt", "kept"}});
    ASSERT_EQ(StoreArchive(store.archive).add({store.inbox}, Comment, ""), Status::Ok);
    writeBytes(store.inbox, "a newer inbox");
    ASSERT_EQ(StoreArchive(store.archive).add({store.inbox, store.outbox}, Comment, "pw"), Status::Ok);

    const auto contents = StoreArchive(store.archive).read();
    EXPECT_EQ(names(contents), (std::vector<std::string>{"notes.txt", "Inbox.dbx", "Outbox.dbx"}));
    const fs::path out = store.home.dir() / "out";
    fs::create_directories(out);
    EXPECT_EQ(StoreArchive(store.archive).extract("notes.txt", out, {}), Status::Ok);
    EXPECT_EQ(StoreArchive(store.archive).extract("Inbox.dbx", out, withPassword("pw")), Status::Ok);
    EXPECT_EQ(readBytes(out / "notes.txt"), "kept");
    EXPECT_EQ(readBytes(out / "Inbox.dbx"), "a newer inbox");
}

TEST(StoreArchive, RefusedOrCancelledAddsLeaveTheOldArchiveAsItWas)
{
    Store store;
    ASSERT_EQ(StoreArchive(store.archive).add({store.inbox}, Comment, ""), Status::Ok);
    const std::string before = readBytes(store.archive);

    int reports = 0;
    const auto cancelAtOnce = [&reports](const std::string& file, double) {
        ++reports;
        EXPECT_TRUE(file == "Inbox.dbx" || file == "Outbox.dbx") << file;
        return false;
    };
    EXPECT_EQ(StoreArchive(store.archive).add({store.outbox}, Comment, "", cancelAtOnce), Status::Cancelled);
    EXPECT_GT(reports, 0);
    EXPECT_EQ(StoreArchive(store.archive).add({store.outbox}, Comment, std::string(81, 'p')),
              Status::PasswordTooLong);
    fs::path failed;
    EXPECT_EQ(StoreArchive(store.archive)
                  .add({store.outbox, store.store / "Missing.dbx"}, Comment, "", {}, &failed),
              Status::CannotRead);
    EXPECT_EQ(failed, store.store / "Missing.dbx");
    EXPECT_EQ(readBytes(store.archive), before);
    EXPECT_EQ(filesIn(store.home.dir()), (std::vector<std::string>{"backup.oeb", "store"}));

    // Eighty characters are the limit, counted as characters, not as bytes.
    std::string eighty;
    for (int i = 0; i < 80; ++i)
        eighty += "\xc3\xa4";
    EXPECT_EQ(StoreArchive(store.archive).add({store.outbox}, Comment, eighty), Status::Ok);

    // A file that is no archive is neither read nor overwritten.
    const fs::path text = store.home.dir() / "text.oeb";
    writeBytes(text, "just some text, no archive");
    EXPECT_EQ(StoreArchive(text).read().status, Status::NotAnArchive);
    EXPECT_EQ(StoreArchive(text).add({store.inbox}, Comment, ""), Status::NotAnArchive);
    EXPECT_EQ(readBytes(text), "just some text, no archive");
    EXPECT_EQ(StoreArchive(store.home.dir() / "none.oeb").read().status, Status::Missing);
}

TEST(StoreArchive, EntriesThatWouldLeaveTheTargetFolderAreRefused)
{
    TempHome home;
    const fs::path store = home.dir() / "store";
    fs::create_directories(store);
    const fs::path archive = home.dir() / "evil.oeb";
    const std::vector<std::string> unsafe = {"../x.dbx",  "/tmp/abs.dbx", "C:x.dbx",
                                             "..\\x.dbx", "sub/x.dbx",    ".."};
    std::vector<std::pair<std::string, std::string>> entries;
    for (const std::string& name : unsafe)
        entries.emplace_back(name, "payload");
    writeForeignArchive(archive, entries);

    EXPECT_EQ(names(StoreArchive(archive).read()), unsafe);
    for (const std::string& name : unsafe)
        EXPECT_EQ(StoreArchive(archive).extract(name, store, {}), Status::UnsafeName) << name;
    StoreArchive::ExtractOptions renamed;
    renamed.targetName = "x.dbx";
    EXPECT_EQ(StoreArchive(archive).extract("../x.dbx", store, renamed), Status::UnsafeName);
    EXPECT_TRUE(filesIn(store).empty());
    EXPECT_EQ(filesIn(home.dir()), (std::vector<std::string>{"evil.oeb", "store"}));
}

TEST(StoreArchive, DamagedDataIsWrittenOnlyWhenAskedFor)
{
    TempHome home;
    const fs::path archive = home.dir() / "damaged.oeb";
    const std::string content(5000, 'm');
    writeForeignArchive(archive, {{"Inbox.dbx", content}});
    std::string bytes = readBytes(archive);
    const std::size_t data = bytes.find(content);
    ASSERT_NE(data, std::string::npos);
    bytes[data + 2500] = 'X';
    writeBytes(archive, bytes);

    const fs::path store = home.dir() / "store";
    fs::create_directories(store);
    EXPECT_EQ(StoreArchive(archive).extract("Inbox.dbx", store, {}), Status::Corrupted);
    EXPECT_TRUE(filesIn(store).empty());
    StoreArchive::ExtractOptions anyway;
    anyway.keepCorrupted = true;
    EXPECT_EQ(StoreArchive(archive).extract("Inbox.dbx", store, anyway), Status::Ok);
    EXPECT_EQ(readBytes(store / "Inbox.dbx").size(), content.size());
    EXPECT_EQ(StoreArchive(archive).extract("Outbox.dbx", store, {}), Status::NoSuchEntry);
}
