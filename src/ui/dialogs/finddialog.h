// "Find Info": the text to find and the two matching switches.
#pragma once

#include "core/order/findquery.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace discora {

class FindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FindDialog(const FindQuery& query, QWidget* parent = nullptr);
    FindQuery query() const;

    QLineEdit* textField() const { return m_text; }
    QCheckBox* wholeWordBox() const { return m_wholeWord; }
    QCheckBox* matchCaseBox() const { return m_matchCase; }

private:
    QLineEdit* m_text;
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
};

} // namespace discora
