#pragma once

#include "core/program/UserPrompts.h"

#include <QPointer>
#include <QWidget>

namespace vantor::ui {

// The program's boxes as the desktop draws them: QMessageBox for errors and questions, QInputDialog for the
// password. parent is the window the boxes centre on; it may change (setParentWidget) once the window exists.
class MessageBoxPrompts : public core::UserPrompts
{
public:
    explicit MessageBoxPrompts(QWidget* parent = nullptr);

    void setParentWidget(QWidget* parent) { m_parent = parent; }

    void showError(const QString& text) override;
    bool askYesNo(const QString& question) override;
    bool askOkCancel(const QString& warning) override;
    QString askPassword(const QString& title, const QString& label) override;
    QString askText(const QString& title, const QString& label) override;
    Choice askYesNoCancel(const QString& question, Choice defaultChoice) override;

private:
    // The open modal dialog (the filter editor, say) when there is one, so that the box sits over it.
    QWidget* boxParent() const;
    QString askLine(const QString& title, const QString& label, int echoMode);

    QPointer<QWidget> m_parent;
};

} // namespace vantor::ui
