// The "Performers" page of the entry sheet: ten names, each with its instrument or vocals.
#pragma once

#include "core/model/field.h"

#include <QWidget>

#include <array>

class QLineEdit;

namespace discora {

class AlbumPerformersPage : public QWidget
{
    Q_OBJECT
public:
    explicit AlbumPerformersPage(QWidget* parent = nullptr);

    // The edit holding a performer or instrument field, or null for any other field.
    QLineEdit* lineEdit(Field field) const;

private:
    std::array<QLineEdit*, kFieldCount> m_edits{};
};

} // namespace discora
