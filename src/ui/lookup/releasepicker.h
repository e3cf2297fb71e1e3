// The list a user picks a release from when a lookup finds several: artist, title, year, label,
// country, format and track count, one release a row.
#pragma once

#include "core/lookup/release.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

namespace discora {

class ReleasePicker : public QDialog
{
    Q_OBJECT
public:
    // similar: the releases hold discs like the one in the drive, not that disc itself.
    ReleasePicker(const std::vector<Release>& releases, bool similar, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    // The row chosen, or -1.
    int chosen() const;

    // Shows the list modally; the index of the release chosen, or -1 on Cancel.
    static int pick(const std::vector<Release>& releases, bool similar, QWidget* parent);

private:
    QTreeWidget* m_list = nullptr;
};

} // namespace discora
