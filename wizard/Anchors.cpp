#include "wizard/Anchors.h"

#include <QEvent>
#include <QLabel>
#include <QVariant>

#include <algorithm>

void TAnchors::Add(QWidget* control, int anchors, QSize designParentSize)
{
    const QRect r = control->geometry();
    entries_.push_back({control, anchors, designParentSize.width() - (r.x() + r.width()),
                        designParentSize.height() - (r.y() + r.height())});
    QWidget* parent = control->parentWidget();
    parent->removeEventFilter(this);  // one filter per parent
    parent->installEventFilter(this);
    Place(entries_.back());
}

namespace {

int ParseAnchors(const QString& text)
{
    int anchors = 0;
    for (const QString& edge : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = edge.trimmed();
        if (name == QLatin1String("left"))
            anchors |= akLeft;
        else if (name == QLatin1String("top"))
            anchors |= akTop;
        else if (name == QLatin1String("right"))
            anchors |= akRight;
        else if (name == QLatin1String("bottom"))
            anchors |= akBottom;
    }
    return anchors;
}

}  // namespace

void TAnchors::AddFromForm(QWidget* root)
{
    // Every design size is read before the first control is placed: an
    // anchored panel may hold anchored controls of its own.
    struct TMarked {
        QWidget* Control;
        int Anchors;
        QSize DesignParentSize;
    };
    std::vector<TMarked> marked;
    for (QWidget* control : root->findChildren<QWidget*>()) {
        const QVariant anchors = control->property("anchors");
        if (!anchors.isValid())
            continue;
        QWidget* parent = control->parentWidget();
        const QVariant design = parent->property("designSize");
        marked.push_back(
            {control, ParseAnchors(anchors.toString()), design.isValid() ? design.toSize() : parent->size()});
    }
    for (const TMarked& m : marked)
        Add(m.Control, m.Anchors, m.DesignParentSize);
}

void TAnchors::Apply(QWidget* parent)
{
    for (const TEntry& entry : entries_)
        if (entry.Control && entry.Control->parentWidget() == parent)
            Place(entry);
}

bool TAnchors::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched->isWidgetType())
        Apply(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}

void TAnchors::Place(const TEntry& entry) const
{
    QWidget* control = entry.Control;
    const QSize parent = control->parentWidget()->size();
    QRect r = control->geometry();
    if ((entry.Anchors & akLeft) && (entry.Anchors & akRight))
        r.setWidth(std::max(0, parent.width() - entry.RightGap - r.x()));
    else if (entry.Anchors & akRight)
        r.moveLeft(parent.width() - entry.RightGap - r.width());
    if ((entry.Anchors & akTop) && (entry.Anchors & akBottom))
        r.setHeight(std::max(0, parent.height() - entry.BottomGap - r.y()));
    else if (entry.Anchors & akBottom)
        r.moveTop(parent.height() - entry.BottomGap - r.height());
    control->setGeometry(r);
}

void AutoSizeLabel(QLabel* label)
{
    const QSize hint = label->sizeHint();
    QRect r = label->geometry();
    const int right = r.right();
    r.setWidth(hint.width());
    r.setHeight(std::max(r.height(), hint.height()));
    if (label->alignment() & Qt::AlignRight)
        r.moveRight(right);
    label->setGeometry(r);
}

void AutoHeightLabel(QLabel* label, int maximumHeight)
{
    const int needed = label->heightForWidth(label->width());
    if (needed > 0)
        label->resize(label->width(), std::min(needed, maximumHeight));
}
