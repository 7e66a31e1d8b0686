// In every language each visible label and check box on the pages a user
// meets shows its whole text: a one-line text is no wider than its control,
// a wrapped one no taller, no control reaches past its parent's edge, and
// no text runs into the control beside it.
#include "i18n/Translations.h"
#include "resources/ProductProfile.h"
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QTranslator>

namespace {

using namespace wizardtest;

// The rectangle the control's text takes inside its parent.
QRect TextRect(const QWidget* control)
{
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label && label->wordWrap())
        return QRect(label->pos(), QSize(label->width(), label->heightForWidth(label->width())));
    if (label)
        return QRect(label->pos(), QSize(label->fontMetrics().size(0, label->text()).width(), label->height()));
    return QRect(control->pos(), control->sizeHint());
}

// Every fault on the page shown, one line each.
QStringList Faults(const QWidget& page)
{
    QStringList faults;
    QList<const QWidget*> shown;
    for (const QWidget* control : page.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(control);
        const auto* check = qobject_cast<const QCheckBox*>(control);
        if ((!label && !check) || !control->isVisibleTo(&page) || (label && !label->pixmap().isNull()))
            continue;
        const QString text = label ? label->text() : check->text();
        if (text.isEmpty())
            continue;
        shown << control;
        const QString name = control->objectName() + " \"" + text + "\"";
        const QRect room = control->geometry();
        const QRect needed = TextRect(control);
        if (needed.width() > room.width() || needed.height() > room.height())
            faults << QStringLiteral("%1 needs %2x%3, has %4x%5")
                          .arg(name)
                          .arg(needed.width())
                          .arg(needed.height())
                          .arg(room.width())
                          .arg(room.height());
        if (!QRect(QPoint(), control->parentWidget()->size()).contains(room))
            faults << name + " reaches past its parent";
    }
    for (const QWidget* a : shown)
        for (const QWidget* b : shown)
            if (a < b && a->parentWidget() == b->parentWidget() && TextRect(a).intersects(TextRect(b)))
                faults << a->objectName() + " runs into " + b->objectName();
    return faults;
}

class LabelsFit : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        Application();
        const QString language = QString::fromLatin1(GetParam());
        if (language != QLatin1String("en")) {
            ASSERT_EQ(InstallTranslations(*QCoreApplication::instance(), QLocale(language)), language);
        }
    }
    void TearDown() override
    {
        // The other tests of this program see English again.
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

TEST_P(LabelsFit, OnThePagesOfAnExpressRun)
{
    auto window = MakeTestWindow(MakeFakeUpgrader);
    TfrmMain& form = window->Form();
    const auto check = [&](const char* what) {
        WaitUntilIdle();
        for (const QString& fault : Faults(*form.pcCards->currentWidget()))
            ADD_FAILURE() << what << ": " << fault.toStdString();
    };
    check("first page");
    form.WiredChk->setChecked(true);
    form.ShowNavigationButtons();
    form.ShowPage(TUpgraderPage::Status);
    form.StartStatus(QStringLiteral("Saving Router Settings..."));
    check("status");
    form.Link_Label->show();
    form.ShowOutcome(QStringLiteral("This router has firmware version 3.0. ") + ProductProfile::ManualUpgradeText,
                     false);
    check("failure");
    form.Link_Label->hide();
    form.ShowOutcome(ProductProfile::UpgradeSucceededText, true);
    check("success");
}

INSTANTIATE_TEST_SUITE_P(Languages, LabelsFit, testing::Values("en", "de", "fr", "es"));

}  // namespace
