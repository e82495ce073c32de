#pragma once

#include <Qt>

// Asked of a grid's OnAccessibleData beyond Qt's roles: true for a cell that
// steps a value (a +/- cell), read as a push button that steps forward when
// pressed, as Ctrl+Up does.
inline constexpr int GridStepRole = Qt::UserRole + 1;
