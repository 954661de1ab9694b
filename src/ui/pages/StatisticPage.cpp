#include "ui/pages/StatisticPage.h"

#include "core/program/DisplayText.h"
#include "core/program/EnsureExtension.h"
#include "core/reports/StatisticChartSource.h"
#include "ui/widgets/ChartWidget.h"
#include "ui/widgets/SaveFileDialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vantor::ui {

namespace {

struct ImageType
{
    const char* filterKey; // among the texts of our own ("Extra")
    const char* extension;
    const char* format;
};

// PNG first: it is lossless and small; BMP for the programs that take nothing else.
constexpr ImageType ImageTypes[] = {
    {"037", "png", "PNG"},
    {"038", "bmp", "BMP"},
};

QLabel* namedLabel(const char* objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

QDate localDate(const base::Clock& clock)
{
    const std::tm local = clock.localCalendar();
    return QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

QDateEdit* datePicker(const char* objectName, QDate date, QWidget* parent)
{
    auto* picker = new QDateEdit(date, parent);
    picker->setObjectName(QString::fromLatin1(objectName));
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return picker;
}

} // namespace

StatisticPage::StatisticPage(QWidget* parent, const base::Clock& clock)
    : QWidget(parent)
    , m_fromLabel(namedLabel("FromLabel", this))
    , m_fromDate(datePicker("Data1", localDate(clock), this))
    , m_toLabel(namedLabel("ToLabel", this))
    , m_toDate(datePicker("Data2", localDate(clock), this))
    , m_repaintBtn(new QPushButton(this))
    , m_saveChartBtn(new QPushButton(this))
    , m_chart(new ChartWidget(this))
    , m_legendLabel(namedLabel("LegendLabel", this))
    , m_checkedLabel(namedLabel("CheckedLabel", this))
    , m_filteredLabel(namedLabel("FilteredLabel", this))
    , m_deletedLabel(namedLabel("DeletedLabel", this))
{
    setObjectName(QStringLiteral("StatisticPage"));
    m_repaintBtn->setObjectName(QStringLiteral("RepaintBtn"));
    m_saveChartBtn->setObjectName(QStringLiteral("SaveChartBtn"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildRangeRow());
    layout->addWidget(m_chart, 1);
    layout->addLayout(buildLegendRow());

    const auto onDateChanged = [this] {
        if (!m_isSettingRange)
            refresh();
    };
    connect(m_fromDate, &QDateEdit::dateChanged, this, onDateChanged);
    connect(m_toDate, &QDateEdit::dateChanged, this, onDateChanged);
    connect(m_repaintBtn, &QPushButton::clicked, this, &StatisticPage::refresh);
    connect(m_saveChartBtn, &QPushButton::clicked, this, &StatisticPage::saveChartBtnClick);
}

QLayout* StatisticPage::buildRangeRow()
{
    auto* row = new QHBoxLayout;
    row->addWidget(m_fromLabel);
    row->addWidget(m_fromDate);
    row->addWidget(m_toLabel);
    row->addWidget(m_toDate);
    row->addWidget(m_repaintBtn);
    row->addWidget(m_saveChartBtn);
    row->addStretch();
    return row;
}

QLayout* StatisticPage::buildLegendRow()
{
    auto* row = new QHBoxLayout;
    row->addWidget(m_legendLabel);
    row->addWidget(m_checkedLabel);
    row->addWidget(new QLabel(QStringLiteral("-"), this));
    row->addWidget(m_filteredLabel);
    row->addWidget(new QLabel(QStringLiteral("-"), this));
    row->addWidget(m_deletedLabel);
    row->addStretch();
    return row;
}

void StatisticPage::attach(const core::HomeDirectory& home, core::UserPrompts& prompts)
{
    m_home = &home;
    m_prompts = &prompts;
}

void StatisticPage::relabel(const storage::TextTable& texts)
{
    using core::uiText;
    m_fromLabel->setText(uiText(texts, "Label", "001"));
    m_toLabel->setText(uiText(texts, "Label", "002"));
    m_repaintBtn->setText(uiText(texts, "Button", "004"));
    m_saveChartBtn->setText(uiText(texts, "Button", "001"));
    m_legendLabel->setText(uiText(texts, "Label", "007"));
    m_checkedLabel->setText(uiText(texts, "Label", "008"));
    m_filteredLabel->setText(uiText(texts, "Label", "009"));
    m_deletedLabel->setText(uiText(texts, "Label", "010"));
    m_saveTitle = uiText(texts, "Button", "001");
    m_fileError = uiText(texts, "Message", "039");
    m_imageFilters.clear();
    for (const ImageType& type : ImageTypes)
        m_imageFilters.append(uiText(texts, "Extra", type.filterKey));
}

void StatisticPage::showWeekUpToToDate()
{
    const QDate to = m_toDate->date();
    setRange(to.addDays(-7), to);
}

void StatisticPage::setRange(QDate from, QDate to)
{
    m_isSettingRange = true;
    m_fromDate->setDate(from);
    m_toDate->setDate(to);
    m_isSettingRange = false;
    refresh();
}

void StatisticPage::refresh()
{
    if (!m_home)
        return;
    const core::StatisticChartSource source(*m_home);
    const core::ChartLook look = source.look();
    m_chart->draw(look, source.series(m_fromDate->date(), m_toDate->date()), m_fromDate->date());
    colourLegend(*m_checkedLabel, look.checked);
    colourLegend(*m_filteredLabel, look.filtered);
    colourLegend(*m_deletedLabel, look.deleted);
}

void StatisticPage::saveChartBtnClick()
{
    const auto choice =
        SaveFileDialog::run(this, QStringLiteral("SaveChartDialog"), m_saveTitle, m_imageFilters);
    if (!choice)
        return;
    const ImageType& type = ImageTypes[choice->filterIndex];
    const QString path = core::ensureExtension(choice->fileName, QString::fromLatin1(type.extension));
    if (!m_chart->saveImage(path, type.format) && m_prompts)
        m_prompts->showError(m_fileError + QLatin1Char('\n') + path);
}

void StatisticPage::colourLegend(QLabel& label, std::uint32_t colour)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, ChartWidget::colour(colour));
    label.setPalette(palette);
}

} // namespace vantor::ui
