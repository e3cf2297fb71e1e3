// "Look Up Online", which the General and the Songs page both offer: one text, one tip and the
// same keys on either page; both buttons press the sheet's one lookup.
#pragma once

class QPushButton;
class QWidget;

namespace discora {

// A button on page, pressed by Alt+L and by Ctrl+L while the focus is anywhere on the page.
QPushButton* makeLookUpButton(QWidget* page);

// While a lookup is under way the button cancels it.
void showLookupBusy(QPushButton* button, bool busy);

} // namespace discora
