#include "namespace_scope.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace norvane::test {
namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

NamespaceScope::NamespaceScope(const std::string& name)
    : home_(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC)) {
    if (home_ < 0) fail("open own network namespace");
    const int target = ::open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
    if (target < 0 || ::setns(target, CLONE_NEWNET) != 0) {
        const int saved = errno;
        if (target >= 0) ::close(target);
        ::close(home_);
        errno = saved;
        fail("enter namespace " + name);
    }
    ::close(target);
}

NamespaceScope::~NamespaceScope() {
    // Failing to return would leave the test in the wrong namespace: nothing safe is left to do.
    if (::setns(home_, CLONE_NEWNET) != 0) std::abort();
    ::close(home_);
}

}  // namespace norvane::test
