// A push button drawn entirely from two pictures: one while it is up, the other while it is held
// down. The player's transport buttons are made of them.
#pragma once

#include <QAbstractButton>
#include <QString>

namespace discora {

class BitmapButton : public QAbstractButton
{
    Q_OBJECT
public:
    // upImage and downImage name SVG resources; text is what screen readers and tooltips say.
    BitmapButton(const QString& upImage, const QString& downImage, const QString& text,
                 QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // The picture the button shows now.
    QString shownImage() const { return isDown() ? m_down : m_up; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_up;
    QString m_down;
};

} // namespace discora
