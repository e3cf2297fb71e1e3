// Small dialogs sized by their fields alone can be narrower than their own title, which the window
// manager then cuts short ("Go To Rec..."). This widens each dialog, as it is shown, so its whole
// title fits beside the title bar's buttons.
#pragma once

#include <QObject>

class QFontMetrics;
class QString;

namespace discora {

// The width a window needs for title in its title bar: the text in a bold title face, plus room for
// the window's icon and its buttons.
int widthForTitle(const QString& title, const QFontMetrics& metrics);

class DialogTitleRoom : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace discora
