// One chart of the statistics on the screen, drawn with Qt Charts (which no other file of ours
// includes): its bars or slices name their figures on hover and to a screen reader, and a click on
// one that a filter can show is reported with the category it stands for; over those the pointer
// is a pointing hand.
#pragma once

#include "core/export/statisticscharts.h"

#include <QWidget>

class QPainter;

namespace discora {

class StatsChart : public QWidget
{
    Q_OBJECT

public:
    StatsChart(StatisticsChart chart, QWidget* parent = nullptr);
    ~StatsChart() override;

    const StatisticsChart& chart() const { return m_chart; }
    // Whether a click on the category shows its albums: it has a filter.
    bool clickable(std::size_t category) const;
    // The surface the chart is drawn on, which takes the mouse; and where the bar or slice of a
    // category (of a series) is on it.
    QWidget* surface() const;
    QPoint categoryPosition(std::size_t category, std::size_t series = 0) const;
    // The chart drawn into target, as it shows on the screen but without animation or hover.
    void render(QPainter& painter, const QRectF& target) const;

signals:
    void categoryClicked(std::size_t category);

private:
    void hovered(bool over, std::size_t series, std::size_t category);

    struct Parts;
    StatisticsChart m_chart;
    std::unique_ptr<Parts> m_parts;
};

} // namespace discora
