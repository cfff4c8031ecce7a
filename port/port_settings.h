#pragma once

#include "serial/comm.h"

#include <QString>

#include <optional>

// How the port selectors' entries map to the component's settings. An index is the 0-based
// position of the chosen entry; -1 (a typed text) maps to nothing.

// "COM1" ... "COM48" for the port entries 0 ... 47.
QString CommNameForIndex(int index);

// Data bits: entries 1 ... 4 are 5 ... 8 bits; entries 0 (4 bits) and 5 (9 bits) are refused
// with their notice.
std::optional<TByteSize> ByteSizeForIndex(int index);
// The refusal notice for a data-bits entry, empty when the entry is accepted.
QString RefusedDataBitsNotice(int index);

// The parity entries run None, Even, Odd, Mark, Space; they map by name.
struct ParityChoice {
    bool parityCheck;
    TParity parity;
};
std::optional<ParityChoice> ParityForIndex(int index);

std::optional<TStopBits> StopBitsForIndex(int index);

// A typed baud rate is valid when it is not empty and has the digits 0-9 alone.
bool IsValidTypedBaudRate(const QString& text);
