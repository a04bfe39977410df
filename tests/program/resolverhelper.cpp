// Runs a program with a name resolver of the test's choosing: in a mount namespace of its own, the given
// files stand in for /etc/resolv.conf and /etc/nsswitch.conf, so that the system's resolver in that program
// asks the test's name server. Needs the right to make a mount namespace (root, as CI runs).
//
//   resolverhelper RESOLV_CONF NSSWITCH_CONF PROGRAM [ARGUMENT...]
//   resolverhelper RESOLV_CONF NSSWITCH_CONF --probe     (exit 0 when it can be done)
//
// Exit 77 with the reason on standard error when the namespace or the files cannot be set up.

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kCannot = 77;

int Cannot(const char* what) {
    std::fprintf(stderr, "resolverhelper: %s: %s\n", what, std::strerror(errno));
    return kCannot;
}

bool Exists(const char* path) {
    return ::access(path, F_OK) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: resolverhelper RESOLV_CONF NSSWITCH_CONF PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    if (::unshare(CLONE_NEWNS) != 0)
        return Cannot("no mount namespace of its own");
    // The bind mounts stay in this namespace.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return Cannot("mounts not made private");
    if (::mount(argv[1], "/etc/resolv.conf", nullptr, MS_BIND, nullptr) != 0)
        return Cannot("/etc/resolv.conf not replaced");
    if (Exists("/etc/nsswitch.conf") && ::mount(argv[2], "/etc/nsswitch.conf", nullptr, MS_BIND, nullptr) != 0)
        return Cannot("/etc/nsswitch.conf not replaced");
    if (std::strcmp(argv[3], "--probe") == 0)
        return 0;
    ::execv(argv[3], argv + 3);
    return Cannot(argv[3]);
}
