#pragma once

#include <cstdint>

class TForm1;

// Send Data: sends the Send Data Area as hexadecimal pairs or, in the COM-10 display base, as
// characters, one write request per byte. A text longer than the 2048-byte staging area is sent
// whole, in order.
void Button12Click(TForm1& form);

// One received block: plotted in the wave mode, labelled in Edit3 and shown in Edit5 in the
// display base.
void Comm1ReceiveData(TForm1& form, const std::uint8_t* buffer, std::uint16_t bufferLength);

// Send_Sum / Receive_Sum: adds up the hexadecimal pairs of one data area, alternately.
void Button13Click(TForm1& form);
// Removes the sums' labels, stops the timer and beeps.
void Timer1Timer(TForm1& form);

void ConnectExchange(TForm1& form);
