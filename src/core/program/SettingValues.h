#pragma once

#include "core/program/SettingsFile.h"
#include "storage/TextTable.h"

#include <QStringList>

#include <cstdint>
#include <string>

namespace vantor::core {

// Every key of setting.ini that the settings dialog edits, as one value: what the dialog shows when it
// opens and writes back when it closes.
struct SettingValues
{
    struct General
    {
        bool start, autoCheck, report, noSplash, log, automaticMode, previewMode, database, startMinimize,
            xMinimize, useKeyring;
    };
    struct Notify
    {
        bool automatic, active;
        int time;
        bool play, message, autoCheck, automaticMode, previewMode;
    };
    struct EMailClient
    {
        std::string path;
        bool autoClient;
    };
    struct Statistic
    {
        int type;
        bool background1, background2, background3;
        std::uint32_t backgroundColor, gradientStart, gradientEnd;
        bool show3D;
        std::uint32_t serieChecked, serieFiltered, serieDeleted;
        std::string imagePath;
        bool imageType1, imageType2, imageType3;
    };
    struct Backup
    {
        bool active, deleteBackup, onlyHeader, allMessage;
    };
    struct Messager
    {
        std::string name, from;
        bool useEMail;
    };

    General general;
    Notify notify;
    EMailClient client;
    Statistic statistic;
    Backup backup;
    Messager messager;
    std::string language;

    // Every key with its default; Language with the dialog's lower-case default. A colour key that does not
    // hold hexadecimal digits keeps its default, and a line saying so is added to *problems.
    static SettingValues read(const SettingsFile& settings, const storage::TextTable& texts,
                              QStringList* problems);
    // Every key, section by section: Notify, EMailClient, General, Statistic, Backup, Language, Messager.
    void write(SettingsFile& settings) const;
};

} // namespace vantor::core
