// The catalogue on screen: paints the displayed albums and translates input. It reads the
// document and never changes album data.
#pragma once

#include "catalogue/cataloguedocument.h"

#include <QAbstractScrollArea>

namespace discora {

class CatalogueView : public QAbstractScrollArea, public DocumentObserver
{
    Q_OBJECT
public:
    explicit CatalogueView(CatalogueDocument& doc, QWidget* parent = nullptr);
    ~CatalogueView() override;

    // DocumentObserver
    void documentUpdated() override;
    void viewReset() override;
    void displaySettingsChanged() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateScrollBars();
    int lineHeight() const;

    CatalogueDocument& m_doc;
};

} // namespace discora
