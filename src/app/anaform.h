#pragma once
// The main window: header, search bar, the tab pages, the status legend and
// the scrolling-text strip; sign-in at creation, the user-kind rules, the
// start-up batch and the tab-load pattern every page uses.

#include "platform/tabledata.h"
#include "remote/baglanti.h"
#include "remote/baglantiu.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class TServerMethods1Client;

namespace pel {
class BusyIndicator;
class GifPicture;
class GridView;
class LocalTable;
class PageControl;
class SplitButton;
} // namespace pel

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr); // FormCreate
    ~TForm1() override;

    // Non-visual members.
    TBaglanti bagc;
    TSonucBilgisi sbilgi;
    int _acilisadet = 0;

    // Header.
    QWidget* Panel1;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* kullanicilbl;
    QLabel* Label3;
    QLabel* cariadilbl;
    QLabel* Label5;
    QLabel* saticilbl;
    pel::GifPicture* RxGIFAnimator1;
    pel::SplitButton* Button3;
    QMenu* Genelmenu;
    QAction* M1;
    QAction* N4;
    QAction* WebSitesi1;
    QAction* G1;
    QAction* R1;
    pel::GifPicture* RxGIFAnimator2;

    // Search bar.
    QWidget* Panel2;
    QLabel* Image2;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    pel::BusyIndicator* gifstokara;
    pel::BusyIndicator* gifyeniler;
    pel::BusyIndicator* gifkampanyali;
    pel::BusyIndicator* gifduyuru;
    pel::BusyIndicator* gifekstre;
    pel::BusyIndicator* gifoncekiler;
    pel::BusyIndicator* gifsepet;
    QLineEdit* araedit;
    QPushButton* musteritus;

    // Tab pages.
    pel::PageControl* sPageControl1;
    QWidget* sstoklistesi;
    QWidget* ssepet;
    QWidget* sonceki;
    QWidget* sccariekstre;
    QWidget* syeniler;
    QWidget* skampanyali;
    QWidget* sTabSheetduyuru;
    QWidget* sTabbakiyeler;

    // Legend and scrolling-text strip.
    QWidget* Panel3;
    QWidget* Panel5;

    void GirisYap();
    void KullaniciTipiKurallari();
    void AnaBilgiAl();
    void AcilisIslemleri();
    void CariDegistir();
    // The close question; true when the window may close. Yes ends the process.
    bool FormCloseQuery();

    void M1Click();
    void SifreIstegiAc();
    void WebSitesi1Click();
    void G1Click();
    void R1Click();

    // A caption with a count: "12=Stok Listesi".
    static QString SayiliBaslik(qint64 sayi, const QString& ad);

    // The tab-load pattern: the page's list is filled in the background
    // from one server call while its grid is detached; the completion
    // re-attaches the grid and shows the connection message on failure.
    struct TSekmeYukleme {
        pel::GridView* grid = nullptr;
        pel::LocalTable* liste = nullptr;
        pel::BusyIndicator* gif = nullptr;
        // The server call, on the worker; its result becomes the list.
        std::function<pel::TableData(TServerMethods1Client&)> cagri;
        // Whether an error raised by the call counts as a failure (else it
        // reaches the default error handler after the completion).
        bool hataBasarisizliktir = true;
        // Extra completion work on the user-interface thread.
        std::function<void(bool basarili)> bitti;
    };
    void SekmeYukle(TSekmeYukleme y);

    // Windows opened from the menu that other parts of the program provide.
    using TPencereAcici = std::function<void(TForm1& ana)>;
    static void SetRaporAcici(TPencereAcici acici);

Q_SIGNALS:
    void AcilisBitti(); // the start-up batch has finished

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void kur();
    QWidget* baslikKur();
    QWidget* aramaCubuguKur();
    QWidget* aciklamaKur();
    QWidget* sayfaOlustur(const char* ad);
};
