// A command object in the style of the window's action list: a caption, an
// enabled state that an update handler recomputes whenever the window is
// idle, and an execute handler. Buttons bound to an action take its caption
// and enabled state and run its execute handler when clicked.
#pragma once

#include "driver/UpgraderView.h"

#include <QAbstractButton>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class TAction : public IUpgraderAction {
public:
    using Handler = std::function<void(TAction& sender)>;

    explicit TAction(QString caption) : caption_(std::move(caption)) {}
    TAction(const TAction&) = delete;
    TAction& operator=(const TAction&) = delete;

    const QString& Caption() const { return caption_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) override;

    Handler OnUpdate;
    Handler OnExecute;

    // The button shows the action's caption and state and runs it on click.
    void Bind(QAbstractButton* button);

    // Runs the update handler, but only while a visible control is bound:
    // an action bound to no visible control is never updated or executed.
    void Update();
    // Runs the execute handler when the action is enabled and has a visible control.
    void Execute();

    bool HasVisibleControl() const;

private:
    void Apply();

    QString caption_;
    bool enabled_ = true;
    std::vector<QPointer<QAbstractButton>> buttons_;
};
