#pragma once
// The system queries behind the workstation identity. Plain C++ so that the
// Windows implementation builds without Qt.

#include <string>

// What the operating system is asked. Each query may throw; the answers are
// used by the rules below, which are the same on every system.
class KimlikSorgulari {
public:
    virtual ~KimlikSorgulari() = default;
    virtual std::string DiskSeriNo() const = 0;   // first physical disk's serial
    virtual std::string MacAdresi() const = 0;    // first adapter, "AA-BB-CC-DD-EE-FF"
    virtual std::string BilgisayarAdi() const = 0; // empty when longer than 15
    virtual std::string KullaniciAdi() const = 0;  // empty when longer than 15
    virtual std::string YerelIp() const = 0;       // "127.0.0.1" without a socket layer
};

// The queries of the system the program runs on.
const KimlikSorgulari& SistemKimlikSorgulari();

// The 16-character buffer rule of the name queries: a name of 16 or more
// characters does not fit and gives an empty string.
std::string OnAltiKarakterKurali(const std::string& utf8Name);

