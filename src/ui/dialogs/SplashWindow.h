#pragma once

#include <QDialog>
#include <QTimer>

namespace vantor::ui {

// The window shown at start; it closes itself after Duration ms.
class SplashWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int Duration = 3000;

    SplashWindow(const QString& version, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTimer m_timer;
};

} // namespace vantor::ui
