// How the window looks: colours, pictures, fonts and anchors at creation;
// the header and the Configuration page arranged for the model when it is
// first shown.
#include "wizard/fmMain.h"

#include "base/Exception.h"
#include "resources/ProductProfile.h"
#include "wizard/Anchors.h"
#include "wizard/FontFitting.h"
#include "wizard/JpegImage.h"

#include <QFile>

namespace {

void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QPixmap LoadJpegResource(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("Picture " + name.toStdString() + " is missing");
    return QPixmap::fromImage(DecodeJpeg(file.readAll()));
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
    QPalette header = pnlHeader->palette();
    header.setColor(QPalette::Window, Qt::white);
    pnlHeader->setPalette(header);
    const QColor darkShadow = palette().color(QPalette::Shadow);
    SetTextColour(lblRouterModel, darkShadow);
    SetTextColour(lblHeaderFirmware, darkShadow);
    SetTextColour(Link_Label, Qt::blue);
    Link_Label->setText(QString::fromLatin1(ProductProfile::SupportSiteUrl));
    Link_Label->raise();  // drawn above the message label

    imgNorvo->setPixmap(LoadJpegResource(QStringLiteral(":/pictures/norvo_logo.jpg")));
    imgNorvo->resize(imgNorvo->pixmap().size());
    imgSuccess->setPixmap(QPixmap(QStringLiteral(":/pictures/outcome_success.png")));
    imgFailure->setPixmap(QPixmap(QStringLiteral(":/pictures/outcome_failure.png")));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.png")));

    ckShowTabs->hide();
    pnlTestButton->hide();
    mmoOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    pcCards->setDocumentMode(true);

    FitToDesktopFont(*this, *this);
    FAnchors = new TAnchors(this);
    FAnchors->AddFromForm(this);
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
        lblAdminPassword->setText(QStringLiteral("Admin Password :"));
        AutoSizeLabel(lblAdminPassword);
        for (QWidget* w : {static_cast<QWidget*>(lblAdminPassword), static_cast<QWidget*>(edPassword),
                           static_cast<QWidget*>(lblCheckFirmware), static_cast<QWidget*>(btnCheckFirmware),
                           static_cast<QWidget*>(lblCurrentFirmware), static_cast<QWidget*>(lblFirmwareVersion)})
            w->move(w->x(), w->y() - ProductProfile::UsernameRowShift);
    }
    NameBoxesByTheirLabels(this);
}
