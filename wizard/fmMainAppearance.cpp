// How the window looks: colours, pictures, fonts and anchors at creation;
// the header and the Configuration page arranged for the model when it is
// first shown.
#include "wizard/fmMain.h"

#include "resources/ProductProfile.h"
#include "wizard/Accessibility.h"
#include "wizard/Anchors.h"
#include "wizard/Contrast.h"
#include "wizard/FontFitting.h"
#include "wizard/Pictures.h"

namespace {

void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Screen readers name a box by its buddy label only when the two share a
// parent; the Configuration page keeps its labels and boxes in two panels.
void NameBoxesByTheirLabels(QWidget* root)
{
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        QWidget* box = label->buddy();
        if (box && box->parentWidget() != label->parentWidget())
            box->setAccessibleName(QString(label->text()).remove(QLatin1Char('&')));
    }
}

}  // namespace

void TfrmMain::SetUpAppearance()
{
    pnlHeader->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SetColours();
    Link_Label->setText(QString::fromLatin1(ProductProfile::SupportSiteUrl));
    Link_Label->raise();  // drawn above the message label

    LoadPictures();
    QIcon icon(QStringLiteral(":/pictures/app_icon.png"));
    icon.addFile(QStringLiteral(":/pictures/app_icon@2x.png"));
    setWindowIcon(icon);

    ckShowTabs->hide();
    pnlTestButton->hide();
    mmoOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    pcCards->setDocumentMode(true);

    Accessibility::DescribeControls(*this);
    FitToDesktopFont(*this, *this);
    FAnchors = new TAnchors(this);
    FAnchors->AddFromForm(this);
}

// The header is a white panel in any theme, since the logo's own ground is
// white: its texts take the palette's shadow colour while that reads on
// white. The support link is blue while blue reads on the window, as in a
// light theme; in a dark one it takes the palette's link colour, made
// lighter if even that does not stand out enough.
void TfrmMain::SetColours()
{
    const QColor headerGround = Qt::white;
    QPalette header = pnlHeader->palette();
    header.setColor(QPalette::Window, headerGround);
    pnlHeader->setPalette(header);
    const QPalette window = palette();
    const QColor headerText = ReadableColour(headerGround, {window.color(QPalette::Shadow), Qt::black});
    SetTextColour(lblRouterModel, headerText);
    SetTextColour(lblHeaderFirmware, headerText);
    // The link lies on the Outcome page, which shows the window's own ground;
    // asked of the window, since the pages take a new palette after it.
    SetTextColour(Link_Label, ReadableColour(window.color(QPalette::Window), {Qt::blue, window.color(QPalette::Link)}));
    FColoursSet = true;
}

// A desktop that switches between light and dark themes hands the window a
// new palette: the fixed colours are chosen again against it.
void TfrmMain::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && FColoursSet)
        SetColours();
}

// The logo and the outcome icons for the screen the window is on: their
// @2x drawings when the screen scales, so that they stay sharp.
void TfrmMain::LoadPictures()
{
    const qreal ratio = devicePixelRatioF();
    imgNorvo->setPixmap(LoadPicture(QStringLiteral(":/pictures/norvo_logo.jpg"), ratio));
    imgNorvo->resize(imgNorvo->pixmap().deviceIndependentSize().toSize());
    imgSuccess->setPixmap(LoadPicture(QStringLiteral(":/pictures/outcome_success.png"), ratio));
    imgFailure->setPixmap(LoadPicture(QStringLiteral(":/pictures/outcome_failure.png"), ratio));
}

// The installer's version and the router model after the header's captions.
void TfrmMain::FillHeader()
{
    lblHeaderFirmware->setText(lblHeaderFirmware->text() + QLatin1String(ProductProfile::InstallerVersion));
    lblRouterModel->setText(lblRouterModel->text() + QLatin1String(ProductProfile::RouterModel));
    AutoSizeLabel(lblHeaderFirmware);
    AutoSizeLabel(lblRouterModel);
    FAnchors->Apply(pnlHeader);
}

// The WRX-270 asks for no user name: its row goes, and the rows below it
// move up into its place.
void TfrmMain::ArrangeConfigurationPage()
{
    if (QLatin1String(ProductProfile::RouterModel) == QLatin1String("WRX-270")) {
        lblUsername->hide();
        edUsername->hide();
        lblAdminPassword->setText(tr("Admin Password :"));
        AutoSizeLabel(lblAdminPassword);
        for (QWidget* w : {static_cast<QWidget*>(lblAdminPassword), static_cast<QWidget*>(edPassword),
                           static_cast<QWidget*>(lblCheckFirmware), static_cast<QWidget*>(btnCheckFirmware),
                           static_cast<QWidget*>(lblCurrentFirmware), static_cast<QWidget*>(lblFirmwareVersion)})
            w->move(w->x(), w->y() - ProductProfile::UsernameRowShift);
    }
    NameBoxesByTheirLabels(this);
}
