#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vantor::filter {

// Number of main-level-domain endings a profile carries; every profile the editor saves holds all of them.
inline constexpr std::size_t MainLevelDomainCount = 250;

// The fixed main-level-domain endings in their stored order (entry 1 first): seven generic endings with
// three letters, then the two-letter country endings.
inline constexpr std::array<std::string_view, MainLevelDomainCount> MainLevelDomains = {
    ".biz", ".com", ".edu", ".gov", ".int", ".net", ".org", ".ac", ".ad", ".ae", ".af", ".ag", ".ai", ".al",
    ".am",  ".an",  ".ao",  ".aq",  ".ar",  ".as",  ".at",  ".au", ".aw", ".az", ".ba", ".bb", ".bd", ".be",
    ".bf",  ".bg",  ".bh",  ".bi",  ".bj",  ".bm",  ".bn",  ".bo", ".br", ".bs", ".bt", ".bv", ".bw", ".by",
    ".bz",  ".ca",  ".cc",  ".cd",  ".cf",  ".cg",  ".ch",  ".ci", ".ck", ".cl", ".cm", ".cn", ".co", ".cr",
    ".cu",  ".cv",  ".cx",  ".cy",  ".cz",  ".de",  ".dj",  ".dk", ".dm", ".do", ".dz", ".ec", ".ee", ".eg",
    ".eh",  ".er",  ".es",  ".et",  ".fi",  ".fj",  ".fk",  ".fm", ".fo", ".fr", ".fx", ".ga", ".gb", ".gd",
    ".ge",  ".gf",  ".gg",  ".gh",  ".gi",  ".gl",  ".gm",  ".gn", ".gp", ".gq", ".gr", ".gs", ".gt", ".gu",
    ".gw",  ".gy",  ".hk",  ".hm",  ".hn",  ".hr",  ".ht",  ".hu", ".id", ".ie", ".il", ".im", ".in", ".io",
    ".iq",  ".ir",  ".is",  ".it",  ".je",  ".jm",  ".jo",  ".jp", ".ke", ".kg", ".kh", ".ki", ".km", ".kn",
    ".kp",  ".kr",  ".kw",  ".ky",  ".kz",  ".la",  ".lb",  ".lc", ".li", ".lk", ".lr", ".ls", ".lt", ".lu",
    ".lv",  ".ly",  ".ma",  ".mc",  ".md",  ".mg",  ".mh",  ".mk", ".ml", ".mm", ".mn", ".mo", ".mp", ".mq",
    ".mr",  ".ms",  ".mt",  ".mu",  ".mv",  ".mw",  ".mx",  ".my", ".mz", ".na", ".nc", ".ne", ".nf", ".ng",
    ".ni",  ".nl",  ".no",  ".np",  ".nr",  ".nu",  ".nz",  ".om", ".pa", ".pe", ".pf", ".pg", ".ph", ".pk",
    ".pl",  ".pm",  ".pn",  ".pr",  ".pt",  ".pw",  ".py",  ".qa", ".re", ".ro", ".ru", ".rw", ".sa", ".sb",
    ".sc",  ".sd",  ".se",  ".sg",  ".sh",  ".si",  ".sj",  ".sk", ".sl", ".sm", ".sn", ".so", ".sr", ".st",
    ".sv",  ".sy",  ".sz",  ".tc",  ".td",  ".tf",  ".tg",  ".th", ".tj", ".tk", ".tm", ".tn", ".to", ".tp",
    ".tr",  ".tt",  ".tv",  ".tw",  ".tz",  ".ua",  ".ug",  ".uk", ".us", ".uy", ".uz", ".va", ".vc", ".ve",
    ".vg",  ".vi",  ".vn",  ".vu",  ".wf",  ".ws",  ".ye",  ".yt", ".yu", ".za", ".zm", ".zw",
};

} // namespace vantor::filter
