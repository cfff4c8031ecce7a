#pragma once

#include "waveform/plot_block.h"

#include <QChar>
#include <QString>

class TForm1;

// The multi-channel build keeps the group length N and the channel count S in the captions of
// its two channel buttons, "N1".."N8" and "S1".."S8"; nothing but a click changes them.

// The caption after one click: "<letter>1".."<letter>7" step up by one, "<letter>8" goes back
// to "<letter>1"; a caption outside the cycle stays as it is.
QString NextChannelCaption(const QString& caption, QChar letter);

// The number a caption carries: its second character as a decimal digit, 1 when there is none.
int ChannelCaptionNumber(const QString& caption);

// N and S as the channel buttons show them now. The window must have the channel buttons.
ChannelDealing ReadChannelDealing(const TForm1& form);

// cxButton1Click of the multi-channel build: steps the group length N. No beep.
void GroupLengthClick(TForm1& form);
// cxButton2Click of the multi-channel build: steps the channel count S. No beep.
void ChannelCountClick(TForm1& form);
