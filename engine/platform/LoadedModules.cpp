#include "engine/platform/LoadedModules.h"

#include <algorithm>
#include <dlfcn.h>
#include <link.h>

namespace platform {

std::vector<std::string> LoadedModules()
{
    std::vector<std::string> modules;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
                static_cast<std::vector<std::string>*>(data)->emplace_back(info->dlpi_name);
            return 0;
        },
        &modules);
    return modules;
}

int KeepModulesLoadedSince(const std::vector<std::string>& before)
{
    int kept = 0;
    for (const std::string& module : LoadedModules()) {
        if (std::find(before.begin(), before.end(), module) != before.end())
            continue;
        // Opening a loaded module again with RTLD_NODELETE marks it never to
        // be unloaded; RTLD_NOLOAD loads nothing new. The handle is never
        // closed on purpose.
        if (dlopen(module.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE) != nullptr)
            ++kept;
    }
    return kept;
}

} // namespace platform
