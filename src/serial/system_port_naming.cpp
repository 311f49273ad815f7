#include "serial/system_port_naming.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <cctype>
#include <tuple>

namespace quorvel {
namespace {

int groupOf(const std::string& path)
{
    if (path.find("ttyUSB") != std::string::npos || path.find("ttyACM") != std::string::npos)
        return 0;
    if (path.find("ttyS") != std::string::npos)
        return 1;
    return 2;
}

// The path split into its stem and the number it ends with (-1 for none).
std::pair<std::string, long> stemAndNumber(const std::string& path)
{
    std::size_t digits = path.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(path[digits - 1])) != 0)
        --digits;
    if (digits == path.size() || path.size() - digits > 9)
        return {path, -1};
    return {path.substr(0, digits), std::stol(path.substr(digits))};
}

} // namespace

std::vector<std::string> orderSerialDevices(std::vector<std::string> devicePaths)
{
    std::ranges::sort(devicePaths, [](const std::string& a, const std::string& b) {
        const auto [stemA, numberA] = stemAndNumber(a);
        const auto [stemB, numberB] = stemAndNumber(b);
        return std::tuple(groupOf(a), stemA, numberA) < std::tuple(groupOf(b), stemB, numberB);
    });
    return devicePaths;
}

std::string SystemPortNaming::deviceFor(int comNumber) const
{
    if (comNumber < 1)
        return {};
    return devices(comNumber).back();
}

std::vector<std::string> SystemPortNaming::devices(int count) const
{
    std::vector<std::string> found;
#if defined(Q_OS_WIN)
    for (int n = 1; n <= count; ++n)
        found.push_back("COM" + std::to_string(n));
#else
    std::vector<std::string> paths;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        paths.push_back(info.systemLocation().toStdString());
    found = orderSerialDevices(std::move(paths));
    found.resize(static_cast<std::size_t>(std::max(count, 0)));
#endif
    return found;
}

} // namespace quorvel
