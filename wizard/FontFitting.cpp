#include "wizard/FontFitting.h"

#include "ui_fmMain.h"
#include "wizard/Anchors.h"

#include <QFontDatabase>
#include <QStyle>

#include <algorithm>

namespace {

// Sizes of the window's fonts, in pixels: the 8-point and 10-point sizes at 96 dpi.
constexpr int SmallFontPixels = 11;
constexpr int LargeFontPixels = 13;

void SetFont(QWidget* widget, int pixels, bool bold)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    widget->setFont(font);
}

// Where the labels of a column start and end in the form.
struct TColumn {
    int Left;
    int Right;
};

TColumn DesignColumn(const QWidget* panel)
{
    TColumn column{QWIDGETSIZE_MAX, 0};
    for (const QLabel* label : panel->findChildren<QLabel*>()) {
        column.Left = std::min(column.Left, label->x());
        column.Right = std::max(column.Right, label->x() + label->width());
    }
    return column;
}

// The labels of the Configuration page end where the form has them end, at
// the boxes. Where the desktop font is wider than the design font, the label
// column grows so that no caption is cut at either edge.
void FitConfigurationLabels(Ui::frmMain& form, const TColumn& design)
{
    int leftmost = design.Left;
    for (QLabel* label : form.pnlConfigurationLeft->findChildren<QLabel*>()) {
        if (label->x() + label->width() > design.Right)
            label->move(design.Right - label->width(), label->y());
        leftmost = std::min(leftmost, label->x());
    }
    const int grow = design.Left - leftmost;
    if (grow <= 0)
        return;
    form.pnlConfigurationLeft->setFixedWidth(form.pnlConfigurationLeft->width() + grow);
    for (QLabel* label : form.pnlConfigurationLeft->findChildren<QLabel*>())
        label->move(label->x() + grow, label->y());
    // The boxes that do not follow the right edge give up that room.
    for (QLineEdit* box : {form.edPort, form.edUsername})
        box->resize(box->width() - grow, box->height());
}

// Buttons outside the footer grow to their captions; the footer's keep
// their panels' widths.
void FitButtons(QWidget& window, Ui::frmMain& form)
{
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->parentWidget() && button->parentWidget()->parentWidget() == form.pnlFooterButtons)
            continue;
        QString caption = button->text();
        caption.remove(QLatin1Char('&'));
        const int bevel = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        const int needed = button->fontMetrics().horizontalAdvance(caption) + bevel;
        if (needed > button->width())
            button->resize(needed, button->height());
    }
}

// The width the form gives the parent: a tab page's own size is only set
// when the window is laid out.
// A page without a design size has no width yet: 0, nothing is fitted to it.
int DesignWidth(const QWidget* parent, const Ui::frmMain& form)
{
    const QVariant design = parent->property("designSize");
    if (design.isValid())
        return design.toSize().width();
    return form.pcCards->indexOf(parent) >= 0 ? 0 : parent->width();
}

// Space kept between a text that grew and the control below it.
constexpr int GrownTextGap = 4;

// Controls below a text that grew move down where it would run into them,
// all by the same distance so that their own gaps stay.
void MakeRoomBelow(QWidget* grown, int designBottom)
{
    const int bottom = grown->y() + grown->height();
    if (bottom <= designBottom)
        return;
    const QList<QWidget*> siblings = grown->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    int nextTop = QWIDGETSIZE_MAX;
    for (const QWidget* sibling : siblings)
        if (sibling != grown && sibling->y() >= designBottom)
            nextTop = std::min(nextTop, sibling->y());
    const int shift = bottom + GrownTextGap - nextTop;
    if (nextTop == QWIDGETSIZE_MAX || shift <= 0)
        return;
    for (QWidget* sibling : siblings)
        if (sibling != grown && sibling->y() >= designBottom)
            sibling->move(sibling->x(), sibling->y() + shift);
}

// A wrapped label whose text needs more lines than the form gave it grows
// down, and what is below it makes room.
void GrowWrappedLabel(QLabel* label)
{
    const int designBottom = label->y() + label->height();
    const int needed = label->heightForWidth(label->width());
    if (needed > label->height())
        label->resize(label->width(), needed);
    MakeRoomBelow(label, designBottom);
}

// A one-line caption whose text runs past its parent's edge (a long
// translation) wraps there, keeping the margin it has on the left.
void WrapIfPastEdge(QLabel* label, const Ui::frmMain& form)
{
    // Pages and panels with a design size are laid out wider than the
    // form says; only a panel the form sizes itself has a known edge.
    const QWidget* parent = label->parentWidget();
    const bool laidOut = parent->property("designSize").isValid() || form.pcCards->indexOf(parent) >= 0;
    const int width = laidOut ? 0 : parent->width();
    const int room = width - 2 * label->x();
    const int textRight = label->x() + label->fontMetrics().horizontalAdvance(label->text());
    if (width == 0 || textRight <= width || room <= 0)
        return;
    label->setWordWrap(true);
    label->resize(room, label->height());
    GrowWrappedLabel(label);
}

// Breaks a check box's caption into lines no wider than room, at spaces.
void BreakCaption(QCheckBox* box, int room)
{
    const QFontMetrics metrics = box->fontMetrics();
    const int indicator = box->sizeHint().width() - metrics.horizontalAdvance(box->text());
    QStringList lines;
    for (const QString& word : box->text().split(QLatin1Char(' '))) {
        const QString longer = lines.isEmpty() ? word : lines.last() + QLatin1Char(' ') + word;
        if (lines.isEmpty() ||
            (indicator + metrics.horizontalAdvance(longer) > room && !lines.last().trimmed().isEmpty()))
            lines << word;
        else
            lines.last() = longer;
    }
    box->setText(lines.join(QLatin1Char('\n')));
}

// Check boxes take the width their caption needs, as far as the parent's
// right edge less the margin they keep on the left; a longer caption goes
// on more lines, and what is below makes room.
void FitCheckBoxes(QWidget& window, const Ui::frmMain& form)
{
    for (QCheckBox* box : window.findChildren<QCheckBox*>()) {
        const int width = DesignWidth(box->parentWidget(), form);
        const int room = width - 2 * box->x();
        if (width == 0 || room <= 0)
            continue;
        const int designBottom = box->y() + box->height();
        const bool broken = box->sizeHint().width() > room;
        if (broken)
            BreakCaption(box, room);
        const QSize needed = box->sizeHint();
        box->resize(std::max(box->width(), std::min(needed.width(), room)),
                    broken ? std::max(box->height(), needed.height()) : box->height());
        MakeRoomBelow(box, designBottom);
    }
}

}  // namespace

void FitToDesktopFont(QWidget& window, Ui::frmMain& form)
{
    // What the form says before captions change any size.
    const TColumn configurationColumn = DesignColumn(form.pnlConfigurationLeft);
    const int passwordGap =
        form.edExpressAdminPassword->x() - (form.lblExpressAdminPassword->x() + form.lblExpressAdminPassword->width());
    const int label2Bottom = form.Label2->y() + form.Label2->height();
    const int messageRight = form.lblSuccessFailureMessage->x() + form.lblSuccessFailureMessage->width();

    // The desktop's sans-serif font stands in for the design font.
    QFont base = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    base.setPixelSize(SmallFontPixels);
    window.setFont(base);
    SetFont(form.tsUpgradeType, LargeFontPixels, false);
    for (QWidget* w : {static_cast<QWidget*>(form.lblRouterModel), static_cast<QWidget*>(form.lblHeaderFirmware),
                       static_cast<QWidget*>(form.Upgrade_Label), static_cast<QWidget*>(form.Upgrade_Label2)})
        SetFont(w, LargeFontPixels, true);

    // Labels size themselves to their captions; pictures and word-wrapped
    // labels keep the form's size.
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->wordWrap() && label->pixmap().isNull() && label != form.imgSuccess && label != form.imgFailure &&
            label != form.imgNorvo)
            AutoSizeLabel(label);
    }
    AutoHeightLabel(form.Label2);
    MakeRoomBelow(form.Label2, label2Bottom);
    GrowWrappedLabel(form.Upgrade_Label);
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->wordWrap() && label->pixmap().isNull() && label != form.imgSuccess && label != form.imgFailure &&
            label != form.imgNorvo && !(label->alignment() & Qt::AlignRight) &&
            label->parentWidget() != form.pnlConfigurationLeft)
            WrapIfPastEdge(label, form);
    }
    FitCheckBoxes(window, form);
    // The address reads best on one line: the link takes the width it needs
    // as far as the message area reaches.
    const int linkWidth = form.Link_Label->fontMetrics().horizontalAdvance(form.Link_Label->text()) + 2;
    form.Link_Label->resize(std::clamp(linkWidth, form.Link_Label->width(), messageRight - form.Link_Label->x()),
                            form.Link_Label->height());
    AutoHeightLabel(form.Link_Label);

    FitConfigurationLabels(form, configurationColumn);
    FitButtons(window, form);
    // The express password box keeps its gap to its label.
    const int labelEnd = form.lblExpressAdminPassword->x() + form.lblExpressAdminPassword->width() + passwordGap;
    if (labelEnd > form.edExpressAdminPassword->x()) {
        const int shift = labelEnd - form.edExpressAdminPassword->x();
        form.edExpressAdminPassword->setGeometry(form.edExpressAdminPassword->geometry().adjusted(shift, 0, 0, 0));
    }
}
