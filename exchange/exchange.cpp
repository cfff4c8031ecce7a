#include "app/error_report.h"
#include "app/form1.h"
#include "exchange/exchange_handlers.h"

#include <QTimer>

void ConnectExchange(TForm1& form) {
    ConnectClick(form.Button12, [&form] { Button12Click(form); });
    ConnectClick(form.Button13, [&form] { Button13Click(form); });
    QObject::connect(form.Timer1, &QTimer::timeout, form.Timer1,
                     [&form] { RunHandler([&form] { Timer1Timer(form); }); });
    form.Comm1.OnReceiveData = [&form](TComm&, const std::uint8_t* buffer, std::uint16_t length) {
        RunHandler([&] { Comm1ReceiveData(form, buffer, length); });
    };
}
