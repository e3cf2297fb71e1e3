#include "ui/entry/coverbox.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
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

} // namespace discora
