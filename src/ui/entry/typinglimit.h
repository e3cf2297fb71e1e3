// A length limit on what the user types into a line edit. A longer text put in by the program
// (one read from a catalogue) is shown whole; the user may shorten it but never lengthen it.
#pragma once

#include <QValidator>

class QLineEdit;

namespace discora {

class TypingLimit : public QValidator
{
    Q_OBJECT
public:
    // Limits edit to limit characters (code points, so a character outside the basic plane counts once).
    static void install(QLineEdit* edit, int limit);
    // Puts text into edit whatever its length.
    static void showText(QLineEdit* edit, const QString& text);

    int limit() const { return m_limit; }
    State validate(QString& input, int& pos) const override;

private:
    TypingLimit(int limit, QObject* parent);

    int m_limit;
    // The longest text the edit may hold now: the limit, or more while a longer stored text is
    // being shortened. Lowered as the text shrinks, so deleted room cannot be typed back.
    mutable int m_allowed;
};

} // namespace discora
