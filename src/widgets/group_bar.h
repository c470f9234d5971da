#pragma once
#include <QColor>
#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <functional>

class ImageList;
class QVBoxLayout;
class GroupBar;
class GroupBarGroup;

// One entry of a group: caption, picture from the bar's image list (-1 none),
// font colour and a click action.
class GroupBarItem : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(int imageIndex READ imageIndex WRITE setImageIndex)
    Q_PROPERTY(QColor fontColor READ fontColor WRITE setFontColor)
public:
    GroupBarItem(GroupBarGroup *group, const QString &caption, int imageIndex);

    QString caption() const { return m_caption; }
    void setCaption(const QString &c);
    int imageIndex() const { return m_imageIndex; }
    void setImageIndex(int i);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor &c);
    GroupBarGroup *group() const { return m_group; }

    // The click action; runs on a left click (and on Enter or Space while
    // the item is the bar's current one), after clicked() is emitted.
    std::function<void(GroupBarItem *)> onClick;
    // What a click does: clicked(), then the click action.
    void click();

    QSize sizeHint() const override;

    // Taken out of its group: hidden, without action, and deleted once no
    // click of its own is running.
    void discard();
    bool isDiscarded() const { return m_discarded; }

signals:
    void clicked(GroupBarItem *item);

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;

private:
    GroupBarGroup *m_group;
    QString m_caption;
    int m_imageIndex;
    QColor m_fontColor{Qt::black};
    bool m_hover = false;
    bool m_focusMark = false; // the bar's current entry while the bar has focus
    int m_running = 0;        // clicks of this item whose action has not returned
    bool m_discarded = false;
    friend class GroupBar;
};

// A captioned group of items; new items go to the top. The group colour is
// the body behind the items, the caption colour the header band (its text is
// drawn in a colour that reads on it).
class GroupBarGroup : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(QColor captionColor READ captionColor WRITE setCaptionColor)
    Q_PROPERTY(bool opened READ isOpened WRITE setOpened)
public:
    GroupBarGroup(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &c);
    QColor color() const { return m_color; }
    void setColor(const QColor &c);
    QColor captionColor() const { return m_captionColor; }
    void setCaptionColor(const QColor &c);
    bool isOpened() const { return m_opened; }
    void setOpened(bool o);

    ImageList *images() const { return m_images; }
    void setImages(ImageList *list);

    GroupBarItem *insertItem(const QString &caption, int imageIndex); // at the top
    int itemCount() const { return int(m_items.size()); }
    GroupBarItem *item(int i) const { return m_items.value(i); }
    const QList<GroupBarItem *> &items() const { return m_items; }
    void clearItems();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    void relayout();
    QString m_caption;
    QColor m_color{0xFF, 0xFB, 0xF0};
    QColor m_captionColor{0xC0, 0xC0, 0xC0};
    bool m_opened = true;
    ImageList *m_images = nullptr;
    QList<GroupBarItem *> m_items; // index 0 is the top item
    QVBoxLayout *m_itemLayout = nullptr;
    bool m_focusMark = false; // the header is the bar's current entry while the bar has focus
    GroupBar *m_bar = nullptr;
    friend class GroupBar;
    friend class GroupBarItem;
};

// The device bar: a scrolling column of groups; new groups are appended.
// From the keyboard: Tab reaches it and a focus frame marks the current
// entry; Up and Down move over the items of the open groups (a closed group
// is one stop, its header), Left closes and Right opens the current group,
// Enter or Space clicks the current item (or opens a closed group), Home and
// End go to the first and the last entry.
class GroupBar : public QScrollArea {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(QString currentCaption READ currentCaption)
public:
    explicit GroupBar(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &c);

    GroupBarGroup *addGroup(const QString &caption); // appended at the end
    int groupCount() const { return int(m_groups.size()); }
    GroupBarGroup *group(int i) const { return m_groups.value(i); }
    const QList<GroupBarGroup *> &groups() const { return m_groups; }
    void clearAllItems(); // every group keeps its place, loses its items
    void clear();         // every group taken out with its items, as a new bar

    // The keyboard's current entry: an item, or the header of a closed group
    // (currentItem() null); both null while the bar has no entry.
    GroupBarItem *currentItem() const;
    GroupBarGroup *currentGroup() const;
    QString currentCaption() const; // the entry's caption; empty when none
    void setCurrentItem(GroupBarItem *item);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    struct Stop {
        GroupBarGroup *group = nullptr;
        GroupBarItem *item = nullptr; // null: the group's header
        bool operator==(const Stop &o) const { return group == o.group && item == o.item; }
    };
    QList<Stop> stops() const;
    Stop current() const;
    void setCurrent(const Stop &s);
    void markCurrent();
    void entriesChanged(); // a group opened, closed, gained or lost items
    friend class GroupBarGroup;

    QColor m_color{0xD9, 0xE8, 0xF9};
    QPointer<GroupBarGroup> m_curGroup;
    QPointer<GroupBarItem> m_curItem;
    QPointer<QWidget> m_marked; // the entry that shows the focus frame
    bool m_markPending = false;
    QList<GroupBarGroup *> m_groups;
    QWidget *m_content;
    QVBoxLayout *m_layout;
};
