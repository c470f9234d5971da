#pragma once
class QTabWidget;
class QWidget;

// The ten pages of the main window's page control, in page order. Each page
// has its own builder; buildMainPages() creates the sheets (suiTabSheet1 …),
// captions them, fills them and sets their tab visibility and enabled state
// as the window starts.
void buildMainPages(QTabWidget *pageControl);

namespace pages {
void buildAnalizorAni(QWidget *page);    // 0 "Analizör-Ani Değerler"
void buildTuketim(QWidget *page);        // 1 "Analizör-Tüketim Değerleri"
void buildAsiriAkim(QWidget *page);      // 2 "Aşırı Akım Rölesi"
void buildHarmonikDalga(QWidget *page);  // 3 "Harmonikler" (waveforms)
void buildKondansator(QWidget *page);    // 4 "Kondansatör Durumları"
void buildHarmonikTablo(QWidget *page);  // 5 "Harmonikler" (table)
void buildSayac(QWidget *page);          // 6 "Sayaç Okuma"
void buildAyarlar(QWidget *page);        // 8 "Ayarlar"
void buildModem(QWidget *page);          // 9 "Endüstriyel Modem"
}
