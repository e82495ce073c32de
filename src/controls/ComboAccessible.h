#pragma once

#include <QAccessibleWidget>

class QComboBox;

// A drop-down list read by its name (its accessible name, else its buddy
// label) with the chosen entry as its value. Qt's own interface names a
// list by its current text on Linux, so a screen reader would read "English
// (UK)" where the person needs to hear "Language".
class ComboAccessible : public QAccessibleWidget {
public:
    explicit ComboAccessible(QComboBox* combo);

    // Makes QAccessible build this interface for every QComboBox; once is enough.
    static void install();

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QStringList actionNames() const override;
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString& name) const override;

private:
    QComboBox* combo() const;
};
