// The source folders may include each other only along the dependency arrows of the layers. The build
// enforces most of this through each target's links, but the shared src/ include root would let an
// upward include of a header-only file compile; this test catches that.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The folders each folder may include directly, besides itself and base (which every folder may use).
const std::map<std::string, std::vector<std::string>> DirectArrows = {
    {"app", {"ui"}},
    {"ui", {"core"}},
    // The rooms of core, each below the ones that use it.
    {"core", {"core/watch", "core/reports", "core/messager", "core/store", "core/update", "core/trust"}},
    {"core/trust", {"core/program", "mail/net"}},
    {"core/update", {"core/program"}},
    {"core/messager", {"core/accounts", "mail/net"}},
    {"core/watch", {"core/check"}},
    {"core/check", {"core/accounts", "mail/net", "filter"}},
    {"core/accounts", {"core/program", "filter"}},
    {"core/reports", {"core/program"}},
    {"core/store", {"core/program", "mail/mime"}},
    {"core/program", {"records", "platform", "storage"}},
    {"mail/net", {"mail/proto"}},
    {"mail/proto", {"mail/mime"}},
    {"mail/mime", {"mail/codec"}},
    {"mail/codec", {}},
    {"filter", {"mail/mime", "storage"}},
    {"records", {"mail/mime", "storage"}},
    {"platform", {}},
    {"storage", {}},
    {"base", {}},
};

// Everything a folder may include: what its arrows reach, followed to the end.
std::set<std::string> reachable(const std::string& folder)
{
    std::set<std::string> seen{folder, "base"};
    std::vector<std::string> pending{folder};
    while (!pending.empty()) {
        const std::string next = pending.back();
        pending.pop_back();
        for (const std::string& target : DirectArrows.at(next)) {
            if (seen.insert(target).second)
                pending.push_back(target);
        }
    }
    return seen;
}

// The layer folder a path below src/ belongs to (the longest that matches, so "mail/mime" before "mail").
std::optional<std::string> layerOf(const std::string& relativeDirectory)
{
    std::optional<std::string> best;
    for (const auto& [folder, arrows] : DirectArrows) {
        const bool inside = relativeDirectory == folder || relativeDirectory.rfind(folder + "/", 0) == 0;
        if (inside && (!best || folder.size() > best->size()))
            best = folder;
    }
    return best;
}

TEST(Layering, EveryIncludeFollowsTheDependencyArrows)
{
    const fs::path sourceRoot = fs::path(VANTOR_SOURCE_DIR) / "src";
    const std::regex quotedInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::size_t includesChecked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        const std::string relative = fs::relative(entry.path(), sourceRoot).generic_string();
        const std::optional<std::string> own = layerOf(fs::path(relative).parent_path().generic_string());
        if (!own)
            continue;
        const std::set<std::string> allowed = reachable(*own);
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch match;
            if (!std::regex_search(line, match, quotedInclude))
                continue;
            const std::optional<std::string> target =
                layerOf(fs::path(match[1].str()).parent_path().generic_string());
            // Includes beside the file or of generated headers name no layer.
            if (!target)
                continue;
            ++includesChecked;
            EXPECT_TRUE(allowed.contains(*target)) << relative << ":" << number << " (" << *own
                                                   << ") includes " << match[1] << " (" << *target << ")";
        }
    }
    // Guards against a wrong root, which would check nothing.
    EXPECT_GT(includesChecked, 100u);
}

} // namespace
