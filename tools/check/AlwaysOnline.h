#pragma once

#include "platform/ConnectionDetector.h"

namespace vantor::tools {

// The command line is run where the servers are reachable; a failed connection shows in the account's row.
class AlwaysOnline : public platform::ConnectionDetector
{
    Q_OBJECT

public:
    using ConnectionDetector::ConnectionDetector;

    bool isOnline() const override { return true; }
    QString ip() const override { return QString(); }
};

} // namespace vantor::tools
