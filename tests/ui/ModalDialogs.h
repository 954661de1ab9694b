#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace vantor::test {

// The child of that object name, which the test cannot go on without.
template <typename Widget> Widget& child(QWidget& parent, const char* objectName)
{
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(objectName));
    if (!widget)
        qFatal("no child %s", objectName);
    return *widget;
}

// Watches for modal dialogs while a test drives code that opens them, records each one's object name and
// answers it: by default it closes the dialog as rejected, except those it is told to leave alone.
class ModalDialogs : public QObject
{
    Q_OBJECT

public:
    using Answer = std::function<void(QWidget& dialog)>;

    ModalDialogs();

    // Answers a file dialog with a file name, as a user typing it would.
    static Answer chooseFile(const QString& path);

    // How to answer the dialog of that object name; an empty answer leaves it open (it closes itself).
    void setAnswer(const QString& objectName, Answer answer);
    const QStringList& seen() const { return m_seen; }

private:
    void poll();

    QTimer m_timer;
    QPointer<QWidget> m_current;
    QStringList m_seen;
    QHash<QString, Answer> m_answers;
};

} // namespace vantor::test
