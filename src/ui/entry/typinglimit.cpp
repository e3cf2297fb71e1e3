#include "ui/entry/typinglimit.h"

#include <QLineEdit>

#include <algorithm>

namespace discora {

namespace {

int characterCount(const QString& text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

} // namespace

TypingLimit::TypingLimit(int limit, QObject* parent) : QValidator(parent), m_limit(limit), m_allowed(limit) {}

void TypingLimit::install(QLineEdit* edit, int limit)
{
    edit->setValidator(new TypingLimit(limit, edit));
}

void TypingLimit::showText(QLineEdit* edit, const QString& text)
{
    if (auto* limit = edit->findChild<TypingLimit*>(QString(), Qt::FindDirectChildrenOnly))
        limit->m_allowed = std::max(limit->m_limit, characterCount(text));
    edit->setText(text);
}

QValidator::State TypingLimit::validate(QString& input, int& pos) const
{
    int excess = characterCount(input) - m_allowed;
    // Whatever does not fit is cut from what was just typed or pasted, which ends at the cursor,
    // never splitting a surrogate pair.
    while (excess > 0 && pos > 0) {
        const int width =
            pos >= 2 && input[pos - 1].isLowSurrogate() && input[pos - 2].isHighSurrogate() ? 2 : 1;
        input.remove(pos - width, width);
        pos -= width;
        --excess;
    }
    if (excess > 0)
        return Invalid;
    m_allowed = std::max(m_limit, characterCount(input));
    return Acceptable;
}

} // namespace discora
