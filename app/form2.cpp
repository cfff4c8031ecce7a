#include "app/form2.h"

#include "app/beep.h"
#include "app/error_report.h"
#include "app/window_font.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

// The outer size is 280 x 117 with a common frame of 4 pixels and a 23-pixel title bar.
constexpr QSize ClientSize(272, 90);

QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, int w, int h, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, w, h);
    label->setWordWrap(false);
    return label;
}

} // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_QuitOnClose, false); // closing the main window ends the program
    setFont(WindowFont(11));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Highlight));
    setPalette(palette);
    setAutoFillBackground(true);
    resize(ClientSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Label1 = MakeLabel(this, "Label1", 24, 20, 241, 13, "");
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(102, 50, 75, 25);
    Button1->setAutoDefault(true);
    Label2 = MakeLabel(this, "Label2", 3, 48, 71, 13, "Tessavane");
    Label3 = MakeLabel(this, "Label3", 202, 48, 67, 13, "Free software");
    Label4 = MakeLabel(this, "Label4", 180, 64, 89, 13, "Source: README");
    Label6 = MakeLabel(this, "Label6", 3, 64, 96, 13, "V4.1 Build20060105");

    connect(Button1, &QPushButton::clicked, this,
            [this] { RunHandler([this] { Button1Click(*this); }); });
}

void TForm2::ShowNotice(const QString& body, const QString& caption) {
    show();
    raise();
    activateWindow();
    Label1->setText(body);
    setWindowTitle(caption);
}

void Button1Click(TForm2& form) {
    Beep();
    form.close();
}
