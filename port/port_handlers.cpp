#include "port/port_handlers.h"

#include "app/beep.h"
#include "app/conversions.h"
#include "app/display_base.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/selector.h"
#include "port/port_settings.h"
#include "serial/port_names.h"

#include <QPushButton>

namespace {

const QString InvalidBaudRateNotice = QStringLiteral("非法波特率！波特率将初始化为19200！");
constexpr std::uint32_t FallbackBaudRate = 19200;

std::uint32_t ListedBaudRate(const TForm1& form, int index) {
    return form.ComboBox2->itemText(index).toUInt();
}

void ApplyParity(TComm& comm, int index) {
    if (const auto choice = ParityForIndex(index)) {
        comm.SetParityCheck(choice->parityCheck);
        comm.SetParity(choice->parity);
    }
}

// An invalid typed rate: tell the user, fall back to 19200 and show it in the selector.
void FallBackToDefaultBaudRate(TForm1& form) {
    form.ShowNotice(InvalidBaudRateNotice, NoticeError);
    form.Comm1.SetBaudRate(FallbackBaudRate);
    form.ComboBox2->setEditText(QString::number(FallbackBaudRate));
}

// While the port is open a selector change closes it, applies the choice and opens it again.
void Reopen(TForm1& form, const std::function<void()>& apply) {
    if (form.Button10->isEnabled())
        return;
    form.Comm1.ClosePort();
    apply();
    form.Comm1.OpenPort();
}

} // namespace

void Button10Click(TForm1& form) {
    Beep();
    const int port = form.ComboBox1->currentIndex();
    const int baud = form.ComboBox2->currentIndex();
    const int dataBits = form.ComboBox3->currentIndex();
    const int parity = form.ComboBox4->currentIndex();
    const int stopBits = form.ComboBox5->currentIndex();

    if (port == -1)
        return form.ShowNotice(QStringLiteral("您还没选择串口！"), NoticeError);
    if (dataBits == -1)
        return form.ShowNotice(QStringLiteral("您还没选择数据位！"), NoticeError);
    if (parity == -1)
        return form.ShowNotice(QStringLiteral("您还没选择校验方式！"), NoticeError);
    if (const QString refused = RefusedDataBitsNotice(dataBits); !refused.isEmpty())
        return form.ShowNotice(refused, NoticeAttention);

    TComm& comm = form.Comm1;
    comm.SetCommName(CommNameForIndex(port).toStdString());
    if (baud != -1)
        comm.SetBaudRate(ListedBaudRate(form, baud));
    comm.SetByteSize(*ByteSizeForIndex(dataBits));
    ApplyParity(comm, parity);
    if (const auto stop = StopBitsForIndex(stopBits))
        comm.SetStopBits(*stop);

    if (form.State.PortOpened != 0) {
        form.ShowNotice(QStringLiteral("串口已经是打开的了！"), NoticeAttention);
        form.Button10->setEnabled(true);
        form.Button11->setEnabled(comm.IsOpen()); // an open port can always be closed
        return;
    }

    form.Button10->setEnabled(true);
    form.Button11->setEnabled(false);
    comm.OpenPort();
    form.State.PortOpened = 1;
    // From here on the port is open; should the typed rate below fail to convert, Close COM
    // must still be able to close it.
    form.Button11->setEnabled(true);

    const QString rateText = form.ComboBox2->currentText();
    if (baud == -1 && !IsValidTypedBaudRate(rateText)) {
        FallBackToDefaultBaudRate(form);
    } else if (baud == -1) {
        form.ShowNotice(QStringLiteral("串口打开成功！使用输入波特率") + rateText + u'！',
                        NoticeAttention);
        comm.SetBaudRate(static_cast<std::uint32_t>(DigitsToInt32(rateText)));
    } else {
        form.ShowNotice(QStringLiteral("串口打开成功！使用波特率") + rateText + u'！',
                        NoticeSuccess);
    }
    form.Button6->setText(QString::fromLatin1(DisplayBaseCharacters));
    form.Button10->setEnabled(false);
    form.Button11->setEnabled(true);
}

void Button11Click(TForm1& form) {
    Beep();
    if (form.State.PortOpened == 0) {
        form.ShowNotice(QStringLiteral("串口还没打开，无法关闭！"), NoticeError);
    } else {
        form.Comm1.ClosePort();
        form.ShowNotice(QStringLiteral("串口关闭成功！"), NoticeSuccess);
        form.State.PortOpened = 0;
    }
    form.Button10->setEnabled(true);
    form.Button11->setEnabled(false);
    form.Button6->setText(QString::fromLatin1(DisplayBaseAbout));
}

void ComboBox1Change(TForm1& form) {
    Reopen(form, [&form] {
        if (const int index = form.ComboBox1->currentIndex(); index != -1)
            form.Comm1.SetCommName(CommNameForIndex(index).toStdString());
    });
}

void ComboBox2Change(TForm1& form) {
    Reopen(form, [&form] {
        const int index = form.ComboBox2->currentIndex();
        const QString text = form.ComboBox2->currentText();
        if (index != -1)
            form.Comm1.SetBaudRate(ListedBaudRate(form, index));
        else if (IsValidTypedBaudRate(text))
            form.Comm1.SetBaudRate(static_cast<std::uint32_t>(DigitsToInt32(text)));
        else
            FallBackToDefaultBaudRate(form);
    });
}

void ComboBox3Change(TForm1& form) {
    Reopen(form, [&form] {
        const int index = form.ComboBox3->currentIndex();
        if (const auto size = ByteSizeForIndex(index))
            form.Comm1.SetByteSize(*size);
        else if (const QString refused = RefusedDataBitsNotice(index); !refused.isEmpty())
            form.ShowNotice(refused, NoticeAttention);
    });
}

void ComboBox4Change(TForm1& form) {
    Reopen(form, [&form] { ApplyParity(form.Comm1, form.ComboBox4->currentIndex()); });
}

void ComboBox5Change(TForm1& form) {
    Reopen(form, [&form] {
        if (const auto stop = StopBitsForIndex(form.ComboBox5->currentIndex()))
            form.Comm1.SetStopBits(*stop);
    });
}

void ShowPortDevices(TForm1& form) {
    const std::vector<PortMapping> map = CurrentPortMap();
    for (int i = 0; i < form.ComboBox1->count(); ++i) {
        const std::string name = CommNameForIndex(i).toStdString();
        QString tip = QStringLiteral("%1: no serial device on this machine").arg(name.c_str());
        for (const PortMapping& mapping : map) {
            if (mapping.comName == name)
                tip = QStringLiteral("%1 → %2").arg(name.c_str(), mapping.devicePath.c_str());
        }
        form.ComboBox1->setItemData(i, tip, Qt::ToolTipRole);
    }
}

void ConnectPort(TForm1& form) {
    ConnectClick(form.Button10, [&form] { Button10Click(form); });
    ConnectClick(form.Button11, [&form] { Button11Click(form); });
    ConnectChange(form.ComboBox1, [&form] { ComboBox1Change(form); });
    ConnectChange(form.ComboBox2, [&form] { ComboBox2Change(form); });
    ConnectChange(form.ComboBox3, [&form] { ComboBox3Change(form); });
    ConnectChange(form.ComboBox4, [&form] { ComboBox4Change(form); });
    ConnectChange(form.ComboBox5, [&form] { ComboBox5Change(form); });
    QObject::connect(form.ComboBox1, &Selector::AboutToShowList, form.ComboBox1,
                     [&form] { ShowPortDevices(form); });
    ShowPortDevices(form);
}
