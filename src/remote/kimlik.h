#pragma once
// Workstation identity: computer name, user, local address and the device
// ID by which the server recognises this workstation.

#include "kimlik_sistem.h"

#include <QString>

QString BilgisayarAdiAl();
QString KullaniciAdiAl();
QString YerelIpAl();
QString DiskSeriNoAl();  // may throw
QString MacAdresiAl();   // may throw

// Device ID: disk serial, else adapter address; every space removed, upper
// case, aliases replaced. Never throws; may be empty. The environment
// variable PELMORA_DEVICE_ID, when set, replaces the computed ID.
QString BilgisayarIdAl();
QString BilgisayarIdAl(const KimlikSorgulari& sorgular);

// Two workstations that present themselves to the server as one.
struct KimlikTakmaAdi {
    const char* kimlik;
    const char* yerine;
};
extern const KimlikTakmaAdi kKimlikTakmaAdlari[2];
