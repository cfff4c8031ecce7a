#pragma once

class TForm1;

// The wave buttons draw the text of a data area, read as hexadecimal byte pairs, in the current
// wave mode and user range, never dealt over the series. An empty area is refused with a notice
// in every mode; in modes 7 and -1 the range and the text are still read and checked, and
// nothing is drawn. Of an area text longer than 2048 pairs the first 2048 bytes are plotted and
// the rest is not read. No beep.

// Send_Wave, on the Send Data Area: cxButton3Click of the multi-channel build, cxButton1Click of
// the single-channel build.
void SendWaveClick(TForm1& form);
// Receive_Wave, on the Receive Data Area: cxButton4Click of the multi-channel build,
// cxButton2Click of the single-channel build.
void ReceiveWaveClick(TForm1& form);
