#include "calculator/calculator_handlers.h"

#include "app/beep.h"
#include "app/form1.h"
#include "calculator/calculator_commands.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

void ShowError(TForm1& form, const QString& body) {
    form.ShowNotice(body, QString::fromUtf8(NoticeCaptionError));
}

void Show(TForm1& form, const CommandOutcome& outcome) {
    if (!outcome.notice.isEmpty())
        ShowError(form, outcome.notice);
    else
        form.Edit3->setText(outcome.result);
}

void ArithmeticClick(TForm1& form, Operation operation) {
    Beep();
    const QString first = form.Edit1->text();
    const QString second = form.Edit2->text();
    Show(form, Arithmetic(operation, first, second));
}

void SelectFirstOperand(TForm1& form) {
    form.Edit1->selectAll();
    form.Edit1->setFocus();
}

} // namespace

void Button1Click(TForm1& form) {
    ArithmeticClick(form, Operation::Add);
}
void Button2Click(TForm1& form) {
    ArithmeticClick(form, Operation::Subtract);
}
void Button4Click(TForm1& form) {
    ArithmeticClick(form, Operation::Multiply);
}
void Button5Click(TForm1& form) {
    ArithmeticClick(form, Operation::Divide);
}

void Button3Click(TForm1& form) {
    Beep();
    const SumOutcome outcome = Sum(form.Edit1->text(), form.State.RunningTotal);
    if (!outcome.notice.isEmpty()) {
        if (outcome.selectFirst)
            SelectFirstOperand(form);
        ShowError(form, outcome.notice);
        return;
    }
    form.State.RunningTotal = outcome.total;
    form.Edit3->setText(outcome.result);
    SelectFirstOperand(form);
}

void Button7Click(TForm1& form) {
    Beep();
    const ConversionOutcome outcome = ConvertBase(form.Edit3->text(), form.Button7->text());
    form.Button7->setText(outcome.caption);
    if (!outcome.notice.isEmpty())
        ShowError(form, outcome.notice);
    if (!outcome.result.isNull())
        form.Edit3->setText(outcome.result);
}

void Button8Click(TForm1& form) {
    Beep();
    const QString base = form.Edit1->text();
    const QString exponent = form.Edit2->text();
    // A power that takes seconds keeps the window painted and the port read meanwhile; clicks
    // and keys wait until the result is shown.
    Show(form, Power(base, exponent, [] {
             QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
         }));
}

void ConnectCalculator(TForm1& form) {
    ConnectClick(form.Button1, [&form] { Button1Click(form); });
    ConnectClick(form.Button2, [&form] { Button2Click(form); });
    ConnectClick(form.Button3, [&form] { Button3Click(form); });
    ConnectClick(form.Button4, [&form] { Button4Click(form); });
    ConnectClick(form.Button5, [&form] { Button5Click(form); });
    ConnectClick(form.Button7, [&form] { Button7Click(form); });
    ConnectClick(form.Button8, [&form] { Button8Click(form); });
}
