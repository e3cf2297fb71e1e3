// Fields named by their labels for screen readers. A label with a buddy names its field through
// the accessibility relations, but Qt on Linux names a combo box by the value it shows ("combo box
// 'the Quiet Foxes'"), so the label's words are given to the field as its own name too.
#pragma once

class QLabel;
class QString;
class QWidget;

namespace discora {

// The label's text without its mnemonic ampersand and a closing colon.
QString labelName(const QLabel& label);

// Gives label's buddy the label's name, unless the buddy was named already.
void nameByLabel(const QLabel& label);
// The same for every label with a buddy in root.
void nameFieldsByTheirLabels(const QWidget& root);

} // namespace discora
