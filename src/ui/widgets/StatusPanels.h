#pragma once

#include "ui/widgets/GaugePanel.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace vantor::ui {

// The main window's status bar: connection state, "Accounts:" with its gauge, "EMails:" with its gauge, and
// the status text. TimerStatus repaints it every 250 ms so the gauges move while a check keeps the loop busy.
class StatusPanels : public QStatusBar
{
    Q_OBJECT

public:
    static constexpr int RepaintInterval = 250;

    explicit StatusPanels(QWidget* parent = nullptr);

    // Panel 0: the glyph and the text for the state.
    void setConnection(bool isOnline, const QString& text);
    bool isShowingOnline() const { return m_isOnline; }
    QString connectionText() const { return m_connectionText->text(); }

    GaugePanel& accountGauge() { return *m_accountGauge; }
    GaugePanel& messageGauge() { return *m_messageGauge; }
    void setStatusText(const QString& text);
    QString statusText() const { return m_statusText->text(); }
    // Captions of the two gauge labels.
    void setLabels(const QString& accounts, const QString& emails);

private:
    QLabel* m_connectionGlyph;
    QLabel* m_connectionText;
    QLabel* m_accountsLabel;
    GaugePanel* m_accountGauge;
    QLabel* m_emailsLabel;
    GaugePanel* m_messageGauge;
    QLabel* m_statusText;
    QTimer m_timerStatus;
    bool m_isOnline = false;
};

} // namespace vantor::ui
