#include "main_pages.h"

#include <QCoreApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace {

// The page control's tabs with less room beside their captions than the
// style gives: the analyser shows seven bold captions, which fit side by side
// in the page control only so.
class CompactTabs : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 8;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

void compactTabs(QTabWidget *pageControl)
{
    QTabBar *bar = pageControl->tabBar();
    auto *style = new CompactTabs(QStyleFactory::create(pageControl->style()->name()));
    style->setParent(bar);
    bar->setStyle(style);
}

struct Sheet {
    const char *name;
    const char *caption;
    bool tabShown;
    void (*build)(QWidget *);
};

// Page order of the page control; the sheet names keep the numbering the
// device-selection code switches on.
const Sheet kSheets[] = {
    {"suiTabSheet1", QT_TRANSLATE_NOOP("MainPages", "Analizör-Ani Değerler"), true, pages::buildAnalizorAni},
    {"suiTabSheet2", QT_TRANSLATE_NOOP("MainPages", "Analizör-Tüketim Değerleri"), true, pages::buildTuketim},
    {"suiTabSheet3", QT_TRANSLATE_NOOP("MainPages", "Aşırı Akım Rölesi"), false, pages::buildAsiriAkim},
    {"suiTabSheet4", QT_TRANSLATE_NOOP("MainPages", "Harmonikler"), false, pages::buildHarmonikDalga},
    {"suiTabSheet5", QT_TRANSLATE_NOOP("MainPages", "Kondansatör Durumları"), true, pages::buildKondansator},
    {"suiTabSheet9", QT_TRANSLATE_NOOP("MainPages", "Harmonikler"), true, pages::buildHarmonikTablo},
    {"suiTabSheet7", QT_TRANSLATE_NOOP("MainPages", "Sayaç Okuma"), false, pages::buildSayac},
    {"suiTabSheet8", QT_TRANSLATE_NOOP("MainPages", "Cihaz Bilgileri"), false, nullptr},
    {"suiTabSheet6", QT_TRANSLATE_NOOP("MainPages", "Ayarlar"), true, pages::buildAyarlar},
    {"suiTabSheet10", QT_TRANSLATE_NOOP("MainPages", "Endüstriyel Modem"), true, pages::buildModem},
};
} // namespace

void buildMainPages(QTabWidget *pageControl)
{
    compactTabs(pageControl);
    int index = 0;
    for (const Sheet &s : kSheets) {
        auto *page = new QWidget;
        page->setObjectName(QString::fromLatin1(s.name));
        if (s.build)
            s.build(page);
        pageControl->addTab(page, QCoreApplication::translate("MainPages", s.caption));
        pageControl->setTabVisible(index, s.tabShown);
        // Every page but the first starts disabled; device selection enables
        // the ones that suit the selected kind.
        page->setEnabled(index == 0);
        ++index;
    }
    pageControl->setCurrentIndex(0);
}
