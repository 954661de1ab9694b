#pragma once

#include "mail/net/TalkError.h"

#include <string_view>

namespace vantor::mail::net {

// What the owner of a socket conversation (a POP3 or SMTP client) hears of it. The owner judges every
// reply by setting success; the views are valid only during the call.
class ConversationListener
{
public:
    virtual ~ConversationListener() = default;

    // A whole reply has arrived for step (0 when nothing was awaited or the wait was cancelled).
    virtual void replyComplete(int step, bool& success, std::string_view reply) = 0;
    // A piece of data has arrived, before the completeness test; startsReply: it is the reply's first.
    // The owner may cancel the wait here when the piece already shows a failure.
    virtual void dataReceived(int step, bool& success, std::string_view piece, bool startsReply) = 0;
    // A socket error or time-out ended the wait.
    virtual void talkError(int step, TalkError kind) = 0;
    // The peer closed the connection.
    virtual void talkDisconnected() = 0;
};

} // namespace vantor::mail::net
