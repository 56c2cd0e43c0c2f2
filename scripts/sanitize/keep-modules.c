/* Preloaded into the sanitized test processes only: SANE's backends stay
 * loaded when SANE closes them (sane_exit). A backend that leaks leaves
 * allocations the leak check finds only after the backend is gone, when their
 * frames can no longer be named, so no suppression could match them. Kept
 * loaded, their frames keep their module names. Every other library is
 * closed as usual. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <link.h>
#include <stddef.h>
#include <string.h>

static int (*next_dlclose)(void*);

__attribute__((constructor)) static void find_next_dlclose(void)
{
    next_dlclose = (int (*)(void*))dlsym(RTLD_NEXT, "dlclose");
}

int dlclose(void* handle)
{
    struct link_map* map = NULL;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && strstr(map->l_name, "/sane/libsane-"))
        return 0;
    return next_dlclose ? next_dlclose(handle) : -1;
}
