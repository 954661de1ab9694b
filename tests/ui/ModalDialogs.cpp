#include "ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>

namespace vantor::test {

ModalDialogs::ModalDialogs()
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalDialogs::poll);
    m_timer.start();
}

ModalDialogs::Answer ModalDialogs::chooseFile(const QString& path)
{
    return [path](QWidget& dialog) {
        // Typed into the name field: selectFile() leaves a focused field alone, so it would race the focus.
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name)
            qFatal("the file dialog %s has no name field", qPrintable(dialog.objectName()));
        name->setText(path);
        // accept() is protected in QFileDialog; QDialog's is public and reaches it.
        static_cast<QDialog&>(static_cast<QFileDialog&>(dialog)).accept();
    };
}

void ModalDialogs::setAnswer(const QString& objectName, Answer answer)
{
    m_answers.insert(objectName, std::move(answer));
}

void ModalDialogs::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_current)
        return;
    m_current = modal;
    m_seen.append(modal->objectName());
    const auto answer = m_answers.find(modal->objectName());
    if (answer == m_answers.end()) {
        // done() rather than reject(): some dialogs refuse Escape and the close box on purpose.
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        return;
    }
    if (*answer)
        (*answer)(*modal);
}

} // namespace vantor::test
