// The Status page's display: the status text, the progress bar that steps
// and wraps past its maximum, and the bar moving on its own during a wait of
// unknown length.
#pragma once

#include "driver/Waiting.h"

#include <QString>

class QLabel;
class QProgressBar;

class TStatusDisplay {
public:
    // The bar's step from the form is its step until the first Start. Every
    // Start and Step lets the window repaint and take input through waiting.
    TStatusDisplay(QLabel& text, QProgressBar& bar, IWaiting& waiting);

    // Shows text (logged when it changes) and sizes the label to it.
    void SetText(const QString& text);
    // Begins a step sequence: the text, and a step of one from here on.
    void Start(const QString& text);
    // The text, and the bar one step on; past the maximum it starts again
    // at its minimum. Before any Start it starts a sequence first.
    void Step(const QString& text);
    // The text (a null text keeps the current one), and the bar moving on
    // its own until EndBusy gives it back its range and position.
    void BeginBusy(const QString& text);
    void EndBusy();

private:
    int DesignStep() const;

    QLabel& text_;
    QProgressBar& bar_;
    IWaiting& waiting_;
    QString source_;       // the status as the driver gave it, in English
    int step_;             // the bar's step; its design step from the form at first
    int busyValue_ = -1;   // bar position kept while the bar moves on its own; -1: not busy
    int busyMaximum_ = 0;  // the bar's maximum before it moved on its own
};
