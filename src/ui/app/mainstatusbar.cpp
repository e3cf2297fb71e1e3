#include "ui/app/mainstatusbar.h"

#include "ui/support/qttext.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>

#include <array>
#include <optional>

#ifdef DISCORA_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace discora {

namespace {

const char* const kLockTexts[3] = {"CAP", "NUM", "SCRL"};
const QString kIdleText = QStringLiteral("Ready");
// Steps of a bar that are actually drawn; more repaints would only slow the work down.
constexpr int kDrawnSteps = 200;

} // namespace

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    // The panes never dictate the window's width: a progress pane of 110 blanks would otherwise
    // widen a narrow window for good the first time a long operation runs.
    QSizePolicy policy = sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    setSizePolicy(policy);

    m_message = new QLabel(kIdleText, this);
    m_message->setMinimumWidth(1);
    addWidget(m_message, 1);

    m_albumCount = new QLabel(this);
    m_order = new QLabel(this);
    for (QLabel* field : {m_albumCount, m_order}) {
        field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        addPermanentWidget(field);
    }

    for (int i = 0; i < 3; ++i) {
        m_locks[i] = new QLabel(this);
        m_locks[i]->setAlignment(Qt::AlignCenter);
        m_locks[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_locks[i]->setMinimumWidth(m_locks[i]->fontMetrics().horizontalAdvance(QStringLiteral(" SCRL ")));
        addPermanentWidget(m_locks[i]);
    }

    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(fontMetrics().horizontalAdvance(QString(110, QLatin1Char(' '))));
    m_progress->setMaximumHeight(fontMetrics().height() + 4);
    addPermanentWidget(m_progress);
    m_progress->hide();
    updateLockIndicators();
}

MainStatusBar::~MainStatusBar()
{
    while (!m_operations.empty())
        end();
}

void MainStatusBar::setStatusText(const QString& text)
{
    clearMessage();
    m_message->setText(text);
    m_message->repaint();
}

void MainStatusBar::setOrientation(const QString& albums, const QString& order)
{
    m_albumCount->setText(albums);
    m_order->setText(order);
}

QString MainStatusBar::statusText() const
{
    return currentMessage().isEmpty() ? m_message->text() : currentMessage();
}

void MainStatusBar::showProgressPanes()
{
    for (QLabel* lock : m_locks)
        lock->hide();
    m_progress->show();
}

void MainStatusBar::showNormalPanes()
{
    m_progress->hide();
    for (QLabel* lock : m_locks)
        lock->show();
    updateLockIndicators();
}

bool MainStatusBar::inProgressLayout() const
{
    return !m_progress->isHidden();
}

namespace {

// Which lock keys are on; nothing where the platform does not tell.
std::optional<std::array<bool, 3>> lockKeyStates()
{
#ifdef DISCORA_HAVE_X11
    if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
        Display* display = x11->display();
        if (!display)
            return std::nullopt;
        static const char* const names[3] = {"Caps Lock", "Num Lock", "Scroll Lock"};
        std::array<bool, 3> on{};
        for (int i = 0; i < 3; ++i) {
            Bool state = False;
            const Atom atom = XInternAtom(display, names[i], False);
            if (XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr))
                on[i] = state != False;
        }
        return on;
    }
#endif
    return std::nullopt;
}

} // namespace

void MainStatusBar::updateLockIndicators()
{
    const auto states = lockKeyStates();
    for (int i = 0; i < 3; ++i)
        m_locks[i]->setText(states && (*states)[i] ? QString::fromLatin1(kLockTexts[i]) : QString());
}

void MainStatusBar::begin(std::string_view text, int range)
{
    if (m_operations.empty())
        QApplication::setOverrideCursor(Qt::WaitCursor);
    m_operations.push_back({toQt(text), std::max(range, 0), 0});
    showOperation(m_operations.back());
}

void MainStatusBar::setRange(int range)
{
    if (m_operations.empty())
        return;
    m_operations.back().range = std::max(range, 0);
    m_progress->setRange(0, m_operations.back().range);
    showPosition(true);
}

void MainStatusBar::step()
{
    if (m_operations.empty())
        return;
    Operation& op = m_operations.back();
    if (op.position < op.range)
        ++op.position;
    showPosition(false);
}

void MainStatusBar::setText(std::string_view text)
{
    if (m_operations.empty())
        return;
    m_operations.back().text = toQt(text);
    setStatusText(m_operations.back().text);
}

void MainStatusBar::end()
{
    if (m_operations.empty())
        return;
    m_operations.pop_back();
    if (!m_operations.empty()) {
        showOperation(m_operations.back());
        return;
    }
    showNormalPanes();
    setStatusText(kIdleText);
    QApplication::restoreOverrideCursor();
}

void MainStatusBar::showOperation(const Operation& op)
{
    showProgressPanes();
    setStatusText(op.text);
    m_progress->setRange(0, op.range);
    showPosition(true);
}

void MainStatusBar::showPosition(bool force)
{
    const Operation& op = m_operations.back();
    const int drawn =
        op.range == 0 ? 0 : static_cast<int>(static_cast<long long>(op.position) * kDrawnSteps / op.range);
    if (!force && drawn == m_shownStep)
        return;
    m_shownStep = drawn;
    m_progress->setValue(op.position);
    // The window is blocked while the work runs, so the bar is painted at once.
    m_progress->repaint();
}

} // namespace discora
