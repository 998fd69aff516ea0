#include "Background.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <unistd.h>

namespace vantrel::driverserver {

bool continueInBackground(const std::string& name, std::string& error) {
    // Whatever is buffered now would otherwise be written twice, once by each process.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        error = std::string("cannot go on in the background: ") + std::strerror(errno);
        return false;
    }
    if (child > 0) {
        std::cout << name << ": serving in the background as process " << child
                  << "; stop it with: kill " << child << std::endl;
        // The child owns the socket now: no destructor may remove it.
        ::_exit(0);
    }
    // A session of its own: closing the terminal it was started from does not stop it.
    ::setsid();
    return true;
}

} // namespace vantrel::driverserver
