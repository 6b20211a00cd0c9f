// Workstation queries on Linux and other POSIX systems: the first disk's
// serial number and the first adapter address from the kernel, names from
// the C library.

#include "kimlik_sistem.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

std::vector<std::string> listDir(const std::string& dir)
{
    std::vector<std::string> out;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            if (e->d_name[0] != '.')
                out.emplace_back(e->d_name);
        }
        closedir(d);
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool readFile(const std::string& path, std::string& out)
{
    std::ifstream f(path, std::ios::binary);
    if (!f)
        return false;
    std::ostringstream ss;
    ss << f.rdbuf();
    out = ss.str();
    return true;
}

std::string trim(std::string s)
{
    auto notSpace = [](unsigned char c) { return !std::isspace(c) && c != 0; };
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), notSpace));
    s.erase(std::find_if(s.rbegin(), s.rend(), notSpace).base(), s.end());
    return s;
}

bool isPhysicalDisk(const std::string& name)
{
    for (const char* skip : {"loop", "ram", "dm-", "sr", "zram", "md", "nbd", "fd"})
        if (name.rfind(skip, 0) == 0)
            return false;
    return true;
}

class PosixSorgulari : public KimlikSorgulari {
public:
    std::string DiskSeriNo() const override
    {
        for (const auto& disk : listDir("/sys/block")) {
            if (!isPhysicalDisk(disk))
                continue;
            const std::string base = "/sys/block/" + disk;
            std::string s;
            if (readFile(base + "/device/serial", s) || readFile(base + "/serial", s)) {
                s = trim(s);
            } else if (readFile(base + "/device/vpd_pg80", s) && s.size() > 4) {
                s = trim(s.substr(4)); // unit serial number page: 4-byte header
            } else {
                s.clear();
            }
            std::transform(s.begin(), s.end(), s.begin(),
                           [](unsigned char c) { return char(std::toupper(c)); });
            return s; // the first disk answers, even with an empty serial
        }
        throw std::runtime_error("no physical disk found");
    }

    std::string MacAdresi() const override
    {
        std::string text;
        for (const auto& nic : listDir("/sys/class/net")) {
            if (nic == "lo")
                continue;
            std::string a;
            if (!readFile("/sys/class/net/" + nic + "/address", a))
                continue;
            a = trim(a);
            if (a.size() != 17)
                continue;
            for (auto& c : a) {
                if (c == ':')
                    c = '-';
                c = char(std::toupper(static_cast<unsigned char>(c)));
            }
            text = a;
            if (text != "00-00-00-00-00-00")
                break;
        }
        return text;
    }

    std::string BilgisayarAdi() const override
    {
        char buf[256] = {};
        if (gethostname(buf, sizeof buf - 1) != 0)
            return {};
        return OnAltiKarakterKurali(buf);
    }

    std::string KullaniciAdi() const override
    {
        std::string name;
        if (passwd* pw = getpwuid(geteuid()))
            name = pw->pw_name ? pw->pw_name : "";
        if (name.empty()) {
            if (const char* u = getenv("USER"))
                name = u;
        }
        return OnAltiKarakterKurali(name);
    }

    std::string YerelIp() const override
    {
        char host[257] = {};
        if (gethostname(host, 256) != 0)
            return "127.0.0.1";
        addrinfo hints{};
        hints.ai_family = AF_INET;
        addrinfo* res = nullptr;
        if (getaddrinfo(host, nullptr, &hints, &res) != 0 || !res)
            return "127.0.0.1";
        char text[INET_ADDRSTRLEN] = {};
        auto* sin = reinterpret_cast<sockaddr_in*>(res->ai_addr);
        inet_ntop(AF_INET, &sin->sin_addr, text, sizeof text);
        freeaddrinfo(res);
        return text;
    }
};

} // namespace

const KimlikSorgulari& SistemKimlikSorgulari()
{
    static const PosixSorgulari s;
    return s;
}
