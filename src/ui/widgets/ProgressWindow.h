#pragma once

#include "core/store/StoreProgress.h"
#include "storage/TextTable.h"

#include <QElapsedTimer>
#include <QProgressDialog>

namespace vantor::ui {

// The "wait ..." window with a bar and Cancel over a long archive operation. It appears only when the work
// lasts, keeps the window responsive between reports, and steps aside while a question is asked.
class ProgressWindow : public core::StoreProgress
{
public:
    ProgressWindow(const QString& title, const storage::TextTable& texts, QWidget* parent);

    bool report(const QString& file, double fraction) override;
    void pause() override;
    void finish() override;

    QProgressDialog& dialog() { return m_dialog; }

private:
    static constexpr int Steps = 1000;
    static constexpr qint64 ShowAfterMs = 400;

    QProgressDialog m_dialog;
    QString m_wait;
    QElapsedTimer m_clock;
};

} // namespace vantor::ui
