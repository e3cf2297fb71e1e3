#include "ui/app/statisticshandlers.h"

#include "core/document/prompter.h"
#include "core/export/statisticscharts.h"
#include "core/export/statisticslisting.h"
#include "ui/app/mainwindow.h"
#include "ui/stats/statisticswindow.h"
#include "ui/support/qttext.h"

#include <QApplication>
#include <QTimer>

#include <new>

namespace discora {

StatisticsHandlers::StatisticsHandlers(CatalogueDocument& doc, MainWindow& window, Prompter& prompter)
    : QObject(&window), m_doc(doc), m_window(window), m_prompter(prompter)
{
    m_doc.addObserver(this);
    // A refresh asked for while other long work ran comes once that work is done.
    connect(&m_window.taskRunner(), &TaskRunner::finished, this, [this] {
        if (m_refreshAsked)
            QTimer::singleShot(0, this, &StatisticsHandlers::refresh);
    });
}

StatisticsHandlers::~StatisticsHandlers()
{
    m_doc.removeObserver(this);
}

StatisticsWindow* StatisticsHandlers::statisticsWindow() const
{
    return m_statistics;
}

void StatisticsHandlers::registerHandlers()
{
    m_window.setHandler(CommandId::Statistics, [this] { showStatistics(); });
}

void StatisticsHandlers::showStatistics()
{
    if (!m_statistics) {
        m_statistics = new StatisticsWindow(&m_window);
        m_statistics->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_statistics, &StatisticsWindow::filterChosen, this, &StatisticsHandlers::filterChosen);
    }
    m_statistics->show();
    m_statistics->raise();
    m_statistics->activateWindow();
    m_refreshAsked = true;
    refresh();
}

void StatisticsHandlers::documentUpdated()
{
    if (!m_statistics || m_refreshAsked)
        return;
    // Several changes in a row (a filter and its order) are counted once.
    m_refreshAsked = true;
    QTimer::singleShot(0, this, &StatisticsHandlers::refresh);
}

void StatisticsHandlers::refresh()
{
    if (!m_statistics || !m_refreshAsked || m_window.taskRunner().busy())
        return;
    m_refreshAsked = false;
    const std::string today = todaysDate();
    if (m_doc.displayedCount() < m_window.longWorkFrom()) {
        try {
            computed({collectionStatistics(m_doc.albums(), m_doc.displayOrder(), today), false, nullptr});
        } catch (const std::bad_alloc&) {
            computed({std::nullopt, false, std::current_exception()});
        }
        return;
    }
    // The work reads the document, which nothing changes until the figures are handed over.
    m_statistics->showWorking();
    m_window.runBeside<CollectionStatistics>(
        [&doc = m_doc, today](ProgressSink* progress) {
            return collectionStatistics(doc.albums(), doc.displayOrder(), today, progress);
        },
        [this](TaskResult<CollectionStatistics> result) { computed(std::move(result)); });
}

void StatisticsHandlers::computed(TaskResult<CollectionStatistics> result)
{
    if (!m_statistics)
        return;
    if (result.value) {
        m_statistics->setStatistics(*result.value, toQt(statisticsScopeText(m_doc)), m_doc.filters());
    } else if (result.failure) {
        m_statistics->close();
        m_prompter.showError(kNotEnoughMemory);
    } else {
        m_statistics->close();
    }
}

void StatisticsHandlers::filterChosen(const ChartFilter& filter)
{
    if (m_window.taskRunner().busy())
        return;
    if (Status status = m_doc.setFilter(filter.field, filter.text); !status)
        m_prompter.showError(status.error());
}

} // namespace discora
