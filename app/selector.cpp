#include "app/selector.h"

#include <QLineEdit>
#include <QSignalBlocker>

Selector::Selector(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // completion would rewrite what the user types
    // A finished edit would otherwise select the entry equal to the typed text; a typed text
    // stays a typed text.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    setMaxVisibleItems(16);
    connect(this, &QComboBox::activated, this, &Selector::Changed);
    connect(lineEdit(), &QLineEdit::textEdited, this, &Selector::OnTextEdited);
}

void Selector::ShowUnselected(const QString& text) {
    const QSignalBlocker blocker(this);
    setCurrentIndex(-1);
    setEditText(text);
}

void Selector::OnTextEdited(const QString& text) {
    if (currentIndex() != -1) {
        const int cursor = lineEdit()->cursorPosition();
        ShowUnselected(text); // clearing the index would otherwise clear the typed text too
        lineEdit()->setCursorPosition(cursor);
    }
    emit Changed();
}

void Selector::showPopup() {
    emit AboutToShowList();
    QComboBox::showPopup();
}
