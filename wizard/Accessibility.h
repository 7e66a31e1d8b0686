// What a screen reader hears of the window: a name and a description for
// every control that has no readable text of its own, and the events that
// make it speak when the status text or the outcome changes.
#pragma once

class QLabel;
class QProgressBar;
class QWidget;

namespace Accessibility {

// Gives the controls under root their accessible names and descriptions,
// found by object name. A control whose text says what it is keeps that
// text as its name (a button that becomes "Close" is read as "Close").
void DescribeControls(QWidget& root);

// The status text changed: the label announces that itself; the progress
// bar, which the label names, is told here that its name changed with it.
void AnnounceStatus(QProgressBar& bar);

// The outcome is shown: its text takes the keyboard focus, so a reader
// speaks it at once, and an alert is raised on it for readers that follow
// alerts rather than focus.
void AnnounceOutcome(QLabel& outcome);

}  // namespace Accessibility
