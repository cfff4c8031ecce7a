#include "serial/port_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <dirent.h>
#include <fstream>
#include <string_view>
#include <sys/stat.h>

namespace {

struct Candidate {
    size_t group;
    unsigned long number;
    std::string name;
};

// Group index and number of a tty name such as "ttyUSB3"; false for names that are not
// serial ports.
bool Classify(const std::string& name, size_t& group, unsigned long& number) {
    static constexpr std::array<std::string_view, 5> prefixes = {"ttyS", "ttyAMA", "ttyUSB",
                                                                 "ttyACM", "rfcomm"};
    for (size_t i = 0; i < prefixes.size(); ++i) {
        const std::string_view prefix = prefixes[i];
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string digits = name.substr(prefix.size());
        if (!std::all_of(digits.begin(), digits.end(),
                         [](unsigned char c) { return std::isdigit(c) != 0; }) ||
            digits.size() > 6)
            return false;
        group = i;
        number = std::stoul(digits);
        return true;
    }
    return false;
}

std::string ReadFirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

bool IsCharDevice(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISCHR(status.st_mode); // follows links
}

} // namespace

std::vector<std::string> ListSerialDevices(const std::string& sysClassTty,
                                           const std::string& devDir) {
    std::vector<Candidate> found;
    DIR* dir = ::opendir(sysClassTty.c_str());
    if (dir == nullptr)
        return {};
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        Candidate candidate{0, 0, name};
        if (!Classify(name, candidate.group, candidate.number))
            continue;
        const std::string sys = sysClassTty + "/" + name;
        // An 8250 driver makes ttyS nodes for ports that are not there; their type is 0.
        if (candidate.group == 0) {
            const std::string type = ReadFirstLine(sys + "/type");
            if (type.empty() || type == "0")
                continue;
        }
        // Never offer the machine's own console.
        if (ReadFirstLine(sys + "/console") == "Y")
            continue;
        if (!IsCharDevice(devDir + "/" + name))
            continue;
        found.push_back(std::move(candidate));
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        return a.group != b.group ? a.group < b.group : a.number < b.number;
    });
    std::vector<std::string> devices;
    for (const Candidate& candidate : found)
        devices.push_back(devDir + "/" + candidate.name);
    return devices;
}

std::vector<std::string> ListSerialDevices() {
    return ListSerialDevices("/sys/class/tty", "/dev");
}

std::string ResolvePortName(const std::string& name, const std::vector<std::string>& devices) {
    if (!name.empty() && name.front() == '/')
        return name;
    if (name.size() < 4 || name.size() > 9)
        return {};
    const std::string prefix = name.substr(0, 3);
    if (!std::equal(prefix.begin(), prefix.end(), "COM", [](char a, char b) {
            return std::toupper(static_cast<unsigned char>(a)) == b;
        }))
        return {};
    const std::string digits = name.substr(3);
    if (digits.front() == '0' || !std::all_of(digits.begin(), digits.end(),
                                              [](unsigned char c) { return std::isdigit(c) != 0; }))
        return {};
    const unsigned long index = std::stoul(digits);
    if (index > devices.size())
        return {};
    return devices[index - 1];
}

std::vector<PortMapping> PortMap(const std::vector<std::string>& devices) {
    std::vector<PortMapping> map;
    for (size_t i = 0; i < devices.size(); ++i)
        map.push_back({"COM" + std::to_string(i + 1), devices[i]});
    return map;
}

std::vector<PortMapping> CurrentPortMap() {
    return PortMap(ListSerialDevices());
}
