#include "ui/MainForm.h"

#include "core/check/CheckController.h"
#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "core/program/ProductInfo.h"
#include "core/program/SettingsFile.h"
#include "core/program/WindowPlacement.h"
#include "core/watch/WatchController.h"
#include "filter/BlackListStore.h"
#include "ui/FilterImportMenu.h"
#include "ui/MainMenu.h"
#include "ui/MainToolBar.h"
#include "ui/ResultListFileCommands.h"
#include "ui/ResultListMenu.h"
#include "ui/StoreCommands.h"
#include "ui/WindowCheckHost.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/AccountManagerDialog.h"
#include "ui/dialogs/BackupForm.h"
#include "ui/dialogs/BlackListEditor.h"
#include "ui/dialogs/CreditsDialog.h"
#include "ui/dialogs/DataForm.h"
#include "ui/dialogs/FilterForm.h"
#include "ui/dialogs/ImportAccountForm.h"
#include "ui/dialogs/LegendDialog.h"
#include "ui/dialogs/ReportForm.h"
#include "ui/dialogs/SelectImportItemsDialog.h"
#include "ui/dialogs/SettingForm.h"
#include "ui/dialogs/SpammersListDialog.h"
#include "ui/dialogs/SplashWindow.h"
#include "ui/dialogs/TipsDialog.h"
#include "ui/dialogs/UpdateDialog.h"
#include "ui/pages/DbxReaderPage.h"
#include "ui/pages/EMailManagerPage.h"
#include "ui/pages/MessagerPage.h"
#include "ui/pages/PreviewPane.h"
#include "ui/pages/ResultListsPane.h"
#include "ui/pages/StatisticPage.h"
#include "ui/pages/VantorCenterPage.h"
#include "ui/widgets/Icons.h"
#include "ui/widgets/ResultListView.h"
#include "ui/widgets/StatusPanels.h"
#include "ui/widgets/TrayController.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>

namespace vantor::ui {

namespace {

Q_LOGGING_CATEGORY(languageLog, "vantor.language", QtWarningMsg)

} // namespace

using namespace storage;
using core::uiText;

MainForm::MainForm(const Services& services, QWidget* parent)
    : QMainWindow(parent)
    , m_home(services.home)
    , m_texts(services.texts)
    , m_detector(services.detector)
    , m_prompts(services.prompts)
    , m_shell(services.shell)
    , m_accounts(services.accounts)
    , m_state(services.state)
    , m_autostart(services.autostart)
    , m_mailClientAccounts(services.mailClientAccounts)
    , m_programPath(services.programPath.isEmpty() ? QCoreApplication::applicationFilePath()
                                                   : services.programPath)
    , m_mainMenu(new MainMenu(*menuBar(), services.texts))
    , m_toolBar(new MainToolBar(services.texts, this))
    , m_statusPanels(new StatusPanels(this))
    , m_pageControl(new QTabWidget(this))
    , m_tray(new TrayController(services.texts, this))
    , m_errorLog(services.errorLog)
    , m_clock(services.clock)
    , m_help(services.help)
    , m_checkHost(std::make_unique<WindowCheckHost>(*this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(Icons::tray(0));
    resize(780, 560);
    addToolBar(m_toolBar);
    setStatusBar(m_statusPanels);
    m_sender = std::make_unique<core::Messager>(
        core::Messager::Services{m_home, m_accounts, m_texts, m_prompts, m_detector, m_clock,
                                 services.socketFactory, m_state.versionText.toStdString()});
    m_storeCommands = std::make_unique<StoreCommands>(m_home, m_texts, m_prompts);
    buildPages();
    setCentralWidget(m_pageControl);
    connectCommands();
    relabel();
}

MainForm::~MainForm() = default;

void MainForm::attach(core::CheckController& checks, core::WatchController& watch)
{
    m_checks = &checks;
    m_watch = &watch;
    connectCheckCommands();
    m_checks->lists().retitle(m_texts);
}

void MainForm::attachManager(core::Mailbox& mailbox)
{
    m_eMailManager->attach({m_home, m_texts, m_errorLog, m_prompts, m_detector, m_accounts}, mailbox);
}

core::WatchTimers& MainForm::watchTimers()
{
    return m_watch->timers();
}

void MainForm::formCreate()
{
    // The process state starts with the values of a fresh run: nothing running, no check on connection yet.
    setWindowTitle(core::ProductInfo::caption(m_state.versionText));
    m_aboutVersion = core::ProductInfo::aboutVersion(m_state.versionText);
    m_pageControl->setCurrentIndex(VantorCenter);
    m_vantorCenter->checkPages().setCurrentIndex(VantorCenterPage::ResultLists);
    m_legend = new LegendDialog(m_texts, this);
    resetProgress();
    showConnection(false);
    setStatusText(uiText(m_texts, "Status", "003"));
    listAccounts();
    applyStartupSettings();
    showConnection(m_detector.isOnline());
    m_statistic->showWeekUpToToDate();
    m_dbxReader->loadFolders(DbxReaderPage::Moment::StartUp);
    if (core::SettingsFile(m_home).read(TipsShow))
        showTips();
}

void MainForm::trayIconStartup()
{
    restorePlacement();
    const bool hasTray = TrayController::isAvailable();
    if (hasTray)
        m_tray->show();
    if (!hasTray || !core::SettingsFile(m_home).read(GeneralStartMinimize))
        show();
}

void MainForm::loadLanguage(const std::string& name)
{
    m_texts.loadLanguage(m_home.nativeDir(), name);
    // Tells a translator (QT_LOGGING_RULES="vantor.language.info=true") which file the texts came from.
    const QString path =
        QString::fromStdString(storage::TextTable::languageFilePath(m_home.nativeDir(), name));
    const QString missing =
        QFileInfo::exists(path) ? QString() : QStringLiteral(" (missing: built-in English)");
    qCInfo(languageLog).noquote() << QStringLiteral("language %1 from %2%3 - first menu: %4")
                                         .arg(QString::fromStdString(name), path, missing,
                                              uiText(m_texts, "Menu", "001"));
    relabel();
}

void MainForm::checkBtnClick()
{
    const bool isAutomatic = core::SettingsFile(m_home).read(GeneralAutomaticMode);
    startCheck(isAutomatic ? core::CheckMode::Automatic : core::CheckMode::Preview);
}

void MainForm::startCheck(core::CheckMode mode)
{
    // The tray's Check Account stays enabled during a check; a second check over the same POP3 client
    // would tangle both conversations, so the request is dropped.
    if (m_state.checkRunning)
        return;
    // The manager's session keeps the mailboxes; said at once rather than after the check's wait for it.
    if (const core::EMailManager* manager = m_eMailManager->manager(); manager && manager->isConnected()) {
        m_prompts.showError(
            core::fillPlaceholders(uiText(m_texts, "Extra", "079"), {core::displayText(manager->host())}));
        return;
    }
    emit checkRequested(mode);
    m_checks->startCheck(mode);
}

void MainForm::endProgram(core::EndReason reason)
{
    if (m_isEnding)
        return;
    m_isEnding = true;
    // A session under way is cut at once: no further command, no QUIT, so the server keeps every message
    // of it. Its check then unwinds, and EBak is left alone meanwhile.
    const bool isCheckUnderWay = m_checks->isCheckUnderWay();
    m_checks->shutDown();
    // So is a message on its way: it is either whole at the server already or not delivered at all.
    if (m_sender->isSending())
        m_sender->abort();
    if (core::EMailManager* manager = m_eMailManager->manager())
        manager->shutDown();
    core::ExitCleanup::run(reason, m_state.deleteBackupOnExit && !isCheckUnderWay, m_home);
    saveColumnWidths();
    emit ending(reason);
    m_tray->hide();
    // exit() rather than quit(): quit() would first ask every window to close, and ours refuses.
    QCoreApplication::exit(0);
}

void MainForm::setAccountProgress(int current, int total)
{
    m_statusPanels->accountGauge().setProgress(current, total);
}

void MainForm::setMessageProgress(int current, int count)
{
    m_statusPanels->messageGauge().setProgress(current, count);
}

void MainForm::resetProgress()
{
    m_statusPanels->accountGauge().reset();
    m_statusPanels->messageGauge().reset();
}

void MainForm::setStatusText(const QString& text)
{
    m_statusPanels->setStatusText(text);
}

void MainForm::setTrayState(core::TrayState state)
{
    m_tray->setState(state);
}

void MainForm::closeEvent(QCloseEvent* event)
{
    if (m_isEnding) {
        event->accept();
        return;
    }
    if (core::SettingsFile(m_home).read(GeneralXMinimize)) {
        event->ignore();
        minimizeToTray();
        return;
    }
    endProgram(core::EndReason::WindowClose);
    event->accept();
}

void MainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_state.windowShown)
        return;
    restorePlacement();
    m_state.windowShown = true;
    showConnection(m_detector.isOnline());
    loadLanguage(core::SettingsFile(m_home).read(LanguageLanguage));
    // The first paint after showing writes the placement, so a window that is never moved still has one.
    savePlacement();
}

void MainForm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    savePlacement();
}

void MainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    savePlacement();
}

void MainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        savePlacement();
}

void MainForm::buildPages()
{
    m_pageControl->setObjectName(QStringLiteral("PageControl"));
    m_vantorCenter = new VantorCenterPage(m_pageControl);
    m_eMailManager = new EMailManagerPage(m_pageControl);
    m_messager = new MessagerPage(m_pageControl);
    m_pageControl->insertTab(VantorCenter, m_vantorCenter, QString());
    m_statistic = new StatisticPage(m_pageControl, m_clock);
    m_statistic->attach(m_home, m_prompts);
    m_pageControl->insertTab(Statistic, m_statistic, QString());
    m_pageControl->insertTab(EMailManager, m_eMailManager, QString());
    m_pageControl->insertTab(Messager, m_messager, QString());
    m_messager->attach(*m_sender, m_texts, m_prompts);
    m_dbxReader = new DbxReaderPage(m_home, m_texts, m_prompts, m_pageControl);
    m_pageControl->insertTab(DbxReader, m_dbxReader, QString());
}

void MainForm::showUpdate()
{
    if (!m_update)
        m_update = new UpdateDialog({m_programPath, m_prompts, m_shell}, this);
    m_update->showUpdate();
}

void MainForm::connectCommands()
{
    using Item = MainMenu::Item;
    const auto onMenu = [this](Item item, auto slot) {
        connect(&m_mainMenu->action(item), &QAction::triggered, this, slot);
    };
    const auto onClick = [this](QToolButton& button, auto slot) {
        connect(&button, &QToolButton::clicked, this, slot);
    };
    const auto mail = [this](core::ProductInfo::Mail kind) {
        return [this, kind] { open(core::ProductInfo::mailLink(kind, m_state.versionText)); };
    };

    onClick(m_toolBar->checkBtn(), &MainForm::checkBtnClick);
    connect(&m_toolBar->checkAutomaticAction(), &QAction::triggered, this,
            [this] { startCheck(core::CheckMode::Automatic); });
    connect(&m_toolBar->checkPreviewAction(), &QAction::triggered, this,
            [this] { startCheck(core::CheckMode::Preview); });
    onClick(m_toolBar->eClientBtn(), &MainForm::runMailClient);
    onClick(m_toolBar->friendBtn(), mail(core::ProductInfo::Mail::Recommend));
    onClick(m_toolBar->aboutBtn(), &MainForm::showAbout);

    onMenu(Item::Exit, [this] { endProgram(core::EndReason::MenuExit); });
    onMenu(Item::Help, [this] { m_help.open(core::HelpManual::Context::MainWindow); });
    onMenu(Item::Credits, [this] { CreditsDialog(uiText(m_texts, "Menu", "020"), this).exec(); });
    onMenu(Item::Legend, [this] { m_legend->exec(); });
    onMenu(Item::Tips, &MainForm::showTips);
    onMenu(Item::Homepage, [this] { open(core::ProductInfo::homepage()); });
    onMenu(Item::SendEMail, [this] { m_pageControl->setCurrentIndex(Messager); });
    onMenu(Item::SendBugReport, mail(core::ProductInfo::Mail::BugReport));
    onMenu(Item::SendTranslateRequest, mail(core::ProductInfo::Mail::TranslateRequest));
    onMenu(Item::SendSpammersList,
           [this] { SpammersListDialog(m_texts, m_shell, m_state.versionText, this).exec(); });
    onMenu(Item::BlackListEditor, [this] {
        const filter::BlackListStore lists(m_home.nativeDir());
        BlackListEditor({lists, m_texts, m_prompts}, this).exec();
    });
    onMenu(Item::ImportAccounts, [this] { importAccounts(this); });
    onMenu(Item::BackupEMails, [this] { m_storeCommands->backupEMails(this); });
    onMenu(Item::RestoreEMails, [this] {
        m_storeCommands->restoreEMails(this);
        // The page shows the store as it is now, restored folders included.
        m_dbxReader->loadFolders(DbxReaderPage::Moment::UpdateButton);
    });
    onMenu(Item::EMailBackup,
           [this] { BackupForm::showBackups(m_home.nativeDir(), m_texts, m_prompts, this); });
    onMenu(Item::About, &MainForm::showAbout);
    onMenu(Item::CheckUpdate, &MainForm::showUpdate);

    connect(&m_tray->aboutAction(), &QAction::triggered, this, &MainForm::showAbout);
    connect(&m_tray->closeAction(), &QAction::triggered, this,
            [this] { endProgram(core::EndReason::TrayClose); });
    connect(&m_tray->checkAction(), &QAction::triggered, this, [this] {
        m_pageControl->setCurrentIndex(VantorCenter);
        checkBtnClick();
    });
    connect(&m_tray->showAction(), &QAction::triggered, this, &MainForm::showWindow);
    connect(m_tray, &TrayController::activated, this, &MainForm::showWindow);
    onMenu(Item::Filters, &MainForm::filterBtnClick);
    onClick(m_toolBar->filterBtn(), &MainForm::filterBtnClick);
    onMenu(Item::Setting, &MainForm::settingBtnClick);
    onClick(m_toolBar->settingBtn(), &MainForm::settingBtnClick);
    connect(&m_tray->settingAction(), &QAction::triggered, this, &MainForm::settingBtnClick);

    connect(m_pageControl, &QTabWidget::currentChanged, this,
            [this] { m_toolBar->importButton().setEnabled(false); });
    connect(&m_detector, &platform::ConnectionDetector::changed, this, &MainForm::onConnectionChanged);
    // Log-off and shutdown end the program at once; the backups stay.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { endProgram(core::EndReason::SessionEnd); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { m_isEnding = true; });
}

void MainForm::relabel()
{
    m_mainMenu->relabel();
    m_toolBar->relabel();
    m_tray->relabel();
    static constexpr const char* TabKeys[] = {"001", "002", "003", "004", "005"};
    for (int page = VantorCenter; page <= DbxReader; ++page)
        m_pageControl->setTabText(page, uiText(m_texts, "Tab", TabKeys[page]));
    m_statusPanels->setLabels(uiText(m_texts, "Extra", "001"), uiText(m_texts, "Extra", "002"));
    showConnection(m_statusPanels->isShowingOnline());
    if (!m_state.checkRunning && !m_state.watchRunning)
        setStatusText(uiText(m_texts, "Status", "003"));
    m_eMailManager->relabel(m_texts);
    m_messager->relabel(m_texts);
    m_dbxReader->relabel();
    if (m_checks)
        m_checks->lists().retitle(m_texts);
    if (m_listMenu) {
        m_listMenu->relabel();
        m_importMenu->relabel();
    }
    m_vantorCenter->previewPage().relabel(m_texts);
    m_statistic->relabel(m_texts);
}

void MainForm::listAccounts()
{
    QStringList all;
    QStringList sending;
    if (m_accounts.exists()) {
        for (const core::AccountEntry& entry : m_accounts.readAll()) {
            const QString description = core::displayText(entry.description);
            all.append(description);
            if (entry.smtpServer != core::AccountStore::Missing && !entry.smtpServer.empty())
                sending.append(description);
        }
    }
    m_eMailManager->setAccounts(all);
    m_messager->setAccounts(sending);
}

void MainForm::applyStartupSettings()
{
    core::SettingsFile settings(m_home);
    m_watch->armAtStartUp();
    loadLanguage(settings.read(LanguageLanguage));
    if (!settings.read(GeneralSplash))
        SplashWindow(m_aboutVersion, this).exec();
    m_state.deleteBackupOnExit = settings.read(BackupDeleteBackup);
    const QString senderName = core::displayText(settings.read(MessagerName));
    const QString senderAddress = core::displayText(settings.read(MessagerFrom));
    applyPlacement(core::WindowPlacement::read(settings));
    m_vantorCenter->restoreColumnWidths(settings);
    m_messager->setSenderDefaults(senderName, senderAddress);
}

void MainForm::applyPlacement(const core::WindowPlacement& placement)
{
    if (placement.isMaximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    resize(placement.width.value_or(width()), placement.height.value_or(height()));
    const QRect wanted(QPoint(placement.left.value_or(x()), placement.top.value_or(y())), size());
    // A position saved on a monitor that is no longer attached would put the window out of reach.
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool isReachable = std::any_of(screens.begin(), screens.end(), [&wanted](const QScreen* screen) {
        return screen->availableGeometry().intersects(wanted);
    });
    if (isReachable)
        move(wanted.topLeft());
}

void MainForm::restorePlacement()
{
    applyPlacement(core::WindowPlacement::read(core::SettingsFile(m_home)));
}

void MainForm::savePlacement()
{
    if (!m_state.windowShown || !isVisible() || m_isEnding)
        return;
    core::WindowPlacement placement;
    placement.isMaximized = isMaximized();
    // The normal bounds, so that a window restored from maximized comes back where it was.
    const QRect bounds = placement.isMaximized ? normalGeometry() : QRect(pos(), size());
    placement.left = bounds.x();
    placement.top = bounds.y();
    placement.width = bounds.width();
    placement.height = bounds.height();
    core::SettingsFile settings(m_home);
    placement.write(settings);
    settings.save();
}

void MainForm::saveColumnWidths()
{
    core::SettingsFile settings(m_home);
    m_vantorCenter->saveColumnWidths(settings);
    settings.save();
}

void MainForm::showConnection(bool isOnline)
{
    m_statusPanels->setConnection(isOnline, uiText(m_texts, "Status", isOnline ? "001" : "002"));
}

void MainForm::onConnectionChanged(bool isOnline)
{
    showConnection(isOnline);
    if (!isOnline || m_state.autoCheckDone)
        return;
    m_state.autoCheckDone = true;
    if (core::SettingsFile(m_home).read(GeneralAuto))
        checkBtnClick();
}

void MainForm::runMailClient()
{
    const QString path = core::displayText(core::SettingsFile(m_home).read(EMailClientPath));
    if (path.isEmpty()) {
        m_prompts.showError(uiText(m_texts, "Message", "015"));
        return;
    }
    if (!m_shell.runProgram(path))
        m_prompts.showError(core::fillPlaceholders(uiText(m_texts, "Extra", "003"), {path}));
}

void MainForm::showTips()
{
    TipsDialog tips(m_texts, core::SettingsFile(m_home).read(TipsShow), this);
    tips.exec();
    core::SettingsFile settings(m_home);
    settings.write(TipsShow, tips.showAtStart());
    settings.save();
}

void MainForm::showAbout()
{
    AboutDialog(uiText(m_texts, "Menu", "016"), m_aboutVersion, this).exec();
}

void MainForm::showWindow()
{
    m_pageControl->setCurrentIndex(VantorCenter);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainForm::minimizeToTray()
{
    if (TrayController::isAvailable())
        hide();
    else
        showMinimized();
}

void MainForm::open(const QUrl& url)
{
    m_shell.openUrl(url);
}

void MainForm::connectCheckCommands()
{
    ResultListsPane& results = m_vantorCenter->resultListsPage();
    PreviewPane& preview = m_vantorCenter->previewPage();
    results.attach(m_checks->lists());
    preview.attach(m_checks->lists());
    connect(&preview.finishBtn(), &QPushButton::clicked, m_checks, &core::CheckController::finishPreview);
    connect(&preview.abortBtn(), &QPushButton::clicked, m_checks, &core::CheckController::abortPreview);
    connect(&preview.previewList(), &ResultListView::rowSelected, m_checks,
            &core::CheckController::selectPreviewRow);

    m_listMenu = new ResultListMenu(m_accounts, m_shell, m_toolBar->importButton(), m_texts, this);
    m_listMenu->attach(results.eMailList(), results.eMailDList(), preview.previewList());
    m_importMenu =
        new FilterImportMenu(m_toolBar->importMenu(), *m_listMenu, m_home, m_texts, m_prompts, this);
    connect(m_listMenu, &ResultListMenu::messagerRequested, this, [this](const QString& recipient) {
        m_messager->setRecipient(recipient);
        m_pageControl->setCurrentIndex(Messager);
    });
    connect(&results.accountList(), &QAbstractItemView::pressed, this,
            [this] { m_toolBar->importButton().setEnabled(false); });

    m_toolBar->accountBtn().setEnabled(true);
    QAction& accounts = m_mainMenu->action(MainMenu::Item::Accounts);
    accounts.setEnabled(true);
    connect(&accounts, &QAction::triggered, this, &MainForm::openAccountManager);
    connect(&m_toolBar->accountBtn(), &QToolButton::clicked, this, &MainForm::openAccountManager);
    QAction& lastReport = m_mainMenu->action(MainMenu::Item::LastReport);
    lastReport.setEnabled(true);
    connect(&lastReport, &QAction::triggered, this, &MainForm::showLastReport);
    QAction& database = m_mainMenu->action(MainMenu::Item::DeleteDatabase);
    database.setEnabled(true);
    connect(&database, &QAction::triggered, this,
            [this] { DataForm::showDatabase(m_home.nativeDir(), m_texts, m_prompts, this); });
    connect(&m_tray->notifyAction(), &QAction::triggered, m_watch, &core::WatchController::toggleNotify);
    connectListFileCommands();
}

void MainForm::connectListFileCommands()
{
    using Item = MainMenu::Item;
    using Which = ResultListFileCommands::Which;
    m_listFiles = std::make_unique<ResultListFileCommands>(m_checks->lists(), m_texts, m_prompts, *this);
    const auto onMenu = [this](Item item, void (ResultListFileCommands::*command)(Which), Which which) {
        QAction& action = m_mainMenu->action(item);
        action.setEnabled(true);
        connect(&action, &QAction::triggered, this,
                [this, command, which] { (*m_listFiles.*command)(which); });
    };
    onMenu(Item::SaveFilteredList, &ResultListFileCommands::saveList, Which::Filtered);
    onMenu(Item::SaveDeletedList, &ResultListFileCommands::saveList, Which::Deleted);
    onMenu(Item::ViewFilteredList, &ResultListFileCommands::viewList, Which::Filtered);
    onMenu(Item::ViewDeletedList, &ResultListFileCommands::viewList, Which::Deleted);
}

void MainForm::openAccountManager()
{
    AccountManagerDialog dialog({m_accounts, m_home, m_texts, m_prompts, m_help}, this);
    connect(&dialog, &AccountManagerDialog::importRequested, this,
            [this, &dialog] { importAccounts(&dialog); });
    dialog.exec();
    listAccounts();
}

void MainForm::filterBtnClick()
{
    const auto importContacts = [this] {
        return SelectImportItemsDialog::importFromFile(QApplication::activeModalWidget(), m_texts, m_prompts);
    };
    FilterForm({m_home, m_texts, m_prompts, importContacts}, this).exec();
}

void MainForm::importAccounts(QWidget* parent)
{
    ImportAccountForm({m_accounts, m_texts, m_prompts, m_mailClientAccounts,
                       core::SettingsFile(m_home).read(storage::GeneralUseKeyring)},
                      parent)
        .exec();
    listAccounts();
}

void MainForm::showLastReport()
{
    ReportForm::showLastReport(m_checks->lastReport(), m_texts, m_prompts, this);
}

void MainForm::settingBtnClick()
{
    m_pageControl->setCurrentIndex(VantorCenter);
    m_toolBar->checkBtn().setEnabled(true);
    m_tray->checkAction().setEnabled(true);
    SettingForm dialog({m_home, m_texts, m_prompts, m_autostart, m_state}, this);
    if (!dialog.readProblems().isEmpty())
        m_prompts.showError(dialog.readProblems().join(QLatin1Char('\n')));
    dialog.exec();
    if (dialog.isSaved())
        applySettings(dialog.values());
}

void MainForm::applySettings(const core::SettingValues& values)
{
    m_watch->setupWatchTimers();
    m_messager->setSenderDefaults(core::displayText(values.messager.name),
                                  core::displayText(values.messager.from));
    loadLanguage(values.language);
}

} // namespace vantor::ui
