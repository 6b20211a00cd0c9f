#include "klasor_sistem.h"

#include <cstdlib>
#include <sys/stat.h>

namespace {

std::string home()
{
    const char* h = std::getenv("HOME");
    return h ? h : "";
}

std::string xdg(const char* var, const char* fallback)
{
    const char* v = std::getenv(var);
    if (v && *v)
        return v;
    const std::string h = home();
    return h.empty() ? std::string() : h + fallback;
}

} // namespace

std::string SistemBelgelerKlasoru()
{
    return xdg("XDG_DOCUMENTS_DIR", "/Documents");
}

std::string SistemVeriKlasoru()
{
    return xdg("XDG_CONFIG_HOME", "/.config");
}

std::string SistemYerelVeriKlasoru()
{
    return xdg("XDG_DATA_HOME", "/.local/share");
}

bool SistemKlasorVarmi(const std::string& path)
{
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SistemKlasorOlustur(const std::string& path)
{
    return mkdir(path.c_str(), 0700) == 0;
}
