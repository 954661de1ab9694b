#include "ui/dialogs/SettingPages.h"

#include "core/program/DisplayText.h"
#include "core/program/LanguageChoices.h"
#include "core/watch/WatchTimers.h"
#include "storage/LanguageFileInfo.h"
#include "ui/widgets/ColourSwatch.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace vantor::ui {

namespace {

using core::displayText;
using core::storedText;

// A column of widgets and nested layouts, with the spare room at the bottom.
QWidget* column(QWidget* page, std::initializer_list<QObject*> items)
{
    auto* layout = new QVBoxLayout(page);
    for (QObject* item : items) {
        if (auto* widget = qobject_cast<QWidget*>(item))
            layout->addWidget(widget);
        else
            layout->addLayout(qobject_cast<QLayout*>(item));
    }
    layout->addStretch(1);
    return page;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->addStretch(1);
    return layout;
}

QLineEdit* readOnlyField(const char* objectName, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(objectName));
    // Only the browse button fills it, so the path is always one the user picked.
    field->setReadOnly(true);
    return field;
}

QToolButton* browseButton(const char* objectName, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(QStringLiteral("..."));
    return button;
}

} // namespace

SettingPages::SettingPages(const core::HomeDirectory& home, const storage::TextTable& texts, QWidget* parent)
    : QObject(parent)
    , m_home(home)
    , m_texts(texts)
    , m_parent(parent)
{
    m_pages = {generalPage(),   clientPage(), messagerPage(), automaticPage(),
               statisticPage(), backupPage(), languagePage()};
    connect(m_automatic, &QCheckBox::toggled, this, &SettingPages::onAutomaticToggled);
    for (QRadioButton* background : {m_colourBackground, m_gradientBackground, m_imageBackground})
        connect(background, &QRadioButton::toggled, this, &SettingPages::onBackgroundChosen);
    connect(m_languages, &QListWidget::currentRowChanged, this, &SettingPages::onLanguageChanged);
}

QString SettingPages::label(const char* key, std::size_t occurrence) const
{
    return core::uiText(m_texts, "SettingLabel", key, occurrence);
}

QCheckBox* SettingPages::checkBox(const char* objectName, const char* key)
{
    auto* box = new QCheckBox(label(key), m_parent);
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

QRadioButton* SettingPages::radio(const char* objectName, const QString& text)
{
    auto* button = new QRadioButton(text, m_parent);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

QGroupBox* SettingPages::group(const char* objectName, const QString& title)
{
    auto* box = new QGroupBox(title, m_parent);
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

QWidget* SettingPages::generalPage()
{
    m_start = checkBox("StartBox", "001");
    m_autoCheck = checkBox("AutoBox", "002");
    m_report = checkBox("ReportBox", "003");
    m_noSplash = checkBox("SplashBox", "004");
    m_log = checkBox("LogBox", "005");
    m_database = checkBox("DatabaseBox", "038");
    m_startMinimize = checkBox("StartMinimizeBox", "043");
    m_xMinimize = checkBox("XMinimizeBox", "044");
    m_useKeyring = new QCheckBox(core::uiText(m_texts, "Extra", "129"), m_parent);
    m_useKeyring->setObjectName(QStringLiteral("UseKeyringBox"));
    m_deleteLogBtn = new QPushButton(core::uiText(m_texts, "SettingButton", "001"), m_parent);
    m_deleteLogBtn->setObjectName(QStringLiteral("DeleteLogBtn"));
    QGroupBox* mode = group("CheckModeGroup", label("035"));
    m_generalAutomatic = radio("GeneralAutomaticRadio", label("036", 1));
    m_generalPreview = radio("GeneralManualRadio", label("037", 1));
    column(mode, {m_generalAutomatic, m_generalPreview});
    return column(new QWidget(m_parent),
                  {m_start, m_autoCheck, m_report, m_noSplash, row({m_log, m_deleteLogBtn}), m_database,
                   m_startMinimize, m_xMinimize, m_useKeyring, mode});
}

QWidget* SettingPages::clientPage()
{
    m_clientPath = readOnlyField("ClientPathEdit", m_parent);
    QToolButton* browse = browseButton("ClientBrowseBtn", m_parent);
    connect(browse, &QToolButton::clicked, this, &SettingPages::browseClient);
    m_autoClient = checkBox("AutoClientBox", "007");
    auto* path = new QHBoxLayout;
    path->addWidget(new QLabel(label("006"), m_parent));
    path->addWidget(m_clientPath, 1);
    path->addWidget(browse);
    return column(new QWidget(m_parent), {path, m_autoClient});
}

QWidget* SettingPages::messagerPage()
{
    QGroupBox* sender = group("SenderGroup", label("039"));
    m_senderName = new QLineEdit(m_parent);
    m_senderName->setObjectName(QStringLiteral("SenderNameEdit"));
    m_senderFrom = new QLineEdit(m_parent);
    m_senderFrom->setObjectName(QStringLiteral("SenderFromEdit"));
    auto* fields = new QFormLayout(sender);
    fields->addRow(label("040"), m_senderName);
    fields->addRow(label("041"), m_senderFrom);
    m_useEMail = checkBox("UseEMailBox", "042");
    return column(new QWidget(m_parent), {sender, m_useEMail});
}

QWidget* SettingPages::automaticPage()
{
    m_automatic = checkBox("AutomaticBox", "046");
    // The two services in a box of their own, so that their radio buttons exclude only each other.
    auto* service = new QWidget(m_parent);
    m_advise = radio("AdviseRadio", label("008"));
    m_timerCheck = radio("TimerCheckRadio", label("047"));
    m_interval = new QSpinBox(m_parent);
    m_interval->setObjectName(QStringLiteral("IntervalSpin"));
    m_interval->setRange(core::WatchTimers::MinMinutes, core::WatchTimers::MaxMinutes);
    column(service,
           {m_advise, m_timerCheck,
            row({new QLabel(label("009"), m_parent), m_interval, new QLabel(label("010"), m_parent)})});
    service->layout()->setContentsMargins(0, 0, 0, 0);
    m_service = service;

    m_notifyOptions = group("NotifyGroup", label("048"));
    m_play = checkBox("PlayBox", "011");
    m_message = checkBox("MessageBox", "012");
    m_notifyAutoCheck = checkBox("AutoCheckBox", "013");
    column(m_notifyOptions, {m_play, m_message, m_notifyAutoCheck});
    m_useMode = group("UseModeGroup", label("045"));
    m_notifyAutomatic = radio("NotifyAutomaticRadio", label("036", 1));
    m_notifyPreview = radio("NotifyManualRadio", label("037", 1));
    column(m_useMode, {m_notifyAutomatic, m_notifyPreview});
    return column(new QWidget(m_parent), {m_automatic, service, m_notifyOptions, m_useMode});
}

QWidget* SettingPages::statisticPage()
{
    m_chartType = new QComboBox(m_parent);
    m_chartType->setObjectName(QStringLiteral("ChartTypeList"));
    m_chartType->addItems({QStringLiteral("Line"), QStringLiteral("Area"), QStringLiteral("Point"),
                           QStringLiteral("Bar"), QStringLiteral("Horizontal Bar"), QStringLiteral("Pie"),
                           QStringLiteral("Shapes"), QStringLiteral("Fast Line"), QStringLiteral("Arrows"),
                           QStringLiteral("Gantt"), QStringLiteral("Bubble")});
    // The chart draws lines only; the stored type is kept for the files of older versions.
    m_chartType->hide();
    m_show3D = checkBox("Show3DBox", "022");
    return column(new QWidget(m_parent),
                  {backgroundGroup(), gradientGroup(), imageGroup(), m_show3D, seriesGroup(), m_chartType});
}

QGroupBox* SettingPages::backgroundGroup()
{
    QGroupBox* background = group("BackgroundGroup", label("017"));
    m_colourBackground = radio("ColorRadio", label("014"));
    m_gradientBackground = radio("GradientRadio", label("015"));
    m_imageBackground = radio("ImageRadio", label("016"));
    // The chart has no image background: the choice is kept only as stored.
    m_imageBackground->hide();
    m_backgroundColour = new ColourSwatch("BackgroundColorSwatch", m_parent);
    column(background,
           {row({m_colourBackground, m_backgroundColour}), m_gradientBackground, m_imageBackground});
    return background;
}

QGroupBox* SettingPages::gradientGroup()
{
    m_gradient = group("GradientGroup", label("015"));
    m_gradientStart = new ColourSwatch("GradientStartSwatch", m_parent);
    m_gradientEnd = new ColourSwatch("GradientEndSwatch", m_parent);
    auto* swatches = new QFormLayout(m_gradient);
    swatches->addRow(label("023"), m_gradientStart);
    swatches->addRow(label("024"), m_gradientEnd);
    return m_gradient;
}

QGroupBox* SettingPages::imageGroup()
{
    m_image = group("ImageGroup", label("016"));
    m_imagePath = readOnlyField("ImagePathEdit", m_parent);
    QToolButton* browse = browseButton("ImageBrowseBtn", m_parent);
    connect(browse, &QToolButton::clicked, this, &SettingPages::browseImage);
    m_imageCenter = radio("CenterRadio", QStringLiteral("Center"));
    m_imageTile = radio("TileRadio", QStringLiteral("Tile"));
    m_imageStretch = radio("StretchRadio", QStringLiteral("Stretch"));
    auto* path = new QHBoxLayout;
    path->addWidget(m_imagePath, 1);
    path->addWidget(browse);
    column(m_image, {path, row({m_imageCenter, m_imageTile, m_imageStretch})});
    return m_image;
}

QGroupBox* SettingPages::seriesGroup()
{
    QGroupBox* series = group("SeriesGroup", label("018"));
    m_serieChecked = new ColourSwatch("SerieCheckedSwatch", m_parent);
    m_serieFiltered = new ColourSwatch("SerieFilteredSwatch", m_parent);
    m_serieDeleted = new ColourSwatch("SerieDeletedSwatch", m_parent);
    auto* swatches = new QFormLayout(series);
    swatches->addRow(label("019"), m_serieChecked);
    swatches->addRow(label("020"), m_serieFiltered);
    swatches->addRow(label("021"), m_serieDeleted);
    return series;
}

QWidget* SettingPages::backupPage()
{
    m_backupActive = checkBox("BackupActiveBox", "025");
    auto* note = new QLabel(label("026"), m_parent);
    m_deleteBackup = checkBox("DeleteBackupBox", "027");
    auto* part = new QWidget(m_parent);
    m_onlyHeader = radio("OnlyHeaderRadio", label("028"));
    m_allMessage = radio("AllMessageRadio", label("029"));
    column(part, {m_onlyHeader, m_allMessage});
    return column(new QWidget(m_parent), {m_backupActive, note, m_deleteBackup, part});
}

QWidget* SettingPages::languagePage()
{
    m_languages = new QListWidget(m_parent);
    m_languages->setObjectName(QStringLiteral("LanguageList"));
    m_languages->addItems(core::languageChoices(m_home));
    QGroupBox* about = group("LanguageInfoGroup", label("031"));
    m_author = new QLabel(about);
    m_author->setObjectName(QStringLiteral("AuthorLabel"));
    m_email = new QLabel(about);
    m_email->setObjectName(QStringLiteral("EMailLabel"));
    m_version = new QLabel(about);
    m_version->setObjectName(QStringLiteral("VersionLabel"));
    auto* info = new QFormLayout(about);
    info->addRow(label("032"), m_author);
    info->addRow(label("033"), m_email);
    info->addRow(label("034"), m_version);
    return column(new QWidget(m_parent), {new QLabel(label("030"), m_parent), m_languages, about});
}

void SettingPages::setValues(const core::SettingValues& values)
{
    m_loaded = values;
    const core::SettingValues::General& general = values.general;
    m_start->setChecked(general.start);
    m_autoCheck->setChecked(general.autoCheck);
    m_report->setChecked(general.report);
    m_noSplash->setChecked(general.noSplash);
    m_log->setChecked(general.log);
    m_generalAutomatic->setChecked(general.automaticMode);
    m_generalPreview->setChecked(general.previewMode);
    m_database->setChecked(general.database);
    m_startMinimize->setChecked(general.startMinimize);
    m_xMinimize->setChecked(general.xMinimize);
    m_useKeyring->setChecked(general.useKeyring);

    m_clientPath->setText(displayText(values.client.path));
    m_autoClient->setChecked(values.client.autoClient);
    m_senderName->setText(displayText(values.messager.name));
    m_senderFrom->setText(displayText(values.messager.from));
    m_useEMail->setChecked(values.messager.useEMail);

    const core::SettingValues::Notify& notify = values.notify;
    m_advise->setChecked(notify.active);
    m_timerCheck->setChecked(!notify.active);
    // The spin box holds the value to its range, so a hand-edited Time is written back within it.
    m_interval->setValue(notify.time);
    m_play->setChecked(notify.play);
    m_message->setChecked(notify.message);
    m_notifyAutoCheck->setChecked(notify.autoCheck);
    m_notifyAutomatic->setChecked(notify.automaticMode);
    m_notifyPreview->setChecked(notify.previewMode);
    m_automatic->setChecked(notify.automatic);
    onAutomaticToggled(notify.automatic);

    const core::SettingValues::Statistic& statistic = values.statistic;
    m_chartType->setCurrentIndex(statistic.type);
    m_colourBackground->setChecked(statistic.background1);
    m_gradientBackground->setChecked(statistic.background2);
    m_imageBackground->setChecked(statistic.background3);
    onBackgroundChosen();
    m_backgroundColour->setValue(statistic.backgroundColor);
    m_gradientStart->setValue(statistic.gradientStart);
    m_gradientEnd->setValue(statistic.gradientEnd);
    m_show3D->setChecked(statistic.show3D);
    m_serieChecked->setValue(statistic.serieChecked);
    m_serieFiltered->setValue(statistic.serieFiltered);
    m_serieDeleted->setValue(statistic.serieDeleted);
    m_imagePath->setText(displayText(statistic.imagePath));
    m_imageCenter->setChecked(statistic.imageType1);
    m_imageTile->setChecked(statistic.imageType2);
    m_imageStretch->setChecked(statistic.imageType3);

    m_backupActive->setChecked(values.backup.active);
    m_deleteBackup->setChecked(values.backup.deleteBackup);
    m_onlyHeader->setChecked(values.backup.onlyHeader);
    m_allMessage->setChecked(values.backup.allMessage);

    // Exactly the stored name, letter case included; otherwise no language is selected.
    const QList<QListWidgetItem*> matches =
        m_languages->findItems(displayText(values.language), Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_languages->setCurrentItem(matches.isEmpty() ? nullptr : matches.first());
    onLanguageChanged();
}

core::SettingValues SettingPages::values() const
{
    core::SettingValues values = m_loaded;
    values.general = {
        m_start->isChecked(),          m_autoCheck->isChecked(), m_report->isChecked(),
        m_noSplash->isChecked(),       m_log->isChecked(),       m_generalAutomatic->isChecked(),
        m_generalPreview->isChecked(), m_database->isChecked(),  m_startMinimize->isChecked(),
        m_xMinimize->isChecked(),      m_useKeyring->isChecked()};
    values.notify = {m_automatic->isChecked(),
                     m_advise->isChecked(),
                     m_interval->value(),
                     m_play->isChecked(),
                     m_message->isChecked(),
                     m_notifyAutoCheck->isChecked(),
                     m_notifyAutomatic->isChecked(),
                     m_notifyPreview->isChecked()};
    values.client = {storedText(m_clientPath->text()), m_autoClient->isChecked()};
    values.messager = {storedText(m_senderName->text()), storedText(m_senderFrom->text()),
                       m_useEMail->isChecked()};

    core::SettingValues::Statistic& statistic = values.statistic;
    // A stored type outside the hidden list is kept as it was.
    if (m_chartType->currentIndex() >= 0)
        statistic.type = m_chartType->currentIndex();
    statistic.background1 = m_colourBackground->isChecked();
    statistic.background2 = m_gradientBackground->isChecked();
    statistic.background3 = m_imageBackground->isChecked();
    statistic.backgroundColor = m_backgroundColour->value();
    statistic.gradientStart = m_gradientStart->value();
    statistic.gradientEnd = m_gradientEnd->value();
    statistic.show3D = m_show3D->isChecked();
    statistic.serieChecked = m_serieChecked->value();
    statistic.serieFiltered = m_serieFiltered->value();
    statistic.serieDeleted = m_serieDeleted->value();
    statistic.imagePath = storedText(m_imagePath->text());
    statistic.imageType1 = m_imageCenter->isChecked();
    statistic.imageType2 = m_imageTile->isChecked();
    statistic.imageType3 = m_imageStretch->isChecked();

    values.backup = {m_backupActive->isChecked(), m_deleteBackup->isChecked(), m_onlyHeader->isChecked(),
                     m_allMessage->isChecked()};
    const QListWidgetItem* language = m_languages->currentItem();
    values.language = language ? storedText(language->text()) : std::string();
    return values;
}

void SettingPages::onAutomaticToggled(bool isOn)
{
    for (QWidget* dependent :
         {m_service, static_cast<QWidget*>(m_notifyOptions), static_cast<QWidget*>(m_useMode)})
        dependent->setEnabled(isOn);
}

void SettingPages::onBackgroundChosen()
{
    m_gradient->setVisible(m_gradientBackground->isChecked());
    m_image->setVisible(m_imageBackground->isChecked());
}

void SettingPages::browseClient()
{
    QFileDialog dialog(m_parent, core::uiText(m_texts, "SettingList", "002"));
    dialog.setObjectName(QStringLiteral("ClientDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
#ifdef Q_OS_WIN
    dialog.setNameFilter(core::uiText(m_texts, "Extra", "044"));
#else
    // Programs here carry no extension: the dialog lists the files the user may run.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDot);
#endif
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_clientPath->setText(QDir::toNativeSeparators(dialog.selectedFiles().first()));
}

void SettingPages::browseImage()
{
    QFileDialog dialog(m_parent, core::uiText(m_texts, "Extra", "043"));
    dialog.setObjectName(QStringLiteral("ImageDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(core::uiText(m_texts, "Extra", "045"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_imagePath->setText(QDir::toNativeSeparators(dialog.selectedFiles().first()));
}

void SettingPages::onLanguageChanged()
{
    const QListWidgetItem* item = m_languages->currentItem();
    const storage::LanguageFileInfo info =
        storage::readLanguageFileInfo(m_home.nativeDir(), item ? storedText(item->text()) : std::string());
    m_author->setText(displayText(info.author));
    m_email->setText(displayText(info.email));
    m_version->setText(displayText(info.version));
}

} // namespace vantor::ui
