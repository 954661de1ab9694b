#include "ui/widgets/GaugePanel.h"

#include <algorithm>

namespace vantor::ui {

GaugePanel::GaugePanel(QWidget* parent)
    : QProgressBar(parent)
{
    setRange(0, 100);
    setTextVisible(true);
    setAlignment(Qt::AlignCenter);
    setFixedWidth(110);
    reset();
}

void GaugePanel::setProgress(int current, int total)
{
    m_text = QStringLiteral("%1/%2").arg(current).arg(total);
    // Integer percent as the counts give it; an empty mailbox shows an empty bar rather than a division by 0.
    const int percent = total > 0 ? std::clamp(current * 100 / total, 0, 100) : 0;
    setValue(percent);
    update();
}

void GaugePanel::reset()
{
    m_text = QStringLiteral("0");
    setValue(0);
    update();
}

} // namespace vantor::ui
