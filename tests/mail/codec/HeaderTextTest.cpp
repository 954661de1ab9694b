#include "mail/codec/HeaderText.h"

#include "mail/codec/Charsets.h"

#include <gtest/gtest.h>

namespace vantor::mail::codec {
namespace {

TEST(EncodeHeaderText, PlainWordStaysAndAnythingElseBecomesOneWord)
{
    EXPECT_EQ(encodeHeaderText("Hello", "utf-8"), "Hello");
    EXPECT_EQ(encodeHeaderText("", "utf-8"), "");
    EXPECT_EQ(encodeHeaderText("Hello World", "utf-8"), "=?utf-8?Q?Hello=20World?=");
    EXPECT_EQ(encodeHeaderText("Caf\xC3\xA9", "utf-8"), "=?utf-8?Q?Caf=C3=A9?=");
    EXPECT_EQ(encodeHeaderText("what?", "iso-8859-1"), "=?iso-8859-1?Q?what=3F?=");
    const std::string longText(200, 'a');
    EXPECT_EQ(encodeHeaderText(longText + " b", "utf-8"), "=?utf-8?Q?" + longText + "=20b?=");
}

struct DecodeCase
{
    const char* encoded;
    const char* decoded;
};

// Header values as real mailers and spam senders write them.
const DecodeCase kRealWorldWords[] = {
    {"=?UTF-8?B?w4lsw6h2ZSBjYWbDqQ==?=", "Élève café"},
    {"=?iso-8859-1?Q?R=E9union_du_lundi?=", "Réunion du lundi"},
    {"=?ISO-8859-1?Q?Maril=F9?=", "Marilù"},
    {"=?ISO-8859-4?Q?Kashiharajing=FE-mae?=", "Kashiharajingū-mae"},
    {"=?GB2312?Q?=C0=EE=D5=B9=B7=E6?=", "李展锋"},
    {"=?UTF-8?B?44CQ6YeN6KaB6KiK5oGv44CR5Y+w6Zu7MTA15bm0?=", "【重要訊息】台電105年"},
    {"=?UTF-8?Q?=E5=8F=91=EF=BC=8C=E5=8A=BF=E5=9C=A8=E5=BF=85?=", "发，势在必"},
    {"=?iso-8859-1*sv?Q?D=F6rte_=C5._S=F6rensen=2C_Jr.?=", "Dörte Å. Sörensen, Jr."},
    {"=?UTF-16?B?//492Enc?=", "👉"},
    {"=?koi8-r?B?8NLJ18XU?=", "Привет"},
    {"=?windows-1252?B?k1NtYXJ0lCCWIIA=?=", "“Smart” – €"},
    {"=?shift_jis?B?g2WDWINn?=", "テスト"},
    {"=?ISO-2022-JP?B?GyRCRnxLXDhsJWEhPCVrJUYlOSVIGyhCICh0ZXN0aW5nIEph?= "
     "=?ISO-2022-JP?B?cGFuZXNlIGVtYWlscyk=?=",
     "日本語メールテスト (testing Japanese emails)"},
    {"=?UTF-8?Q?=E5=A4=96=E8=B4=B8=E5=AE=A2=E6=88=B7=E5=BC=80?=\t=?UTF-8?Q?=E5=8F=91?=", "外贸客户开发"},
    {"=?iso-8859-2*sl?Q?Doma=e8e?=", "Domače"},    // lower-case escapes
    {"=?UTF-8?B?5aSW6LS4 5a6i5oi3?=", "外贸客户"}, // folded inside the word
    {"=?UTF-8?Q?=E5=A4?= =?UTF-8?Q?=96?=", "外"},  // one character split over two words
    {"=?gb2312?B?gUA=?=", "丂"},                   // a GBK character under the GB2312 label
    {"Re: =?utf-8?q?Caf=C3=A9?= tomorrow", "Re: Café tomorrow"},
};

TEST(DecodeHeaderText, RealWorldWordsInTheirCharsets)
{
    for (const DecodeCase& c : kRealWorldWords) {
        EXPECT_EQ(decodeHeaderText(c.encoded), c.decoded) << c.encoded;
    }
}

TEST(DecodeHeaderText, EncodingLetters)
{
    EXPECT_EQ(decodeHeaderText("=?us-ascii?b?TWFu?="), "Man");
    EXPECT_EQ(decodeHeaderText("=?us-ascii?U?#0V%T?="), "Cat");
    EXPECT_EQ(decodeHeaderText("=?us-ascii?X?a_b=41?="), "a bA"); // unknown letters read as Q
    EXPECT_EQ(decodeHeaderText("=?utf-8?Q?=3D?="), "=");          // text that begins with "="
    EXPECT_EQ(decodeHeaderText("=?utf-8?Q?\?="), "");
}

TEST(DecodeHeaderText, BlanksGoOnlyBetweenAdjacentWords)
{
    EXPECT_EQ(decodeHeaderText("  plain subject "), "plain subject");
    EXPECT_EQ(decodeHeaderText("=?utf-8?Q?a?= \t =?iso-8859-1?Q?b?="), "ab");
    EXPECT_EQ(decodeHeaderText("=?utf-8?Q?a?= - =?utf-8?Q?b?="), "a - b");
    EXPECT_EQ(decodeHeaderText("x=?utf-8?Q?a?=y =?utf-8?Q?b?="), "xay b");
}

TEST(DecodeHeaderText, UnknownCharsetReadsAsLatin1)
{
    EXPECT_EQ(decodeHeaderText("=?x-no-such-charset?Q?=E9t=E9?="), "été");
    EXPECT_EQ(decodeHeaderText("=?\?Q?=E9?="), "=?\?Q?=E9?="); // no charset: not a word
}

TEST(DecodeHeaderText, DecodedBytesEndAtTheirFirstNul)
{
    EXPECT_EQ(decodeHeaderText("=?utf-8?Q?ab=00cd?= tail"), "ab tail");
    EXPECT_EQ(decodeHeaderText("=?utf-8?B?YQBi?="), "a");
}

TEST(DecodeHeaderText, MalformedWordsStayAsWritten)
{
    EXPECT_EQ(decodeHeaderText("=?utf-8?Q?unterminated"), "=?utf-8?Q?unterminated");
    EXPECT_EQ(decodeHeaderText("is it =? or not"), "is it =? or not");
    EXPECT_EQ(decodeHeaderText("a =?b c =?utf-8?Q?d?="), "a =?b c d");
    EXPECT_EQ(decodeHeaderText("=?"), "=?");
    EXPECT_EQ(decodeHeaderText("=?utf-8?"), "=?utf-8?");
}

TEST(DecodeHeaderText, DecodedTextIsNotDecodedAgain)
{
    // The word carries the text "=?utf-8?Q?x?=", which must reach the user as written.
    EXPECT_EQ(decodeHeaderText("=?utf-8?Q?=3D=3Futf-8=3FQ=3Fx=3F=3D?="), "=?utf-8?Q?x?=");
}

TEST(DecodeHeaderText, EncodedTextComesBack)
{
    const char* texts[] = {"two words",
                           "Pr\xC3\xBC"
                           "fung (f\xC3\xBCr) <alle>?",
                           "100% \"sure\" _ok_"};
    for (const char* text : texts) {
        EXPECT_EQ(decodeHeaderText(encodeHeaderText(text, "utf-8")), text);
    }
}

TEST(DecodeCharset, NeverDropsText)
{
    EXPECT_EQ(decodeCharset("\xE9", "ISO-8859-1"), "é");
    EXPECT_EQ(decodeCharset("\x80", "windows-1252"), "€");
    EXPECT_EQ(decodeCharset("caf\xC3\xA9", "UTF-8*fr"), "café");
    EXPECT_EQ(decodeCharset("\xCF\xF0", "cp1251"), "Пр");
    // Bytes that are not valid in the named charset, or in an unknown one, read as Latin-1.
    EXPECT_EQ(decodeCharset("a\xFF\xC3\xA9", "utf-8"), "aÿé");
    EXPECT_EQ(decodeCharset("\xC0\xEE\xFFz", "GB2312"), "李ÿz");
    EXPECT_EQ(decodeCharset("\xC0\xEE\r\n\xFF\xC0\xEE\r\n\xD5\xB9", "GB2312"), "李\r\nÿ李\r\n展");
    EXPECT_EQ(decodeCharset("x\xE9", "no-such-charset"), "xé");
    EXPECT_EQ(decodeCharset("x\xE9", ""), "xé");
    EXPECT_EQ(decodeCharset("\xB0\xA1", "ks_c_5601-1987"), "가");
}

} // namespace
} // namespace vantor::mail::codec
