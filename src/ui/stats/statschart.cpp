#include "ui/stats/statschart.h"

#include "ui/support/qttext.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>
#include <QtCharts/QValueAxis>

#include <QCursor>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace discora {

struct StatsChart::Parts
{
    QChartView* view = nullptr;
    QChart* chart = nullptr;
    QPieSeries* pie = nullptr;
    QAbstractBarSeries* bars = nullptr;
};

namespace {

// Lying bars put the first category (the largest) on top, where Qt Charts puts the last.
int barIndex(const StatisticsChart& chart, std::size_t category)
{
    const auto c = static_cast<int>(category);
    return chart.kind == ChartKind::Bars ? static_cast<int>(chart.categories.size()) - 1 - c : c;
}

} // namespace

StatsChart::StatsChart(StatisticsChart chart, QWidget* parent)
    : QWidget(parent), m_chart(std::move(chart)), m_parts(std::make_unique<Parts>())
{
    auto* qchart = new QChart;
    qchart->setTitle(toQt(m_chart.title));
    qchart->setAnimationOptions(QChart::NoAnimation);
    m_parts->chart = qchart;
    const std::size_t count = m_chart.categories.size();

    if (m_chart.kind == ChartKind::Pie) {
        auto* pie = new QPieSeries;
        double total = 0;
        for (double v : m_chart.series[0].values)
            total += v;
        for (std::size_t c = 0; c < count; ++c) {
            const double value = m_chart.series[0].values[c];
            QPieSlice* slice = pie->append(toQt(m_chart.categories[c]), value);
            // Small slices keep their names to the legend and the tooltip.
            slice->setLabelVisible(total > 0 && value / total >= 0.06);
            slice->setLabel(toQt(m_chart.categories[c]));
            connect(slice, &QPieSlice::hovered, this, [this, c](bool over) { hovered(over, 0, c); });
            connect(slice, &QPieSlice::clicked, this, [this, c] {
                if (clickable(c))
                    emit categoryClicked(c);
            });
        }
        pie->setPieSize(0.62);
        qchart->addSeries(pie);
        qchart->legend()->setAlignment(Qt::AlignRight);
        m_parts->pie = pie;
    } else {
        QAbstractBarSeries* bars = m_chart.kind == ChartKind::Bars
                                       ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries)
                                       : new QBarSeries;
        QStringList categories;
        for (std::size_t c = 0; c < count; ++c)
            categories.push_back(QString());
        for (std::size_t c = 0; c < count; ++c)
            categories[barIndex(m_chart, c)] = toQt(m_chart.categories[c]);
        double largest = 0;
        for (std::size_t s = 0; s < m_chart.series.size(); ++s) {
            auto* set = new QBarSet(toQt(m_chart.series[s].name));
            QList<qreal> values(static_cast<qsizetype>(count));
            for (std::size_t c = 0; c < count; ++c) {
                values[barIndex(m_chart, c)] = m_chart.series[s].values[c];
                largest = std::max(largest, m_chart.series[s].values[c]);
            }
            set->append(values);
            bars->append(set);
        }
        connect(bars, &QAbstractBarSeries::hovered, this, [this, bars](bool over, int index, QBarSet* set) {
            const auto s = static_cast<std::size_t>(bars->barSets().indexOf(set));
            hovered(over, s, static_cast<std::size_t>(barIndex(m_chart, static_cast<std::size_t>(index))));
        });
        connect(bars, &QAbstractBarSeries::clicked, this, [this](int index, QBarSet*) {
            const auto category =
                static_cast<std::size_t>(barIndex(m_chart, static_cast<std::size_t>(index)));
            if (clickable(category))
                emit categoryClicked(category);
        });
        qchart->addSeries(bars);
        auto* categoryAxis = new QBarCategoryAxis;
        categoryAxis->append(categories);
        auto* valueAxis = new QValueAxis;
        // Ticks a round step apart, whole numbers for numbers of albums.
        const double rough = std::max(1.0, largest) / 5;
        const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
        double step = magnitude;
        for (double factor : {1.0, 2.0, 5.0, 10.0})
            if (factor * magnitude >= rough) {
                step = factor * magnitude;
                break;
            }
        if (!m_chart.amounts)
            step = std::max(1.0, std::round(step));
        valueAxis->setRange(0, std::ceil(std::max(1.0, largest) / step) * step);
        valueAxis->setTickType(QValueAxis::TicksDynamic);
        valueAxis->setTickAnchor(0);
        valueAxis->setTickInterval(step);
        valueAxis->setLabelFormat(QStringLiteral("%.0f"));
        if (count > 20) {
            // A bar a year: the years stand upright and small.
            categoryAxis->setLabelsAngle(-90);
            QFont small = categoryAxis->labelsFont();
            small.setPointSizeF(small.pointSizeF() * 0.75);
            categoryAxis->setLabelsFont(small);
        }
        const bool lying = m_chart.kind == ChartKind::Bars;
        qchart->addAxis(categoryAxis, lying ? Qt::AlignLeft : Qt::AlignBottom);
        qchart->addAxis(valueAxis, lying ? Qt::AlignBottom : Qt::AlignLeft);
        bars->attachAxis(categoryAxis);
        bars->attachAxis(valueAxis);
        qchart->legend()->setVisible(m_chart.series.size() > 1);
        m_parts->bars = bars;
    }

    m_parts->view = new QChartView(qchart, this);
    m_parts->view->setRenderHint(QPainter::Antialiasing);
    m_parts->view->setFocusPolicy(Qt::NoFocus);
    // The bars and slices name themselves as the mouse moves over them, button or not.
    m_parts->view->viewport()->setMouseTracking(true);
    m_parts->view->setAccessibleName(toQt(m_chart.title));
    m_parts->view->setAccessibleDescription(toQt(m_chart.description()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_parts->view);
    setAccessibleName(toQt(m_chart.title));
    setAccessibleDescription(toQt(m_chart.description()));
    setMinimumHeight(m_chart.kind == ChartKind::Bars ? 360 : 300);
}

StatsChart::~StatsChart() = default;

void StatsChart::hovered(bool over, std::size_t series, std::size_t category)
{
    if (!over) {
        surface()->unsetCursor();
        QToolTip::hideText();
        return;
    }
    QString text = toQt(m_chart.entryText(series, category));
    // Only a bar or slice a filter can show takes a click, and the pointer says so.
    if (clickable(category)) {
        text += QStringLiteral("\nClick to show these albums");
        surface()->setCursor(Qt::PointingHandCursor);
    } else {
        text += QStringLiteral("\nNo filter shows just these albums");
        surface()->unsetCursor();
    }
    QToolTip::showText(QCursor::pos(), text, this);
}

bool StatsChart::clickable(std::size_t category) const
{
    return m_chart.filters[category].has_value();
}

QPoint StatsChart::categoryPosition(std::size_t category, std::size_t series) const
{
    QChart* chart = m_parts->chart;
    QPointF scene;
    if (m_parts->pie) {
        const QPieSlice* slice = m_parts->pie->slices().at(static_cast<qsizetype>(category));
        const double angle = (slice->startAngle() + slice->angleSpan() / 2) * std::numbers::pi / 180;
        const QRectF area = chart->plotArea();
        const double radius = std::min(area.width(), area.height()) / 2 * m_parts->pie->pieSize() * 0.6;
        scene = chart->mapToScene(QPointF(area.center().x() + radius * std::sin(angle),
                                          area.center().y() - radius * std::cos(angle)));
    } else {
        // A bar of each series side by side within the category's width.
        const double sets = static_cast<double>(m_chart.series.size());
        const double width = m_parts->bars->barWidth();
        const double at =
            barIndex(m_chart, category) - width / 2 + (static_cast<double>(series) + 0.5) * width / sets;
        const double half = m_chart.series[series].values[category] / 2;
        const QPointF value = m_chart.kind == ChartKind::Bars ? QPointF(half, at) : QPointF(at, half);
        scene = chart->mapToScene(chart->mapToPosition(value, m_parts->bars));
    }
    return m_parts->view->mapFromScene(scene);
}

QWidget* StatsChart::surface() const
{
    return m_parts->view->viewport();
}

void StatsChart::render(QPainter& painter, const QRectF& target) const
{
    m_parts->view->render(&painter, target, m_parts->view->viewport()->rect());
}

} // namespace discora
