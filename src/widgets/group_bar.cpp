#include "group_bar.h"
#include "image_list.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

namespace {
int headerHeight(const QFont &f) { return QFontMetrics(f).height() + 10; }
int itemHeight(const QFont &f) { return qMax(20, QFontMetrics(f).height() + 6); }
constexpr int kIndent = 6; // items' left margin inside a group

// The keyboard's focus frame around the bar's current entry.
void drawFocusFrame(QPainter &p, const QRectF &r, const QPalette &pal)
{
    QColor fill = pal.highlight().color();
    fill.setAlpha(50);
    p.setBrush(fill);
    p.setPen(QPen(pal.highlight().color().darker(115), 1.5));
    p.drawRoundedRect(r, 2, 2);
}
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
        const QPixmap pm = images->pixmap(m_imageIndex, devicePixelRatioF());
        p.drawPixmap(QRect(x, (height() - 16) / 2, 16, 16), pm);
    }
    x += 16 + 6;
    QFont f = font();
    f.setUnderline(m_hover);
    p.setFont(f);
    if (m_focusMark) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        drawFocusFrame(p, QRectF(rect()).adjusted(2.5, 1.0, -2.5, -1.0), palette());
        p.restore();
    }
    p.setPen(m_fontColor);
    const QRect tr(x, 0, width() - x - 2, height());
    p.drawText(tr, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(f).elidedText(m_caption, Qt::ElideRight, tr.width()));
}

void GroupBarItem::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !rect().contains(e->position().toPoint()))
        return;
    // The keyboard goes on from the item clicked last.
    if (m_group && m_group->m_bar)
        m_group->m_bar->setCurrentItem(this);
    click();
}

void GroupBarItem::click()
{
    if (m_discarded)
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
    if (m_bar)
        m_bar->entriesChanged();
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
    if (m_bar)
        m_bar->entriesChanged();
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
    if (m_bar)
        m_bar->entriesChanged();
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
    if (m_focusMark) {
        p.save();
        drawFocusFrame(p, header.adjusted(2, 2, -2, -2), palette());
        p.restore();
    }
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
    setFocusPolicy(Qt::StrongFocus);
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
    g->m_bar = this;
    entriesChanged();
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

// ---------------------------------------------------------------- keyboard

QList<GroupBar::Stop> GroupBar::stops() const
{
    QList<Stop> out;
    for (GroupBarGroup *g : m_groups) {
        if (!g->isOpened()) {
            out.append({g, nullptr});
            continue;
        }
        for (GroupBarItem *it : g->items())
            if (!it->isDiscarded())
                out.append({g, it});
    }
    return out;
}

GroupBar::Stop GroupBar::current() const
{
    const QList<Stop> all = stops();
    const Stop want{m_curGroup.data(), m_curItem.data()};
    if (want.group && all.contains(want))
        return want;
    // The entry went away (its group closed, its item was taken out): the
    // first entry of its group, else the bar's first.
    for (const Stop &s : all)
        if (s.group == want.group)
            return s;
    return all.isEmpty() ? Stop{} : all.first();
}

GroupBarItem *GroupBar::currentItem() const { return current().item; }

GroupBarGroup *GroupBar::currentGroup() const { return current().group; }

QString GroupBar::currentCaption() const
{
    const Stop s = current();
    return s.item ? s.item->caption() : s.group ? s.group->caption() : QString();
}

void GroupBar::setCurrentItem(GroupBarItem *item)
{
    if (item && item->group())
        setCurrent({item->group(), item});
}

void GroupBar::setCurrent(const Stop &s)
{
    m_curGroup = s.group;
    m_curItem = s.item;
    markCurrent();
}

void GroupBar::markCurrent()
{
    m_markPending = false;
    const Stop cur = current();
    QWidget *target = !hasFocus() ? nullptr
        : cur.item                ? static_cast<QWidget *>(cur.item)
                                  : static_cast<QWidget *>(cur.group);
    if (m_marked != target) {
        const auto mark = [](QWidget *w, bool on) {
            if (auto *item = qobject_cast<GroupBarItem *>(w))
                item->m_focusMark = on;
            else if (auto *group = qobject_cast<GroupBarGroup *>(w))
                group->m_focusMark = on;
            w->update();
        };
        if (m_marked)
            mark(m_marked, false);
        m_marked = target;
        if (target) {
            mark(target, true);
            QAccessibleEvent focus(target, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    }
    if (target)
        ensureWidgetVisible(target, 0, 0);
}

void GroupBar::entriesChanged()
{
    // Many items arrive at once: the frame follows once they are in.
    if (!hasFocus() || m_markPending)
        return;
    m_markPending = true;
    QTimer::singleShot(0, this, &GroupBar::markCurrent);
}

void GroupBar::keyPressEvent(QKeyEvent *e)
{
    if (e->modifiers() & ~Qt::KeypadModifier) {
        QScrollArea::keyPressEvent(e);
        return;
    }
    const QList<Stop> all = stops();
    const Stop cur = current();
    const int at = int(all.indexOf(cur));
    const auto firstOf = [](GroupBarGroup *g) {
        for (GroupBarItem *it : g->items())
            if (!it->isDiscarded())
                return Stop{g, it};
        return Stop{g, nullptr};
    };
    switch (e->key()) {
    case Qt::Key_Up:
        if (at > 0)
            setCurrent(all.at(at - 1));
        break;
    case Qt::Key_Down:
        if (at >= 0 && at + 1 < all.size())
            setCurrent(all.at(at + 1));
        break;
    case Qt::Key_Home:
        if (!all.isEmpty())
            setCurrent(all.first());
        break;
    case Qt::Key_End:
        if (!all.isEmpty())
            setCurrent(all.last());
        break;
    case Qt::Key_Left:
        if (cur.group && cur.group->isOpened()) {
            cur.group->setOpened(false);
            setCurrent({cur.group, nullptr});
        }
        break;
    case Qt::Key_Right:
        if (cur.group && !cur.group->isOpened()) {
            cur.group->setOpened(true);
            setCurrent(firstOf(cur.group));
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (cur.item) {
            setCurrent(cur);
            cur.item->click(); // may empty the bar: the frame follows below
            markCurrent();
        } else if (cur.group && !cur.group->isOpened()) {
            cur.group->setOpened(true);
            setCurrent(firstOf(cur.group));
        }
        break;
    default:
        QScrollArea::keyPressEvent(e);
        return;
    }
    e->accept();
}

void GroupBar::focusInEvent(QFocusEvent *e)
{
    QScrollArea::focusInEvent(e);
    markCurrent();
}

void GroupBar::focusOutEvent(QFocusEvent *e)
{
    QScrollArea::focusOutEvent(e);
    markCurrent();
}
