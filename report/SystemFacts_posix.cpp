#include "report/SystemFacts.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <vector>

std::string OperatingSystemText()
{
    utsname system{};
    if (uname(&system) != 0)
        return "POSIX (uname failed)";
    return std::string(system.sysname) + " " + system.release + " " + system.machine;
}

ComputerNames ReadComputerNames()
{
    ComputerNames names;
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0)
        names.computer = host;
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        names.user = found->pw_name;
    return names;
}
