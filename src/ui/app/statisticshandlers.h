// View > Statistics...: the Statistics window for the albums shown, its figures worked out at once
// for a small catalogue and beside the window for a large one, again whenever the albums or the
// filters change while it is open; a click on a chart sets the filter it names.
#pragma once

#include "core/document/cataloguedocument.h"
#include "core/export/collectionstatistics.h"
#include "ui/support/taskrunner.h"

#include <QObject>
#include <QPointer>

namespace discora {

class MainWindow;
class Prompter;
class StatisticsWindow;
struct ChartFilter;

class StatisticsHandlers : public QObject, public DocumentObserver
{
    Q_OBJECT

public:
    StatisticsHandlers(CatalogueDocument& doc, MainWindow& window, Prompter& prompter);
    ~StatisticsHandlers() override;

    void registerHandlers();
    void showStatistics();
    StatisticsWindow* statisticsWindow() const;

    // DocumentObserver
    void documentUpdated() override;

private:
    void refresh();
    void computed(TaskResult<CollectionStatistics> result);
    void filterChosen(const ChartFilter& filter);

    CatalogueDocument& m_doc;
    MainWindow& m_window;
    Prompter& m_prompter;
    QPointer<StatisticsWindow> m_statistics;
    bool m_refreshAsked = false;
};

} // namespace discora
