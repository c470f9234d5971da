#include "group_bar.h"
#include "image_list.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

namespace {
int headerHeight(const QFont &f) { return QFontMetrics(f).height() + 10; }
int itemHeight(const QFont &f) { return qMax(20, QFontMetrics(f).height() + 6); }
constexpr int kIndent = 6; // items' left margin inside a group
}

// ---------------------------------------------------------------- item

GroupBarItem::GroupBarItem(GroupBarGroup *group, const QString &caption, int imageIndex)
    : QWidget(group), m_group(group), m_caption(caption), m_imageIndex(imageIndex)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setFixedHeight(itemHeight(font()));
    setAccessibleName(caption);
    setToolTip(caption);
}

void GroupBarItem::setCaption(const QString &c)
{
    m_caption = c;
    setAccessibleName(c);
    setToolTip(c);
    update();
}

void GroupBarItem::setImageIndex(int i)
{
    m_imageIndex = i;
    update();
}

void GroupBarItem::setFontColor(const QColor &c)
{
    m_fontColor = c;
    update();
}

QSize GroupBarItem::sizeHint() const
{
    return {kIndent + 16 + 6 + QFontMetrics(font()).horizontalAdvance(m_caption) + 4, itemHeight(font())};
}

void GroupBarItem::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_hover) {
        QColor hl = palette().highlight().color();
        hl.setAlpha(40);
        p.fillRect(rect().adjusted(2, 1, -2, -1), hl);
    }
    int x = kIndent;
    const ImageList *images = m_group ? m_group->images() : nullptr;
    if (images && m_imageIndex >= 0 && m_imageIndex < images->count()) {
        const QPixmap pm = images->pixmap(m_imageIndex);
        p.drawPixmap(QRect(x, (height() - 16) / 2, 16, 16), pm);
    }
    x += 16 + 6;
    QFont f = font();
    f.setUnderline(m_hover);
    p.setFont(f);
    p.setPen(m_fontColor);
    const QRect tr(x, 0, width() - x - 2, height());
    p.drawText(tr, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(f).elidedText(m_caption, Qt::ElideRight, tr.width()));
}

void GroupBarItem::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !rect().contains(e->position().toPoint()))
        return;
    QPointer<GroupBarItem> self(this);
    emit clicked(this);
    if (!self || !onClick)
        return;
    // The action may empty the bar (a click while disconnected logs in
    // again): it runs from its own copy, so resetting onClick cannot destroy
    // it mid-run, and the item stays alive until the action returns.
    const std::function<void(GroupBarItem *)> action = onClick;
    ++m_running;
    action(this);
    --m_running;
    if (m_discarded && m_running == 0)
        deleteLater();
}

void GroupBarItem::discard()
{
    hide();
    onClick = nullptr;
    m_discarded = true;
    if (m_running == 0)
        deleteLater();
}

void GroupBarItem::enterEvent(QEnterEvent *)
{
    m_hover = true;
    update();
}

void GroupBarItem::leaveEvent(QEvent *)
{
    m_hover = false;
    update();
}

// ---------------------------------------------------------------- group

GroupBarGroup::GroupBarGroup(const QString &caption, QWidget *parent) : QWidget(parent), m_caption(caption)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, headerHeight(font()), 0, 4);
    outer->setSpacing(0);
    m_itemLayout = new QVBoxLayout;
    m_itemLayout->setContentsMargins(0, 2, 0, 0);
    m_itemLayout->setSpacing(0);
    outer->addLayout(m_itemLayout);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(caption);
}

void GroupBarGroup::setCaption(const QString &c)
{
    m_caption = c;
    setAccessibleName(c);
    update();
}

void GroupBarGroup::setColor(const QColor &c)
{
    m_color = c;
    update();
}

void GroupBarGroup::setCaptionColor(const QColor &c)
{
    m_captionColor = c;
    update();
}

void GroupBarGroup::setOpened(bool o)
{
    if (o == m_opened)
        return;
    m_opened = o;
    relayout();
}

void GroupBarGroup::setImages(ImageList *list)
{
    m_images = list;
    for (GroupBarItem *it : std::as_const(m_items))
        it->update();
}

GroupBarItem *GroupBarGroup::insertItem(const QString &caption, int imageIndex)
{
    auto *item = new GroupBarItem(this, caption, imageIndex);
    m_items.prepend(item);
    m_itemLayout->insertWidget(0, item);
    // Only the new item needs its visibility (the others have theirs), so a
    // long device list fills in linear time.
    item->setVisible(m_opened);
    auto *outer = static_cast<QVBoxLayout *>(layout());
    outer->setContentsMargins(0, headerHeight(font()), 0, m_opened ? 4 : 0);
    updateGeometry();
    update();
    return item;
}

void GroupBarGroup::clearItems()
{
    // An item's own click action may clear the bar: each item goes away
    // only after its running click, if any, has returned.
    // The layout holds the items only: it is emptied from its end, which
    // costs nothing per item (taking each item by name would search it).
    while (QLayoutItem *li = m_itemLayout->takeAt(m_itemLayout->count() - 1))
        delete li;
    for (GroupBarItem *it : std::as_const(m_items))
        it->discard();
    m_items.clear();
    relayout();
}

void GroupBarGroup::relayout()
{
    for (GroupBarItem *it : std::as_const(m_items))
        it->setVisible(m_opened);
    auto *outer = static_cast<QVBoxLayout *>(layout());
    outer->setContentsMargins(0, headerHeight(font()), 0, m_opened && !m_items.isEmpty() ? 4 : 0);
    updateGeometry();
    update();
}

void GroupBarGroup::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int hh = headerHeight(font());
    // The group colour fills the body behind the items and the caption colour
    // the header band; the texts on both take a colour that contrasts with
    // them (a silver band gets a dark caption). A dark group colour is paled
    // so item captions in their dark font colours stay readable.
    const QColor body = m_color.lightness() >= 160
        ? m_color
        : QColor::fromRgbF(1.0 - 0.1 * (1.0 - m_color.redF()), 1.0 - 0.1 * (1.0 - m_color.greenF()),
                           1.0 - 0.1 * (1.0 - m_color.blueF()));
    p.setPen(QPen(m_captionColor.darker(140), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    const QRectF header(0.5, 0.5, width() - 1.0, hh - 1.0);
    QLinearGradient g(header.topLeft(), header.bottomLeft());
    g.setColorAt(0, m_captionColor.lighter(118));
    g.setColorAt(1, m_captionColor.darker(108));
    p.setBrush(g);
    p.drawRoundedRect(header, 3, 3);
    const QColor text = m_captionColor.lightness() > 140 ? QColor(0x20, 0x10, 0x40) : QColor(Qt::white);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(text);
    const QRect tr(8, 0, width() - 8 - 22, hh);
    p.drawText(tr, Qt::AlignLeft | Qt::AlignVCenter, QFontMetrics(f).elidedText(m_caption, Qt::ElideRight, tr.width()));
    // Open/closed chevron at the right.
    const QPointF c(width() - 12, hh / 2.0);
    p.setPen(QPen(text, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const qreal s = 3.5;
    if (m_opened)
        p.drawPolyline(QPolygonF({c + QPointF(-s, s / 2), c + QPointF(0, -s / 2), c + QPointF(s, s / 2)}));
    else
        p.drawPolyline(QPolygonF({c + QPointF(-s, -s / 2), c + QPointF(0, s / 2), c + QPointF(s, -s / 2)}));
}

void GroupBarGroup::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && e->position().y() < headerHeight(font()) &&
        rect().contains(e->position().toPoint()))
        setOpened(!m_opened);
}

// ---------------------------------------------------------------- bar

GroupBar::GroupBar(QWidget *parent) : QScrollArea(parent), m_content(new QWidget)
{
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::StyledPanel);
    m_layout = new QVBoxLayout(m_content);
    m_layout->setContentsMargins(6, 6, 6, 6);
    m_layout->setSpacing(8);
    m_layout->addStretch(1);
    setWidget(m_content);
    setColor(m_color);
}

void GroupBar::setColor(const QColor &c)
{
    m_color = c;
    QPalette pal = m_content->palette();
    pal.setColor(QPalette::Window, c);
    m_content->setPalette(pal);
    m_content->setAutoFillBackground(true);
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
}

GroupBarGroup *GroupBar::addGroup(const QString &caption)
{
    auto *g = new GroupBarGroup(caption, m_content);
    m_layout->insertWidget(m_layout->count() - 1, g); // before the stretch
    m_groups.append(g);
    return g;
}

void GroupBar::clearAllItems()
{
    for (GroupBarGroup *g : std::as_const(m_groups))
        g->clearItems();
}

void GroupBar::clear()
{
    clearAllItems();
    for (GroupBarGroup *g : std::as_const(m_groups)) {
        m_layout->removeWidget(g);
        g->hide();
        g->deleteLater();
    }
    m_groups.clear();
}
