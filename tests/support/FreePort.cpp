#include "support/FreePort.h"

#include <QHostAddress>
#include <QTcpServer>

namespace vantor::support {

quint16 freeLoopbackPort()
{
    // The port is released again at once; callers that lose the race retry with another one.
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

} // namespace vantor::support
