#include "remote/klasor_sistem.h"

#include <windows.h>
#include <shlobj.h>

namespace {

std::string shellFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    const int len = WideCharToMultiByte(CP_UTF8, 0, path, -1, nullptr, 0, nullptr, nullptr);
    if (len <= 1)
        return {};
    std::string out(size_t(len - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path, -1, out.data(), len, nullptr, nullptr);
    return out;
}

std::wstring wide(const std::string& s)
{
    const int len = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(size_t(len > 0 ? len : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), len);
    return w;
}

} // namespace

std::string SistemBelgelerKlasoru()
{
    return shellFolder(CSIDL_PERSONAL); // 5
}

std::string SistemVeriKlasoru()
{
    return shellFolder(CSIDL_APPDATA); // 26
}

std::string SistemYerelVeriKlasoru()
{
    return shellFolder(CSIDL_LOCAL_APPDATA); // 28
}

bool SistemKlasorVarmi(const std::string& path)
{
    const DWORD a = GetFileAttributesW(wide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool SistemKlasorOlustur(const std::string& path)
{
    return CreateDirectoryW(wide(path).c_str(), nullptr) != 0;
}
