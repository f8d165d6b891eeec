#pragma once
// What a screen reader finds in a list of rows: each row with its text, its tick as a checked
// state, and a row that cannot be changed (a check-list row that takes no tick) as disabled,
// though it can still be chosen.
class QAccessibleInterface;
class QObject;
class QString;

namespace hastelyn::ui {

// The accessibility factory for RowList and the lists made from it (installed by RowList).
QAccessibleInterface* rowListAccessible(const QString& className, QObject* object);

}  // namespace hastelyn::ui
