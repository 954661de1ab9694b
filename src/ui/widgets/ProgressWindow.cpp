#include "ui/widgets/ProgressWindow.h"

#include "core/program/DisplayText.h"

#include <QCoreApplication>

#include <limits>

namespace vantor::ui {

ProgressWindow::ProgressWindow(const QString& title, const storage::TextTable& texts, QWidget* parent)
    : m_dialog(parent)
    , m_wait(core::uiText(texts, "Extra", "096"))
{
    m_dialog.setObjectName(QStringLiteral("ProgressWindow"));
    m_dialog.setWindowTitle(title);
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setLabelText(m_wait);
    m_dialog.setCancelButtonText(QLatin1Char('&') + core::uiText(texts, "Extra", "052"));
    m_dialog.setRange(0, Steps);
    // Shown by report() alone: QProgressDialog's own timer could pop it up in the middle of a question.
    m_dialog.setMinimumDuration(std::numeric_limits<int>::max());
    m_dialog.setAutoReset(false);
    m_dialog.setAutoClose(false);
    m_dialog.hide();
    m_clock.start();
}

bool ProgressWindow::report(const QString& file, double fraction)
{
    // Work of a moment shows no window at all.
    if (!m_dialog.isVisible() && m_clock.elapsed() >= ShowAfterMs)
        m_dialog.show();
    m_dialog.setLabelText(m_wait + QLatin1Char('\n') + file);
    m_dialog.setValue(static_cast<int>(qBound(0.0, fraction, 1.0) * Steps));
    // The work runs on this thread: without this, Cancel could not be clicked and the window would freeze.
    QCoreApplication::processEvents();
    return !m_dialog.wasCanceled();
}

void ProgressWindow::pause()
{
    m_dialog.hide();
}

void ProgressWindow::finish()
{
    m_dialog.hide();
}

} // namespace vantor::ui
