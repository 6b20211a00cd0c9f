// Workstation queries on Windows: WMI for the disk serial, NetBIOS adapter
// status for the adapter address, Win32 for names and Winsock 1.1 for the
// local address.

#include "remote/kimlik_sistem.h"

#include <winsock2.h>
#include <windows.h>
#include <nb30.h>
#include <objbase.h>
#include <oleauto.h>
#include <wbemidl.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

std::string utf8(const wchar_t* w, int n = -1)
{
    if (!w)
        return {};
    const int len = WideCharToMultiByte(CP_UTF8, 0, w, n, nullptr, 0, nullptr, nullptr);
    if (len <= 0)
        return {};
    std::string out(size_t(len), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, n, out.data(), len, nullptr, nullptr);
    if (n < 0 && !out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

struct ComScope {
    HRESULT hr;
    ComScope() : hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(hr))
            CoUninitialize();
    }
};

template <class T> struct ComPtr {
    T* p = nullptr;
    ~ComPtr()
    {
        if (p)
            p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

void check(HRESULT hr, const char* what)
{
    if (FAILED(hr)) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%s: 0x%08lX", what, static_cast<unsigned long>(hr));
        throw std::runtime_error(buf);
    }
}

class WindowsSorgulari : public KimlikSorgulari {
public:
    std::string DiskSeriNo() const override
    {
        ComScope com;
        ComPtr<IWbemLocator> locator;
        check(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                               reinterpret_cast<void**>(&locator)),
              "WbemLocator");
        ComPtr<IWbemServices> services;
        BSTR ns = SysAllocString(L"\\\\localhost\\root\\CIMV2");
        HRESULT hr = locator->ConnectServer(ns, nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                            &services);
        SysFreeString(ns);
        check(hr, "winmgmts:\\\\localhost\\root\\CIMV2");
        check(CoSetProxyBlanket(reinterpret_cast<IUnknown*>(services.p), RPC_C_AUTHN_WINNT,
                                RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                                RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE),
              "CoSetProxyBlanket");
        BSTR lang = SysAllocString(L"WQL");
        BSTR query = SysAllocString(
            L"SELECT SerialNumber FROM Win32_DiskDrive WHERE DeviceID=\"\\\\\\\\.\\\\PHYSICALDRIVE0\"");
        ComPtr<IEnumWbemClassObject> rows;
        hr = services->ExecQuery(lang, query, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                 nullptr, &rows);
        SysFreeString(lang);
        SysFreeString(query);
        check(hr, "Win32_DiskDrive");
        std::string result;
        for (;;) {
            IWbemClassObject* row = nullptr;
            ULONG got = 0;
            if (rows->Next(WBEM_INFINITE, 1, &row, &got) != WBEM_S_NO_ERROR || got == 0)
                break;
            VARIANT v;
            VariantInit(&v);
            if (SUCCEEDED(row->Get(L"SerialNumber", 0, &v, nullptr, nullptr)) && v.vt == VT_BSTR)
                result = utf8(v.bstrVal); // the last row wins
            VariantClear(&v);
            row->Release();
        }
        for (auto& c : result)
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
        return result;
    }

    std::string MacAdresi() const override
    {
        LANA_ENUM lanas{};
        NCB ncb{};
        ncb.ncb_command = NCBENUM; // 0x37
        ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
        ncb.ncb_length = sizeof lanas;
        Netbios(&ncb);
        std::string text;
        for (int i = 0; i < lanas.length; ++i) {
            NCB reset{};
            reset.ncb_command = NCBRESET; // 0x32
            reset.ncb_lana_num = lanas.lana[i];
            Netbios(&reset);

            struct {
                ADAPTER_STATUS status;
                NAME_BUFFER names[30];
            } answer{};
            NCB st{};
            st.ncb_command = NCBASTAT; // 0x33
            st.ncb_lana_num = lanas.lana[i];
            std::memcpy(st.ncb_callname, "*               ", NCBNAMSZ);
            st.ncb_buffer = reinterpret_cast<PUCHAR>(&answer);
            st.ncb_length = 60;
            const UCHAR rc = Netbios(&st);
            if (rc == 0 || rc == 6) {
                char buf[18];
                const UCHAR* a = answer.status.adapter_address;
                std::snprintf(buf, sizeof buf, "%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2],
                              a[3], a[4], a[5]);
                text = buf;
            }
            if (text != "00-00-00-00-00-00")
                break;
        }
        return text;
    }

    std::string BilgisayarAdi() const override
    {
        wchar_t buf[16];
        DWORD n = 16;
        if (!GetComputerNameW(buf, &n))
            return {};
        return utf8(buf, int(n));
    }

    std::string KullaniciAdi() const override
    {
        wchar_t buf[16];
        DWORD n = 16;
        if (!GetUserNameW(buf, &n))
            return {};
        return utf8(buf);
    }

    std::string YerelIp() const override
    {
        WSADATA data;
        if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
            return "127.0.0.1";
        std::string result;
        char host[256] = {};
        if (gethostname(host, sizeof host) == 0) {
            hostent* he = gethostbyname(host);
            if (he && he->h_addrtype == AF_INET && he->h_addr_list && he->h_addr_list[0]) {
                in_addr a;
                std::memcpy(&a, he->h_addr_list[0], sizeof a);
                result = inet_ntoa(a);
            }
        }
        WSACleanup();
        return result.empty() ? std::string("127.0.0.1") : result;
    }
};

} // namespace

const KimlikSorgulari& SistemKimlikSorgulari()
{
    static const WindowsSorgulari s;
    return s;
}
