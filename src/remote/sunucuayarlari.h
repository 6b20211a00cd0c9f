#pragma once
// Server addresses and the other deployment values, in one place.
//
// The built-in values can be replaced from the command line of `pelmora`
// or from the environment (PELMORA_ + the option in upper case, '-' as '_';
// the command line wins):
//   --sunucu HOST     public host of the application server (SunucuAdresi, WebAdresi)
//   --sunucu-lan ADDR the server's LAN address (used inside the office network)
//   --port N          application port (9090)
//   --web URL         public web server base, ending in "/" ("http://" + host + "/")
//   --web-lan URL     LAN web server base ("http://" + LAN address + "/")
//   --ofis-ip ADDR    the wholesaler's public IPv4 address that selects the LAN values
//   --dis-ip URL      base of the external-address service (GET {URL}/ip)
//   --indirme URL     download host of the setup program
// Both "--opt VALUE" and "--opt=VALUE" are accepted.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The four server-address globals; public values from program start.
extern QString SunucuAdresi;
extern QString SunucuUrl;
extern QString WebAdresi;
extern QString ResimUrl;

struct TDagitimAyarlari {
    QString GenelSunucu;   // public host name
    QString LanSunucu;     // LAN IPv4 address of the server
    int Port = 9090;       // application port
    QString GenelWeb;      // public web base ("" = "http://" + GenelSunucu + "/")
    QString LanWeb;        // LAN web base ("" = "http://" + LanSunucu + "/")
    QString OfisIp;        // the wholesaler's public IPv4 address
    QString DisIpServisi;  // base URL of the external-address service
    QString IndirmeSunucusu; // base URL of the download host

    QString GenelWebAdresi() const; // GenelWeb or its default
    QString LanWebAdresi() const;   // LanWeb or its default
};

// The built-in values.
TDagitimAyarlari VarsayilanDagitimAyarlari();

// The values in force (built-in until DagitimAyarlariniYukle or
// DagitimAyarlariniAyarla replaces them). Read-only after start-up.
const TDagitimAyarlari& DagitimAyarlari();
void DagitimAyarlariniAyarla(const TDagitimAyarlari& ayarlar); // also sets the public addresses

// Reads the environment, then the options of `args` (args[0] is the
// program), applies them and sets the public addresses. Options it does
// not know are left alone. Returns the Turkish texts of bad values (their
// options are then ignored); empty when all went well.
QStringList DagitimAyarlariniYukle(const QStringList& args,
                                   const QProcessEnvironment& ortam =
                                       QProcessEnvironment::systemEnvironment());
// The same for main(): argc/argv as given to the program.
QStringList DagitimAyarlariniYukle(int argc, char** argv);

// The options above as help text (one line each).
QString DagitimSecenekleriYardimi();

// Address selection.
void GenelAdresleriKur(); // public values of all four globals
void LanAdresleriKur();   // SunucuAdresi, SunucuUrl, ResimUrl from the LAN values
bool OfisAgindaMi(const QString& disIp); // the external address is the office's
void AdresleriTemizle();  // at program end
// The application port as the connection's "Port" text.
QString SunucuPortu();
