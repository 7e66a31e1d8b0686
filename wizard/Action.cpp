#include "wizard/Action.h"

void TAction::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    Apply();
}

void TAction::Bind(QAbstractButton* button)
{
    buttons_.emplace_back(button);
    QObject::connect(button, &QAbstractButton::clicked, button, [this] { Execute(); });
    Apply();
}

bool TAction::HasVisibleControl() const
{
    for (const auto& b : buttons_)
        if (b && b->isVisible())
            return true;
    return false;
}

void TAction::Update()
{
    if (OnUpdate && HasVisibleControl())
        OnUpdate(*this);
}

void TAction::Execute()
{
    // Re-evaluate first so a click can never run a handler the state forbids.
    Update();
    if (OnExecute && enabled_ && HasVisibleControl())
        OnExecute(*this);
}

void TAction::Apply()
{
    for (const auto& b : buttons_) {
        if (!b)
            continue;
        b->setText(caption_);
        b->setEnabled(enabled_);
    }
}
