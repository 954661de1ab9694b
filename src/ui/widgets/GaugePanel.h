#pragma once

#include <QProgressBar>

namespace vantor::ui {

// A status-bar gauge: the text "current/total" over a bar at current*100/total percent; "0" when idle.
class GaugePanel : public QProgressBar
{
    Q_OBJECT

public:
    explicit GaugePanel(QWidget* parent = nullptr);

    void setProgress(int current, int total);
    void reset();

    QString text() const override { return m_text; }

private:
    QString m_text;
};

} // namespace vantor::ui
