#include "mail/proto/SmtpReplies.h"

namespace vantor::mail::proto {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool startsWithCode(std::string_view text)
{
    return text.size() >= 3 && isDigit(text[0]) && isDigit(text[1]) && isDigit(text[2]);
}

} // namespace

bool isSmtpFinalLine(std::string_view line)
{
    return !(startsWithCode(line) && line.size() > 3 && line[3] == '-');
}

bool smtpReplyHasCode(std::string_view reply, std::string_view code)
{
    return code.size() == 3 && reply.substr(0, 3) == code;
}

bool isSmtpRefusalPiece(std::string_view piece)
{
    return startsWithCode(piece) && piece[0] >= '5' && piece.ends_with("\r\n");
}

std::string smtpDataBlock(std::string_view text)
{
    std::string block;
    block.reserve(text.size() + text.size() / 64 + 5);
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && c == '.')
            block += '.';
        block += c;
        lineStart = c == '\n';
    }
    block += text.ends_with("\r\n") ? ".\r\n" : "\r\n.\r\n";
    return block;
}

} // namespace vantor::mail::proto
