#include "ui/stats/statisticswindow.h"

#include "core/base/groupednumber.h"
#include "core/export/statisticslisting.h"
#include "core/fileformat/atomicfile.h"
#include "ui/stats/statschart.h"
#include "ui/support/qttext.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace discora {

namespace {

constexpr int kChartColumns = 2;

// A plain count with its thousands grouped, as the status bar shows counts; other figures as they are.
QString shownValue(const std::string& value)
{
    if (!value.empty() &&
        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return toQt(groupedNumber(std::stoll(value)));
    return toQt(value);
}

QString fileNameOf(const std::string& title)
{
    QString name;
    for (const QChar c : toQt(title).toLower())
        name += c.isLetterOrNumber() ? c : QChar('-');
    return name + QStringLiteral(".png");
}

Status writeBytes(const QString& fileName, const QByteArray& bytes)
{
    return writeFileAtomically(toPath(fileName),
                               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace

StatisticsWindow::StatisticsWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Statistics"));
    setSizeGripEnabled(true);
    m_scope = new QLabel(this);
    m_scope->setWordWrap(true);
    m_scope->setTextFormat(Qt::PlainText);
    m_totals = new QLabel(this);
    m_totals->setTextFormat(Qt::RichText);
    m_totals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_totals->setAccessibleName(QStringLiteral("Totals"));

    m_chartArea = new QWidget;
    m_chartGrid = new QGridLayout(m_chartArea);
    for (int c = 0; c < kChartColumns; ++c)
        m_chartGrid->setColumnStretch(c, 1);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(m_chartArea);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    const auto addButton = [&](const QString& text, void (StatisticsWindow::*slot)()) {
        QPushButton* button = buttons->addButton(text, QDialogButtonBox::ActionRole);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        m_outputButtons.push_back(button);
    };
    addButton(QStringLiteral("Save as &PDF..."), &StatisticsWindow::askToSaveReport);
    addButton(QStringLiteral("Save Charts as P&NG..."), &StatisticsWindow::askToSaveImages);
    addButton(QStringLiteral("P&rint..."), &StatisticsWindow::askToPrint);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_scope);
    layout->addWidget(m_totals);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(buttons);
    resize(1000, 760);
}

void StatisticsWindow::showWorking()
{
    m_scope->setText(QStringLiteral("Working out the statistics..."));
    for (QPushButton* button : m_outputButtons)
        button->setEnabled(false);
}

void StatisticsWindow::setStatistics(const CollectionStatistics& stats, const QString& scope,
                                     const std::array<std::string, kFilterCount>& shownBy)
{
    m_stats = stats;
    m_scope->setText(scope);
    QString totals = QStringLiteral("<table cellspacing=\"2\"><tr>");
    const StatisticsSection section = statisticsTotals(stats);
    int column = 0;
    for (const StatisticsFigure& figure : section.figures) {
        if (column == 4) {
            totals += QStringLiteral("</tr><tr>");
            column = 0;
        }
        totals += QStringLiteral("<td>%1:</td><td align=\"right\"><b>%2</b>&nbsp;&nbsp;&nbsp;</td>")
                      .arg(toQt(figure.name).toHtmlEscaped(), shownValue(figure.value).toHtmlEscaped());
        ++column;
    }
    m_totals->setText(totals + QStringLiteral("</tr></table>"));

    for (StatsChart* chart : m_charts)
        delete chart;
    m_charts.clear();
    for (StatisticsChart& data : statisticsCharts(stats, shownBy)) {
        auto* chart = new StatsChart(std::move(data), m_chartArea);
        connect(chart, &StatsChart::categoryClicked, this, [this, chart](std::size_t category) {
            if (const auto& filter = chart->chart().filters[category])
                emit filterChosen(*filter);
        });
        m_charts.push_back(chart);
    }
    // Two charts a row; a chart of many bars (the years) takes a row of its own.
    int row = 0;
    int place = 0;
    for (StatsChart* chart : m_charts) {
        const bool wide = chart->chart().categories.size() > 20;
        if (wide && place != 0) {
            ++row;
            place = 0;
        }
        m_chartGrid->addWidget(chart, row, place, 1, wide ? kChartColumns : 1);
        place = wide ? kChartColumns : place + 1;
        if (place == kChartColumns) {
            ++row;
            place = 0;
        }
    }
    for (QPushButton* button : m_outputButtons)
        button->setEnabled(true);
}

QString StatisticsWindow::scopeText() const
{
    return m_scope->text();
}

QString StatisticsWindow::totalsText() const
{
    return m_totals->text();
}

void StatisticsWindow::paintReport(QPainter& painter, QPagedPaintDevice& device)
{
    const QRectF area(0, 0, device.width(), device.height());
    QFont font = painter.font();
    font.setPointSizeF(18);
    painter.setFont(font);
    const double line = painter.fontMetrics().lineSpacing();
    painter.drawText(QRectF(0, 0, area.width(), line * 1.5), Qt::AlignLeft, QStringLiteral("Statistics"));
    font.setPointSizeF(10);
    painter.setFont(font);
    const double small = painter.fontMetrics().lineSpacing();
    double y = line * 1.6;
    const QRectF scopeRect(0, y, area.width(), small * 3);
    QRectF used;
    painter.drawText(scopeRect, Qt::TextWordWrap, m_scope->text(), &used);
    y += used.height() + small;
    for (const StatisticsFigure& figure : statisticsTotals(m_stats).figures) {
        painter.drawText(QRectF(0, y, area.width() / 3, small), Qt::AlignLeft, toQt(figure.name));
        painter.drawText(QRectF(area.width() / 3, y, area.width() / 4, small), Qt::AlignRight,
                         shownValue(figure.value));
        y += small;
    }
    // Two charts a page, each in half of it.
    const double half = area.height() / 2;
    for (std::size_t c = 0; c < m_charts.size(); ++c) {
        if (c % 2 == 0)
            device.newPage();
        m_charts[c]->render(painter, QRectF(0, (c % 2) * half, area.width(), half * 0.95));
    }
}

void StatisticsWindow::printReport(QPagedPaintDevice& device)
{
    QPainter painter(&device);
    paintReport(painter, device);
}

Status StatisticsWindow::saveReport(const QString& fileName)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setCreator(QStringLiteral("Discora"));
        writer.setTitle(QStringLiteral("Statistics"));
        printReport(writer);
    }
    if (Status status = writeBytes(fileName, bytes); !status)
        return Error{"Cannot save \"" + toPath(fileName) + "\". " + status.error()};
    return success();
}

Result<QStringList> StatisticsWindow::saveImages(const QString& folder)
{
    QStringList written;
    for (const StatsChart* chart : m_charts) {
        QImage image(1200, 800, QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            chart->render(painter, QRectF(0, 0, image.width(), image.height()));
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        const QString fileName = QDir(folder).filePath(fileNameOf(chart->chart().title));
        if (Status status = writeBytes(fileName, bytes); !status)
            return Error{"Cannot save \"" + toPath(fileName) + "\". " + status.error()};
        written.push_back(fileName);
    }
    return written;
}

void StatisticsWindow::askToSaveReport()
{
    const QString fileName =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Statistics as PDF"),
                                     QStringLiteral("statistics.pdf"), QStringLiteral("PDF files (*.pdf)"));
    if (!fileName.isEmpty())
        showError(saveReport(fileName));
}

void StatisticsWindow::askToSaveImages()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Save the Charts as PNG Images in a Folder"));
    if (folder.isEmpty())
        return;
    const Result<QStringList> written = saveImages(folder);
    showError(written ? success() : Status(Error{written.error()}));
}

void StatisticsWindow::askToPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print Statistics"));
    if (dialog.exec() == QDialog::Accepted)
        printReport(printer);
}

void StatisticsWindow::showError(const Status& status)
{
    if (!status)
        QMessageBox::warning(this, windowTitle(), toQt(status.error()));
}

} // namespace discora
