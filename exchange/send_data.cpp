#include "exchange/exchange_handlers.h"

#include "app/ansi_text.h"
#include "app/beep.h"
#include "app/display_base.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/hex_pairs.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace {

// Queues the bytes one write request each, staging them through SendArea a slice at a time.
// Stops at the first request the port refuses.
void QueueBytes(TForm1& form, const std::uint8_t* bytes, std::size_t count) {
    auto& area = form.State.SendArea;
    for (std::size_t done = 0; done < count;) {
        const std::size_t slice = std::min(count - done, area.size());
        std::copy_n(bytes + done, slice, area.begin());
        for (std::size_t i = 0; i < slice; ++i) {
            if (!form.Comm1.WriteBytes(&area[i], 1))
                return;
        }
        done += slice;
    }
}

} // namespace

void Button12Click(TForm1& form) {
    Beep();
    if (form.State.PortOpened == 0) {
        form.ShowNotice(QStringLiteral("串口还没打开！"), NoticeError);
    } else if (IsCharacterForm(form.Button6->text())) {
        form.Edit3->setText(QStringLiteral("Send Data By COM-10"));
        const AnsiText text = EncodeAnsi(form.Edit4->text());
        QueueBytes(form, reinterpret_cast<const std::uint8_t*>(text.bytes.data()),
                   text.bytes.size());
    } else {
        form.Edit3->setText(QStringLiteral("Send Data By COM-16"));
        // Every pair is decoded before the first byte is queued: a bad character sends nothing.
        const std::vector<std::uint8_t> bytes =
            ReadHexPairs(EncodeAnsi(form.Edit4->text()), std::numeric_limits<std::size_t>::max());
        QueueBytes(form, bytes.data(), bytes.size());
    }
    form.State.SendArea.fill(0);
}
