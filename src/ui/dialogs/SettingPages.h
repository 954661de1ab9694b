#pragma once

#include "core/program/HomeDirectory.h"
#include "core/program/SettingValues.h"
#include "storage/TextTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWidget>

#include <vector>

namespace vantor::ui {

class ColourSwatch;

// The seven pages of the settings dialog with every control of setting.ini, and the rules that tie the
// controls together while the dialog is open.
class SettingPages : public QObject
{
    Q_OBJECT

public:
    SettingPages(const core::HomeDirectory& home, const storage::TextTable& texts, QWidget* parent);

    // General, Client, Messager, Automatic, Statistic, Backup Email, Language: the order of the dialog's
    // list.
    const std::vector<QWidget*>& pages() const { return m_pages; }

    // Sets every control, then selects the language whose name equals values.language exactly.
    void setValues(const core::SettingValues& values);
    // The controls' state; keys without a control keep what setValues() was given.
    core::SettingValues values() const;

    QPushButton& deleteLogBtn() { return *m_deleteLogBtn; }

private:
    QWidget* generalPage();
    QWidget* clientPage();
    QWidget* messagerPage();
    QWidget* automaticPage();
    QWidget* statisticPage();
    QWidget* backupPage();
    QWidget* languagePage();
    QGroupBox* backgroundGroup();
    QGroupBox* gradientGroup();
    QGroupBox* imageGroup();
    QGroupBox* seriesGroup();

    QString label(const char* key, std::size_t occurrence = 0) const;
    QCheckBox* checkBox(const char* objectName, const char* key);
    QRadioButton* radio(const char* objectName, const QString& text);
    QGroupBox* group(const char* objectName, const QString& title);

    void onAutomaticToggled(bool isOn);
    void onBackgroundChosen();
    void browseClient();
    void browseImage();
    void onLanguageChanged();

    const core::HomeDirectory& m_home;
    const storage::TextTable& m_texts;
    QWidget* m_parent;
    core::SettingValues m_loaded{};
    std::vector<QWidget*> m_pages;

    QCheckBox* m_start;
    QCheckBox* m_autoCheck;
    QCheckBox* m_report;
    QCheckBox* m_noSplash;
    QCheckBox* m_log;
    QCheckBox* m_database;
    QCheckBox* m_startMinimize;
    QCheckBox* m_xMinimize;
    QCheckBox* m_useKeyring;
    QRadioButton* m_generalAutomatic;
    QRadioButton* m_generalPreview;
    QPushButton* m_deleteLogBtn;

    QLineEdit* m_clientPath;
    QCheckBox* m_autoClient;

    QLineEdit* m_senderName;
    QLineEdit* m_senderFrom;
    QCheckBox* m_useEMail;

    QCheckBox* m_automatic;
    // The two services with the interval: enabled with the automatic mode.
    QWidget* m_service;
    QRadioButton* m_advise;
    QRadioButton* m_timerCheck;
    QSpinBox* m_interval;
    QGroupBox* m_notifyOptions;
    QCheckBox* m_play;
    QCheckBox* m_message;
    QCheckBox* m_notifyAutoCheck;
    QGroupBox* m_useMode;
    QRadioButton* m_notifyAutomatic;
    QRadioButton* m_notifyPreview;

    QComboBox* m_chartType;
    QRadioButton* m_colourBackground;
    QRadioButton* m_gradientBackground;
    QRadioButton* m_imageBackground;
    ColourSwatch* m_backgroundColour;
    QGroupBox* m_gradient;
    ColourSwatch* m_gradientStart;
    ColourSwatch* m_gradientEnd;
    QGroupBox* m_image;
    QLineEdit* m_imagePath;
    QRadioButton* m_imageCenter;
    QRadioButton* m_imageTile;
    QRadioButton* m_imageStretch;
    QCheckBox* m_show3D;
    ColourSwatch* m_serieChecked;
    ColourSwatch* m_serieFiltered;
    ColourSwatch* m_serieDeleted;

    QCheckBox* m_backupActive;
    QCheckBox* m_deleteBackup;
    QRadioButton* m_onlyHeader;
    QRadioButton* m_allMessage;

    QListWidget* m_languages;
    QLabel* m_author;
    QLabel* m_email;
    QLabel* m_version;
};

} // namespace vantor::ui
