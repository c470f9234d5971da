#include "main_pages.h"

#include <QTabWidget>
#include <QWidget>

namespace {
struct Sheet {
    const char *name;
    const char *caption;
    bool tabShown;
    void (*build)(QWidget *);
};

// Page order of the page control; the sheet names keep the numbering the
// device-selection code switches on.
const Sheet kSheets[] = {
    {"suiTabSheet1", "Analizör-Ani Değerler", true, pages::buildAnalizorAni},
    {"suiTabSheet2", "Analizör-Tüketim Değerleri", true, pages::buildTuketim},
    {"suiTabSheet3", "Aşırı Akım Rölesi", false, pages::buildAsiriAkim},
    {"suiTabSheet4", "Harmonikler", false, pages::buildHarmonikDalga},
    {"suiTabSheet5", "Kondansatör Durumları", true, pages::buildKondansator},
    {"suiTabSheet9", "Harmonikler", true, pages::buildHarmonikTablo},
    {"suiTabSheet7", "Sayaç Okuma", false, pages::buildSayac},
    {"suiTabSheet8", "Cihaz Bilgileri", false, nullptr},
    {"suiTabSheet6", "Ayarlar", true, pages::buildAyarlar},
    {"suiTabSheet10", "Endüstriyel Modem", true, pages::buildModem},
};
} // namespace

void buildMainPages(QTabWidget *pageControl)
{
    int index = 0;
    for (const Sheet &s : kSheets) {
        auto *page = new QWidget;
        page->setObjectName(QString::fromLatin1(s.name));
        if (s.build)
            s.build(page);
        pageControl->addTab(page, QString::fromUtf8(s.caption));
        pageControl->setTabVisible(index, s.tabShown);
        // Every page but the first starts disabled; device selection enables
        // the ones that suit the selected kind.
        page->setEnabled(index == 0);
        ++index;
    }
    pageControl->setCurrentIndex(0);
}
