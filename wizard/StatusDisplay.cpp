#include "wizard/StatusDisplay.h"

#include "driver/ShownText.h"
#include "log/SupportLog.h"
#include "wizard/Accessibility.h"
#include "wizard/Anchors.h"

#include <QLabel>
#include <QProgressBar>

TStatusDisplay::TStatusDisplay(QLabel& text, QProgressBar& bar, IWaiting& waiting)
    : text_(text), bar_(bar), waiting_(waiting), step_(DesignStep())
{
}

int TStatusDisplay::DesignStep() const { return bar_.property("step").toInt(); }

void TStatusDisplay::SetText(const QString& text)
{
    // The log keeps the driver's English; the label shows the user's language.
    const bool changed = text != source_;
    if (changed)
        SupportLogLine(lcWizard(), QStringLiteral("Status: ") + text);
    source_ = text;
    text_.setText(ShownText(text));
    AutoSizeLabel(&text_);
    if (changed)
        Accessibility::AnnounceStatus(bar_);
}

void TStatusDisplay::Start(const QString& text)
{
    SetText(text);
    step_ = 1;
    waiting_.KeepPainted(IWaiting::TInput::Taken);
}

void TStatusDisplay::Step(const QString& text)
{
    SetText(text);
    if (step_ == DesignStep())  // no Start yet
        Start(text);
    int position = bar_.value() + step_;
    if (position > bar_.maximum())
        position = bar_.minimum();
    bar_.setValue(position);
    waiting_.KeepPainted(IWaiting::TInput::Taken);
}

void TStatusDisplay::BeginBusy(const QString& text)
{
    if (!text.isNull())
        SetText(text);
    if (busyValue_ < 0) {
        busyValue_ = bar_.value();
        busyMaximum_ = bar_.maximum();
        bar_.setMaximum(bar_.minimum());  // no range: the bar moves on its own
    }
}

void TStatusDisplay::EndBusy()
{
    if (busyValue_ < 0)
        return;
    bar_.setMaximum(busyMaximum_);
    bar_.setValue(busyValue_);
    busyValue_ = -1;
}
