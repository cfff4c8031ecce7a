#pragma once

#include <QComboBox>

// An editable drop-down list whose Changed() signal runs on every choice the user makes from the
// list and on every edit the user types, never when the program sets the index or the text.
// Typing leaves no entry selected (currentIndex() == -1), even when the text equals an entry.
class Selector : public QComboBox {
    Q_OBJECT
public:
    explicit Selector(QWidget* parent = nullptr);

    // Leaves no entry selected and shows text in the edit field, without raising Changed().
    void ShowUnselected(const QString& text);

    void showPopup() override;

signals:
    void Changed();
    // The list is about to open: a moment to refresh what its entries tell.
    void AboutToShowList();

private:
    void OnTextEdited(const QString& text);
};
