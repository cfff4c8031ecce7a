#include "app/form1.h"

#include "app/beep.h"
#include "app/display_base.h"
#include "app/error_report.h"
#include "app/form2.h"
#include "app/selector.h"
#include "app/window_font.h"

#include <QChart>
#include <QChartView>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

constexpr QColor SkyBlue(166, 202, 240);
constexpr QColor OperandBack(192, 220, 192);
constexpr QColor Navy(0, 0, 128);
constexpr QColor GreyText(128, 128, 128); // the classic system grey-text colour
constexpr QColor SelectorBack(0, 0, 255);
constexpr QColor Lime(0, 255, 0);

const char* const SelectorHeadings =
    "COM Port ：                Baud Rate ：              Data Bit ：                    "
    "Parity Check ：            Stop Bit ：                   Wave Show：";

const char* const BaudRates[] = {
    "75",     "110",    "134",    "150",     "220",    "300",    "330",    "600",    "660",
    "900",    "1200",   "1800",   "2400",    "4800",   "5700",   "6400",   "7200",   "9600",
    "11400",  "14400",  "16550",  "19200",   "22800",  "28800",  "33600",  "38400",  "56000",
    "57600",  "76800",  "115200", "128000",  "153600", "230400", "256000", "307200", "460800",
    "512000", "614400", "921600", "1024000", "1228800"};
const char* const DataBits[] = {"数据位4位", "数据位5位", "数据位6位",
                                "数据位7位", "数据位8位", "数据位9位"};
const char* const Parities[] = {"无校验None", "偶校验Even", "奇校验Odd", "标志Mark", "空Space"};
const char* const StopBitChoices[] = {"停止位1", "停止位1.5", "停止位2"};
const char* const WaveModes[] = {"单字节自动", "单字节自选",    "单字节0-255",  "双字节自动",
                                 "双字节自选", "双字节0-65535", "双字节0-3000", "无波形显示"};
constexpr int PortCount = 48;

template <typename W> W* Place(W* widget, const char* name, int x, int y, int w, int h) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, int w, int h, const char* text) {
    auto* label = Place(new QLabel(QString::fromUtf8(text), parent), name, x, y, w, h);
    label->setWordWrap(false);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y, int w, int h, QColor back,
                    QColor text) {
    auto* edit = Place(new QLineEdit(parent), name, x, y, w, h);
    edit->setFrame(false);
    edit->setFont(WindowFont(13));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Text, text);
    edit->setPalette(palette);
    return edit;
}

Selector* MakeSelector(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* selector = Place(new Selector(parent), name, x, y, w, h);
    selector->setFont(WindowFont(11));
    QPalette palette = selector->palette();
    for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window})
        palette.setColor(role, SelectorBack);
    for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        palette.setColor(role, Lime);
    selector->setPalette(palette);
    return selector;
}

QPushButton* MakeButton(QWidget* parent, const char* name, int x, int y, int w, int h,
                        const char* caption) {
    auto* button = Place(new QPushButton(QString::fromUtf8(caption), parent), name, x, y, w, h);
    button->setAutoDefault(true); // Enter presses the focused button, as in a dialog
    return button;
}

template <std::size_t N> void Fill(Selector* selector, const char* const (&entries)[N]) {
    for (const char* entry : entries)
        selector->addItem(QString::fromUtf8(entry));
}

} // namespace

TForm1::TForm1(const BuildProfile& profile, TForm2& notices, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_profile(profile), m_notices(notices) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tessavane"));
    setFont(WindowFont(11));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, SkyBlue);
    setPalette(palette);
    setAutoFillBackground(true);
    resize(m_profile.normalClientSize);

    CreateControls();
    CreateChartButtons();
    SetTabOrder();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->start();

    ConnectClick(Button9, [this] { Button9Click(*this); });
    ConnectClick(Button6, [this] { Button6Click(*this); });

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls() {
    Label1 = MakeLabel(this, "Label1", 4, 8, 6, 13, "1");
    Label2 = MakeLabel(this, "Label2", 4, 40, 6, 13, "2");
    Label3 = MakeLabel(this, "Label3", 4, 72, 8, 13, "R");
    Edit1 = MakeEdit(this, "Edit1", 16, 8, 758, 24, OperandBack, Navy);
    Edit2 = MakeEdit(this, "Edit2", 16, 40, 758, 24, OperandBack, Navy);
    Edit3 = MakeEdit(this, "Edit3", 16, 72, 758, 24, OperandBack, Qt::red);
    Label4 = MakeLabel(this, "Label4", 8, 104, 91, 13, "Send Data Area ：");
    Edit4 = MakeEdit(this, "Edit4", 8, 120, 1009, 24, GreyText, Qt::white);
    Label5 = MakeLabel(this, "Label5", 8, 152, 106, 13, "Receive Data Area ：");
    Edit5 = MakeEdit(this, "Edit5", 8, 168, 1009, 24, GreyText, Qt::white);
    Label6 = MakeLabel(this, "Label6", 8, 200, 621, 13, SelectorHeadings);

    ComboBox1 = MakeSelector(this, "ComboBox1", 8, 216, 94, 21);
    ComboBox2 = MakeSelector(this, "ComboBox2", 118, 216, 94, 21);
    ComboBox3 = MakeSelector(this, "ComboBox3", 228, 216, 94, 21);
    ComboBox4 = MakeSelector(this, "ComboBox4", 338, 216, 94, 21);
    ComboBox5 = MakeSelector(this, "ComboBox5", 448, 216, 94, 21);
    ComboBox6 = MakeSelector(this, "ComboBox6", 558, 216, 94, 21);

    Button1 = MakeButton(this, "Button1", 780, 8, 75, 25, "+");
    Button2 = MakeButton(this, "Button2", 780, 40, 75, 25, "-");
    Button4 = MakeButton(this, "Button4", 860, 8, 75, 25, "*");
    Button5 = MakeButton(this, "Button5", 860, 40, 75, 25, "/");
    Button3 = MakeButton(this, "Button3", 780, 72, 75, 25, "Sum");
    Button6 = MakeButton(this, "Button6", 860, 72, 75, 25, DisplayBaseAbout);
    Button7 = MakeButton(this, "Button7", 940, 8, 75, 25, "16 -->10");
    Button8 = MakeButton(this, "Button8", 940, 40, 75, 25, "X ^ Y");
    Button9 = MakeButton(this, "Button9", 940, 72, 75, 25, "Exit");
    Button10 = MakeButton(this, "Button10", 664, 212, 80, 25, "Open COM");
    Button11 = MakeButton(this, "Button11", 754, 212, 80, 25, "Close COM");
    Button12 = MakeButton(this, "Button12", 843, 212, 80, 25, "Send Data");
    Button13 = MakeButton(this, "Button13", 933, 212, 80, 25, "Send_Sum");

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("串口数据波形显示"));
    Chart1 = Place(new QChartView(chart, this), "Chart1", 8, 248, 1009, 465);
    Chart1->setFocusPolicy(Qt::NoFocus);
}

void TForm1::CreateChartButtons() {
    for (const ChartButtonLayout& layout : m_profile.chartButtons) {
        QWidget* parent = layout.insideChart ? static_cast<QWidget*>(Chart1) : this;
        const QByteArray name = "cxButton" + QByteArray::number(layout.number);
        const QRect& r = layout.geometry;
        QPushButton* button = MakeButton(parent, name.constData(), r.x(), r.y(), r.width(),
                                         r.height(), layout.caption);
        std::array<QPushButton**, 4> names{&cxButton1, &cxButton2, &cxButton3, &cxButton4};
        *names.at(static_cast<std::size_t>(layout.number - 1)) = button;
    }
}

QPushButton* TForm1::NumberedChartButton(int number) const {
    const std::array<QPushButton*, 4> buttons{cxButton1, cxButton2, cxButton3, cxButton4};
    return buttons.at(static_cast<std::size_t>(number - 1));
}

QPushButton* TForm1::ChartButton(ChartButtonRole role) const {
    for (const ChartButtonLayout& layout : m_profile.chartButtons) {
        if (layout.role == role)
            return NumberedChartButton(layout.number);
    }
    return nullptr;
}

// Orders the focus chain by the tab indices of the layout: the window's controls, and the
// chart's own buttons right after the chart.
void TForm1::SetTabOrder() {
    std::vector<std::pair<int, QWidget*>> top = {
        {0, Edit1},     {1, Edit2},     {2, Edit3},    {3, ComboBox1},  {4, ComboBox2},
        {5, ComboBox3}, {6, ComboBox4}, {7, Edit4},    {8, Edit5},      {9, Button1},
        {10, Button2},  {11, Button4},  {12, Button5}, {13, Button3},   {14, Button6},
        {15, Button7},  {16, Button8},  {17, Button9}, {18, Button10},  {19, Button11},
        {20, Button12}, {21, Button13}, {22, Chart1},  {23, ComboBox5}, {24, ComboBox6}};
    std::vector<std::pair<int, QWidget*>> inChart;
    for (const ChartButtonLayout& layout : m_profile.chartButtons) {
        QWidget* button = NumberedChartButton(layout.number);
        (layout.insideChart ? inChart : top).emplace_back(layout.tabOrder, button);
    }
    std::ranges::sort(top, {}, &std::pair<int, QWidget*>::first);
    std::ranges::sort(inChart, {}, &std::pair<int, QWidget*>::first);

    std::vector<QWidget*> chain;
    for (const auto& [tab, widget] : top) {
        chain.push_back(widget);
        if (widget == Chart1) {
            for (const auto& [innerTab, inner] : inChart)
                chain.push_back(inner);
        }
    }
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void TForm1::FormCreate() {
    for (int i = 1; i <= PortCount; ++i)
        ComboBox1->addItem(QStringLiteral("COM%1").arg(i));
    Fill(ComboBox2, BaudRates);
    Fill(ComboBox3, DataBits);
    Fill(ComboBox4, Parities);
    Fill(ComboBox5, StopBitChoices);
    Fill(ComboBox6, WaveModes);
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(21);
    ComboBox3->setCurrentIndex(4);
    ComboBox4->setCurrentIndex(0);
    ComboBox5->setCurrentIndex(0);
    ComboBox6->ShowUnselected(QStringLiteral("波形显示"));
    State.PortOpened = 0;
}

void TForm1::ShowNotice(const QString& body, const QString& caption) {
    m_notices.ShowNotice(body, caption);
}

void TForm1::ShowMaximizedAtStart() {
    // Without a window manager a maximize request does nothing, so start with the screen's
    // whole work area; a window manager then maximizes it properly.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
}

void TForm1::changeEvent(QEvent* event) {
    // The border is fixed in the restored state; the maximized window takes the screen.
    if (event->type() == QEvent::WindowStateChange) {
        if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            setMinimumSize(0, 0);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else if (!(windowState() & Qt::WindowMinimized)) {
            setFixedSize(m_profile.normalClientSize);
            if (const QScreen* screen = this->screen())
                move(screen->availableGeometry().center() - rect().center());
        }
    }
    QWidget::changeEvent(event);
}

// Enter presses Sum unless a button has the focus (a focused button takes Enter itself);
// Escape presses Exit.
void TForm1::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (Button3->isEnabled())
            Button3->click();
        break;
    case Qt::Key_Escape:
        if (Button9->isEnabled())
            Button9->click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ConnectClick(QPushButton* button, std::function<void()> handler) {
    QObject::connect(button, &QPushButton::clicked, button,
                     [handler = std::move(handler)] { RunHandler(handler); });
}

void ConnectChange(Selector* selector, std::function<void()> handler) {
    QObject::connect(selector, &Selector::Changed, selector,
                     [handler = std::move(handler)] { RunHandler(handler); });
}

void Button9Click(TForm1& form) {
    Beep();
    form.close();
}
