#include "mail/codec/MimeTypes.h"

#include <gtest/gtest.h>

namespace vantor::mail::codec {
namespace {

TEST(MimeTypeForFile, TypeComesFromTheExtension)
{
    EXPECT_EQ(mimeTypeForFile("photo.jpg"), "image/jpeg");
    EXPECT_EQ(mimeTypeForFile("C:\\Photos\\HOLIDAY.JPG"), "image/jpeg");
    EXPECT_EQ(mimeTypeForFile("/home/u/notes.txt"), "text/plain");
    EXPECT_EQ(mimeTypeForFile("report.pdf"), "application/pdf");
    EXPECT_EQ(mimeTypeForFile("page.html"), "text/html");
    EXPECT_EQ(mimeTypeForFile("archive.tar.zip"), "application/zip");
}

TEST(MimeTypeForFile, UnknownOrMissingExtensionsFallBack)
{
    for (const char* name :
         {"Makefile", "README", "file.", "x.nosuchextension42", "dir.d/file", "", "C:.\\x"}) {
        EXPECT_EQ(mimeTypeForFile(name), "application/octet-stream") << name;
    }
}

TEST(ExtensionForMimeType, PreferredExtensionWithItsDot)
{
    EXPECT_EQ(extensionForMimeType("text/plain"), ".txt");
    EXPECT_EQ(extensionForMimeType("IMAGE/PNG"), ".png");
    EXPECT_EQ(extensionForMimeType("application/pdf"), ".pdf");
    EXPECT_EQ(extensionForMimeType("application/x-no-such-type"), "");
    EXPECT_EQ(extensionForMimeType(""), "");
    // What a type gives back leads to the same type again.
    EXPECT_EQ(mimeTypeForFile("x" + extensionForMimeType("image/jpeg")), "image/jpeg");
}

} // namespace
} // namespace vantor::mail::codec
