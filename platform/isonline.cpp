#include "isonline.h"

#include <ifaddrs.h>
#include <net/if.h>

namespace nimbra {

namespace {

bool isLoopbackHost(const QString &host)
{
    return host == QLatin1String("localhost") || host.startsWith(QLatin1String("127.")) ||
           host == QLatin1String("::1") || host == QLatin1String("[::1]");
}

bool hasOutsideInterfaceUp()
{
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) != 0)
        return true;  // cannot tell: let the transfer find out
    bool up = false;
    for (ifaddrs *a = list; a && !up; a = a->ifa_next)
        up = a->ifa_addr && (a->ifa_flags & IFF_UP) && (a->ifa_flags & IFF_RUNNING) && !(a->ifa_flags & IFF_LOOPBACK);
    freeifaddrs(list);
    return up;
}

} // namespace

bool IsOnline(const QString &host)
{
    return isLoopbackHost(host) || hasOutsideInterfaceUp();
}

} // namespace nimbra
