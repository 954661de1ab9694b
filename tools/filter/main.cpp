// vantor-filter: judges message files by a filter profile the way a mail check judges the headers it
// fetches, and prints one verdict line per file.
//
//   vantor-filter --home DIR --profile NAME [--size BYTES] [--preview] FILE...
//
// Output per file: name TAB verdict code TAB report text TAB reason text. The error-log entries a check
// would write for a missing profile or black list go to DIR/Error.log.

#include "HeaderFetch.h"
#include "filter/FilterEngine.h"
#include "mail/mime/MailMessage.h"
#include "storage/ErrorLog.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vantor::filter::FilterEngine;

struct Options
{
    std::string home;
    std::string profile;
    std::optional<std::int64_t> size;
    bool preview = false;
    std::vector<std::string> files;
};

std::optional<Options> parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--home" && hasValue) {
            options.home = argv[++i];
        } else if (argument == "--profile" && hasValue) {
            options.profile = argv[++i];
        } else if (argument == "--size" && hasValue) {
            const std::string value = argv[++i];
            std::int64_t size = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), size);
            if (error != std::errc() || end != value.data() + value.size())
                return std::nullopt;
            options.size = size;
        } else if (argument == "--preview") {
            options.preview = true;
        } else if (argument.starts_with("--")) {
            return std::nullopt;
        } else {
            options.files.push_back(argument);
        }
    }
    if (options.home.empty() || options.profile.empty() || options.files.empty())
        return std::nullopt;
    return options;
}

std::optional<std::string> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::cerr << "usage: vantor-filter --home DIR --profile NAME [--size BYTES] [--preview] FILE...\n";
        return 2;
    }
    FilterEngine engine(options->home);
    // Only the error log matters to this tool; rows, reports and deletions belong to a real check.
    vantor::storage::ErrorLog errorLog(options->home);
    const FilterEngine::Mode mode =
        options->preview ? FilterEngine::Mode::Preview : FilterEngine::Mode::Automatic;
    int status = 0;
    for (const std::string& file : options->files) {
        const std::optional<std::string> bytes = readFile(file);
        if (!bytes) {
            std::cerr << file << ": cannot read the file\n";
            status = 1;
            continue;
        }
        vantor::mail::mime::MailMessage message;
        message.loadRawHeader(vantor::tools::headerFetchText(*bytes));
        const std::int64_t size = options->size.value_or(static_cast<std::int64_t>(bytes->size()));
        try {
            const vantor::filter::Judgement judgement =
                engine.judge(0, message, size, options->profile, mode);
            for (const std::string& entry : judgement.fallbackErrors)
                errorLog.write(entry);
            const auto& verdict = judgement.verdict;
            std::cout << file << '\t' << static_cast<int>(verdict.code) << '\t' << verdict.reportText << '\t'
                      << verdict.reasonText << '\n';
        } catch (const std::exception& error) {
            std::cerr << file << ": " << error.what() << '\n';
            status = 1;
        }
    }
    return status;
}
