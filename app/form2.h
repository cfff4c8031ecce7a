#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The notice window: the About box and the one box through which the program tells the user
// something. It is never modal; a second notice replaces the first. OK hides it with a beep,
// the close box without.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Shows the window (raising it to the front) with body and caption; returns at once.
    void ShowNotice(const QString& body, const QString& caption);

    QLabel* Label1; // the notice body
    QPushButton* Button1;
    QLabel* Label2; // authorship
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label6; // version
};

// OK of the notice window.
void Button1Click(TForm2& form);

// Captions of the notice window.
inline const QString NoticeError = QStringLiteral("错误！");
inline const QString NoticeAttention = QStringLiteral("注意！");
inline const QString NoticeSuccess = QStringLiteral("成功！");
inline const QString NoticeThanks = QStringLiteral("谢谢！");
