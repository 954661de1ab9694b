#include "core/program/EnsureExtension.h"
#include "records/ResultListFile.h"

#include <gtest/gtest.h>

namespace vantor::records {
namespace {

QString listFileName(const char* chosen, std::string_view extension)
{
    return core::ensureExtension(QString::fromUtf8(chosen),
                                 QString::fromUtf8(extension.data(), extension.size()));
}

// The save commands of both lists pass the chosen name through the program's extension rule.
TEST(ListFileName, ChosenNameGetsTheListExtensionUnlessItHasItInAnyCase)
{
    EXPECT_EQ(listFileName("result", ResultListFile::KeptExtension), QStringLiteral("result.lef"));
    EXPECT_EQ(listFileName("RESULT.LEF", ResultListFile::KeptExtension), QStringLiteral("RESULT.LEF"));
    EXPECT_EQ(listFileName("result.Led", ResultListFile::DeletedExtension), QStringLiteral("result.Led"));
    EXPECT_EQ(listFileName("result.led", ResultListFile::KeptExtension), QStringLiteral("result.led.lef"));
}

} // namespace
} // namespace vantor::records
