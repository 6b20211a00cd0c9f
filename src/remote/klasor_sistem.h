#pragma once
// The per-user folders the system names. Plain C++ so that the Windows
// implementation builds without Qt. Each answers "" when the system fails.

#include <string>

std::string SistemBelgelerKlasoru(); // personal documents (CSIDL 5)
std::string SistemVeriKlasoru();     // roaming application data (CSIDL 26)
std::string SistemYerelVeriKlasoru(); // local application data (CSIDL 28)
bool SistemKlasorVarmi(const std::string& path);
bool SistemKlasorOlustur(const std::string& path); // one level
