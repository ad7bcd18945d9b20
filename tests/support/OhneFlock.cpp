#include "support/OhneFlock.h"

#include <QByteArray>

#include <cerrno>
#include <cstdlib>
#include <dlfcn.h>

namespace {
const char* const Schalter = "ORX_TEST_OHNE_FLOCK";
}

// Defined in the test program, it stands in for the C library's flock() for every caller, Qt
// included; the instances it starts inherit the switch with the environment.
extern "C" int flock(int fd, int operation)
{
    if (std::getenv(Schalter)) {
        errno = ENOLCK;
        return -1;
    }
    using Flock = int (*)(int, int);
    static const auto echt = reinterpret_cast<Flock>(dlsym(RTLD_NEXT, "flock"));
    return echt(fd, operation);
}

OhneFlock::OhneFlock() { qputenv(Schalter, QByteArrayLiteral("1")); }
OhneFlock::~OhneFlock() { qunsetenv(Schalter); }
