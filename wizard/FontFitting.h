// Fits the window that fmMain.ui describes to the desktop's font. Every size
// and position comes from the widgets the form created, so it runs once,
// right after the form is set up and before anything is resized.
#pragma once

class QWidget;
namespace Ui {
class frmMain;
}

// The design fonts (8 and 10 points at 96 dpi) in the desktop's sans-serif
// face; labels sized to their captions, buttons grown to theirs, and the
// Configuration label column widened where a caption would be cut.
void FitToDesktopFont(QWidget& window, Ui::frmMain& form);
