// While a dialog asks the user something during a long operation, the wait cursor gives way to
// the normal one.
#pragma once

#include <QApplication>

namespace discora {

class NormalCursor
{
public:
    NormalCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalCursor() { QApplication::restoreOverrideCursor(); }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;
};

} // namespace discora
