#pragma once

#include <QVariant>

struct TestiReminder;

// What a screen reader is told of a memo grid cell in column col, asked by
// Qt role (Qt::AccessibleTextRole, Qt::CheckStateRole,
// Qt::AccessibleDescriptionRole). done and alarmOn are the row's marks;
// memoRow is false on the row that makes a new memo. Invalid: the cell's
// own text is read.
QVariant memoCellSpoken(const TestiReminder& texts, int col, int role, bool memoRow, bool done, bool alarmOn);
