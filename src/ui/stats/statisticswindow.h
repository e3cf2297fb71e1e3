// The Statistics window: which albums it counts (a line says whether a filter applies), their
// totals and their charts; a click on a bar or slice asks for the filter that shows those albums.
// The statistics go out as a PDF report, as PNG images of the charts, or to a printer.
#pragma once

#include "core/base/result.h"
#include "core/export/collectionstatistics.h"
#include "core/export/statisticscharts.h"

#include <QDialog>

#include <vector>

class QGridLayout;
class QLabel;
class QPagedPaintDevice;
class QPainter;
class QPushButton;
class QScrollArea;

namespace discora {

class StatsChart;

class StatisticsWindow : public QDialog
{
    Q_OBJECT

public:
    explicit StatisticsWindow(QWidget* parent = nullptr);

    // Shows the figures of the albums scope describes, which the filters shownBy let through.
    void setStatistics(const CollectionStatistics& stats, const QString& scope,
                       const std::array<std::string, kFilterCount>& shownBy);
    // While the figures are worked out beside the window.
    void showWorking();

    const std::vector<StatsChart*>& charts() const { return m_charts; }
    QString scopeText() const;
    QString totalsText() const;

    // The report: a page of totals, then two charts a page.
    Status saveReport(const QString& fileName);
    // One PNG image a chart in folder, named after its title ("albums-by-media-type.png"); the
    // names of the files written.
    Result<QStringList> saveImages(const QString& folder);
    void printReport(QPagedPaintDevice& device);

signals:
    void filterChosen(const ChartFilter& filter);

private:
    void askToSaveReport();
    void askToSaveImages();
    void askToPrint();
    void paintReport(QPainter& painter, QPagedPaintDevice& device);
    void showError(const Status& status);

    CollectionStatistics m_stats;
    QLabel* m_scope = nullptr;
    QLabel* m_totals = nullptr;
    QWidget* m_chartArea = nullptr;
    QGridLayout* m_chartGrid = nullptr;
    QScrollArea* m_scroll = nullptr;
    std::vector<StatsChart*> m_charts;
    std::vector<QPushButton*> m_outputButtons;
};

} // namespace discora
