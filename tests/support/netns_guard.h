#pragma once
// Networked tests must only ever see the cards of a private test namespace: this tells whether they do.

#include <optional>
#include <string>
#include <vector>

namespace norvane::test {

// Why a namespace holding these interfaces is not a test namespace, or nullopt when it holds only
// lo and cards whose names start with "nvt".
std::optional<std::string> checkInterfaceNames(const std::vector<std::string>& names);

// The names of every interface of the current network namespace, up or down.
// Throws std::system_error when they cannot be listed.
std::vector<std::string> interfaceNames();

// checkInterfaceNames() of the current namespace; an unreadable namespace is refused too.
std::optional<std::string> netnsViolation();

}  // namespace norvane::test
