#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace vantor::core {

// Where the update check looks: the information file beside the program and the address it names, and the
// small text files the publisher's server answers with.
class UpdateSource
{
public:
    // The program file's full name with its extension replaced by ".inf".
    static QString informationFile(const QString& programPath);
    // The program file's name without its extension, which names the line of the information file.
    static QString programName(const QString& programPath);

    // The value of the line "name=value" of text whose name equals name without regard to letter case,
    // with blanks around it removed; empty when no line has that name.
    static QString value(const QByteArray& text, const QString& name);

    // The source base: the http or https address the information file gives for the program; an
    // invalid URL when the file has no such line or names another kind of address.
    static QUrl sourceBase(const QByteArray& informationText, const QString& programName);

    // The address of base + suffix (".exe", ".ver"), added to the last path segment.
    static QUrl withSuffix(const QUrl& base, const QString& suffix);

    // Whether a request for from may go on to to: on the same host (never from https down to http), and
    // to another host only over https.
    static bool isRedirectAllowed(const QUrl& from, const QUrl& to);
};

} // namespace vantor::core
