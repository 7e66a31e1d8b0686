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

}  // namespace

void FitToDesktopFont(QWidget& window, Ui::frmMain& form)
{
    // What the form says before captions change any size.
    const TColumn configurationColumn = DesignColumn(form.pnlConfigurationLeft);
    const int passwordGap =
        form.edExpressAdminPassword->x() - (form.lblExpressAdminPassword->x() + form.lblExpressAdminPassword->width());
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
