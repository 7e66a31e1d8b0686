// Edge anchors for controls placed at fixed design positions: when the
// parent grows, a control anchored left and right widens, one anchored only
// right moves along with the right edge, and likewise for top and bottom.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

class QLabel;

enum TAnchor { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

class TAnchors : public QObject {
public:
    explicit TAnchors(QObject* owner) : QObject(owner) {}

    // control sits at its design position inside a parent whose design size
    // is designParentSize; the distances to the anchored edges stay as designed.
    void Add(QWidget* control, int anchors, QSize designParentSize);
    // Adds every widget under root that the form marks with the property
    // "anchors" (edges joined by commas: "left,top,right"). The distances
    // are taken against the parent's property "designSize" where the form
    // gives one, else against the parent's size, as the form set it.
    void AddFromForm(QWidget* root);
    // Places every anchored child of parent for the parent's current size.
    void Apply(QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TEntry {
        QPointer<QWidget> Control;
        int Anchors;
        int RightGap;
        int BottomGap;
    };
    void Place(const TEntry& entry) const;

    std::vector<TEntry> entries_;
};

// Sizes a one-line label to its caption, keeping its right edge when the
// caption is right-justified and its left edge otherwise.
void AutoSizeLabel(QLabel* label);
// Gives a word-wrapped label the height its caption needs at its width.
void AutoHeightLabel(QLabel* label, int maximumHeight = QWIDGETSIZE_MAX);
