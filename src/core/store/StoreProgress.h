#pragma once

#include <QString>

namespace vantor::core {

// The progress window of the store backup and restore, so that their logic runs without widgets.
class StoreProgress
{
public:
    virtual ~StoreProgress() = default;

    // Shows the file at work and the share of the whole operation done (0 to 1); false once the user has
    // asked to stop.
    virtual bool report(const QString& file, double fraction) = 0;
    // Steps aside for a question; the next report shows the window again.
    virtual void pause() = 0;
    // The operation has ended.
    virtual void finish() = 0;
};

} // namespace vantor::core
