// Messages that name a web address (where an unknown disc can be added to MusicBrainz, say) show
// it as a link the user can click or reach with Tab and Enter.
#pragma once

#include <QString>

class QLabel;

namespace discora {

// plain as rich text in which each https:// address is a link; empty when plain names none.
QString linkedText(const QString& plain);

// Shows plain in label, its addresses as links that open in the web browser.
void showLinkedText(QLabel& label, const QString& plain);

} // namespace discora
