#pragma once

// How port names turn into device paths. "COM1", "COM2", ... name the serial devices present,
// in this order: UARTs (/dev/ttyS* whose driver reports a known port type), /dev/ttyAMA*,
// /dev/ttyUSB*, /dev/ttyACM*, /dev/rfcomm*, each group by number. The system's active console
// is left out. A name that starts with "/" is a device path and is used as it is.

#include <string>
#include <vector>

// The serial devices present now, in COM order, as /dev paths. Reads sysfs only; opens no
// device.
std::vector<std::string> ListSerialDevices();
// The same from another sysfs tty class directory and device directory (for tests).
std::vector<std::string> ListSerialDevices(const std::string& sysClassTty,
                                           const std::string& devDir);

// The device path for `name` among `devices` (as listed above); empty when there is none.
std::string ResolvePortName(const std::string& name, const std::vector<std::string>& devices);

struct PortMapping {
    std::string comName;    // "COM1"
    std::string devicePath; // "/dev/ttyUSB0"
};
// "COMn" -> device for every device present now.
std::vector<PortMapping> CurrentPortMap();
std::vector<PortMapping> PortMap(const std::vector<std::string>& devices);
