#include "core/program/SettingValues.h"

#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"

namespace vantor::core {

using namespace storage;

namespace {

std::uint32_t readColour(const SettingsFile& settings, const ColourSetting& setting,
                         const storage::TextTable& texts, QStringList* problems)
{
    try {
        return settings.read(setting);
    } catch (const IniConversionError& error) {
        // The colour shown is the default; closing the dialog writes it over the bad value.
        problems->append(fillPlaceholders(
            uiText(texts, "Extra", "042"),
            {displayText(setting.section), displayText(setting.key), displayText(error.what())}));
        return setting.def;
    }
}

SettingValues::General readGeneral(const SettingsFile& s)
{
    return {s.read(GeneralStart),       s.read(GeneralAuto),      s.read(GeneralReport),
            s.read(GeneralSplash),      s.read(GeneralLOG),       s.read(GeneralAutomaticMode),
            s.read(GeneralPreviewMode), s.read(GeneralDatabase),  s.read(GeneralStartMinimize),
            s.read(GeneralXMinimize),   s.read(GeneralUseKeyring)};
}

SettingValues::Notify readNotify(const SettingsFile& s)
{
    return {s.read(NotifyAutomatic),     s.read(NotifyActive),     s.read(NotifyTime),
            s.read(NotifyPlay),          s.read(NotifyMessage),    s.read(NotifyAutoCheck),
            s.read(NotifyAutomaticMode), s.read(NotifyPreviewMode)};
}

SettingValues::Statistic readStatistic(const SettingsFile& s, const storage::TextTable& texts,
                                       QStringList* problems)
{
    return {s.read(StatisticType),
            s.read(StatisticBackground1),
            s.read(StatisticBackground2),
            s.read(StatisticBackground3),
            readColour(s, StatisticBackgroundColor, texts, problems),
            readColour(s, StatisticGradientStart, texts, problems),
            readColour(s, StatisticGradientEnd, texts, problems),
            s.read(StatisticShow3D),
            readColour(s, StatisticSerieChecked, texts, problems),
            readColour(s, StatisticSerieFiltered, texts, problems),
            readColour(s, StatisticSerieDeleted, texts, problems),
            s.read(StatisticImagePath),
            s.read(StatisticImageType1),
            s.read(StatisticImageType2),
            s.read(StatisticImageType3)};
}

} // namespace

SettingValues SettingValues::read(const SettingsFile& s, const storage::TextTable& texts,
                                  QStringList* problems)
{
    SettingValues values;
    values.general = readGeneral(s);
    values.notify = readNotify(s);
    values.client = {s.read(EMailClientPath), s.read(EMailClientAutoClient)};
    values.statistic = readStatistic(s, texts, problems);
    values.backup = {s.read(BackupActive), s.read(BackupDeleteBackup), s.read(BackupOnlyHeader),
                     s.read(BackupAllMessage)};
    values.messager = {s.read(MessagerName), s.read(MessagerFrom), s.read(MessagerUseEMail)};
    values.language = s.read(LanguageLanguageDialog);
    return values;
}

void SettingValues::write(SettingsFile& s) const
{
    s.write(NotifyPlay, notify.play);
    s.write(NotifyTime, notify.time);
    s.write(NotifyActive, notify.active);
    s.write(NotifyMessage, notify.message);
    s.write(NotifyAutoCheck, notify.autoCheck);
    s.write(NotifyAutomaticMode, notify.automaticMode);
    s.write(NotifyPreviewMode, notify.previewMode);
    s.write(NotifyAutomatic, notify.automatic);

    s.write(EMailClientPath, client.path);
    s.write(EMailClientAutoClient, client.autoClient);

    s.write(GeneralStart, general.start);
    s.write(GeneralAuto, general.autoCheck);
    s.write(GeneralReport, general.report);
    s.write(GeneralSplash, general.noSplash);
    s.write(GeneralLOG, general.log);
    s.write(GeneralAutomaticMode, general.automaticMode);
    s.write(GeneralPreviewMode, general.previewMode);
    s.write(GeneralDatabase, general.database);
    s.write(GeneralStartMinimize, general.startMinimize);
    s.write(GeneralXMinimize, general.xMinimize);
    s.write(GeneralUseKeyring, general.useKeyring);

    s.write(StatisticType, statistic.type);
    s.write(StatisticBackground1, statistic.background1);
    s.write(StatisticBackground2, statistic.background2);
    s.write(StatisticBackground3, statistic.background3);
    s.write(StatisticBackgroundColor, statistic.backgroundColor);
    s.write(StatisticShow3D, statistic.show3D);
    s.write(StatisticSerieChecked, statistic.serieChecked);
    s.write(StatisticSerieFiltered, statistic.serieFiltered);
    s.write(StatisticSerieDeleted, statistic.serieDeleted);
    s.write(StatisticImagePath, statistic.imagePath);
    s.write(StatisticImageType1, statistic.imageType1);
    s.write(StatisticImageType2, statistic.imageType2);
    s.write(StatisticImageType3, statistic.imageType3);
    s.write(StatisticGradientStart, statistic.gradientStart);
    s.write(StatisticGradientEnd, statistic.gradientEnd);

    s.write(BackupActive, backup.active);
    s.write(BackupDeleteBackup, backup.deleteBackup);
    s.write(BackupOnlyHeader, backup.onlyHeader);
    s.write(BackupAllMessage, backup.allMessage);

    s.write(LanguageLanguageDialog, language);

    s.write(MessagerName, messager.name);
    s.write(MessagerFrom, messager.from);
    s.write(MessagerUseEMail, messager.useEMail);
}

} // namespace vantor::core
