#pragma once

#include "app/build_profile.h"
#include "app/main_state.h"
#include "app/qt_notice_channel.h"
#include "serial/comm.h"

#include <QWidget>

#include <array>

class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class Selector;
class TForm2;

// The main window: every control of the tool at its fixed place, the window state the handlers
// share, and the notice window they report through. Handlers live with their subsystems and act
// on the public controls; each is connected through ConnectClick / ConnectChange so that an
// error it raises reaches the default error report.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1(const BuildProfile& profile, TForm2& notices, QWidget* parent = nullptr);
    ~TForm1() override;

    const BuildProfile& Profile() const { return m_profile; }

    // Shows the notice window with body and caption and returns at once.
    void ShowNotice(const QString& body, const QString& caption);

    // Shows the window maximized, as the program starts.
    void ShowMaximizedAtStart();

    // The chart-area button with this role, or null when the build has none.
    QPushButton* ChartButton(ChartButtonRole role) const;

    MainState State;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    Selector* ComboBox1;
    Selector* ComboBox2;
    Selector* ComboBox3;
    Selector* ComboBox4;
    Selector* ComboBox5;
    Selector* ComboBox6;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button9;
    QPushButton* Button10;
    QPushButton* Button11;
    QPushButton* Button12;
    QPushButton* Button13;
    QChartView* Chart1;
    QPushButton* cxButton1 = nullptr;
    QPushButton* cxButton2 = nullptr;
    QPushButton* cxButton3 = nullptr;
    QPushButton* cxButton4 = nullptr;
    QTimer* Timer1;

private:
    QtNoticeChannel m_commNotices; // declared before Comm1: it must outlive the component

public:
    // The serial port. Destroying the window closes it, so no port thread outlives the window.
    TComm Comm1{m_commNotices};

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateControls();
    void CreateChartButtons();
    void SetTabOrder();
    void FormCreate();
    // cxButton1 ... cxButton4 by number.
    QPushButton* NumberedChartButton(int number) const;

    BuildProfile m_profile;
    TForm2& m_notices;
};

// Connects a click to a handler that runs inside the default error report's boundary.
void ConnectClick(QPushButton* button, std::function<void()> handler);
// Connects a selector's Changed() likewise.
void ConnectChange(Selector* selector, std::function<void()> handler);

// Exit: beeps and closes the main window, which ends the program.
void Button9Click(TForm1& form);
