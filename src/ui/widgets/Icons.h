#pragma once

#include <QColor>
#include <QIcon>

namespace vantor::ui {

// The program's pictures, drawn in code so that they scale and need no image files.
class Icons
{
public:
    // Tray images 0-4: idle, filtering, watching for new mail, building a preview, preview waiting (blink).
    static QIcon tray(int index);
    // The connection glyph of the status bar's first panel.
    static QIcon connection(bool isOnline);
    // A message of the result lists by icon index: 0-6 verdict codes, 7 not checked.
    static QIcon message(int index);
    // A folder of the mail client's store: 0 the store, 1 its local folders, 2-6 the client's own folders,
    // 7 any other.
    static QIcon storeFolder(int index);

    enum class Tool
    {
        Check,
        Accounts,
        MailClient,
        Filters,
        Setting,
        Import,
        Friend,
        About
    };
    static QIcon tool(Tool tool);

    // The mark that tells the icons of one kind apart.
    static QColor badgeColour(int index);
};

} // namespace vantor::ui
