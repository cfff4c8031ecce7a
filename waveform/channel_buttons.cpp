#include "waveform/channel_buttons.h"

#include "app/form1.h"

#include <QPushButton>

#include <stdexcept>

namespace {

constexpr int CycleLength = 8;

QPushButton& ChannelButton(const TForm1& form, ChartButtonRole role) {
    QPushButton* button = form.ChartButton(role);
    if (!button)
        throw std::logic_error("this build has no channel buttons");
    return *button;
}

void StepCaption(QPushButton& button, QChar letter) {
    button.setText(NextChannelCaption(button.text(), letter));
}

} // namespace

QString NextChannelCaption(const QString& caption, QChar letter) {
    for (int n = 1; n <= CycleLength; ++n) {
        if (caption == QString(letter) + QString::number(n))
            return QString(letter) + QString::number(n % CycleLength + 1);
    }
    return caption;
}

int ChannelCaptionNumber(const QString& caption) {
    if (caption.size() < 2 || !caption[1].isDigit())
        return 1;
    return caption[1].digitValue();
}

ChannelDealing ReadChannelDealing(const TForm1& form) {
    return {ChannelCaptionNumber(ChannelButton(form, ChartButtonRole::GroupLength).text()),
            ChannelCaptionNumber(ChannelButton(form, ChartButtonRole::ChannelCount).text())};
}

void GroupLengthClick(TForm1& form) {
    StepCaption(ChannelButton(form, ChartButtonRole::GroupLength), u'N');
}

void ChannelCountClick(TForm1& form) {
    StepCaption(ChannelButton(form, ChartButtonRole::ChannelCount), u'S');
}
