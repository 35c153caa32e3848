#include "netns_guard.h"

#include <net/if.h>

#include <cerrno>
#include <memory>
#include <system_error>

namespace norvane::test {
namespace {

constexpr const char* kHowToRun = "run this test through scripts/netns-run";

bool isTestCard(const std::string& name) {
    return name == "lo" || name.starts_with("nvt");
}

}  // namespace

std::optional<std::string> checkInterfaceNames(const std::vector<std::string>& names) {
    std::vector<std::string> foreign;
    for (const auto& name : names) {
        if (!isTestCard(name)) foreign.push_back(name);
    }
    if (foreign.empty()) return std::nullopt;

    std::string list;
    for (const auto& name : foreign) {
        if (!list.empty()) list += ", ";
        list += name;
    }
    const bool one = foreign.size() == 1;
    return "refusing to run: " + std::string(one ? "interface " : "interfaces ") + list +
           (one ? " is not a card" : " are not cards") + " of the test namespace; " + kHowToRun;
}

std::vector<std::string> interfaceNames() {
    // if_nameindex asks the kernel over netlink, so it sees the namespace this process is in;
    // /sys/class/net shows whichever namespace mounted sysfs.
    // "struct": the type shares its name with the function.
    using Entry = struct if_nameindex;
    const std::unique_ptr<Entry, decltype(&if_freenameindex)> list(if_nameindex(), &if_freenameindex);
    if (!list) throw std::system_error(errno, std::generic_category(), "if_nameindex");

    std::vector<std::string> names;
    for (const Entry* entry = list.get(); entry->if_index != 0; ++entry) {
        names.emplace_back(entry->if_name);
    }
    return names;
}

std::optional<std::string> netnsViolation() {
    try {
        return checkInterfaceNames(interfaceNames());
    } catch (const std::system_error& error) {
        return std::string("refusing to run: cannot list the network interfaces (") + error.what() + "); " +
               kHowToRun;
    }
}

}  // namespace norvane::test
