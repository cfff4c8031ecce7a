#include "exchange/exchange_handlers.h"

#include "app/ansi_text.h"
#include "app/beep.h"
#include "app/form1.h"
#include "exchange/block_text.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
const QString SendSumCaption = QStringLiteral("Send_Sum");
const QString ReceiveSumCaption = QStringLiteral("Receive_Sum");
const QString DecimalLabel = QStringLiteral("DEC=");
const QString HexadecimalLabel = QStringLiteral("HEX=");
constexpr int LabelTimeoutMs = 3000;
} // namespace

void Button13Click(TForm1& form) {
    Beep();
    // A countdown of 3000 ms already running goes on; anything else starts one now.
    if (!form.Timer1->isActive() || form.Timer1->interval() != LabelTimeoutMs)
        form.Timer1->start(LabelTimeoutMs);

    const bool sendArea = form.Button13->text() == SendSumCaption;
    const QString text = (sendArea ? form.Edit4 : form.Edit5)->text();
    const std::int64_t sum = SumHexPairs(EncodeAnsi(text));

    form.Edit1->setText(DecimalLabel + QString::number(sum));
    form.Edit2->setText(HexadecimalLabel + QString::number(sum, 16).toUpper());
    form.Edit3->setText(sendArea ? QStringLiteral("Send Data Area Sum")
                                 : QStringLiteral("Receive Data Area Sum"));
    form.Button13->setText(sendArea ? ReceiveSumCaption : SendSumCaption);
}

void Timer1Timer(TForm1& form) {
    const QString decimal = form.Edit1->text();
    const QString hexadecimal = form.Edit2->text();
    if (decimal.startsWith(DecimalLabel))
        form.Edit1->setText(StripLabel(decimal, DecimalLabel));
    if (hexadecimal.startsWith(HexadecimalLabel))
        form.Edit2->setText(StripLabel(hexadecimal, HexadecimalLabel));
    form.Timer1->stop();
    Beep();
}
