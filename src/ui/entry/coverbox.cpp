#include "ui/entry/coverbox.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace discora {

namespace {

constexpr int kSide = 140;

} // namespace

QString initialsOf(const QString& text)
{
    QString initials;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        initials += word.front().toUpper();
        if (initials.size() == 2)
            break;
    }
    return initials;
}

CoverBox::CoverBox(QWidget* parent) : QWidget(parent)
{
    m_picture = new QLabel(this);
    m_picture->setFixedSize(kSide, kSide);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::StyledPanel);
    m_picture->setAccessibleName(QStringLiteral("Front cover"));
    m_picture->setAccessibleDescription(
        QStringLiteral("Enter shows it larger; Ctrl+V pastes a picture; a picture can be dropped here"));
    m_picture->setFocusPolicy(Qt::StrongFocus);
    m_picture->installEventFilter(this);
    setAcceptDrops(true);
    QFont initials = m_picture->font();
    initials.setPointSizeF(initials.pointSizeF() * 2.5);
    m_picture->setFont(initials);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_note->setMaximumWidth(kSide);
    m_note->setVisible(false);
    m_choose = new QPushButton(QStringLiteral("Choose &Cover..."), this);
    m_remove = new QPushButton(QStringLiteral("Remo&ve Cover"), this);
    connect(m_choose, &QPushButton::clicked, this, &CoverBox::chooseRequested);
    connect(m_remove, &QPushButton::clicked, this, &CoverBox::removeRequested);

    // The picture, and beside it the note and the buttons, one under the other.
    auto* side = new QVBoxLayout;
    side->addWidget(m_note);
    side->addWidget(m_choose);
    side->addWidget(m_remove);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
    layout->addLayout(side);
}

void CoverBox::showCover(const std::optional<std::string>& picture, bool missing, const QString& initialsText)
{
    QImage image;
    if (picture)
        image.loadFromData(reinterpret_cast<const uchar*>(picture->data()),
                           static_cast<int>(picture->size()));
    m_shows = !image.isNull();
    m_image = image;
    if (m_shows) {
        m_picture->setPixmap(
            QPixmap::fromImage(image.scaled(kSide, kSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    } else {
        m_picture->setPixmap({});
        m_picture->setText(initialsOf(initialsText));
    }
    m_note->setText(QStringLiteral("The cover's picture is missing from the covers folder."));
    m_note->setVisible(missing);
    m_remove->setEnabled(m_shows || missing);
}

bool offersPicture(const QMimeData& data)
{
    if (data.hasImage())
        return true;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            return true;
    return false;
}

bool CoverBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_picture)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease) {
        showLarger();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            if (const QMimeData* data = QApplication::clipboard()->mimeData(); data && offersPicture(*data))
                emit pictureOffered(*data);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space) {
            showLarger();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CoverBox::showLarger()
{
    if (!m_shows)
        return;
    QDialog view(this);
    view.setWindowTitle(QStringLiteral("Front Cover"));
    auto* picture = new QLabel(&view);
    picture->setAccessibleName(QStringLiteral("Front cover"));
    const QSize room = screen() ? screen()->availableSize() * 0.8 : QSize(800, 800);
    QImage shown = m_image;
    if (shown.width() > room.width() || shown.height() > room.height())
        shown = shown.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    picture->setPixmap(QPixmap::fromImage(shown));
    auto* layout = new QVBoxLayout(&view);
    layout->addWidget(picture);
    view.exec();
}

void CoverBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData() && offersPicture(*event->mimeData()))
        event->acceptProposedAction();
}

void CoverBox::dropEvent(QDropEvent* event)
{
    if (!event->mimeData() || !offersPicture(*event->mimeData()))
        return;
    event->acceptProposedAction();
    dropPicture(*event->mimeData());
}

void CoverBox::dropPicture(const QMimeData& data)
{
    if (offersPicture(data))
        emit pictureOffered(data);
}

} // namespace discora
